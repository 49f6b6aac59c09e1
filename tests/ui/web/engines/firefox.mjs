// Debian's Firefox ESR through puppeteer-core over WebDriver BiDi (no geckodriver, no browser
// download). Each page opens in a user context of its own, Firefox's private browser context.
import puppeteer from 'puppeteer-core';

// "Control+V" is Control held down around the key V; puppeteer names letter keys by their code.
async function press(keyboard, chord) {
  const keys = chord.split(/\+(?=.)/);
  const key = keys.pop();
  for (const modifier of keys) await keyboard.down(modifier);
  await keyboard.press(/^[a-z]$/i.test(key) ? `Key${key.toUpperCase()}` : key);
  for (const modifier of keys.reverse()) await keyboard.up(modifier);
}

export async function launch() {
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
  });
  return {
    async open(url, { viewport, initScript }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      const errors = [];
      // Firefox reports a policy violation as a page error too; page.mjs keeps the violation.
      page.on('pageerror', ({ message }) => /^Content-Security-Policy: /.test(message) || errors.push(message));
      await page.setViewport(viewport);
      await page.evaluateOnNewDocument(initScript);
      await page.goto(url);
      return {
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        click: (id) => page.click(`#${id}`),
        focus: (id) => page.focus(`#${id}`),
        type: (text) => page.keyboard.type(text),
        press: (key) => press(page.keyboard, key),
        reload: () => page.reload(),
        goto: (to) => page.goto(to),
        offline: async () => { await page.setOfflineMode(true); return true; },
        screenshot: (path) => page.screenshot({ path }),
        byRole: async (role, name) => Promise.all(
          (await page.$$(`::-p-aria([name=${JSON.stringify(name)}][role="${role}"])`))
            .map((element) => element.evaluate((found) => found.id))),
        errors: () => errors.splice(0),
        close: () => context.close(),
      };
    },
    close: () => browser.close(),
  };
}
