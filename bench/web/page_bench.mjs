// Figures of the one-file page in Debian's headless Chromium, printed, never asserted
// (bench/web/page.sh builds the page and runs this):
//   node bench/web/page_bench.mjs PAGE.html [RUNS]
// - its size, plain and gzipped;
// - first paint from file://, against bare.html (one label), each in a fresh context, taking
//   turns to go first, RUNS of each (30 unless told): medians and their ratio;
// - ready for the first click (the program has attached the buttons and focused the start box),
//   against the bare page's first paint;
// - a click on Въведи until the report is laid out again (the next frame paints that layout),
//   2000 clicks with the start number changing: median and 90th percentile;
// - 10,000 clicks taking turns between Въведи (the start number changing) and Изчисти: the
//   WebAssembly memory (which grows in steps of 64 KiB from 256 KiB when the program needs more)
//   and the JavaScript heap after a garbage collection, before and after.
import { readFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

import { launchChromium } from '../../tests/ui/web/launch_chromium.mjs';

const [pagePath, runsText = '30'] = process.argv.slice(2);
const runs = Number(runsText);
const page = pathToFileURL(resolve(pagePath)).href;
const bare = pathToFileURL(join(dirname(fileURLToPath(import.meta.url)), 'bare.html')).href;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, share) => [...values].sort((a, b) => a - b)[Math.floor(values.length * share)];
const ms = (value) => `${value.toFixed(value < 10 ? 3 : 1)} ms`;

const bytes = readFileSync(pagePath);
console.log(`page: ${(bytes.length / 1024).toFixed(1)} KiB, gzipped ${(gzipSync(bytes, { level: 9 }).length / 1024).toFixed(1)} KiB`);

const browser = await launchChromium();

// First contentful paint and, for the program, the moment its start box took the focus.
async function openOnce(url) {
  const context = await browser.newContext();
  await context.addInitScript(() => {
    document.addEventListener('focusin', (event) => {
      if (event.target.id === 'Text2_0') window.readyAt ??= performance.now();
    }, true);
  });
  const tab = await context.newPage();
  await tab.goto(url);
  const paint = await tab.evaluate(() => new Promise((done) => {
    new PerformanceObserver((list) => {
      for (const entry of list.getEntries()) if (entry.name === 'first-contentful-paint') done(entry.startTime);
    }).observe({ type: 'paint', buffered: true });
  }));
  const ready = url === page ? await tab.waitForFunction(() => window.readyAt).then((handle) => handle.jsonValue()) : null;
  await context.close();
  return { paint, ready };
}

const paints = { bare: [], page: [] };
const ready = [];
for (let round = 0; round < runs; round++) {
  for (const which of round % 2 ? ['bare', 'page'] : ['page', 'bare']) {
    const opened = await openOnce(which === 'page' ? page : bare);
    paints[which].push(opened.paint);
    if (which === 'page') ready.push(opened.ready);
  }
}
// Each round's own ratio, so that a burst of other work during one round moves one ratio only.
const ratio = (values) => median(values.map((value, round) => value / paints.bare[round])).toFixed(2);
console.log(`first paint: page ${ms(median(paints.page))}, bare ${ms(median(paints.bare))}, ratio ${ratio(paints.page)} (${runs} of each)`);
console.log(`ready for the first click: ${ms(median(ready))}, ratio to the bare page's first paint ${ratio(ready)}`);

const context = await browser.newContext();
const tab = await context.newPage();
await tab.goto(page);
await tab.waitForFunction(() => document.activeElement?.id === 'Text2_0');

const clicks = await tab.evaluate((count) => {
  const start = document.getElementById('Text2_0');
  const enter = document.getElementById('Command1_0');
  const report = document.getElementById('Text1_0');
  const times = [];
  for (let i = 0; i < count; i++) {
    start.value = String(5 + (i % 2));
    const begun = performance.now();
    enter.click();
    void report.scrollHeight;  // the layout the next frame paints
    times.push(performance.now() - begun);
  }
  return times;
}, 2000);
console.log(`click on Въведи to the report laid out: median ${ms(median(clicks))}, 90th percentile ${ms(percentile(clicks, 0.9))} (2000 clicks)`);

const session = await context.newCDPSession(tab);
async function footprint() {
  await session.send('HeapProfiler.collectGarbage');
  const { usedSize } = await session.send('Runtime.getHeapUsage');
  const memory = await tab.evaluate(() => Module.HEAP8.buffer.byteLength);
  return { memory, heap: usedSize };
}
const clickTurns = (count) => tab.evaluate((count) => {
  const start = document.getElementById('Text2_0');
  for (let i = 0; i < count; i++) {
    if (i % 2 === 0) start.value = String(i % 10000);
    document.getElementById(i % 2 === 0 ? 'Command1_0' : 'Command1_1').click();
  }
}, count);
await clickTurns(1000);  // the browser's compilers have seen the clicks
const before = await footprint();
await clickTurns(10000);
const afterClicks = await footprint();
const kib = (value) => `${(value / 1024).toFixed(1)} KiB`;
console.log(`10,000 clicks: WebAssembly memory ${kib(before.memory)} -> ${kib(afterClicks.memory)}, `
  + `JavaScript heap ${kib(before.heap)} -> ${kib(afterClicks.heap)}`);
await browser.close();
