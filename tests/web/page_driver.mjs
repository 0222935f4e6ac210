// What the browser tests and the web figures share: a static server for the
// built pages, Chromium through puppeteer-core, the page's canvas and
// windows, and the Linux build's pictures (binary PPM files).
import { createReadStream, readFileSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';

const contentTypes = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript',
    '.wasm': 'application/wasm',
    '.data': 'application/octet-stream',
    '.txt': 'text/plain; charset=utf-8',
};

// The command line's "--some-name value" pairs over `defaults`, as
// { someName: value }.
export function parseOptions(defaults) {
    const options = { ...defaults };
    for (let i = 2; i + 1 < process.argv.length; i += 2)
        options[process.argv[i].replace(/^--/, '').replace(/-(.)/g, (_, c) => c.toUpperCase())] = process.argv[i + 1];
    return options;
}

// Serves the files under `root` on 127.0.0.1 at `port` (0: any free one).
export function serve(root, port) {
    root = path.resolve(root);
    const server = createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://page').pathname);
        const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
        let size = -1;
        try {
            const found = statSync(file);
            size = found.isFile() && file.startsWith(root + path.sep) ? found.size : -1;
        } catch {
            size = -1;
        }
        if (size < 0) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {
            'Content-Type': contentTypes[path.extname(file)] || 'application/octet-stream',
            'Content-Length': size,
            'Cache-Control': 'no-store',
        });
        createReadStream(file).pipe(response);
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => {
            resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() });
        });
    });
}

// Headless Chromium, driven through its debugging protocol over a pipe;
// puppeteer-core comes from the npm folder `modules`.
export async function launch(modules, chromium) {
    const puppeteer = createRequire(path.join(path.resolve(modules), 'package.json'))('puppeteer-core');
    return puppeteer.launch({
        executablePath: chromium,
        headless: true,
        pipe: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-timer-throttling',
            '--disable-renderer-backgrounding', '--disable-backgrounding-occluded-windows'],
    });
}

// Opens `url` in a new tab; `transfer.bytes` counts what the tab downloads
// (headers and bodies of the answers that were not errors).
export async function open(browser, url) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    const log = [];
    page.on('console', (message) => log.push(message.text()));
    page.on('pageerror', (error) => log.push(`page error: ${error.message}`));
    const transfer = { bytes: 0 };
    const failed = new Set();
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    session.on('Network.responseReceived', (event) => {
        if (event.response.status >= 400)
            failed.add(event.requestId);
    });
    session.on('Network.loadingFinished', (event) => {
        if (!failed.has(event.requestId))
            transfer.bytes += event.encodedDataLength;
    });
    await page.goto(url, { waitUntil: 'load' });
    return { page, log, transfer };
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls `probe` until it gives a truthy value or `ms` pass; the last value.
export async function waitFor(probe, ms, every = 50) {
    const end = Date.now() + ms;
    for (;;) {
        const value = await probe();
        if (value || Date.now() > end)
            return value;
        await sleep(every);
    }
}

// The canvas as RGBA bytes: { width, height, rgba }.
export async function canvas(page) {
    const [width, height, data] = await page.evaluate(() => {
        const view = document.getElementById('canvas');
        const bytes = view.getContext('2d').getImageData(0, 0, view.width, view.height).data;
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return [view.width, view.height, btoa(text)];
    });
    return { width, height, rgba: Buffer.from(data, 'base64') };
}

// The shown windows (Module.hirenWindows()), bottom to top; [] before the hook is there.
export async function windows(page) {
    return page.evaluate(() => (window.Module && Module.hirenWindows ? Module.hirenWindows() : []));
}

// A binary PPM file: { width, height, rgb }.
export function readPicture(file) {
    const bytes = readFileSync(file);
    const header = /^P6\s+(\d+)\s+(\d+)\s+255\s/.exec(bytes.subarray(0, 32).toString('latin1'));
    if (!header)
        throw new Error(`${file}: not a binary PPM picture`);
    const width = Number(header[1]);
    const height = Number(header[2]);
    return { width, height, rgb: bytes.subarray(header[0].length, header[0].length + width * height * 3) };
}

// The client picture of a window out of the canvas: `rect` is its
// rectangle in canvas pixels (w, h scaled), `scale` whole canvas pixels a
// client pixel; each pixel is the top-left one of its block.
export function clientPicture(view, rect, scale) {
    const width = Math.round(rect.w / scale);
    const height = Math.round(rect.h / scale);
    const rgb = Buffer.alloc(width * height * 3);
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const cx = rect.x + x * scale;
            const cy = rect.y + y * scale;
            if (cx < 0 || cy < 0 || cx >= view.width || cy >= view.height)
                continue;
            view.rgba.copy(rgb, (y * width + x) * 3, (cy * view.width + cx) * 4, (cy * view.width + cx) * 4 + 3);
        }
    }
    return { width, height, rgb };
}

// How the canvas differs from `picture` shown at (rect.x, rect.y) with
// every pixel a scale x scale block: { count, first } (first: where and
// how). `box` limits the comparison to a rectangle of the picture, `only`
// to the pixels whose offset in picture.rgb it accepts.
export function differences(view, rect, scale, picture, { box = null, only = null } = {}) {
    const area = box || { left: 0, top: 0, right: picture.width, bottom: picture.height };
    let count = 0;
    let first = '';
    const hex = (bytes, at) => '#' + bytes.subarray(at, at + 3).toString('hex');
    for (let y = area.top; y < area.bottom; ++y) {
        for (let x = area.left; x < area.right; ++x) {
            const want = (y * picture.width + x) * 3;
            if (only && !only(want))
                continue;
            let got = null;  // the first canvas pixel of the block that differs
            for (let j = 0; j < scale && got === null; ++j) {
                for (let i = 0; i < scale && got === null; ++i) {
                    const cx = rect.x + x * scale + i;
                    const cy = rect.y + y * scale + j;
                    const at = (cy * view.width + cx) * 4;
                    if (cx < 0 || cy < 0 || cx >= view.width || cy >= view.height)
                        got = 'outside the canvas';
                    else if (view.rgba.compare(picture.rgb, want, want + 3, at, at + 3) !== 0)
                        got = hex(view.rgba, at);
                }
            }
            if (got !== null) {
                if (!count)
                    first = `first at (${x}, ${y}): page ${got}, Linux ${hex(picture.rgb, want)}`;
                ++count;
            }
        }
    }
    return { count, first };
}

export function writePicture(file, picture) {
    writeFileSync(file, Buffer.concat([Buffer.from(`P6\n${picture.width} ${picture.height}\n255\n`), picture.rgb]));
}
