#!/usr/bin/env python3
"""Logs two registered clients in to the network server and reports one client action each,
then keeps the connections open for a while: for the network window's screenshots.

Usage: net-demo-clients.py SETTINGS_DB PORT [SECONDS]

The passwords are read from the clients' stored records (Windows-1251 bytes at offset 257,
length at 256). Each client comes from its own loopback address, as the server lets one address
log in only once.
"""
import socket
import sqlite3
import sys
import time

PASSWORD_LENGTH = 256


def stored_password(db, index):
    row = db.execute("SELECT data FROM settings WHERE name = ?", (f"UserData{index}",)).fetchone()
    record = bytes(row[0])
    return record[PASSWORD_LENGTH + 1:PASSWORD_LENGTH + 1 + record[PASSWORD_LENGTH]]


def main():
    settings, port = sys.argv[1], int(sys.argv[2])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 30
    db = sqlite3.connect(settings)
    actions = [b"1\x012\x013\x01door\x01open\x01ok", b"4\x015\x016\x01lamp\x01on\x01ok"]
    connections = []
    for index, action in enumerate(actions):
        connection = socket.create_connection(("127.0.0.1", port), timeout=5,
                                              source_address=(f"127.0.0.{index + 2}", 0))
        name = b"Client_%d" % (index + 1)
        connection.sendall(b"login\x01" + name + b"\x01" + stored_password(db, index) + b"\n")
        time.sleep(0.3)
        connection.sendall(b"ClientAction\x01" + action + b"\n")
        connections.append(connection)
    time.sleep(seconds)


if __name__ == "__main__":
    main()
