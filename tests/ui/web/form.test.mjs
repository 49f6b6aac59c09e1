// The page's form as a user finds it, row by row from the layout table: places, kinds, texts,
// colours, the font really drawn, names and the focus order; then a phone's narrow screen, the
// page's requests, and axe-core's accessibility rules.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { after, before, test } from 'node:test';

import { checkClick, launchChromium, layout, openForm, pixels }
  from './chromium.mjs';

const require = createRequire(import.meta.url);
let browser;
let page;

before(async () => {
  browser = await launchChromium();
  ({ page } = await openForm(browser));
});
after(() => browser?.close());

const rgb = (colour) => `rgb(${colour.join(', ')})`;
const systemWindowColour = [255, 255, 255];
const tagOf = { label: 'H1', textBox: 'INPUT', multiLineTextBox: 'TEXTAREA', commandButton: 'BUTTON' };
const roleOf = { label: 'heading', textBox: 'textbox', multiLineTextBox: 'textbox', commandButton: 'button' };
const place = (row) => [row.left, row.top, row.width, row.height].map(pixels);

// Each control as the page has it: its place relative to the form, kind, text and settings.
function describeControls(target) {
  return target.evaluate((ids) => {
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
      };
    });
  }, layout.rows.map((row) => row.id));
}

test('every control stands where the table puts it and shows what the table gives it', async () => {
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
    }, row.id);
  });
  const form = await page.locator('#HexagonForm').boundingBox();
  assert.deepEqual([form.width, form.height], [pixels(layout.clientWidth), pixels(layout.clientHeight)]);
  assert.equal(await page.locator('#HexagonForm').evaluate((form) => getComputedStyle(form).backgroundColor),
    rgb(layout.background));
  assert.equal(await page.title(), layout.caption);
});

// Chromium names the face it really drew each control's text in; on Debian, Times New Roman is
// drawn by its metric twin, Liberation Serif. A text area draws its text in an inner element of
// its own.
test('every control is drawn in the form font or its metric twin', async () => {
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
});

test('each control has its name and role, and Tab walks the table\'s focus order', async () => {
  for (const row of layout.rows) {
    const found = page.getByRole(roleOf[row.kind], { name: row.accessibleName, exact: true });
    assert.equal(await found.getAttribute('id'), row.id);
  }
  const order = layout.rows.filter((row) => row.tabIndex >= 0).sort((a, b) => a.tabIndex - b.tabIndex);
  await page.locator(`#${order[0].id}`).focus();
  const visited = [await page.evaluate(() => document.activeElement.id)];
  while (visited.length < order.length) {
    await page.keyboard.press('Tab');
    visited.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(visited, order.map((row) => row.id));
});

// A phone narrower than the form: the whole form is as wide as the screen, every control scaled
// with it, nothing to scroll sideways, and a tap works.
test('on a phone the form scales to the screen\'s width and a tap presses a button', async () => {
  const phone = { width: 360, height: 640 };
  const { context, page: phonePage } = await openForm(browser,
    { viewport: phone, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
  const scale = phone.width / pixels(layout.clientWidth);
  const controls = await describeControls(phonePage);
  layout.rows.forEach((row, i) => controls[i].place.forEach((length, j) =>
    assert.ok(Math.abs(length - place(row)[j] * scale) < 0.5, `${row.id}: ${controls[i].place}`)));
  assert.ok(await phonePage.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));

  await phonePage.locator('#Text2_0').fill('5');
  await checkClick(phonePage, 0, () => phonePage.locator('#Command1_0').tap());
  await context.close();
});

// The page needs nothing but itself: no font, script or statistics from anywhere.
test('the page asks for nothing beyond itself, opened and used', async () => {
  const context = await browser.newContext();
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  const { page: own } = await openForm(browser, { context });
  await own.locator('#Command1_0').click();
  await own.locator('#Command1_1').click();
  assert.deepEqual(requests.filter((url) => !url.startsWith('data:')), [own.url()]);
  await context.close();
});

// axe-core's rules, with the form as it opens and with the error message showing.
test('axe-core finds nothing serious or critical', async () => {
  const { context, page: checked } = await openForm(browser);
  await checked.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const serious = () => checked.evaluate(async () => (await window.axe.run(document)).violations
    .filter((violation) => ['serious', 'critical'].includes(violation.impact))
    .map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target).join(' ')}`));
  assert.deepEqual(await serious(), []);
  await checked.locator('#Text2_0').fill('10920');
  await checked.locator('#Command1_0').click();
  await checked.locator('dialog[open]').waitFor();
  assert.deepEqual(await serious(), []);
  await context.close();
});
