#!/usr/bin/python3
"""Serve the site compressed, as a good static host would.

    serve.py [--bind ADDRESS] [--port PORT] SITE

Every file of SITE is compressed once at start (gzip at the strongest
level, and brotli when Python's brotli module or the brotli program is
there) and sent compressed to a browser that accepts it; a file that does
not get smaller is sent as it is. Files changed on disk are compressed
again when next asked for. Listens on 127.0.0.1 unless told otherwise;
--bind 0.0.0.0 (or ::) lets other machines in (a phone on the same network:
note that browsers keep the offline copy and the home screen to https and
localhost).
"""

import argparse
import gzip
import http.server
import mimetypes
import os
import shutil
import socket
import subprocess
import sys
import threading
import urllib.parse

try:
    import brotli as _brotli_module
except ImportError:
    _brotli_module = None

TYPES = {".wasm": "application/wasm", ".js": "text/javascript", ".mjs": "text/javascript",
         ".html": "text/html; charset=utf-8", ".css": "text/css", ".json": "application/json",
         ".webmanifest": "application/manifest+json", ".svg": "image/svg+xml",
         ".png": "image/png", ".txt": "text/plain; charset=utf-8", ".data": "application/octet-stream",
         ".sf2": "application/octet-stream", ".ogg": "audio/ogg", ".opus": "audio/ogg"}


def brotli_compress(data):
    """Brotli at the strongest level, or None when no brotli is installed."""
    if _brotli_module is not None:
        return _brotli_module.compress(data, quality=11)
    tool = shutil.which("brotli")
    if tool:
        return subprocess.run([tool, "-c", "-q", "11", "-"], input=data, capture_output=True,
                              check=True).stdout
    return None


class Site:
    """The files of the site with their compressed forms, kept up to date."""

    def __init__(self, root):
        self.root = os.path.realpath(root)
        self.lock = threading.Lock()
        self.files = {}   # path -> (mtime_ns, size, {encoding: bytes})
        for d, _, names in os.walk(self.root):
            for n in names:
                self.get(os.path.join(d, n))

    def path_of(self, url_path):
        """The file a URL path names, or None outside the site."""
        rel = urllib.parse.unquote(url_path.split("?", 1)[0].split("#", 1)[0])
        if rel.endswith("/"):
            rel += "index.html"
        full = os.path.realpath(os.path.join(self.root, rel.lstrip("/")))
        if full != self.root and not full.startswith(self.root + os.sep):
            return None
        return full if os.path.isfile(full) else None

    def get(self, path):
        st = os.stat(path)
        with self.lock:
            known = self.files.get(path)
            if known and known[0] == st.st_mtime_ns and known[1] == st.st_size:
                return known[2]
        with open(path, "rb") as f:
            data = f.read()
        forms = {"identity": data}
        gz = gzip.compress(data, compresslevel=9, mtime=0)
        if len(gz) < len(data):
            forms["gzip"] = gz
        br = brotli_compress(data)
        if br is not None and len(br) < len(data):
            forms["br"] = br
        with self.lock:
            self.files[path] = (st.st_mtime_ns, st.st_size, forms)
        return forms


def accepted(header):
    """The encodings an Accept-Encoding header allows (q=0 refuses)."""
    out = set()
    for part in (header or "").split(","):
        name, _, params = part.strip().partition(";")
        q = 1.0
        for p in params.split(";"):
            k, _, v = p.strip().partition("=")
            if k == "q":
                try:
                    q = float(v)
                except ValueError:
                    q = 0.0
        if name and q > 0:
            out.add(name.strip().lower())
    return out


def make_handler(site):
    class Handler(http.server.BaseHTTPRequestHandler):
        server_version = "rara3-serve"

        def do_GET(self):
            self.send(body=True)

        def do_HEAD(self):
            self.send(body=False)

        def send(self, body):
            path = site.path_of(self.path)
            if path is None:
                self.send_error(404, "Not found")
                return
            forms = site.get(path)
            ok = accepted(self.headers.get("Accept-Encoding"))
            encoding = next((e for e in ("br", "gzip") if e in forms and e in ok), "identity")
            data = forms[encoding]
            ext = os.path.splitext(path)[1].lower()
            self.send_response(200)
            self.send_header("Content-Type", TYPES.get(ext) or mimetypes.guess_type(path)[0]
                             or "application/octet-stream")
            if encoding != "identity":
                self.send_header("Content-Encoding", encoding)
            self.send_header("Vary", "Accept-Encoding")
            self.send_header("Content-Length", str(len(data)))
            # The page and its worker are checked at each visit; the service
            # worker keeps the offline copy.
            self.send_header("Cache-Control", "no-cache")
            self.end_headers()
            if body:
                self.wfile.write(data)

        def log_message(self, fmt, *args):
            sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    return Handler


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, handler):
        # An IPv6 address listens on IPv6.
        if ":" in address[0]:
            self.address_family = socket.AF_INET6
        super().__init__(address, handler)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--bind", default="127.0.0.1", help="the address to listen on (default 127.0.0.1)")
    ap.add_argument("--port", type=int, default=8015, help="the port (default 8015)")
    ap.add_argument("site")
    args = ap.parse_args(argv)
    if not os.path.isfile(os.path.join(args.site, "index.html")):
        print(f"serve.py: {args.site} holds no index.html (make web builds the site)", file=sys.stderr)
        return 1
    site = Site(args.site)
    try:
        server = Server((args.bind, args.port), make_handler(site))
    except OSError as e:
        print(f"serve.py: cannot listen on {args.bind} port {args.port}: {e.strerror}", file=sys.stderr)
        return 1
    raw = sum(len(f[2]["identity"]) for f in site.files.values())
    sent = sum(len(f[2].get("br", f[2].get("gzip", f[2]["identity"]))) for f in site.files.values())
    brotli = "brotli" if any("br" in f[2] for f in site.files.values()) else "gzip (no brotli here)"
    host = f"[{args.bind}]" if ":" in args.bind else args.bind
    print(f"Serving {args.site} on http://{host}:{args.port}/ : {raw / 1e6:.2f} MB, "
          f"{sent / 1e6:.2f} MB with {brotli}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
