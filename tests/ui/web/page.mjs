// What the page's tests share: the browser engine they run in, the program's own answers
// (page_oracle, built from the program's C++), and readers of the form as a user sees it.
// The build tells where things are through the environment: HEXAGON_ENGINE (chromium, firefox or
// webkit; engines/ has one adapter for each), HEXAGON_PAGE (the one-file page), HEXAGON_ORACLE
// (page_oracle.js), HEXAGON_SCREENSHOTS (where pictures are kept), for writing a page of one's
// own HEXAGON_MAKE_PAGE (make_page.js), HEXAGON_PROGRAM (the program's script) and
// HEXAGON_PROGRAM_WASM (its WebAssembly as base64), and, for the site's tests, HEXAGON_SITE_ZIP
// (the site's zip).
//
// Every adapter's engine opens a page in a fresh context, `open(url, { viewport, initScript })`
// (a script the page runs before its own; WebKit's, as soon as its document is there), and the page
// has the same few verbs: evaluate(fn, arg) in the page, click(id), focus(id), type(text),
// press(key) (Enter, " ", Escape, Tab, End, Backspace, Control+C, Control+V), reload(),
// goto(url) (another address, in the same context), offline() (cuts the browser's network where
// the engine can, and says whether it did), screenshot(path), byRole(role, name) (the ids of the
// elements the engine gives that role and accessible name), errors() (the uncaught errors the
// page met since last asked) and close().
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before } from 'node:test';
import { pathToFileURL } from 'node:url';

export const engineName = process.env.HEXAGON_ENGINE ?? 'chromium';
// A test's options that run it in one engine only, saying why elsewhere.
export const onlyIn = (name, why) => ({ skip: engineName !== name && why });

// The page as a teacher hands it out: the one file, alone in an empty folder.
const alone = mkdtempSync(join(tmpdir(), 'torvelin-page-'));
export const pageUrl = pathToFileURL(join(alone, 'torvelin-hexagon.html')).href;
copyFileSync(process.env.HEXAGON_PAGE, join(alone, 'torvelin-hexagon.html'));

let engine;
// One browser for the whole suite, started before its first test and stopped after its last,
// when the page's folder goes too.
export function useEngine() {
  before(async () => {
    engine = await (await import(`./engines/${engineName}.mjs`)).launch();
  });
  after(async () => {
    await engine?.close();
    rmSync(alone, { recursive: true, force: true });
  });
}

function oracle(...args) {
  return JSON.parse(execFileSync(process.execPath, ['--no-experimental-fetch',
    process.env.HEXAGON_ORACLE, ...args], { encoding: 'utf8' }));
}

// The layout table as the program holds it: rows with their element ids, the form, the texts.
export const layout = oracle('layout');
export const rowsOf = (kind) => layout.rows.filter((row) => row.kind === kind);
export const pixels = (twips) => twips / layout.twipsPerPixel;

// Waits up to ten seconds for `check` (run in the page, with `arg`) to come true.
export async function until(page, check, arg) {
  for (let tries = 0; tries < 200; tries++) {
    if (await page.evaluate(check, arg)) return;
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
  assert.fail(`still not so: ${check}`);
}

// The program is ready when the start box has the focus.
export const ready = (page) => until(page, () => document.activeElement?.id === 'Text2_0');

// The page's Content-Security-Policy violations, kept in the page from before its own scripts
// run; the page's errors() hands them out with its uncaught errors, and reload() takes them first.
const keepViolations = `window.hexagonViolations = [];
addEventListener('securitypolicyviolation', (event) => hexagonViolations.push(
  \`Content-Security-Policy: \${event.effectiveDirective} refused \${event.blockedURI}\`));
`;
async function open(url, { initScript = () => {}, ...options }) {
  const page = await engine.open(url, { ...options, initScript: `${keepViolations}(${initScript})();` });
  const { errors, reload, goto } = page;
  const violations = [];
  const take = async () => violations.push(...await page.evaluate(() => hexagonViolations.splice(0)));
  return Object.assign(page, {
    errors: async () => { await take(); return [...await errors(), ...violations.splice(0)]; },
    reload: async () => { await take(); await reload(); },
    goto: async (to) => { await take(); await goto(to); },
  });
}

// Opens `url` (the one-file page unless told) in a fresh context with the program ready, runs
// `body` with the page, and fails the test on any uncaught error or policy violation the page
// met. `initScript` runs in the page before its own scripts; the other `options` are the
// engine's own, such as another viewport.
export async function withForm(body, { url = pageUrl, ready: wait = ready, ...options } = {}) {
  const page = await open(url, { viewport: { width: 800, height: 600 }, ...options });
  try {
    await wait(page);
    await body(page);
    assert.deepEqual(await page.errors(), [], 'uncaught errors or policy violations in the page');
  } finally {
    await page.close();
  }
}

// A picture of the page, kept as ENGINE-NAME.png for people to look at.
export function keepScreenshot(page, name) {
  const folder = process.env.HEXAGON_SCREENSHOTS ?? 'screenshots';
  mkdirSync(folder, { recursive: true });
  return page.screenshot(join(folder, `${engineName}-${name}.png`));
}

// A box's text replaced as a user does it: focused, all selected, the new text typed over it.
export async function fill(page, id, text) {
  await page.focus(id);
  await page.evaluate((box) => document.getElementById(box).select(), id);
  await (text === '' ? page.press('Backspace') : page.type(text));
}

export const valueOf = (page, id) => page.evaluate((box) => document.getElementById(box).value, id);

// What a click on Command1(index) makes of the boxes, by the program's own actions over boxes in
// memory that hold what the page's boxes hold now: the boxes as the page would show them, and the
// number of the error that left the handler (0 for none). A text area shows a carriage return and
// line feed as one line feed, so the report is compared as shown.
function expectedClick(index, before) {
  const { boxes, report, error } = oracle('click', String(index), ...before.boxes, before.report);
  return { state: { boxes, report: report.replaceAll('\r\n', '\n') }, error };
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
