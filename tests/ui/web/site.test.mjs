// The web site as whoever runs the school's server puts it up: the zip unpacked into an empty
// folder and served as plain files. Chromium must find it installable, keep it for use without a
// network, and take up a new version.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { serveFolder } from '../../../scripts/lib/serve-site.mjs';
import { checkClick, launchChromium, layout, openForm } from './chromium.mjs';

let browser;
let server;
let site;
let address;

before(async () => {
  const folder = mkdtempSync(join(tmpdir(), 'torvelin-site-'));
  execFileSync('unzip', ['-q', process.env.HEXAGON_SITE_ZIP, '-d', folder]);
  site = join(folder, 'torvelin-hexagon');
  server = await serveFolder(site);
  address = `http://127.0.0.1:${server.address().port}/`;
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  server?.close();
});

// Waits up to ten seconds for `check` to come true.
async function until(check) {
  for (let tries = 0; tries < 100; tries++) {
    if (await check()) return;
    await new Promise((resolve) => { setTimeout(resolve, 100); });
  }
  assert.fail(`still not so: ${check}`);
}

// The site opened once, its service worker running and in charge of the page.
async function visit(context) {
  const { page } = await openForm(browser, { context, url: address });
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null
    && document.activeElement?.id === 'Text2_0');
  return page;
}

test('Chromium finds the site installable, with the manifest\'s name, language and icons', async () => {
  const context = await browser.newContext();
  const page = await visit(context);
  const session = await context.newCDPSession(page);
  assert.deepEqual((await session.send('Page.getAppManifest')).errors, []);
  // Tests browse in private contexts, where Chromium offers no install: that one reason aside,
  // nothing stands in the way.
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
  const manifest = JSON.parse(readFileSync(join(site, 'manifest.webmanifest'), 'utf8'));
  const label = layout.rows.find((row) => row.kind === 'label');
  assert.equal(manifest.name, label.text);
  assert.deepEqual([manifest.lang, manifest.display], ['bg', 'standalone']);
  const sizes = await page.evaluate((icons) => Promise.all(icons.map(async (icon) => {
    const image = await createImageBitmap(await (await fetch(icon.src)).blob());
    return `${image.width}x${image.height} ${icon.purpose ?? 'any'}`;
  })), manifest.icons);
  assert.deepEqual(sizes, ['192x192 any', '512x512 any', '512x512 maskable']);
  await context.close();
});

test('after one visit the program starts and works without a network', async () => {
  const context = await browser.newContext();
  const page = await visit(context);
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => document.activeElement?.id === 'Text2_0');
  await page.locator('#Text2_0').fill('5');
  await checkClick(page, 0, () => page.locator('#Command1_0').click());
  await context.close();
});

test('a new version on the server replaces the kept one on the next visit', async () => {
  const context = await browser.newContext();
  const page = await visit(context);
  const index = join(site, 'index.html');
  const original = readFileSync(index, 'utf8');
  const worker = readFileSync(join(site, 'sw.js'), 'utf8');
  const keptCaches = () => page.evaluate(() => caches.keys());
  const [kept] = await keptCaches();
  assert.match(worker, new RegExp(kept));
  try {
    writeFileSync(index, original.replace('</main>', '<p id="NewVersion">new</p></main>'));
    writeFileSync(join(site, 'sw.js'), worker.replace(kept, 'torvelin-hexagon-next'));
    // This visit still shows the kept version while the browser takes up the new one.
    await page.reload();
    assert.equal(await page.locator('#NewVersion').count(), 0);
    await until(() => page.evaluate(async (old) => {
      const registration = await navigator.serviceWorker.getRegistration();
      const names = await caches.keys();
      return registration?.active?.state === 'activated' && names.length === 1 && names[0] !== old;
    }, kept));
    await page.reload();
    assert.equal(await page.locator('#NewVersion').count(), 1);
  } finally {
    writeFileSync(index, original);
    writeFileSync(join(site, 'sw.js'), worker);
  }
  await context.close();
});
