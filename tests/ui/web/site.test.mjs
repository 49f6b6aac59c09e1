// The web site as whoever runs the school's server puts it up: the zip unpacked into an empty
// folder and served as plain files. Every engine must keep it for use without a network, take up
// a new version, and keep two copies on one server apart; Chromium must also find it installable,
// and work without service workers.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { serveFolder } from '../../../scripts/lib/serve-site.mjs';
import { checkClick, fill, layout, onlyIn, ready, until, useEngine, withForm } from './page.mjs';

useEngine();

const folder = mkdtempSync(join(tmpdir(), 'torvelin-site-'));
let site;
before(() => {
  execFileSync('unzip', ['-q', process.env.HEXAGON_SITE_ZIP, '-d', folder]);
  site = join(folder, 'torvelin-hexagon');
});
after(() => rmSync(folder, { recursive: true, force: true }));

// The site visited once, its service worker running and in charge of the page.
async function visited(page) {
  await ready(page);
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  await page.reload();
  await until(page, () => navigator.serviceWorker.controller !== null
    && document.activeElement?.id === 'Text2_0');
}

// The site at `path` of a server of `folder` (its own for each test, an origin nothing has been
// kept for), visited once.
async function withSite(body, { folder: served = site, path = '' } = {}) {
  const server = await serveFolder(served);
  const origin = `http://127.0.0.1:${server.address().port}`;
  try {
    await withForm((page) => body(page, server, origin), { url: `${origin}/${path}`, ready: visited });
  } finally {
    server.closeAllConnections();
    server.close();
  }
}

// Without a network: the server stops answering, and where the engine can, the browser is cut
// off as well.
async function goOffline(page, server) {
  server.closeAllConnections();
  server.close();
  await page.offline();
}

// A new version of the site in `folder`: a mark in its page, another version in its worker.
// Gives back what puts the old one back.
function putNewVersion(folder) {
  const [index, worker] = [join(folder, 'index.html'), join(folder, 'sw.js')];
  const [page, code] = [index, worker].map((file) => readFileSync(file, 'utf8'));
  writeFileSync(index, page.replace('</main>', '<p id="NewVersion">new</p></main>'));
  writeFileSync(worker, code.replace(/^const version = '.+';$/m, 'const version = \'next\';'));
  return () => { writeFileSync(index, page); writeFileSync(worker, code); };
}
const newVersionShown = (page) => page.evaluate(() => document.getElementById('NewVersion') !== null);

test('Chromium finds the site installable, with the manifest\'s name, language and icons',
  onlyIn('chromium', 'needs Chromium\'s DevTools protocol'), () => withSite(async (page) => {
    const session = await page.native.context().newCDPSession(page.native);
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
      const image = Object.assign(new Image(), { src: icon.src });
      await image.decode();
      return `${image.naturalWidth}x${image.naturalHeight} ${icon.purpose ?? 'any'}`;
    })), manifest.icons);
    assert.deepEqual(sizes, ['192x192 any', '512x512 any', '512x512 maskable']);
  }));

// Without service workers (as on a site served over plain HTTP, where browsers offer none) the
// site is an ordinary page: the program works, with no message, console line or error.
test('without service workers the site works and says nothing', onlyIn('chromium', 'takes service workers away before the page\'s scripts run'), async () => {
  const server = (await serveFolder(site)).unref();
  await withForm(async (page) => {
    const said = [];
    page.native.on('console', (message) => said.push(message.text()))
      .on('dialog', (dialog) => { said.push(dialog.message()); dialog.dismiss(); });
    await page.reload();  // heard from its start
    await ready(page);
    assert.equal(await page.evaluate(() => 'serviceWorker' in navigator), false);
    await fill(page, 'Text2_0', '5');
    await checkClick(page, 0, () => page.click('Command1_0'));
    assert.deepEqual(said, []);
  }, { url: `http://127.0.0.1:${server.address().port}/`, initScript: () => { delete Navigator.prototype.serviceWorker; } });
});

test('after one visit the program starts and works without a network', () => withSite(async (page, server) => {
  await goOffline(page, server);
  await page.reload();
  await ready(page);
  await fill(page, 'Text2_0', '5');
  await checkClick(page, 0, () => page.click('Command1_0'));
}));

test('a new version on the server replaces the kept one on the next visit', () => withSite(async (page, server, origin) => {
  const worker = readFileSync(join(site, 'sw.js'), 'utf8');
  const [kept] = await page.evaluate(() => caches.keys());
  assert.ok(worker.includes(`const version = '${kept.replace(`torvelin-hexagon ${origin}/ `, '')}';`), kept);
  // IIS's web.config gives the manifest's type, and is not among the files kept: IIS never
  // serves it, and asking for it would fail the worker's install there.
  assert.match(readFileSync(join(site, 'web.config'), 'utf8'), /<remove fileExtension=".webmanifest" \/>\s*<mimeMap fileExtension=".webmanifest" mimeType="application\/manifest\+json" \/>/);
  assert.doesNotMatch(worker, /web\.config/);
  const putOldVersionBack = putNewVersion(site);
  try {
    // This visit still shows the kept version while the browser takes up the new one.
    await page.reload();
    await ready(page);
    assert.equal(await newVersionShown(page), false);
    await until(page, async (old) => {
      const registration = await navigator.serviceWorker.getRegistration();
      const names = await caches.keys();
      return registration?.active?.state === 'activated' && names.length === 1 && names[0] !== old;
    }, kept);
    await page.reload();
    await ready(page);
    assert.equal(await newVersionShown(page), true);
  } finally {
    putOldVersionBack();
  }
}));

// A school's site and, beside it on the same server, a trial of its next version: the browser
// keeps both in the origin's one Cache Storage, and neither deletes the other's files.
test('two copies at two addresses of one server both start without a network', async () => {
  const copies = mkdtempSync(join(tmpdir(), 'torvelin-copies-'));
  try {
    cpSync(site, join(copies, 'hexagon'), { recursive: true });
    cpSync(site, join(copies, 'hexagon-new'), { recursive: true });
    putNewVersion(join(copies, 'hexagon-new'));
    await withSite(async (page, server, origin) => {
      await page.goto(`${origin}/hexagon-new/`);
      await visited(page);
      await goOffline(page, server);
      for (const [copy, isNew] of [['hexagon', false], ['hexagon-new', true]]) {
        await page.goto(`${origin}/${copy}/`);
        await ready(page);
        assert.equal(await newVersionShown(page), isNew, copy);
      }
    }, { folder: copies, path: 'hexagon/' });
  } finally {
    rmSync(copies, { recursive: true, force: true });
  }
});
