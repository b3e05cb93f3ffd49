#!/usr/bin/python3
"""tools/web/serve.py: the site sent compressed, nothing outside it sent.

    serve_test.py SERVE_PY
"""

import gzip
import http.client
import os
import subprocess
import sys
import tempfile
import threading

# The server under test is imported from the folder it was given.
sys.dont_write_bytecode = True  # nothing written beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(sys.argv[1])))
import serve  # noqa: E402
failed = []


def check(name, ok, detail=""):
    print(("ok: " if ok else "FAIL: ") + name + (f" ({detail})" if detail and not ok else ""))
    if not ok:
        failed.append(name)


def decode(encoding, data):
    if encoding == "gzip":
        return gzip.decompress(data)
    if encoding == "br":
        return serve._brotli_module.decompress(data) if serve._brotli_module else subprocess.run(
            ["brotli", "-d", "-c", "-"], input=data, capture_output=True, check=True).stdout
    return data


with tempfile.TemporaryDirectory() as d:
    site = os.path.join(d, "site")
    os.makedirs(os.path.join(site, "sub"))
    files = {"index.html": b"<p>" + b"page " * 400 + b"</p>", "rara3.wasm": b"\0asm" + b"\1\2\3" * 3000,
             "icon-192.png": os.urandom(300), "sub/a b.txt": b"text " * 100}
    for name, data in files.items():
        with open(os.path.join(site, name), "wb") as f:
            f.write(data)
    with open(os.path.join(d, "secret"), "wb") as f:
        f.write(b"not for the web")

    server = serve.Server(("127.0.0.1", 0), serve.make_handler(serve.Site(site)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]

    def get(path, accept=None, method="GET"):
        c = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
        c.request(method, path, headers={"Accept-Encoding": accept} if accept else {})
        r = c.getresponse()
        body = r.read()
        c.close()
        return r.status, dict((k.lower(), v) for k, v in r.getheaders()), body

    br = "br" if serve.brotli_compress(b"x" * 100) is not None else "gzip"
    # path, Accept-Encoding, file, encoding expected, content type
    CASES = [
        ("/", None, "index.html", "identity", "text/html; charset=utf-8"),
        ("/", "gzip", "index.html", "gzip", "text/html; charset=utf-8"),
        ("/rara3.wasm", "gzip, deflate, br", "rara3.wasm", br, "application/wasm"),
        ("/rara3.wasm", "br;q=0, gzip", "rara3.wasm", "gzip", "application/wasm"),
        ("/rara3.wasm?v=2", "gzip", "rara3.wasm", "gzip", "application/wasm"),
        ("/icon-192.png", "gzip, br", "icon-192.png", "identity", "image/png"),  # no smaller
        ("/sub/a%20b.txt", "gzip", "sub/a b.txt", "gzip", "text/plain; charset=utf-8"),
    ]
    for path, accept, name, encoding, ctype in CASES:
        status, headers, body = get(path, accept)
        got = headers.get("content-encoding", "identity")
        check(f"GET {path} with {accept!r}: {encoding}, {ctype}",
              status == 200 and got == encoding and headers.get("content-type") == ctype
              and "Accept-Encoding" in headers.get("vary", "") and decode(got, body) == files[name]
              and int(headers["content-length"]) == len(body),
              f"status {status}, encoding {got}, type {headers.get('content-type')}")
    status, headers, body = get("/rara3.wasm", "gzip", method="HEAD")
    check("HEAD: the headers of GET, no body", status == 200 and body == b""
          and headers.get("content-encoding") == "gzip")
    for path in ("/../secret", "/%2e%2e/secret", "/sub/../../secret", "/missing.js", "/sub/"):
        status, _, body = get(path)
        check(f"GET {path}: 404", status == 404 and b"not for the web" not in body, f"status {status}")

    # A file rebuilt while the server runs is sent as it is now.
    with open(os.path.join(site, "rara3.wasm"), "wb") as f:
        f.write(b"\0asm new" * 500)
    os.utime(os.path.join(site, "rara3.wasm"), ns=(1, 1))
    status, headers, body = get("/rara3.wasm", "gzip")
    check("a changed file is compressed again", decode(headers.get("content-encoding", "identity"), body)
          == b"\0asm new" * 500)
    server.shutdown()

    # The command line: a folder without a site, an address it cannot take.
    r = subprocess.run([sys.executable, sys.argv[1], "--port", "0", d], capture_output=True, text=True)
    check("a folder with no index.html is refused", r.returncode == 1 and "no index.html" in r.stderr, r.stderr)
    r = subprocess.run([sys.executable, sys.argv[1], "--bind", "192.0.2.1", "--port", "0", site],
                       capture_output=True, text=True, timeout=30)
    check("an address this machine does not have is refused with its name",
          r.returncode == 1 and "cannot listen on 192.0.2.1" in r.stderr, r.stderr)

sys.exit(1 if failed else 0)
