// The form at work, in every engine: both buttons against the program's own actions over boxes
// in memory, the keyboard, the error message after an overflow with the page going on, and the
// read-only boxes against typing, deleting and pasting; in Chromium also against dropping, and
// the message in a browser without <dialog>.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { checkClick, fill, keepScreenshot, layout, onlyIn, useEngine, valueOf, withForm }
  from './page.mjs';

useEngine();

const enter = 0;
const clear = 1;

const startTexts = ['5', '', '2.5', '-3', '&H10', '10919'];
for (const start of startTexts) {
  test(`"${start}": Въведи fills the hexagon and the report, twice alike; Изчисти clears`, () => withForm(async (page) => {
    await fill(page, 'Text2_0', start);
    for (const time of [1, 2]) {
      const { error } = await checkClick(page, enter, () => page.click('Command1_0'));
      assert.equal(error, 0, `click ${time}`);
    }
    await checkClick(page, clear, () => page.click('Command1_1'));
  }));
}

const keyboard = [
  { name: 'Return in the start box presses Въведи', focus: 'Text2_0', key: 'Enter', index: enter },
  { name: 'Return on Въведи presses it', focus: 'Command1_0', key: 'Enter', index: enter, picture: 'report' },
  { name: 'Space on Изчисти presses it', focus: 'Command1_1', key: ' ', index: clear },
];
for (const { name, focus, key, index, picture } of keyboard) {
  test(name, () => withForm(async (page) => {
    await fill(page, 'Text2_0', '7');
    await page.focus(focus);
    await checkClick(page, index, () => page.press(key));
    if (picture) await keepScreenshot(page, picture);
  }));
}

test('the form opens with the start box\'s 0 selected: the first key replaces it', () => withForm(async (page) => {
  await page.type('12');
  assert.equal(await valueOf(page, 'Text2_0'), '12');
}));

// An overflow: the boxes as the error left them, the message over the form with its button
// focused; the key closes it, the focus goes back, and the form goes on.
const overflows = [
  { start: '10920', press: 'click', close: 'Escape', picture: 'message' },
  { start: '32768', press: 'Enter', close: 'Enter' },
  { start: '-10926', press: 'click', close: ' ' },
];
for (const { start, press, close, picture } of overflows) {
  test(`"${start}" overflows (${press === 'click' ? 'a click' : 'Return'}); ${JSON.stringify(close)} closes the message`, () => withForm(async (page) => {
    await fill(page, 'Text2_0', start);
    const pressed = press === 'click' ? 'Command1_0' : 'Text2_0';
    await page.focus(pressed);
    const { error } = await checkClick(page, enter, () => (press === 'click'
      ? page.click('Command1_0') : page.press('Enter')));
    assert.equal(error, 6);

    const messages = await page.byRole('alertdialog', layout.errorTitle);
    assert.equal(messages.length, 1, `alert dialogs named ${layout.errorTitle}: ${messages}`);
    assert.deepEqual(await page.evaluate((id) => {
      const dialog = document.getElementById(id);
      const box = dialog.getBoundingClientRect();
      return {
        shown: dialog.open && box.width > 0 && box.height > 0,
        text: dialog.querySelector('p').textContent,
        focused: dialog.contains(document.activeElement) && document.activeElement.textContent,
      };
    }, messages[0]), { shown: true, text: layout.overflowMessage, focused: layout.errorButton });
    if (picture) await keepScreenshot(page, picture);

    await page.press(close);
    assert.deepEqual(await page.evaluate(() => ({
      open: document.querySelectorAll('dialog[open]').length,
      focused: document.activeElement.id,
    })), { open: 0, focused: pressed });
    await checkClick(page, clear, () => page.click('Command1_1'));
  }));
}

// A browser without <dialog> shows the same message in alert(), and the form goes on.
test('without <dialog> the overflow\'s message comes in alert() and the form goes on', onlyIn('chromium', 'takes <dialog> away before the page\'s scripts run'), () => withForm(async (page) => {
  const alerts = [];
  page.native.on('dialog', (dialog) => { alerts.push(`${dialog.type()}: ${dialog.message()}`); dialog.accept(); });
  await fill(page, 'Text2_0', '10920');
  assert.equal((await checkClick(page, enter, () => page.click('Command1_0'))).error, 6);
  assert.deepEqual(alerts, [`alert: ${layout.overflowMessage}`]);
  await checkClick(page, clear, () => page.click('Command1_1'));
}, { initScript: () => { delete HTMLDialogElement.prototype.showModal; } }));

// Each way text gets into a box, tried on the start box first, where it must work. What is
// pasted was copied from the start box before, as a user would.
const intrusions = {
  typing: (page) => page.type('9'),
  deleting: async (page) => { await page.press('End'); await page.press('Backspace'); },
  pasting: (page) => page.press('Control+V'),
};
const readOnly = layout.rows.filter((row) => row.readOnly).map((row) => row.id);
test('the hexagon boxes and the report take no typing, deleting or pasting', () => withForm(async (page) => {
  await fill(page, 'Text2_0', '99');
  await page.evaluate(() => document.getElementById('Text2_0').select());
  await page.press('Control+C');
  for (const [way, intrude] of Object.entries(intrusions)) {
    for (const box of ['Text2_0', ...readOnly]) {
      const before = await valueOf(page, box);
      await page.focus(box);
      await intrude(page);
      assert.equal(await valueOf(page, box) === before, box !== 'Text2_0', `${way} into ${box}`);
    }
  }
}));

// Dropping: the start box's text dragged onto each read-only box, then a hexagon box's onto the
// start box.
test('the hexagon boxes and the report take no dropping', onlyIn('chromium', 'drags with Chromium\'s input events'), () => withForm(async ({ native: page }) => {
  for (const box of readOnly.map((id) => `#${id}`)) {
    const before = await page.locator(box).inputValue();
    await page.locator('#Text2_0').selectText();
    await page.dragAndDrop('#Text2_0', box);
    assert.equal(await page.locator(box).inputValue(), before, `dropping into ${box}`);
  }
  const start = await page.locator('#Text2_0').inputValue();
  await page.locator('#Text2_4').selectText();
  await page.dragAndDrop('#Text2_4', '#Text2_0');
  assert.notEqual(await page.locator('#Text2_0').inputValue(), start, 'dropping into the start box');
}));
