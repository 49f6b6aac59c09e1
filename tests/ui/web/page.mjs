// What the page's tests share: Debian's Chromium driven by playwright-core, the program's own
// answers (page_oracle, built from the program's C++), and readers of the form as a user sees it.
// The build tells where things are through the environment: HEXAGON_PAGE (the one-file page),
// HEXAGON_ORACLE (page_oracle.js) and, for the site's tests, HEXAGON_SITE_ZIP (the site's zip).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export { launchChromium } from './launch_chromium.mjs';

// The page as a teacher hands it out: the one file, alone in an empty folder.
const alone = mkdtempSync(join(tmpdir(), 'torvelin-page-'));
export const pageUrl = pathToFileURL(join(alone, 'torvelin-hexagon.html')).href;
copyFileSync(process.env.HEXAGON_PAGE, join(alone, 'torvelin-hexagon.html'));

function oracle(...args) {
  return JSON.parse(execFileSync(process.execPath, ['--no-experimental-fetch',
    process.env.HEXAGON_ORACLE, ...args], { encoding: 'utf8' }));
}

// The layout table as the program holds it: rows with their element ids, the form, the texts.
export const layout = oracle('layout');
export const rowsOf = (kind) => layout.rows.filter((row) => row.kind === kind);
export const pixels = (twips) => twips / layout.twipsPerPixel;

// What a click on Command1(index) makes of the boxes, by the program's own actions over boxes in
// memory that hold what the page's boxes hold now: the boxes as the page would show them, and the
// number of the error that left the handler (0 for none). A text area shows a carriage return and
// line feed as one line feed, so the report is compared as shown.
function expectedClick(index, before) {
  const { boxes, report, error } = oracle('click', String(index), ...before.boxes, before.report);
  return { state: { boxes, report: report.replaceAll('\r\n', '\n') }, error };
}

// The page opened in a fresh context, its program ready: the start box has the focus.
// `options` are a new context's, or { context } to open it in one made already.
export async function openForm(browser, { context: given, url = pageUrl, ...options } = {}) {
  const context = given ?? await browser.newContext(options);
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.activeElement?.id === 'Text2_0');
  return { context, page };
}

// The texts of Text2(0)..Text2(7) and of the report box as the page shows them.
function formState(page) {
  return page.evaluate(() => ({
    boxes: [...Array(8).keys()].map((i) => document.getElementById(`Text2_${i}`).value),
    report: document.getElementById('Text1_0').value,
  }));
}

// Runs `act` (a click, a tap, a key) for Command1(index) and checks the boxes against the same
// click over memory; gives back what was expected, the error number with it.
export async function checkClick(page, index, act) {
  const expected = expectedClick(index, await formState(page));
  await act();
  assert.deepEqual(await formState(page), expected.state);
  return expected;
}
