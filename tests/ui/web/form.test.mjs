// The page's form as a user finds it, row by row from the layout table: places, kinds, texts,
// colours, names and the focus order, the page's policy refusing requests and scripts, the page
// saying when the program cannot start, and the page writer keeping scripts whole, in every
// engine; in Chromium also the font really drawn, a phone's narrow screen, the page's requests,
// and axe-core's accessibility rules.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { once } from 'node:events';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { checkClick, fill, keepScreenshot, layout, onlyIn, pixels, until, useEngine, withForm }
  from './page.mjs';

const require = createRequire(import.meta.url);
useEngine();

const devTools = onlyIn('chromium', 'needs Chromium\'s DevTools protocol');
const rgb = (colour) => `rgb(${colour.join(', ')})`;
const systemWindowColour = [255, 255, 255];
const tagOf = { label: 'H1', textBox: 'INPUT', multiLineTextBox: 'TEXTAREA', commandButton: 'BUTTON' };
const roleOf = { label: 'heading', textBox: 'textbox', multiLineTextBox: 'textbox', commandButton: 'button' };
const place = (row) => [row.left, row.top, row.width, row.height].map(pixels);
// Edges, top, right, bottom, left: a box's sunken, a button's raised, as in the other windows.
const [grey, white] = [rgb([128, 128, 128]), rgb([255, 255, 255])];
const edgesOf = {
  label: 'none', textBox: [grey, white, white, grey], multiLineTextBox: [grey, white, white, grey],
  commandButton: [white, grey, grey, white],
};

// Each control as the page has it: its place relative to the form, kind, text and settings.
function describeControls(page) {
  return page.evaluate((ids) => {
    const form = document.getElementById('HexagonForm').getBoundingClientRect();
    return ids.map((id) => {
      const element = document.getElementById(id);
      const box = element.getBoundingClientRect();
      const style = getComputedStyle(element);
      return {
        place: [box.left - form.left, box.top - form.top, box.width, box.height],
        tag: element.tagName,
        text: 'value' in element && element.tagName !== 'BUTTON' ? element.value : element.textContent,
        readOnly: element.readOnly ?? false,
        disabled: element.disabled ?? false,
        title: element.getAttribute('title') ?? '',
        background: style.backgroundColor,
        centred: style.textAlign === 'center',
        font: [style.fontSize, style.fontWeight, style.fontStyle],
        edges: style.borderTopWidth === '0px' ? 'none'
          : ['Top', 'Right', 'Bottom', 'Left'].map((side) => style[`border${side}Color`]),
      };
    });
  }, layout.rows.map((row) => row.id));
}

test('every control stands where the table puts it and shows what the table gives it', () => withForm(async (page) => {
  await keepScreenshot(page, 'form');
  const controls = await describeControls(page);
  layout.rows.forEach((row, i) => {
    assert.deepEqual(controls[i], {
      place: place(row),
      tag: tagOf[row.kind],
      text: row.text.replaceAll('\r\n', '\n'),
      readOnly: row.readOnly,
      disabled: false,
      title: row.toolTip,
      background: rgb(row.background ?? systemWindowColour),
      centred: row.centred,
      font: [`${(layout.fontPointSize * 96) / 72}px`, '400', 'normal'],
      edges: edgesOf[row.kind],
    }, row.id);
  });
  assert.deepEqual(await page.evaluate(() => {
    const form = document.getElementById('HexagonForm');
    const { width, height } = form.getBoundingClientRect();
    return { size: [width, height], background: getComputedStyle(form).backgroundColor, title: document.title };
  }), {
    size: [pixels(layout.clientWidth), pixels(layout.clientHeight)],
    background: rgb(layout.background),
    title: layout.caption,
  });
}));

// Chromium names the face it really drew each control's text in; on Debian, Times New Roman is
// drawn by its metric twin, Liberation Serif. A text area draws its text in an inner element of
// its own.
test('every control is drawn in the form font or its metric twin', devTools, () => withForm(async ({ native: page }) => {
  const session = await page.context().newCDPSession(page);
  await session.send('DOM.enable');
  await session.send('CSS.enable');
  const { root } = await session.send('DOM.getDocument', { depth: -1, pierce: true });
  const nodes = [];
  (function collect(node) {
    const id = node.attributes?.[node.attributes.indexOf('id') + 1];
    if (node.attributes?.includes('id') && layout.rows.some((row) => row.id === id)) {
      nodes.push(node.shadowRoots?.[0]?.children?.[0] ?? node);
    }
    for (const child of [...(node.children ?? []), ...(node.shadowRoots ?? [])]) collect(child);
  }(root));
  assert.equal(nodes.length, layout.rows.length);
  for (const node of nodes) {
    const { fonts } = await session.send('CSS.getPlatformFontsForNode', { nodeId: node.nodeId });
    const faces = fonts.map((font) => font.familyName);
    assert.ok(faces.length > 0 && faces.every((face) => [layout.fontFamily, 'Liberation Serif'].includes(face)),
      `${node.attributes}: ${faces}`);
  }
}));

test('each control has its name and role, and Tab walks the table\'s focus order', () => withForm(async (page) => {
  for (const row of layout.rows) {
    assert.deepEqual(await page.byRole(roleOf[row.kind], row.accessibleName), [row.id]);
  }
  const order = layout.rows.filter((row) => row.tabIndex >= 0).sort((a, b) => a.tabIndex - b.tabIndex);
  await page.focus(order[0].id);
  const focused = () => page.evaluate(() => document.activeElement.id);
  const visited = [await focused()];
  while (visited.length < order.length) {
    await page.press('Tab');
    visited.push(await focused());
  }
  assert.deepEqual(visited, order.map((row) => row.id));
}));

// A phone narrower than the form: the whole form is as wide as the screen, every control scaled
// with it, nothing to scroll sideways, and a tap works.
const phone = { width: 360, height: 640 };
test('on a phone the form scales to the screen\'s width and a tap presses a button', devTools, () => withForm(async (page) => {
  const scale = phone.width / pixels(layout.clientWidth);
  const controls = await describeControls(page);
  layout.rows.forEach((row, i) => controls[i].place.forEach((length, j) =>
    assert.ok(Math.abs(length - place(row)[j] * scale) < 0.5, `${row.id}: ${controls[i].place}`)));
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));

  await fill(page, 'Text2_0', '5');
  await checkClick(page, 0, () => page.native.locator('#Command1_0').tap());
}, { viewport: phone, isMobile: true, hasTouch: true, deviceScaleFactor: 2 }));

// The page's own policy at work: a fetch, an image and a form sent from inside the page to a
// server on this machine are each refused by the browser, with a violation, and never arrive; a
// script put into the page does not run.
test('the page\'s policy refuses a fetch, an image, a form and a script; the server hears none', () => withForm(async (page) => {
  const heard = [];
  const server = createServer((request, response) => { heard.push(request.url); response.end(); });
  await once(server.listen(0, '127.0.0.1').unref(), 'listening');
  const to = `http://127.0.0.1:${server.address().port}/`;
  await page.evaluate((address) => {
    fetch(`${address}fetch`).catch(() => {});
    new Image().src = `${address}image`;
    const form = Object.assign(document.createElement('form'), { method: 'post', action: `${address}form` });
    try { document.body.appendChild(form).submit(); } catch { /* Firefox throws where it refuses */ }
    document.body.append(Object.assign(document.createElement('script'), { text: 'window.hexagonForeign = true;' }));
  }, to);
  await until(page, () => hexagonViolations.length === 4);
  assert.deepEqual((await page.errors()).sort(), ['connect-src fetch', 'form-action form', 'img-src image']
    .map((refused) => `Content-Security-Policy: ${refused.replace(' ', ` refused ${to}`)}`)
    .concat('Content-Security-Policy: script-src-elem refused inline').sort());
  assert.equal(await page.evaluate(() => window.hexagonForeign === true), false);
  assert.deepEqual(heard, []);
}));

// A server whose own policy lets the page's scripts run but not compile WebAssembly (it names no
// 'unsafe-eval' or 'wasm-unsafe-eval'): the page says that the program cannot start, in its
// message, or in the report box where there is no <dialog>.
const cannotStart = [
  { where: 'its message', picture: 'cannot-start',
    says: (text) => document.querySelector('dialog[open] p')?.textContent === text },
  { where: 'the report box, without <dialog>', initScript: () => { delete HTMLDialogElement.prototype.showModal; },
    says: (text) => document.getElementById('Text1_0').value === text,
    only: onlyIn('chromium', 'takes <dialog> away before the page\'s scripts run') },
];
for (const { where, picture, says, initScript, only = {} } of cannotStart) {
  test(`where the server forbids WebAssembly, ${where} says the program cannot start`, only, async () => {
    const served = readFileSync(process.env.HEXAGON_PAGE);
    const server = createServer((request, response) => response.writeHead(200, {
      'Content-Type': 'text/html; charset=utf-8', 'Content-Security-Policy': 'script-src \'unsafe-inline\'',
    }).end(served));
    await once(server.listen(0, '127.0.0.1').unref(), 'listening');
    await withForm(async (page) => {
      if (picture) await keepScreenshot(page, picture);
      // Nothing but the refusal itself (which WebKit reports twice and Firefox not at all).
      const refusal = 'Content-Security-Policy: script-src refused wasm-eval';
      assert.deepEqual((await page.errors()).filter((error) => error !== refusal), []);
    }, { url: `http://127.0.0.1:${server.address().port}/`, initScript,
      ready: (page) => until(page, says, layout.cannotStartMessage) });
  });
}

// The page writer keeps a script whole whatever it holds: the program's script with "</SCRIPT>"
// and "<!-- <script>" in it, which would end its element early, or keep the page's next script
// element from ending, if they were put into the page as they are.
test('a script that holds "</SCRIPT>" and "<!-- <script>" stays whole in the page', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'torvelin-written-'));
  const [icon, script, written] = ['icon.svg', 'program.js', 'page.html'].map((name) => join(folder, name));
  const held = '</SCRIPT> <!-- <script>';
  try {
    writeFileSync(icon, '<svg xmlns="http://www.w3.org/2000/svg"/>');
    writeFileSync(script, `${readFileSync(process.env.HEXAGON_PROGRAM, 'utf8')}\nwindow.hexagonHeld = ${JSON.stringify(held)};\n`);
    execFileSync(process.execPath, ['--no-experimental-fetch', process.env.HEXAGON_MAKE_PAGE, icon, script,
      process.env.HEXAGON_PROGRAM_WASM, written]);
    await withForm(async (page) => assert.equal(await page.evaluate(() => window.hexagonHeld), held),
      { url: pathToFileURL(written).href });
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

// The page needs nothing but itself: no font, script or statistics from anywhere.
test('the page asks for nothing beyond itself, opened and used', devTools, () => withForm(async (page) => {
  await page.click('Command1_0');
  await page.click('Command1_1');
  assert.deepEqual(page.requests().filter((url) => !url.startsWith('data:')), [page.native.url()]);
}));

// axe-core's rules, with the form as it opens and with the error message showing. The page's
// policy refuses a script element of axe's, so DevTools runs its text.
test('axe-core finds nothing serious or critical', devTools, () => withForm(async (page) => {
  await page.native.evaluate(readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
  const serious = () => page.evaluate(async () => (await window.axe.run(document)).violations
    .filter((violation) => ['serious', 'critical'].includes(violation.impact))
    .map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target).join(' ')}`));
  assert.deepEqual(await serious(), []);
  await fill(page, 'Text2_0', '10920');
  await page.click('Command1_0');
  await page.native.locator('dialog[open]').waitFor();
  assert.deepEqual(await serious(), []);
}));
