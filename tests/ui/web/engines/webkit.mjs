// WebKitGTK (Debian's webkit2gtk-driver): WebKitWebDriver drives MiniBrowser, the engine's own
// small browser, over classic WebDriver (it has no BiDi), with selenium-webdriver talking to that
// driver alone (usingServer: selenium's own driver manager, which would download one, never
// runs). WebKitGTK has no headless mode, so the engine gets a private Xvfb display; both are
// stopped with the engine, or when node exits. Each page is a WebDriver session of its own, a
// fresh MiniBrowser with nothing kept.
import { spawn } from 'node:child_process';
import { writeFile } from 'node:fs/promises';
import { createServer } from 'node:net';
import { Builder, By, Key } from 'selenium-webdriver';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const sleep = (ms) => new Promise((resolve) => { setTimeout(resolve, ms); });

// Xvfb picks a free display and writes its number to descriptor 3.
function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (number) => resolve(`:${String(number).trim()}`));
    xvfb.once('exit', (code) => reject(new Error(`Xvfb exited (${code})`)));
    xvfb.once('error', reject);
  });
  return { xvfb, display };
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    }).once('error', reject);
  });
}

// WebDriver allows no script before the page's own, and WebKitGTK's console cannot be read: the
// page's uncaught errors are caught by listeners put in by script as soon as its document is
// there (sessions do not wait for a page to load). A page that fails before then never shows its
// form ready, which fails the test too. On file:// WebKit mutes the text to "Script error.".
// The page's `initScript` is put in with them.
const installErrorHook = (initScript) => `
  if (location.href === 'about:blank' || window.hexagonErrors) return false;
  window.hexagonErrors = [];
  addEventListener('error', (event) => hexagonErrors.push(event.message));
  addEventListener('unhandledrejection', (event) => hexagonErrors.push(String(event.reason)));
  ${initScript}
  return true;`;

const keyNames = {
  Enter: Key.ENTER, Escape: Key.ESCAPE, Tab: Key.TAB, End: Key.END, Backspace: Key.BACK_SPACE,
  Control: Key.CONTROL,
};

export async function launch() {
  const children = [];
  const stop = () => children.forEach((child) => child.kill());
  process.once('exit', stop);
  let server;
  try {
    const { xvfb, display } = startXvfb();
    children.push(xvfb);
    const port = await freePort();
    children.push(spawn('WebKitWebDriver', [`--port=${port}`],
      { env: { ...process.env, DISPLAY: await display }, stdio: 'ignore' }));
    server = `http://127.0.0.1:${port}`;
    for (let tries = 0; !(await fetch(`${server}/status`).then((r) => r.ok, () => false)); tries++) {
      if (tries === 100) throw new Error('WebKitWebDriver did not start');
      await sleep(100);
    }
  } catch (error) {
    stop();
    throw error;
  }

  return {
    async open(url, { viewport, initScript }) {
      const driver = await new Builder().usingServer(server).withCapabilities({
        browserName: 'MiniBrowser',
        pageLoadStrategy: 'none',
        'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
      }).build();
      const errors = [];
      const collectErrors = async () => errors.push(...await driver.executeScript(
        'return window.hexagonErrors ? hexagonErrors.splice(0) : []'));
      // A script that meets the old document's unload is lost; the next one finds the new one.
      const hookErrors = async () => {
        for (let tries = 0; !(await driver.executeScript(installErrorHook(initScript)).catch((error) => {
          if (error.name !== 'NoSuchFrameError') throw error;
          return false;
        })); tries++) {
          if (tries === 1000) throw new Error('the page did not come');
          await sleep(10);
        }
      };
      try {
        // The window is sized so that the page itself gets the viewport's size.
        const inner = () => driver.executeScript('return [innerWidth, innerHeight]');
        await driver.manage().window().setRect(viewport);
        const [width, height] = await inner();
        await driver.manage().window().setRect({
          width: 2 * viewport.width - width, height: 2 * viewport.height - height,
        });
        await driver.get(url);
        await hookErrors();
      } catch (error) {
        await driver.quit();
        throw error;
      }

      const actions = () => driver.actions();
      return {
        evaluate: (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments)`,
          ...(arg === undefined ? [] : [arg])),
        click: async (id) => (await driver.findElement(By.id(id))).click(),
        focus: (id) => driver.executeScript('document.getElementById(arguments[0]).focus()', id),
        type: (text) => actions().sendKeys(text).perform(),
        press: (chord) => {
          const keys = chord.split(/\+(?=.)/).map((key) => keyNames[key] ?? key.toLowerCase());
          const key = keys.pop();
          let sequence = actions();
          keys.forEach((modifier) => { sequence = sequence.keyDown(modifier); });
          sequence = sequence.keyDown(key).keyUp(key);
          keys.reverse().forEach((modifier) => { sequence = sequence.keyUp(modifier); });
          return sequence.perform();
        },
        reload: async () => {
          await collectErrors();
          await driver.navigate().refresh();
          await hookErrors();
        },
        goto: async (to) => {
          await collectErrors();
          await driver.get(to);
          await hookErrors();
        },
        offline: async () => false,
        // The picture is taken once the page has drawn what it has just been told (a focus).
        screenshot: async (path) => {
          await driver.executeScript('return new Promise((drawn) => requestAnimationFrame(() => '
            + 'requestAnimationFrame(() => drawn(true))))');
          await writeFile(path, await driver.takeScreenshot(), 'base64');
        },
        // WebKitWebDriver answers with an error for an element outside the accessibility tree
        // (a script, or the form behind a modal dialog): such an element has no role.
        byRole: async (role, name) => {
          const found = [];
          for (const element of await driver.findElements(By.css('[id]'))) {
            const matches = await element.getAriaRole().then(async (itsRole) => itsRole === role
              && await element.getAccessibleName() === name, () => false);
            if (matches) found.push(await element.getAttribute('id'));
          }
          return found;
        },
        errors: async () => { await collectErrors(); return errors.splice(0); },
        close: () => driver.quit(),
      };
    },
    async close() {
      stop();
    },
  };
}
