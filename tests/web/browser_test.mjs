// The web page played in headless Chromium and held to the Linux build's
// pictures (reference_frames) and to the page's contract: the title, the
// command words, a run (Enter, the arrows, Esc, Enter), the result and the
// verdict, the About and screen-size dialogs, the 640 x 480 mode and the
// quit word; then, on the test page with its clock frozen, a whole run's
// result over its last frame and the verdict, exactly as Linux shows them.
//
//   node browser_test.mjs --modules DIR --site DIR --test-page PATH
//                         --reference PROGRAM --work DIR [--chromium PATH] [--port N]
//
// --site is the folder served (the page's index.html at its root), PATH the
// test page's folder under it. Prints "ok - ..." or "not ok - ..." a check;
// exits 1 when one failed. The page's pictures that differ are written to
// the work folder beside the Linux ones.
import { execFileSync } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import path from 'node:path';

import {
    canvas, clientPicture, differences, launch, open, parseOptions, readPicture, serve, sleep, waitFor, windows,
    writePicture,
} from './page_driver.mjs';

const options = parseOptions({ chromium: '/usr/bin/chromium', port: '0' });
for (const needed of ['modules', 'site', 'testPage', 'reference', 'work']) {
    if (!options[needed]) {
        console.error('usage: node browser_test.mjs --modules DIR --site DIR --test-page PATH --reference PROGRAM ' +
            '--work DIR [--chromium PATH] [--port N]');
        process.exit(2);
    }
}

// Each word changes a line of the title; the last puts the start settings back.
const words = ['se30', 'da1', 'noo0', 'ye10', 'wa24', 'reiaou'];
// The test page's frozen clock at start, and so its seed: left alone, the
// craft lasts some 4.5 s, past the first growth of the bullet quota, and
// scores a near miss.
const clock = 1221334;
const resultScreen = 2;  // the hooks' screen numbers: 0 title, 1 playing, 2 result, 3 verdict
const vkF12 = 0x7B;
const white = (rgb, at) => rgb[at] === 255 && rgb[at + 1] === 255 && rgb[at + 2] === 255;

let failures = 0;
function check(ok, what, detail = '') {
    console.log(`${ok ? 'ok' : 'not ok'} - ${what}${!ok && detail ? `: ${detail}` : ''}`);
    failures += ok ? 0 : 1;
    return ok;
}
// After a failed check that the later ones cannot do without, the tab's
// remaining checks are skipped.
class Skip extends Error {}
function need(ok) {
    if (!ok)
        throw new Skip();
}

// ---- The Linux build's pictures ----
const linux = path.join(options.work, 'linux');
mkdirSync(linux, { recursive: true });
const env = { ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' };
execFileSync(options.reference, [linux, ...words], { env, stdio: 'inherit' });
const linuxSteps = Number(/steps: (\d+)/.exec(execFileSync(options.reference, ['--run', linux, String(clock)],
    { env, encoding: 'utf8' }))[1]);
const picture = (name) => readPicture(path.join(linux, `${name}.ppm`));

// ---- Reading the page ----
async function mainWindow(page) {
    return (await windows(page)).find((w) => w.main);
}

async function dialogWindow(page, title) {
    return (await windows(page)).find((w) => !w.main && w.title === title);
}

// The window's client picture as the page shows it, and how it differs
// from `want` (`part`: the box and pixels compared, see differences).
async function compare(page, window, want, part = {}) {
    if (!window)
        return { count: Infinity, first: 'the window is not shown' };
    const view = await canvas(page);
    return { ...differences(view, window, window.scale, want, part), view, window };
}

// Waits up to `ms` until the window `find` gives shows `want`; the last comparison.
async function shows(page, find, want, ms = 5000, part = {}) {
    let last;
    await waitFor(async () => (last = await compare(page, await find(page), want, part)).count === 0, ms);
    return last;
}

// Checks that a comparison found no difference; else keeps the page's picture.
function checkSame(result, what, name) {
    let detail = `${result.count} pixels differ, ${result.first}`;
    if (result.count && result.view) {
        const file = path.join(options.work, `page-${name}.ppm`);
        writePicture(file, clientPicture(result.view, result.window, result.window.scale));
        detail += ` (the page's picture: ${file}, Linux: ${path.join(linux, name + '.ppm')})`;
    }
    return check(result.count === 0, what, detail);
}

// The main window's client picture at one pixel a client pixel.
async function mainPicture(page) {
    const w = await mainWindow(page);
    return w ? clientPicture(await canvas(page), w, w.scale) : null;
}

// The craft: the largest 8-connected patch of white below the top lines
// (bullets carry a white pixel or two, stars none) and outside `box`; its
// centre, or null.
function findCraft(shot, box = null) {
    const seen = new Uint8Array(shot.width * shot.height);
    for (let y = box ? box.top : 0; box && y < box.bottom; ++y)
        seen.fill(1, y * shot.width + box.left, y * shot.width + box.right);
    let best = null;
    for (let start = 16 * shot.width; start < seen.length; ++start) {
        if (seen[start] || !white(shot.rgb, start * 3))
            continue;
        const patch = [start];
        seen[start] = 1;
        for (let i = 0; i < patch.length; ++i) {
            const x0 = patch[i] % shot.width;
            const y0 = Math.floor(patch[i] / shot.width);
            for (let y = Math.max(16, y0 - 1); y <= Math.min(shot.height - 1, y0 + 1); ++y) {
                for (let x = Math.max(0, x0 - 1); x <= Math.min(shot.width - 1, x0 + 1); ++x) {
                    const at = y * shot.width + x;
                    if (!seen[at] && white(shot.rgb, at * 3)) {
                        seen[at] = 1;
                        patch.push(at);
                    }
                }
            }
        }
        if (!best || patch.length > best.length)
            best = patch;
    }
    if (!best || best.length < 20)
        return null;
    const xs = best.map((at) => at % shot.width);
    const ys = best.map((at) => Math.floor(at / shot.width));
    return { x: (Math.min(...xs) + Math.max(...xs)) / 2, y: (Math.min(...ys) + Math.max(...ys)) / 2 };
}

// Whether the result is up: every pixel of the "失格" line white as on Linux.
const resultInk = picture('result-ink');
function showsResult(shot) {
    if (!shot)
        return false;
    for (let at = 0; at < 120 * resultInk.width * 3; at += 3) {
        if (white(resultInk.rgb, at) && !white(shot.rgb, at))
            return false;
    }
    return true;
}

// The rectangle of pause.ppm that is not the frame's dark red. Once a
// result has been shown the notice has no background: then only its ink
// is compared.
const pause = picture('pause');
const pauseAfterResult = picture('pause-after-result');
const pauseBox = { left: pause.width, top: pause.height, right: 0, bottom: 0 };
for (let y = 0; y < pause.height; ++y) {
    for (let x = 0; x < pause.width; ++x) {
        const at = (y * pause.width + x) * 3;
        if (pause.rgb[at] !== 128 || pause.rgb[at + 1] || pause.rgb[at + 2]) {
            pauseBox.left = Math.min(pauseBox.left, x);
            pauseBox.top = Math.min(pauseBox.top, y);
            pauseBox.right = Math.max(pauseBox.right, x + 1);
            pauseBox.bottom = Math.max(pauseBox.bottom, y + 1);
        }
    }
}

// ---- The page ----
async function playThePage(browser, site) {
    const { page, log } = await open(browser, site.url);
    try {
        await page.focus('#canvas');
        const first = await waitFor(() => mainWindow(page), 10000);
        need(check(first && first.x === 0 && first.y === 0 && first.w === 640 && first.h === 480 &&
            first.scale === 2, 'the main window fills the 640 x 480 view at scale 2', JSON.stringify(first)));
        need(checkSame(await shows(page, mainWindow, picture('title'), 10000), 'the title as on Linux', 'title'));

        let before = picture('title');
        for (const word of words) {
            const want = picture(`title-${word}`);
            need(check(Buffer.compare(want.rgb, before.rgb) !== 0, `"${word}" changes the Linux title`));
            await page.keyboard.type(word);
            checkSame(await shows(page, mainWindow, want), `the title after "${word}" as on Linux`, `title-${word}`);
            before = want;
        }

        await page.keyboard.type('vei');
        const about = (p) => dialogWindow(p, '避練のバージョン情報');
        checkSame(await shows(page, about, picture('about')), 'the About box (vei) as on Linux', 'about');
        await page.keyboard.press('Enter');
        check(await waitFor(async () => !(await about(page)), 3000), 'Enter closes the About box');

        await playARun(page);

        await page.evaluate((vk) => Module.hirenPressKey(vk), vkF12);
        const size = (p) => dialogWindow(p, '画面サイズ設定');
        checkSame(await shows(page, size, picture('screen-size')), 'the screen-size dialog (F12) as on Linux',
            'screen-size');
        await page.keyboard.press('KeyV', { text: 'v' });
        await page.keyboard.press('Enter');
        const doubled = await waitFor(async () => {
            const w = await mainWindow(page);
            return w && w.scale === 1 && w.w === 640 && w.h === 480 && !(await size(page)) && w;
        }, 5000);
        check(doubled, '640x480 gives mode 1: the main window at scale 1 with a 640 x 480 client',
            JSON.stringify(await windows(page)));
        checkSame(await shows(page, mainWindow, picture('title-640')), 'the 640 x 480 title as on Linux',
            'title-640');

        await fullScreen(page, size);

        await page.keyboard.type('quie');
        const quit = (p) => dialogWindow(p, '確認');
        checkSame(await shows(page, quit, picture('quit')), 'the quit question (quie) as on Linux', 'quit');
        await page.keyboard.press('Enter');
        const closed = await waitFor(() => page.evaluate(() =>
            !document.getElementById('closed').hidden && document.getElementById('canvas').hidden &&
            Module.hirenExitCode === 0), 5000);
        check(closed, 'the game closes: #closed shows, the canvas is hidden, the exit code is 0');
    } catch (error) {
        if (!(error instanceof Skip))
            throw error;
        console.log("# the page's later checks skipped");
    }
    if (failures)
        console.log(`# the page's console:\n${log.map((line) => `#   ${line}`).join('\n')}`);
    await page.close();
}

// Holds `key` for 200 ms (some 12 steps): the craft must go at least 6
// pixels along (dx, dy) and stay within 4 across. Null when the run ended
// meanwhile.
async function steer(page, key, dx, dy) {
    const from = findCraft(await mainPicture(page));
    await page.keyboard.down(key);
    await sleep(200);
    await page.keyboard.up(key);
    await sleep(50);
    const shot = await mainPicture(page);
    const to = findCraft(shot);
    if (!from || !to || showsResult(shot))
        return null;
    const along = (to.x - from.x) * dx + (to.y - from.y) * dy;
    const across = Math.abs((to.x - from.x) * dy) + Math.abs((to.y - from.y) * dx);
    const ok = along >= 6 && across <= 4;
    // What looked like the craft may have been its explosion.
    if (!ok && (await waitFor(async () => showsResult(await mainPicture(page)), 500)))
        return null;
    return { key, ok, from, to };
}

// Esc pauses over the frame and nothing moves; Enter resumes. False when
// a bullet hit the craft about the pause: the craft may then have been
// its explosion, and another run is needed.
async function pauseAndResume(page, afterResult) {
    const last = findCraft(await mainPicture(page));
    await page.keyboard.press('Escape');
    const want = afterResult ? pauseAfterResult : pause;
    const only = afterResult ? (at) => white(want.rgb, at) : null;
    const pausing = await shows(page, mainWindow, want, 2000, { box: pauseBox, only });
    const shot = await mainPicture(page);
    const kept = findCraft(shot, pauseBox);
    const w = await mainWindow(page);
    await sleep(500);
    const later = await mainPicture(page);
    await page.keyboard.press('Enter');
    const resumed = await waitFor(async () => {
        const a = await mainPicture(page);
        await sleep(100);
        const b = await mainPicture(page);
        return a && b && Buffer.compare(a.rgb, b.rgb) !== 0;
    }, 2000);
    const checks = [
        [pausing.count === 0, 'Esc pauses: "一時停止" as on Linux'],
        [kept && last && Math.abs(kept.x - last.x) <= 3 && Math.abs(kept.y - last.y) <= 3,
            'the pause keeps the frame: the craft where it was', JSON.stringify({ last, kept })],
        [w && w.scale === 2 && w.w === 640, 'the paused window stays in the view', JSON.stringify(w)],
        [later && Buffer.compare(later.rgb, shot.rgb) === 0, 'nothing moves while paused'],
        [resumed, 'Enter resumes the run'],
    ];
    if (checks.some(([ok]) => !ok) && (await waitFor(async () => showsResult(await mainPicture(page)), 500)))
        return false;
    checkSame(pausing, checks[0][1], afterResult ? 'pause-after-result' : 'pause');
    for (const [ok, what, detail] of checks.slice(1))
        check(ok, what, detail);
    return true;
}

// Enter starts a run, the arrows steer, Esc pauses on the frame, Enter
// resumes; left alone the craft is hit: the result, the verdict, the title.
// A bullet may end a run before all that is seen; then the next run goes on.
async function playARun(page) {
    const steering = [['ArrowRight', 1, 0], ['ArrowUp', 0, -1], ['ArrowLeft', -1, 0], ['ArrowDown', 0, 1]];
    const moves = [];
    let paused = false;
    for (let run = 1; run <= 8 && !paused; ++run) {
        if (run > 1) {
            console.log('# a bullet ended the run first; another');
            await waitFor(async () => showsResult(await mainPicture(page)), 5000);
            await page.keyboard.press('Enter');
            await page.keyboard.press('Enter');
            await shows(page, mainWindow, picture('title'), 3000);
        }
        await page.keyboard.press('Enter');
        const shot = await waitFor(async () => {
            const s = await mainPicture(page);
            return s && Buffer.compare(s.rgb, picture('title').rgb) !== 0 && findCraft(s) && s;
        }, 3000);
        need(check(shot, `Enter starts run ${run}: the title gives way to the craft`));
        // The craft's 16 x 16 picture starts at (152, 44), counted from the bottom left.
        const start = findCraft(shot);
        need(check(start.x >= 152 && start.x < 168 && start.y > 239 - 60 && start.y <= 239 - 44,
            'the craft starts at (152, 44)', JSON.stringify(start)));
        while (moves.length < steering.length) {
            const move = await steer(page, ...steering[moves.length]);
            if (!move)
                break;
            moves.push(move);
        }
        if (moves.length === steering.length)
            paused = await pauseAndResume(page, run > 1);
    }
    check(moves.length === steering.length && moves.every((move) => move.ok),
        'the arrow keys move the craft their way', JSON.stringify(moves));
    need(check(paused, 'a run lasts long enough to be paused'));
    const result = await waitFor(async () => showsResult(await mainPicture(page)), 120000, 200);
    need(check(result, 'left alone the craft is hit: "失格" as on Linux'));
    await page.keyboard.press('Enter');
    const verdict = await waitFor(async () => {
        const s = await mainPicture(page);
        let ink = 0;
        for (let at = 0; s && at < s.rgb.length; at += 3) {
            if (white(s.rgb, at))
                ++ink;
            else if (s.rgb[at] || s.rgb[at + 1] || s.rgb[at + 2])
                return false;
        }
        return ink > 300 && !showsResult(s);
    }, 3000);
    check(verdict, 'Enter gives the verdict: white lines on black');
    await page.keyboard.press('Enter');
    checkSame(await shows(page, mainWindow, picture('title')), 'Enter goes back to the title', 'title');
}

// ---- The test page: the clock frozen, moved on a step at a time ----
async function playTheTestPage(browser, site) {
    const { page, log } = await open(browser, `${site.url}${options.testPage}index.html?clock=${clock}`);
    try {
        await page.focus('#canvas');
        need(checkSame(await shows(page, mainWindow, picture('title'), 10000), 'the test page starts on the title',
            'title'));
        await page.keyboard.press('Enter');
        const run = await page.evaluate(async () => {
            const next = () => new Promise((resolve) => setTimeout(resolve, 0));
            const wait = async (done) => {
                for (let i = 0; i < 5000 && !done(); ++i)
                    await next();
                return done();
            };
            // The first step runs at once; every 16 ms on the clock, one more.
            if (!(await wait(() => Module._HirenTestStepsStarted() > 0)))
                return { error: 'Enter started no run' };
            while (Module._HirenTestScreen() === 1) {
                if (Module._HirenTestPaused())
                    return { error: 'the run was paused (the page lost the focus?)' };
                const started = Module._HirenTestStepsStarted();
                Module._HirenTestAdvanceClock(16);
                if (!(await wait(() => Module._HirenTestStepsStarted() > started || Module._HirenTestScreen() !== 1)))
                    return { error: 'no step ran when its time came' };
            }
            await wait(() => Module._HirenTestScreen() === 2);
            return { screen: Module._HirenTestScreen(), steps: Module._HirenTestFrameCount() };
        });
        need(check(!run.error && run.screen === resultScreen, 'the run ends in a hit',
            run.error || JSON.stringify(run)));
        check(run.steps === linuxSteps, 'the run lasts as many steps as on Linux', `${run.steps}, Linux ${linuxSteps}`);
        checkSame(await shows(page, mainWindow, picture('result')), 'the result over the last frame as on Linux',
            'result');
        await page.keyboard.press('Enter');
        checkSame(await shows(page, mainWindow, picture('verdict')), 'the verdict as on Linux', 'verdict');
        await leaveTheTab(browser, page);
    } catch (error) {
        if (!(error instanceof Skip))
            throw error;
        console.log("# the test page's later checks skipped");
    }
    if (failures)
        console.log(`# the test page's console:\n${log.map((line) => `#   ${line}`).join('\n')}`);
    await page.close();
}

// 全画面 takes the browser's full screen (the dialog's OK is the user's
// gesture): the picture fills the screen; the browser's own way out gives
// the 640 x 480 view back, the picture scaled to fit it.
async function fullScreen(page, size) {
    const fullScreenSize = () => page.evaluate(() => document.fullscreenElement && [screen.width, screen.height]);
    await page.evaluate((vk) => Module.hirenPressKey(vk), vkF12);
    need(check(await waitFor(() => size(page), 3000), 'F12 opens the screen-size dialog again'));
    await page.keyboard.press('KeyF', { text: 'f' });
    await page.keyboard.press('Enter');
    const full = await waitFor(async () => {
        const [w, screen] = [await mainWindow(page), await fullScreenSize()];
        return screen && w && w.scale === 1 && w.w === screen[0] && w.h === screen[1] && w;
    }, 5000);
    check(full, '全画面 fills the screen in the browser\'s full screen', JSON.stringify(await windows(page)));
    await page.evaluate(() => document.exitFullscreen());
    const back = await waitFor(async () => {
        const w = await mainWindow(page);
        return !(await fullScreenSize()) && w && w.x === 0 && w.y === 0 && w.w === 640 && w.h === 480 && w;
    }, 5000);
    check(back, 'leaving full screen gives the 640 x 480 view back', JSON.stringify(await windows(page)));
}

// Another tab in front hides the page: a run (held still by the frozen
// clock) pauses as when the window is left, and stays paused on return
// until Enter.
async function leaveTheTab(browser, page) {
    const paused = () => page.evaluate(() => Module._HirenTestPaused() === 1);
    const screen = (n) => waitFor(() => page.evaluate((want) => Module._HirenTestScreen() === want, n), 3000);
    await page.keyboard.press('Enter');
    need(check(await screen(0), 'Enter on the verdict goes back to the title'));
    await page.keyboard.press('Enter');
    need(check(await screen(1), 'Enter on the title starts another run'));
    const other = await browser.newPage();
    await other.bringToFront();
    check(await waitFor(paused, 3000), 'the page hidden behind another tab pauses the run');
    await other.close();
    await page.bringToFront();
    await page.focus('#canvas');
    await sleep(300);
    check(await paused(), 'back on the page the run waits for Enter');
    await page.keyboard.press('Enter');
    check(await waitFor(async () => !(await paused()), 3000), 'Enter resumes it');
}

const site = await serve(options.site, Number(options.port));
const browser = await launch(options.modules, options.chromium);
try {
    await playThePage(browser, site);
    await playTheTestPage(browser, site);
} finally {
    await browser.close();
    site.close();
}
console.log(failures ? `# ${failures} checks failed` : '# all checks passed');
process.exit(failures ? 1 : 0);
