# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end scripts share: free ports, waiting for a condition, hearing the disk
output."""
import os
import random
import socket
import time


def free_port():
    """A port nothing listens on, below the range the system hands out for outgoing
    connections, so that the parallel tests' own connections cannot take it meanwhile."""
    while True:
        port = random.randrange(20000, 32000)
        with socket.socket() as s:
            try:
                s.bind(("0.0.0.0", port))
                return port
            except OSError:
                continue


def wait_until(check, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(0.05)
    return check()


def audible(path, since):
    """True when the disk output holds a sample away from silence after byte `since`."""
    if not os.path.exists(path):
        return False
    with open(path, "rb") as f:
        f.seek(since)
        data = f.read()
    samples = memoryview(data[: len(data) // 2 * 2]).cast("h")
    return any(abs(s) > 64 for s in samples)
