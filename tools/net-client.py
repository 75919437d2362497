#!/usr/bin/env python3
"""Log in to Gloamery's network server as a registered client and print what arrives.

    tools/net-client.py [--host 127.0.0.1] [--port 25963] NAME PASSWORD

Each received line is printed with SOH shown as "␁" (and other control bytes as \\xNN).
Lines typed on standard input are sent as they are, with "|" standing for SOH, e.g.
    SendMessageTo|Client_2|hello
Names and passwords are sent as Windows-1251, as the server stores them.
"""
import argparse
import select
import socket
import sys

SOH = b"\x01"


def shown(line: bytes) -> str:
    out = []
    for byte in line:
        if byte == 1:
            out.append("\u2401")
        elif byte < 0x20 or byte == 0x7F:
            out.append("\\x%02X" % byte)
        else:
            out.append(bytes([byte]).decode("cp1251", errors="replace"))
    return "".join(out)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=25963)
    parser.add_argument("name")
    parser.add_argument("password")
    args = parser.parse_args()

    with socket.create_connection((args.host, args.port)) as conn:
        conn.sendall(b"login" + SOH + args.name.encode("cp1251") + SOH
                     + args.password.encode("cp1251") + b"\n")
        pending = b""
        watched = [conn, sys.stdin]
        while True:
            ready, _, _ = select.select(watched, [], [])
            if conn in ready:
                chunk = conn.recv(65536)
                if not chunk:
                    print("-- the server closed the connection")
                    return 0
                pending += chunk
                *lines, pending = pending.split(b"\n")
                for line in lines:
                    print(shown(line), flush=True)
            if sys.stdin in ready:
                typed = sys.stdin.readline()
                if not typed:
                    watched.remove(sys.stdin)
                    continue
                conn.sendall(typed.rstrip("\n").replace("|", "\x01").encode("cp1251") + b"\n")


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
