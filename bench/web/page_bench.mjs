// Figures of the one-file page in Debian's headless Chromium, printed, never asserted
// (bench/web/page.sh builds the page and runs this):
//   node bench/web/page_bench.mjs PAGE.html [RUNS]
// - its size, plain and gzipped;
// - first paint from file://, against the same page with its scripts taken out: that markup
//   alone is the least any page with this content can paint. The markup is cut from the page
//   given, into a temporary folder, each time this runs. Each page opens in a fresh context,
//   the two taking turns to go first, RUNS rounds (60 unless told); the ratio is the median of
//   each round's own ratio, with the middle half of those ratios to show how steady they were.
//   A round during which other work took more than a tenth of the machine's processor time is
//   measured again (up to ten times RUNS rounds in all), and the count of those is printed;
// - ready for the first click (the program has attached the buttons and focused the start box),
//   against the markup's first paint in the same round;
// - a click on Въведи until the report is laid out again (the next frame paints that layout),
//   2000 clicks with the start number changing: median and 90th percentile;
// - 10,000 clicks taking turns between Въведи (the start number changing) and Изчисти: the
//   WebAssembly memory (which grows in steps of 64 KiB from 256 KiB when the program needs more)
//   and the JavaScript heap after a garbage collection, before and after.
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

import { launchChromium } from '../../tests/ui/web/launch_chromium.mjs';

const [pagePath, runsText = '60'] = process.argv.slice(2);
const runs = Number(runsText);
const page = pathToFileURL(resolve(pagePath)).href;

// The page with every <script> element taken out. The program's own text cannot end its element
// early (the page writer escapes "</script" inside it), so the first end tag after each start
// tag is that element's end.
function markupAlone(html) {
  return html.replace(/<script\b[^>]*>[\s\S]*?<\/script>\n?/gi, '');
}

const bytes = readFileSync(pagePath);
const folder = mkdtempSync(join(tmpdir(), 'hexagon-markup-'));
const markupPath = join(folder, 'markup.html');
writeFileSync(markupPath, markupAlone(bytes.toString('utf8')));
const markup = pathToFileURL(markupPath).href;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, share) => [...values].sort((a, b) => a - b)[Math.floor(values.length * share)];
const ms = (value) => `${value.toFixed(value < 10 ? 3 : 1)} ms`;
const kib = (value) => `${(value / 1024).toFixed(1)} KiB`;

console.log(`page: ${kib(bytes.length)}, gzipped ${kib(gzipSync(bytes, { level: 9 }).length)} (goal at most 160 KiB, 64 KiB gzipped); `
  + `its markup alone ${kib(readFileSync(markupPath).length)}`);

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

// Processor time in clock ticks, from /proc: the whole machine's busy time, and that of this
// process with all its descendants (Chromium's processes, with the children they have reaped).
function processorTicks() {
  const machine = readFileSync('/proc/stat', 'utf8').split('\n')[0].trim().split(/\s+/).slice(1, 9).map(Number);
  const total = machine.reduce((sum, ticks) => sum + ticks, 0);
  const parents = new Map();
  const own = new Map();
  for (const name of readdirSync('/proc').filter((entry) => /^\d+$/.test(entry))) {
    let stat;
    try {
      stat = readFileSync(`/proc/${name}/stat`, 'utf8');
    } catch {
      continue;  // the process ended meanwhile
    }
    // After the name in parentheses: state, parent, ..., utime, stime, cutime, cstime (11 to 14).
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    parents.set(Number(name), Number(fields[1]));
    own.set(Number(name), fields.slice(11, 15).reduce((sum, ticks) => sum + Number(ticks), 0));
  }
  const isOurs = (pid) => {
    for (let at = pid; at > 1; at = parents.get(at)) if (at === process.pid) return true;
    return false;
  };
  const ours = [...own].reduce((sum, [pid, ticks]) => sum + (isOurs(pid) ? ticks : 0), 0);
  return { total, busy: total - machine[3] - machine[4], ours };
}

// The share of the machine's processor time that went to other work between two readings.
const othersShare = (before, after) =>
  Math.max(0, after.busy - before.busy - (after.ours - before.ours)) / Math.max(1, after.total - before.total);

const paints = { markup: [], page: [] };
const ready = [];
let busyRounds = 0;
for (let round = 0; round < runs && round + busyRounds < 10 * runs;) {
  const before = processorTicks();
  const opened = {};
  for (const which of round % 2 ? ['markup', 'page'] : ['page', 'markup']) {
    opened[which] = await openOnce(which === 'page' ? page : markup);
  }
  if (othersShare(before, processorTicks()) > 0.1) {
    busyRounds++;
    await new Promise((resolve) => setTimeout(resolve, 1000));
    continue;
  }
  paints.markup.push(opened.markup.paint);
  paints.page.push(opened.page.paint);
  ready.push(opened.page.ready);
  round++;
}
rmSync(folder, { recursive: true });

// Each round's own ratio, so that a burst of other work during one round moves one ratio only.
function ratio(values) {
  const ratios = values.map((value, round) => value / paints.markup[round]);
  const fixed = (value) => value.toFixed(2);
  return `${fixed(median(ratios))} (middle half ${fixed(percentile(ratios, 0.25))} to ${fixed(percentile(ratios, 0.75))})`;
}
if (paints.page.length === 0) {
  console.log(`first paint and ready: not measured, other work kept the machine busy in all ${busyRounds} rounds`);
} else {
  console.log(`first paint: page ${ms(median(paints.page))}, markup alone ${ms(median(paints.markup))}, `
    + `ratio ${ratio(paints.page)}, goal at most 1.10 (${paints.page.length} rounds; ${busyRounds} measured again)`);
  console.log(`ready for the first click: ${ms(median(ready))}, ratio to the markup's first paint ${ratio(ready)}, goal at most 1.3`);
}

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
console.log(`10,000 clicks: WebAssembly memory ${kib(before.memory)} -> ${kib(afterClicks.memory)}, `
  + `JavaScript heap ${kib(before.heap)} -> ${kib(afterClicks.heap)}`);
await browser.close();
