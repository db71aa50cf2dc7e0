// Serves a folder on 127.0.0.1, as the browser edition is served: each file
// with its type, gzip when the browser takes it (the sizes a real server
// would send), a validator so that a file the browser holds is answered
// "304 Not Modified" without its body, nothing outside the folder.
//
//     node web/serve.mjs FOLDER [PORT]    prints http://127.0.0.1:PORT/
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.webmanifest': 'application/manifest+json',
    '.json': 'application/json',
};

// Whether the browser's copy, named by its validators, is the file now.
function fresh(asked, tag, modified) {
    const match = asked['if-none-match'];
    if (match !== undefined) {
        return match.split(',').some((one) => one.trim().replace(/^W\//, '') === tag);
    }
    const since = Date.parse(asked['if-modified-since'] ?? '');
    return !Number.isNaN(since) && Math.floor(modified.getTime() / 1000) * 1000 <= since;
}

// Starts the server; resolves to {server, url, sent}, where sent() gives the
// bytes sent so far (bodies, as compressed) and forget() starts it at 0.
export function serve(folder, port = 0) {
    const root = path.resolve(folder);
    const zipped = new Map();
    let sent = 0;
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        let file = path.normalize(path.join(root, decodeURIComponent(url.pathname)));
        if (!file.startsWith(root)) {
            response.writeHead(403).end();
            return;
        }
        if (url.pathname.endsWith('/')) {
            file = path.join(file, 'index.html');
        }
        let stat;
        try {
            stat = fs.statSync(file);
        } catch {
            stat = null;
        }
        if (!stat?.isFile()) {
            response.writeHead(404, { 'content-type': 'text/plain' }).end('not found');
            return;
        }
        const type = types[path.extname(file)] ?? 'application/octet-stream';
        const gzip = /\bgzip\b/.test(request.headers['accept-encoding'] ?? '') && !type.startsWith('image/');
        // Every file is asked for again at each load (a new build is never
        // mixed with an old one), and costs a body only when it changed.
        const tag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}${gzip ? '-gz' : ''}"`;
        const headers = {
            'content-type': type,
            'cache-control': 'no-cache',
            etag: tag,
            'last-modified': stat.mtime.toUTCString(),
            vary: 'accept-encoding',
        };
        if (fresh(request.headers, tag, stat.mtime)) {
            response.writeHead(304, headers).end();
            return;
        }
        let body;
        try {
            body = fs.readFileSync(file);
        } catch {
            response.writeHead(404, { 'content-type': 'text/plain' }).end('not found');
            return;
        }
        if (gzip) {
            const key = `${file}:${body.length}`;
            if (!zipped.has(key)) {
                zipped.set(key, zlib.gzipSync(body, { level: 9 }));
            }
            body = zipped.get(key);
            headers['content-encoding'] = 'gzip';
        }
        headers['content-length'] = body.length;
        sent += body.length;
        response.writeHead(200, headers);
        response.end(request.method === 'HEAD' ? undefined : body);
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => {
            resolve({
                server,
                url: `http://127.0.0.1:${server.address().port}/`,
                sent: () => sent,
                forget: () => {
                    sent = 0;
                },
            });
        });
    });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
    const [folder, port] = process.argv.slice(2);
    if (!folder || !fs.existsSync(path.join(folder, 'index.html'))) {
        console.error('usage: node web/serve.mjs FOLDER [PORT] (FOLDER holds index.html)');
        process.exit(2);
    }
    const { url } = await serve(folder, Number(port ?? 0));
    console.log(url);
}
