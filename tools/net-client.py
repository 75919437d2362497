#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Log in to Gloamery's network server as a registered client and print what arrives.

    tools/net-client.py [--host 127.0.0.1] [--port 25963] NAME PASSWORD [--send LINE ...]
    tools/net-client.py [--port 25963] --demo SETTINGS_DB [--seconds 30]

Each received line is printed with SOH shown as "␁" (and other control bytes as \\xNN).
Lines typed on standard input are sent as they are, with "|" standing for SOH, e.g.
    SendMessageTo|Client_2|hello
    ExecCommand|1
With --send the given lines are sent the same way, one after the other, and the client ends
once the server has handled them all (it answers each turn of lines with one "UserVariables",
so each line waits for the answer to the one before it), e.g.
    tools/net-client.py Client_1 secret --send 'ExecCommand|1'
starts the attraction when Client_1 has the right to send command 1.

--demo logs Client_1 and Client_2 in with the passwords stored in SETTINGS_DB, reports one client
action for each and keeps them logged in for a while, as the screenshots of the network window
show them. Each comes from its own loopback address, as the server lets one address log in once.

Names and passwords are sent as Windows-1251, as the server stores them.
"""
import argparse
import select
import socket
import sqlite3
import sys
import time

SOH = b"\x01"
USER_VARIABLES = b"UserVariables" + SOH
LOGIN_REFUSALS = (b"AcsessDeny", b"AlreadyConnected")
# In a stored client record: the password's length, then its bytes.
PASSWORD_LENGTH_OFFSET = 256


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


def typed_line(text: str) -> bytes:
    return text.rstrip("\n").replace("|", "\x01").encode("cp1251") + b"\n"


def login_line(name: bytes, password: bytes) -> bytes:
    return b"login" + SOH + name + SOH + password + b"\n"


def print_lines(conn, pending: bytes, on_line=None):
    """Reads once from the connection and prints the complete lines; returns what is left over,
    or None when the server closed the connection."""
    chunk = conn.recv(65536)
    if not chunk:
        print("-- the server closed the connection")
        return None
    *lines, pending = (pending + chunk).split(b"\n")
    for line in lines:
        print(shown(line), flush=True)
        if on_line:
            on_line(line)
    return pending


def converse(conn) -> int:
    pending = b""
    watched = [conn, sys.stdin]
    while True:
        ready, _, _ = select.select(watched, [], [])
        if conn in ready:
            pending = print_lines(conn, pending)
            if pending is None:
                return 0
        if sys.stdin in ready:
            typed = sys.stdin.readline()
            if not typed:
                watched.remove(sys.stdin)
                continue
            conn.sendall(typed_line(typed))


def send_and_leave(conn, lines) -> int:
    # The server answers each turn of lines with one UserVariables, however many lines the turn
    # took, so each line goes once the answer to the one before it has come.
    state = {"replies": 0, "refused": None}

    def watch(line: bytes):
        if line.startswith(USER_VARIABLES):
            state["replies"] += 1
        elif line.startswith(LOGIN_REFUSALS):
            state["refused"] = line

    pending = b""

    def await_reply() -> bool:
        nonlocal pending
        seen = state["replies"]
        while state["replies"] == seen and state["refused"] is None:
            pending = print_lines(conn, pending, watch)
            if pending is None:
                return False
        return state["refused"] is None

    if not await_reply():
        return 1
    for line in lines:
        conn.sendall(typed_line(line))
        if not await_reply():
            return 1
    return 0


def stored_password(db, index: int) -> bytes:
    row = db.execute("SELECT data FROM settings WHERE name = ?", (f"UserData{index}",)).fetchone()
    record = bytes(row[0])
    start = PASSWORD_LENGTH_OFFSET + 1
    return record[start:start + record[PASSWORD_LENGTH_OFFSET]]


def demo(settings: str, host: str, port: int, seconds: float) -> int:
    db = sqlite3.connect(settings)
    actions = [b"1\x012\x013\x01door\x01open\x01ok", b"4\x015\x016\x01lamp\x01on\x01ok"]
    connections = []
    for index, action in enumerate(actions):
        conn = socket.create_connection((host, port), timeout=5,
                                        source_address=(f"127.0.0.{index + 2}", 0))
        name = b"Client_%d" % (index + 1)
        conn.sendall(login_line(name, stored_password(db, index)))
        time.sleep(0.3)
        conn.sendall(b"ClientAction" + SOH + action + b"\n")
        connections.append(conn)
    time.sleep(seconds)
    return 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=25963)
    parser.add_argument("--send", action="append", default=[], metavar="LINE",
                        help='a line to send after the login, "|" for SOH; may be repeated')
    parser.add_argument("--demo", metavar="SETTINGS_DB",
                        help="log two clients in from the stored records, as the screenshots do")
    parser.add_argument("--seconds", type=float, default=30,
                        help="how long --demo keeps its clients logged in")
    parser.add_argument("name", nargs="?")
    parser.add_argument("password", nargs="?")
    args = parser.parse_args()

    if args.demo:
        return demo(args.demo, args.host, args.port, args.seconds)
    if args.name is None or args.password is None:
        parser.error("NAME and PASSWORD are needed, unless --demo is given")
    with socket.create_connection((args.host, args.port)) as conn:
        conn.sendall(login_line(args.name.encode("cp1251"), args.password.encode("cp1251")))
        if args.send:
            return send_and_leave(conn, args.send)
        return converse(conn)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
