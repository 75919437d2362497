#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two rooms on one MQTT broker, each a gloameryd with its own settings and SDL's disk output for
speakers. Home Assistant's view (discovery and states), one message starting both rooms, the
commands, a sensor from the home making the right ghost act, the last will after kill -9, and
both ways back after the broker restarts.

    home_end_to_end.py BIN_DIR
"""
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from end_to_end import audible, free_port, wait_until  # noqa: E402

BIN = sys.argv[1]
DAEMON = os.path.join(BIN, "gloameryd")
MOSQUITTO = "/usr/sbin/mosquitto"
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


class Broker:
    """mosquitto on a free port of 127.0.0.1, without a config file, stopped by its pid."""

    def __init__(self, work):
        self.port = free_port()
        self.log = os.path.join(work, "mosquitto.log")
        self.process = None

    def start(self):
        self.process = subprocess.Popen([MOSQUITTO, "-p", str(self.port), "-v"],
                                        stdout=open(self.log, "a"), stderr=subprocess.STDOUT)
        if not wait_until(lambda: self.retained("$SYS/broker/version") is not None, 10):
            raise RuntimeError("mosquitto did not start")

    def stop(self):
        os.kill(self.process.pid, signal.SIGTERM)
        self.process.wait(5)

    def publish(self, topic, payload, retain=False):
        subprocess.run(["mosquitto_pub", "-h", "127.0.0.1", "-p", str(self.port), "-t", topic,
                        "-m", payload] + (["-r"] if retain else []), check=True, timeout=5)

    def retained(self, topic):
        """The retained payload of `topic`, or None."""
        done = subprocess.run(["mosquitto_sub", "-h", "127.0.0.1", "-p", str(self.port), "-t",
                               topic, "-C", "1", "-W", "1"], capture_output=True, text=True)
        return done.stdout.rstrip("\n") if done.returncode == 0 else None

    def retained_under(self, filter_):
        """Every retained message under `filter_`, as {topic: payload}."""
        done = subprocess.run(["mosquitto_sub", "-h", "127.0.0.1", "-p", str(self.port), "-t",
                               filter_, "-v", "--retained-only", "-W", "1"],
                              capture_output=True, text=True)
        found = {}
        for line in done.stdout.splitlines():
            topic, _, payload = line.partition(" ")
            found[topic] = payload
        return found


class Listener:
    """Everything published while it runs, in a file."""

    def __init__(self, broker, filter_, work):
        self.path = os.path.join(work, "heard.txt")
        self.process = subprocess.Popen(
            ["mosquitto_sub", "-h", "127.0.0.1", "-p", str(broker.port), "-t", filter_, "-v"],
            stdout=open(self.path, "w"))

    def heard(self, topic):
        with open(self.path) as f:
            return [line.partition(" ")[2] for line in f.read().splitlines()
                    if line.partition(" ")[0] == topic]

    def stop(self):
        self.process.terminate()
        self.process.wait(5)


class Room:
    def __init__(self, name, broker, work):
        self.name = name
        folder = os.path.join(work, name)
        os.mkdir(folder)
        self.audio = os.path.join(folder, "speakers.raw")
        self.log_path = os.path.join(folder, "gloameryd.log")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE", "QT_LOGGING_RULES")}
        self.env.update(GLOAMERY_SETTINGS=os.path.join(folder, "settings.db"),
                        SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.audio,
                        SDL_DISKAUDIODELAY="1", DBUS_SESSION_BUS_ADDRESS="disabled:")
        for key, value in [("mqtt.enabled", "true"), ("mqtt.host", "127.0.0.1"),
                           ("mqtt.port", str(broker.port)), ("mqtt.node-id", name),
                           ("ghost.1.on", "true"), ("ghost.1.name", f"{name}-postman"),
                           ("ghost.1.specialty", "postman"), ("ghost.1.sensor", "1"),
                           ("ghost.1.regime", "any-time")]:
            done = subprocess.run([DAEMON, "config", "set", key, value], env=self.env,
                                  capture_output=True, text=True)
            if done.returncode != 0:
                fail(f"{name}: config set {key} {value}: {done.stderr.strip()}")
        self.process = subprocess.Popen([DAEMON], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=open(self.log_path, "w"))

    def log(self):
        with open(self.log_path) as f:
            return f.read()

    def end(self, how=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(how)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                fail(f"{self.name} did not end within 5 s")


REQUIRED = {"switch": ("command_topic",), "button": ("command_topic",),
            "binary_sensor": ("state_topic",), "sensor": ("state_topic",)}


def check_discovery(broker, room):
    # The configs follow "online" on the broker: wait for the last of them.
    wanted = f"homeassistant/+/{room}/+/config"
    wait_until(lambda: len(broker.retained_under(wanted)) >= 23, 5)
    configs = broker.retained_under(wanted)
    kinds = {}
    for topic, payload in configs.items():
        component = topic.split("/")[1]
        kinds[component] = kinds.get(component, 0) + 1
        config = json.loads(payload)
        missing = [key for key in REQUIRED.get(component, ("?",)) + ("unique_id", "name",
                                                                     "availability_topic",
                                                                     "device")
                   if key not in config]
        if missing:
            fail(f"{topic} lacks {missing}")
        device = config.get("device", {})
        if device.get("identifiers") != [f"gloamery_{room}"] or not device.get("sw_version"):
            fail(f"{topic}: device {device}")
    if kinds != {"switch": 9, "button": 2, "binary_sensor": 10, "sensor": 2}:
        fail(f"{room}: discovery entities {kinds}")
    return configs


def act_events(listener, room):
    return [json.loads(payload) for payload in listener.heard(f"gloamery/{room}/act")]


def main():
    if not os.path.exists(MOSQUITTO):
        fail("mosquitto is not installed (scripts/install-deps.sh installs it)")
        return
    work = tempfile.mkdtemp(prefix="gloamery-home-")
    broker = Broker(work)
    broker.start()
    listener = Listener(broker, "gloamery/#", work)
    hall, cellar = Room("hall", broker, work), Room("cellar", broker, work)
    try:
        for room in (hall, cellar):
            if not wait_until(lambda: broker.retained(f"gloamery/{room.name}/availability")
                              == "online", 10):
                fail(f"{room.name} did not come online")
            check_discovery(broker, room.name)
        if json.loads(broker.retained("homeassistant/switch/hall/ghost_1/config"))["name"] \
                != "hall-postman":
            fail("the ghost's switch is not named after the ghost")

        # One message starts every room.
        broker.publish("gloamery/all/attraction/set", "ON")
        for room in (hall, cellar):
            if not wait_until(lambda: json.loads(broker.retained(
                    f"gloamery/{room.name}/attraction") or "{}").get("state") == "ON", 5):
                fail(f"gloamery/all did not start the attraction in the {room.name}")

        before = os.path.getsize(hall.audio) if os.path.exists(hall.audio) else 0
        broker.publish("gloamery/hall/act/set", "PRESS")
        if not wait_until(lambda: any(e["trigger"] == "mqtt" and e["sounded"]
                                      for e in act_events(listener, "hall")), 5):
            fail(f"act now told no act: {act_events(listener, 'hall')}")
        if not wait_until(lambda: audible(hall.audio, before), 10):
            fail("the act asked for over MQTT was silent on the disk output")
        if act_events(listener, "cellar"):
            fail("the hall's act was told as the cellar's")

        # The doorbell of the home wakes the postman listening to it: input 7.
        broker.publish("gloamery/hall/input/7/set", "PRESS")
        if not wait_until(lambda: re.search(
                r'ghost 1 "hall-postman".*triggered by sensor input 7 \(home automation\)',
                hall.log()), 5):
            fail("input 7 from the home did not make the postman act")

        broker.publish("gloamery/cellar/ghost/2/set", "ON")
        if not wait_until(lambda: broker.retained("gloamery/cellar/ghost/2") == "ON", 5):
            fail("ghost 2 of the cellar was not switched on")
        broker.publish("gloamery/cellar/door/set", "PRESS")
        if not wait_until(lambda: "open the door refused" in cellar.log(), 5):
            fail("the door without a board was not refused in the log")
        broker.publish("gloamery/cellar/ghost/2/set", "sideways")
        if not wait_until(lambda: "sideways" in cellar.log(), 5):
            fail("a bad payload was not warned of")

        # A broker that forgets everything: both rooms come back and tell it all again.
        broker.stop()
        listener.stop()
        broker.start()
        for room in (hall, cellar):
            if not wait_until(lambda: broker.retained(f"gloamery/{room.name}/availability")
                              == "online", 15):
                fail(f"{room.name} did not come back after the broker restarted")
        check_discovery(broker, "cellar")

        # Killed: the broker says so for it; ended: it says so itself.
        hall.end(signal.SIGKILL)
        if not wait_until(lambda: broker.retained("gloamery/hall/availability") == "offline",
                          90):
            fail("the last will did not say the killed hall is offline")
        cellar.end()
        if cellar.process.returncode != 0:
            fail(f"SIGTERM ended the cellar with {cellar.process.returncode}")
        if broker.retained("gloamery/cellar/availability") != "offline":
            fail("the cellar did not say goodbye")
        done = subprocess.run([DAEMON, "config", "get", "ghost.2.on"], env=cellar.env,
                              capture_output=True, text=True)
        if done.stdout.strip() != "true":
            fail("the ghost switched over MQTT was not saved")
    finally:
        for room in (hall, cellar):
            room.end(signal.SIGKILL)
        if broker.process.poll() is None:
            broker.stop()
    if failures:
        for room in (hall, cellar):
            print(f"--- {room.name} ---\n{room.log()}")
    shutil.rmtree(work, ignore_errors=True)


main()
print("home end to end:", "FAILED" if failures else "passed")
sys.exit(1 if failures else 0)
