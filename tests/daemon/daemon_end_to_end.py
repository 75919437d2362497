#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""gloameryd as a small computer in a cupboard runs it: no display, two simulated boards, SDL's
disk output for speakers, set up from the command line only. A phone signs in to the page and
starts the attraction, a network client's command 3 makes a ghost act, the doorbell makes the
postman act, and SIGTERM ends it in order: exit 0, the door output off, the settings saved.

    daemon_end_to_end.py BIN_DIR TOOLS_DIR
"""
import base64
import html
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.parse
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from end_to_end import audible, free_port, wait_until  # noqa: E402

BIN, TOOLS = sys.argv[1], sys.argv[2]
DAEMON = os.path.join(BIN, "gloameryd")
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


class Board:
    """A simulated board: commands on its standard input, what it does in a file."""

    def __init__(self, pid, folder, work):
        self.log = os.path.join(work, f"board{pid}.log")
        self.process = subprocess.Popen(
            [os.path.join(BIN, "gloamery-board"), "--pid", str(pid), "--dir", folder],
            stdin=subprocess.PIPE, stdout=open(self.log, "w"), stderr=subprocess.STDOUT, text=True)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def reports_sent(self):
        """How many input reports the board has sent to the program, by its status."""
        self.send("status")
        time.sleep(0.2)
        with open(self.log) as f:
            counts = re.findall(r"reports received: \d+ sent: (\d+)", f.read())
        return int(counts[-1]) if counts else 0

    def said(self, line):
        with open(self.log) as f:
            return line in f.read().splitlines()

    def stop(self):
        self.process.terminate()
        self.process.wait(5)


def unusable_store(env):
    """A file that is no settings store: one line, exit 1, the file as it was."""
    garbage = bytes(range(256)) * 16
    with open(env["GLOAMERY_SETTINGS"], "wb") as f:
        f.write(garbage)
    for words in ([], ["config", "set", "ghost.1.on", "false"], ["config", "list"]):
        done = subprocess.run([DAEMON, *words], env=env, capture_output=True, text=True,
                              timeout=10)
        if done.returncode != 1 or done.stderr.count("\n") != 1 or done.stdout:
            fail(f"gloameryd {' '.join(words)} on a broken store: {done.returncode} "
                 f"{done.stderr!r} {done.stdout!r}")
    with open(env["GLOAMERY_SETTINGS"], "rb") as f:
        if f.read() != garbage:
            fail("the broken store was overwritten")


def command(port, number):
    client = subprocess.run(
        ["/usr/bin/python3", os.path.join(TOOLS, "net-client.py"), "--port", str(port),
         "Cupboard", "shelf-secret", "--send", f"ExecCommand|{number}"],
        capture_output=True, text=True, timeout=10)
    if client.returncode != 0:
        fail(f"the network client's command {number} was refused: {client.stdout}{client.stderr}")


def main():
    libraries = subprocess.run(["ldd", DAEMON], capture_output=True, text=True).stdout
    if "libQt6Core" not in libraries or re.search(r"Qt6(Gui|Widgets)", libraries):
        fail("gloameryd links Qt Gui or Widgets, or ldd did not list it: " + libraries)

    work = tempfile.mkdtemp(prefix="gloameryd-e2e-")
    boards_dir = os.path.join(work, "boards")
    os.mkdir(boards_dir)
    audio = os.path.join(work, "speakers.raw")
    web_port, net_port = free_port(), free_port()
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
                        "QT_LOGGING_RULES")}
    env.update(GLOAMERY_SETTINGS=os.path.join(work, "settings.db"),
               GLOAMERY_BOARDS="sim:" + boards_dir, SDL_AUDIODRIVER="disk",
               SDL_DISKAUDIOFILE=audio, SDL_DISKAUDIODELAY="1",
               DBUS_SESSION_BUS_ADDRESS="disabled:")

    def config(*words, ok=True):
        done = subprocess.run([DAEMON, "config", *words], env=env, capture_output=True, text=True)
        if ok and done.returncode != 0:
            fail(f"config {' '.join(words)}: {done.returncode} {done.stderr.strip()}")
        return done

    for key, value in [("web.autostart", "true"), ("web.port", str(web_port)),
                       ("web.user.enabled", "true"), ("web.user.login", "phone"),
                       ("web.user.password", "evening-guest"),
                       ("web.user.attraction", "true"), ("web.user.ghost.2", "true"),
                       ("net.autostart", "true"), ("net.port", str(net_port)),
                       ("net.client.Cupboard.password", "shelf-secret"),
                       ("net.client.Cupboard.rights", "3,4"),
                       ("ghost.1.on", "true"), ("ghost.1.specialty", "postman"),
                       ("ghost.1.sensor", "1"), ("ghost.1.regime", "any-time")]:
        config("set", key, value)

    boards = [Board(3, boards_dir, work), Board(10, boards_dir, work)]
    wait_until(lambda: len(os.listdir(boards_dir)) >= 2, 5)
    log_path = os.path.join(work, "gloameryd.log")
    daemon = subprocess.Popen([DAEMON], env=env, stdout=subprocess.DEVNULL,
                              stderr=open(log_path, "w"))

    def log():
        with open(log_path) as f:
            return f.read()

    page = f"http://127.0.0.1:{web_port}/manage"
    auth = "Basic " + base64.b64encode(b"phone:evening-guest").decode()

    def fetch(data=None):
        request = urllib.request.Request(page, data=data, headers={"Authorization": auth})
        with urllib.request.urlopen(request, timeout=5) as reply:
            return reply.read().decode()

    def answers():
        try:
            fetch()
            return True
        except (urllib.error.URLError, ConnectionError, OSError):
            return False

    try:
        if not wait_until(answers, 10):
            fail("the phone page did not answer")
            return
        token = re.search(r'name="token" value="([^"]+)"', fetch()).group(1)
        fetch(urllib.parse.urlencode({"token": html.unescape(token),
                                      "attraction": "start"}).encode())
        # The page's switch now offers to stop: the attraction runs.
        if not re.search(r'name="attraction" value="stop"', fetch()):
            fail("the page's sign-in and start did not start the attraction")

        before = os.path.getsize(audio) if os.path.exists(audio) else 0
        command(net_port, 3)
        if not wait_until(lambda: "triggered by a network command" in log(), 5):
            fail("command 3 made no ghost act")
        if not wait_until(lambda: audible(audio, before), 10):
            fail("the act of command 3 was silent on the disk output")

        # A board's first report is taken as its inputs' state, not as a press: press the doorbell
        # only once the program reads the board.
        if not wait_until(lambda: boards[0].reports_sent() >= 2, 10):
            fail("the program did not read the doorbell's board")
        boards[0].send("in 7 on")
        if not wait_until(lambda: re.search(r'ghost 1 "[^"]*".*triggered by sensor input 7',
                                            log()), 5):
            fail("the doorbell did not make the postman act")
        boards[0].send("in 7 off")

        # One program per store: a second one, or a change, would be overwritten at the end.
        for words in ([], ["config", "set", "ghost.3.on", "true"]):
            second = subprocess.run([DAEMON, *words], env=env, capture_output=True, text=True,
                                    timeout=10)
            if second.returncode != 1 or second.stderr.count("\n") != 1 or \
                    f"pid {daemon.pid} (gloameryd)" not in second.stderr:
                fail(f"gloameryd {' '.join(words)} beside the running one: "
                     f"{second.returncode} {second.stderr!r}")

        # Changed during the run, saved at its end.
        fetch(urllib.parse.urlencode({"token": html.unescape(token), "ghost": "2",
                                      "on": "1"}).encode())
        # The door opens for 3 s; the end comes before it closes by itself.
        command(net_port, 4)
        if not wait_until(lambda: boards[0].said("output 4 on"), 5):
            fail("command 4 did not open the door")
    finally:
        daemon.send_signal(signal.SIGTERM)
        try:
            code = daemon.wait(5)
            if code != 0:
                fail(f"SIGTERM ended it with {code}")
        except subprocess.TimeoutExpired:
            daemon.kill()
            fail("SIGTERM did not end it within 5 s")
        for board in boards:
            board.stop()

    if not boards[0].said("output 4 off"):
        fail("the door output was not switched off at the end")
    if config("get", "ghost.2.on").stdout.strip() != "true":
        fail("what the page changed was not saved")
    unusable_store(env)
    if failures:
        print(log())
    shutil.rmtree(work, ignore_errors=True)


main()
print("daemon end to end:", "FAILED" if failures else "passed")
sys.exit(1 if failures else 0)
