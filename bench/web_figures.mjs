// The web figures, in the bench's "name: value" form: what the page
// downloads, the paced run's steps in 10 s and its late steps, and the
// game at full speed in the page against the native build in the same
// rounds. Runs on the test page (tests/web/test_page.cpp), whose runs
// no bullet ends; details first, each figure as it is known.
//
//   node bench/web_figures.mjs --modules DIR --site DIR --test-page PATH --native PROGRAM
//                              [--chromium PATH] [--port N] [--rounds N] [--seconds S]
//
// PROGRAM is bench/hiren_fullspeed of the native build; it needs an X display.
import { execFileSync } from 'node:child_process';

import { launch, open, parseOptions, serve, sleep, waitFor, windows } from '../tests/web/page_driver.mjs';

const options = parseOptions({ chromium: '/usr/bin/chromium', port: '0', rounds: '3', seconds: '3' });
const seconds = Number(options.seconds);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

// Opens a page and waits for its main window to be shown.
async function start(browser, url) {
    const tab = await open(browser, url);
    if (!(await waitFor(async () => (await windows(tab.page)).some((w) => w.main), 10000)))
        throw new Error(`${url}: no main window shown`);
    await tab.page.focus('#canvas');
    await sleep(300);
    return tab;
}

// Starts a run on the test page (after typing `word`, if any), lets it
// warm up for `warmUp` ms, records its steps for `ms` ms; the hooks'
// figures, read with the run still going.
async function recordRun(browser, site, word, warmUp, ms) {
    const { page } = await start(browser, `${site.url}${options.testPage}index.html?invulnerable`);
    if (word)
        await page.keyboard.type(word);
    await page.keyboard.press('Enter');
    await sleep(warmUp);
    await page.evaluate(() => Module._HirenTestRecordSteps(1));
    await sleep(ms);
    const figures = await page.evaluate(() => {
        Module._HirenTestRecordSteps(0);
        return {
            playing: Module._HirenTestScreen() === 1 && !Module._HirenTestPaused(),
            steps: Module._HirenTestStepsRecorded(),
            span: Module._HirenTestStepSpan(),
            within10s: Module._HirenTestStepsWithin(10000),
            late: Module._HirenTestLateSteps(4),
            latest: Module._HirenTestLatestStep(),
        };
    });
    await page.close();
    if (!figures.playing || figures.steps < 2)
        throw new Error('the run stopped while it was measured (paused by the page?)');
    return figures;
}

const site = await serve(options.site, Number(options.port));
const browser = await launch(options.modules, options.chromium);
try {
    const { page, transfer } = await start(browser, site.url);
    await page.close();
    console.log(`web_transfer_bytes: ${transfer.bytes}`);

    // The default 16 ms step for 10 s, on a machine left quiet for a second.
    await sleep(1000);
    const paced = await recordRun(browser, site, '', 500, 10500);
    console.log(`paced run: ${paced.within10s} steps in 10 s, the latest ${paced.latest.toFixed(2)} ms after ` +
        'its due time');
    console.log(`web_steps_in_10s: ${paced.within10s}`);
    console.log(`web_late_steps_over_4ms: ${paced.late}`);

    // Full speed ("zo200": 200 bullets, all stars), the page and then the
    // native program in each round; the browser is idle meanwhile.
    const rounds = [];
    for (let r = 1; r <= Number(options.rounds); ++r) {
        await sleep(1000);
        const run = await recordRun(browser, site, 'zo200', 300, seconds * 1000);
        const web = (run.steps - 1) * 1000 / run.span;
        if (web < 125)
            throw new Error(`${web.toFixed(1)} steps/s: "zo200" did not set full speed`);
        const out = execFileSync(options.native, ['speed', '0', String(seconds)], { encoding: 'utf8' });
        const native = Number(/steps_per_second: ([\d.]+)/.exec(out)[1]);
        console.log(`fullspeed round ${r}: page ${web.toFixed(1)} steps/s, native ${native.toFixed(1)} steps/s`);
        rounds.push({ web, native });
    }
    console.log(`web_fullspeed_steps_per_s: ${median(rounds.map((r) => r.web)).toFixed(1)}`);
    console.log(`native_fullspeed_steps_per_s: ${median(rounds.map((r) => r.native)).toFixed(1)}`);
    console.log(`web_fullspeed_ratio: ${median(rounds.map((r) => r.web / r.native)).toFixed(2)}`);
} finally {
    await browser.close();
    site.close();
}
