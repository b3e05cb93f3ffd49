// The built site on a local port for the measuring scripts: each file read
// once, sent compressed (brotli or gzip, as the browser accepts and as a
// host would keep them) or as it is.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.css': 'text/css', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
                '.svg': 'image/svg+xml', '.opus': 'audio/ogg' };

// Resolves to { url, close } once the server listens on 127.0.0.1.
export async function serveSite(siteArg, { compressed = true } = {}) {
  const site = path.resolve(siteArg);
  const packed = new Map();
  const forms = (file) => {
    if (!packed.has(file)) {
      const data = fs.readFileSync(file);
      const f = { identity: data };
      if (compressed) {
        const br = zlib.brotliCompressSync(data, { params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 11 } });
        const gz = zlib.gzipSync(data, { level: 9 });
        if (br.length < data.length) f.br = br;
        if (gz.length < data.length) f.gzip = gz;
      }
      packed.set(file, f);
    }
    return packed.get(file);
  };
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(site, name === '/' ? 'index.html' : name);
    if (!file.startsWith(site) || !fs.existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    const f = forms(file);
    const accept = req.headers['accept-encoding'] || '';
    const encoding = ['br', 'gzip'].find((e) => f[e] && accept.includes(e)) || 'identity';
    const headers = { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
                      'Content-Length': f[encoding].length, Vary: 'Accept-Encoding' };
    if (encoding !== 'identity') headers['Content-Encoding'] = encoding;
    res.writeHead(200, headers);
    res.end(f[encoding]);
  });
  // Compressed before the first request, as a host keeps its files.
  for (const f of fs.readdirSync(site)) forms(path.join(site, f));
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}
