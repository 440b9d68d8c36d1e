// SPDX-License-Identifier: MIT
// The page in the system's headless Chromium, three figures side by side in one run:
// - the bytes a visit costs: the page, its style, its script (the captions within) and module
//   (JavaScript and WebAssembly), each compressed with gzip -9, pictures and waves apart;
// - navigation to data-ready (the page takes a click) against a bare page that shows the same 30
//   pictures of the staff, each in a fresh browser context, taking turns, median of 11; and
//   between them the module alone: the page's head and body as they are, ready once the module
//   has started, with none of the page's own work; and within the page's own loads, the module's
//   start (navigation to its promise resolved) against the page's own start after it;
// - a key press to the painted staff: from the keydown's timeStamp to the next animation frame
//   after the page changed the staff, over 200 presses of the piano keys; and beside it the page's
//   own part, from the timeStamp to the change made, the rest being the wait for the frame.
// Usage: node page_bench.js PAGE_FOLDER   (CHROMIUM names the browser when it is not on PATH)
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');
const {chromium} = require('playwright-core');

const root = path.resolve(process.argv[2]);
const TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.png': 'image/png'
};
const RUNS = 11,
  PRESSES = 200;

// The bare page: the empty staff's picture in 30 cells, ready when all are loaded.
const BARE = `<!doctype html><html><body>${'<img src="program/gosen.png">'.repeat(30)}<script>
Promise.all([...document.images].map((i) => i.decode())).then(() => (document.body.dataset.ready = ''));
</script></body></html>`;

// The page's own head and body, ready once the module has started instead of running main.js.
const MODULE_ALONE = fs
  .readFileSync(path.join(root, 'index.html'), 'utf8')
  .replace(
    /<script type="module" src="main.js"><\/script>/,
    '<script>merinModule.then(() => { const ready = () => (document.body.dataset.ready = ""); ' +
      'document.body ? ready() : addEventListener("DOMContentLoaded", ready); });</script>'
  );

function browserPath() {
  if (process.env.CHROMIUM) return process.env.CHROMIUM;
  for (const dir of (process.env.PATH || '').split(':')) {
    if (fs.existsSync(path.join(dir, 'chromium'))) return path.join(dir, 'chromium');
  }
  throw new Error('no chromium on PATH (scripts/setup installs it)');
}

function gzipped(name) {
  return zlib.gzipSync(fs.readFileSync(path.join(root, name)), {level: 9}).length;
}

const median = (values) => values.slice().sort((a, b) => a - b)[values.length >> 1];
const quantile = (values, q) =>
  values.slice().sort((a, b) => a - b)[Math.ceil(q * values.length) - 1];

// {ready, module}: milliseconds from the start of navigation to data-ready on the page at `url`,
// and to the module's having started (its promise resolved), in a fresh context (nothing cached).
async function readyTimes(browser, url) {
  const context = await browser.newContext({viewport: {width: 1280, height: 800}});
  const page = await context.newPage();
  await page.addInitScript(() => {
    new MutationObserver((changes, observer) => {
      if (!document.body?.hasAttribute('data-ready')) return;
      globalThis.readyAt = performance.now();
      observer.disconnect();
    }).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-ready']});
    let started;
    Object.defineProperty(globalThis, 'merinModule', {
      get: () => started,
      set: (promise) => {
        started = promise.then((m) => {
          globalThis.moduleAt = performance.now();
          return m;
        });
      }
    });
  });
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  const times = await page.evaluate(() => ({
    ready: globalThis.readyAt,
    module: globalThis.moduleAt
  }));
  await context.close();
  return times;
}
const readyTime = async (browser, url) => (await readyTimes(browser, url)).ready;

// Milliseconds from each keydown's timeStamp to the animation frame after it changed the staff
// (frame), and to the end of the page's handler (handled).
async function keyTimes(browser, base) {
  const page = await browser.newPage({viewport: {width: 1280, height: 800}});
  await page.goto(base);
  await page.waitForSelector('body[data-ready]');
  await page.evaluate(() => {
    globalThis.keyTimes = {frame: [], handled: []};
    // After the page's own handler (on the document): the change is made by then.
    window.addEventListener('keydown', (event) => {
      globalThis.keyTimes.handled.push(performance.now() - event.timeStamp);
      requestAnimationFrame(() =>
        globalThis.keyTimes.frame.push(performance.now() - event.timeStamp)
      );
    });
  });
  const keys = 'ZSXDCVGBHNJMQ2W3ER5T6Y7U0'.split('').map((k) => (k <= '9' ? 'Digit' : 'Key') + k);
  for (let i = 0; i < PRESSES; ++i) {
    await page.keyboard.press(keys[i % keys.length]);
    await page.evaluate(
      () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)))
    );
  }
  const times = await page.evaluate(() => globalThis.keyTimes);
  await page.close();
  return times;
}

(async () => {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://page').pathname.replace(/\/$/, '/index.html');
    if (name === '/bare.html') {
      response.writeHead(200, {'content-type': 'text/html'});
      return response.end(BARE);
    }
    if (name === '/module.html') {
      response.writeHead(200, {'content-type': 'text/html'});
      return response.end(MODULE_ALONE);
    }
    fs.readFile(path.join(root, path.normalize(name)), (error, data) => {
      response.writeHead(error ? 404 : 200, {
        'content-type': TYPES[path.extname(name)] ?? 'application/octet-stream'
      });
      response.end(error ? '' : data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const base = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({
    executablePath: browserPath(),
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync'
    ]
  });
  try {
    const files = fs
      .readdirSync(root)
      .filter((f) => /\.(html|css|js|json|wasm)$/.test(f))
      .sort();
    const sizes = files.map((f) => [f, gzipped(f)]);
    const total = sizes.reduce((sum, [, size]) => sum + size, 0);
    console.log(
      `gzip -9, pictures and waves apart: ${(total / 1024).toFixed(1)} KiB (${total} bytes; ` +
        sizes.map(([f, s]) => `${f} ${s}`).join(', ') +
        ')'
    );

    const page = [],
      own = [],
      started = [],
      alone = [],
      bare = [];
    for (let run = 0; run < RUNS; ++run) {
      const times = await readyTimes(browser, base);
      page.push(times.ready);
      started.push(times.module);
      own.push(times.ready - times.module);
      alone.push(await readyTime(browser, base + 'module.html'));
      bare.push(await readyTime(browser, base + 'bare.html'));
    }
    console.log(
      `navigation to data-ready, median of ${RUNS}: page ${median(page).toFixed(1)} ms, ` +
        `bare page of the 30 pictures ${median(bare).toFixed(1)} ms, ratio ` +
        `${(median(page) / median(bare)).toFixed(2)}`
    );
    console.log(
      `  the module alone (the page's own work left out): ${median(alone).toFixed(1)} ms, ` +
        `ratio ${(median(alone) / median(bare)).toFixed(2)}`
    );

    console.log(
      `  the module started (navigation to its promise resolved) ${median(started).toFixed(1)} ms, ` +
        `then the page's own start to data-ready ${median(own).toFixed(1)} ms: ` +
        `${((100 * median(own)) / median(started)).toFixed(0)} % of the module's`
    );

    const {frame, handled} = await keyTimes(browser, base);
    const figures = (times) =>
      `median ${median(times).toFixed(1)} ms, ` +
      `p99 ${quantile(times, 0.99).toFixed(1)} ms, worst ${Math.max(...times).toFixed(1)} ms`;
    console.log(
      `key press to the next animation frame, ${frame.length} presses: ${figures(frame)}`
    );
    console.log(`  of which the page's own part, to the change made: ${figures(handled)}`);
  } finally {
    await browser.close();
    server.close();
  }
})();
