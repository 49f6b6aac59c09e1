// Debian's Chromium through playwright-core (launch_chromium.mjs). Each page opens in a browser
// context of its own. Beyond the shared verbs, a page gives Chromium's own checks what they need:
// `native` (playwright's page) and the addresses its context has asked for.
import { launchChromium } from '../launch_chromium.mjs';

export async function launch() {
  const browser = await launchChromium();
  return {
    async open(url, { viewport, initScript, ...options }) {
      const context = await browser.newContext({ viewport, ...options });
      await context.addInitScript(initScript);
      const page = await context.newPage();
      const errors = [];
      const requests = [];
      page.on('pageerror', (error) => errors.push(error.message));
      context.on('request', (request) => requests.push(request.url()));
      await page.goto(url);
      return {
        native: page,
        requests: () => requests,
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        click: (id) => page.locator(`#${id}`).click(),
        focus: (id) => page.locator(`#${id}`).focus(),
        type: (text) => page.keyboard.type(text),
        press: (key) => page.keyboard.press(key),
        reload: () => page.reload(),
        goto: (to) => page.goto(to),
        offline: async () => { await context.setOffline(true); return true; },
        screenshot: (path) => page.screenshot({ path }),
        byRole: (role, name) => page.getByRole(role, { name, exact: true })
          .evaluateAll((elements) => elements.map((element) => element.id)),
        errors: () => errors.splice(0),
        close: () => context.close(),
      };
    },
    close: () => browser.close(),
  };
}
