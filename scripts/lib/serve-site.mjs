// Serves a folder of plain files on 127.0.0.1, as any static web server would: enough for the
// web site (scripts/run web) and its tests. A service worker needs a secure context, which
// 127.0.0.1 is.
//   node scripts/lib/serve-site.mjs FOLDER [PORT]    prints the address, serves until stopped
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

// Resolves to the running server; port 0 takes any free port (server.address().port tells which).
export function serveFolder(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = join(root, normalize(path.endsWith('/') ? `${path}index.html` : path));
    try {
      if (!file.startsWith(root)) throw new Error('outside the folder');
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [folder, port = '0'] = process.argv.slice(2);
  const server = await serveFolder(folder, Number(port))
    .catch(() => serveFolder(folder, 0));  // the port asked for is taken: any other will do
  console.log(`http://127.0.0.1:${server.address().port}/`);
}
