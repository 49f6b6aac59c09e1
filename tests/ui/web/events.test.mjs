// The form at work: both buttons against the program's own actions over boxes in memory, the
// keyboard, the error message after an overflow with the page going on, and the read-only boxes
// against typing, pasting and dropping.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { checkClick, launchChromium, layout, openForm } from './chromium.mjs';

let browser;
before(async () => {
  browser = await launchChromium();
});
after(() => browser?.close());

const enter = 0;
const clear = 1;

const startTexts = ['5', '', '2.5', '-3', '&H10', '10919'];
for (const start of startTexts) {
  test(`"${start}": Въведи fills the hexagon and the report, twice alike; Изчисти clears`, async () => {
    const { context, page } = await openForm(browser);
    await page.locator('#Text2_0').fill(start);
    for (const time of [1, 2]) {
      const { error } = await checkClick(page, enter, () => page.locator('#Command1_0').click());
      assert.equal(error, 0, `click ${time}`);
    }
    await checkClick(page, clear, () => page.locator('#Command1_1').click());
    await context.close();
  });
}

const keyboard = [
  { name: 'Return in the start box presses Въведи', focus: 'Text2_0', key: 'Enter', index: enter },
  { name: 'Return on Въведи presses it', focus: 'Command1_0', key: 'Enter', index: enter },
  { name: 'Space on Изчисти presses it', focus: 'Command1_1', key: ' ', index: clear },
];
for (const { name, focus, key, index } of keyboard) {
  test(name, async () => {
    const { context, page } = await openForm(browser);
    await page.locator('#Text2_0').fill('7');
    await page.locator(`#${focus}`).focus();
    await checkClick(page, index, () => page.keyboard.press(key));
    await context.close();
  });
}

test('the form opens with the start box\'s 0 selected: the first key replaces it', async () => {
  const { context, page } = await openForm(browser);
  await page.keyboard.type('12');
  assert.equal(await page.locator('#Text2_0').inputValue(), '12');
  await context.close();
});

// An overflow: the boxes as the error left them, the message over the form with its button
// focused; the key closes it, the focus goes back, and the form goes on.
const overflows = [
  { start: '10920', press: 'click', close: 'Escape' },
  { start: '32768', press: 'Enter', close: 'Enter' },
  { start: '-10926', press: 'click', close: ' ' },
];
for (const { start, press, close } of overflows) {
  test(`"${start}" overflows (${press === 'click' ? 'a click' : 'Return'}); ${JSON.stringify(close)} closes the message`, async () => {
    const { context, page } = await openForm(browser);
    await page.locator('#Text2_0').fill(start);
    const pressed = press === 'click' ? 'Command1_0' : 'Text2_0';
    await page.locator(`#${pressed}`).focus();
    const { error } = await checkClick(page, enter, () => (press === 'click'
      ? page.locator('#Command1_0').click() : page.keyboard.press('Enter')));
    assert.equal(error, 6);

    const message = page.getByRole('alertdialog', { name: layout.errorTitle });
    assert.ok(await message.isVisible());
    assert.equal(await message.locator('p').textContent(), layout.overflowMessage);
    assert.equal(await page.evaluate(() => document.activeElement.textContent), layout.errorButton);

    await page.keyboard.press(close);
    assert.equal(await page.locator('dialog[open]').count(), 0);
    assert.equal(await page.evaluate(() => document.activeElement.id), pressed);
    await checkClick(page, clear, () => page.locator('#Command1_1').click());
    await context.close();
  });
}

// Each way text gets into a box, tried on the start box first, where it must work.
const intrusions = {
  typing: (page) => page.keyboard.type('9'),
  deleting: async (page) => { await page.keyboard.press('End'); await page.keyboard.press('Backspace'); },
  pasting: (page) => page.keyboard.press('Control+V'),
};
test('the hexagon boxes and the report take no typing, deleting, pasting or dropping', async () => {
  const { context, page } = await openForm(browser);
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await page.evaluate(() => navigator.clipboard.writeText('99'));
  const readOnly = layout.rows.filter((row) => row.readOnly).map((row) => `#${row.id}`);
  for (const [way, intrude] of Object.entries(intrusions)) {
    for (const box of ['#Text2_0', ...readOnly]) {
      const control = page.locator(box);
      const before = await control.inputValue();
      await control.focus();
      await intrude(page);
      assert.equal(await control.inputValue() === before, box !== '#Text2_0', `${way} into ${box}`);
    }
  }
  // Dropping: the start box's text dragged onto each read-only box, then a hexagon box's onto the
  // start box.
  for (const box of readOnly) {
    const before = await page.locator(box).inputValue();
    await page.locator('#Text2_0').selectText();
    await page.dragAndDrop('#Text2_0', box);
    assert.equal(await page.locator(box).inputValue(), before, `dropping into ${box}`);
  }
  const start = await page.locator('#Text2_0').inputValue();
  await page.locator('#Text2_4').selectText();
  await page.dragAndDrop('#Text2_4', '#Text2_0');
  assert.notEqual(await page.locator('#Text2_0').inputValue(), start, 'dropping into the start box');
  await context.close();
});
