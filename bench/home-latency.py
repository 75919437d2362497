#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Command-to-act latency of gloameryd, asked over MQTT and over the network protocol in the
same run: from the moment the command leaves the asking program to the moment the act's event
arrives from the broker (the act has chosen its ghost and its sound has started).

    bench/home-latency.py [BUILD_DIR] [ROUNDS]   (defaults: build 200)

Prints the median and the 99th percentile of each, in ms. Run it on a Release build.
"""
import os
import queue
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
from end_to_end import free_port, wait_until  # noqa: E402

BUILD = os.path.realpath(sys.argv[1] if len(sys.argv) > 1 else "build")
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 200
DAEMON = os.path.join(BUILD, "bin", "gloameryd")
SOH = b"\x01"


def lines_of(stream, into):
    for line in stream:
        into.put((time.monotonic(), line))


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def main():
    work = tempfile.mkdtemp(prefix="gloamery-latency-")
    mqtt_port, net_port = free_port(), free_port()
    broker = subprocess.Popen(["/usr/sbin/mosquitto", "-p", str(mqtt_port)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, GLOAMERY_SETTINGS=os.path.join(work, "settings.db"),
               SDL_AUDIODRIVER="dummy", DBUS_SESSION_BUS_ADDRESS="disabled:",
               QT_LOGGING_RULES="gloamery.*=false")
    for key in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "GLOAMERY_BOARDS"):
        env.pop(key, None)
    for key, value in [("mqtt.enabled", "true"), ("mqtt.host", "127.0.0.1"),
                       ("mqtt.port", str(mqtt_port)), ("mqtt.node-id", "bench"),
                       ("net.autostart", "true"), ("net.port", str(net_port)),
                       ("net.client.Bench.password", "bench-secret"),
                       ("net.client.Bench.rights", "3"), ("ghost.1.on", "true"),
                       ("ghost.1.regime", "any-time")]:
        subprocess.run([DAEMON, "config", "set", key, value], env=env, check=True)
    daemon = subprocess.Popen([DAEMON], env=env, stderr=subprocess.DEVNULL)
    events = queue.Queue()
    sub = subprocess.Popen(["mosquitto_sub", "-p", str(mqtt_port), "-t", "gloamery/bench/act"],
                           stdout=subprocess.PIPE)
    threading.Thread(target=lines_of, args=(sub.stdout, events), daemon=True).start()
    pub = subprocess.Popen(["mosquitto_pub", "-p", str(mqtt_port), "-t",
                            "gloamery/bench/act/set", "-l"], stdin=subprocess.PIPE)
    try:
        if not wait_until(lambda: subprocess.run(
                ["mosquitto_sub", "-p", str(mqtt_port), "-t", "gloamery/bench/availability",
                 "-C", "1", "-W", "1"], capture_output=True, text=True).stdout.strip()
                == "online", 10):
            sys.exit("gloameryd did not come online")
        client = socket.create_connection(("127.0.0.1", net_port))
        client.sendall(b"login" + SOH + b"Bench" + SOH + b"bench-secret\n")
        # Its replies are not wanted, but they must not fill the socket's buffers.
        threading.Thread(target=lambda: [None for _ in iter(lambda: client.recv(65536), b"")],
                         daemon=True).start()
        time.sleep(0.5)

        def one(send):
            while not events.empty():
                events.get()
            start = time.monotonic()
            send()
            arrived, _ = events.get(timeout=5)
            return (arrived - start) * 1000

        def over_mqtt():
            pub.stdin.write(b"PRESS\n")
            pub.stdin.flush()

        def over_net():
            client.sendall(b"ExecCommand" + SOH + b"3\n")

        figures = {"mqtt": [], "network protocol": []}
        for _ in range(ROUNDS):
            figures["mqtt"].append(one(over_mqtt))
            time.sleep(0.01)
            figures["network protocol"].append(one(over_net))
            time.sleep(0.01)
        for name, values in figures.items():
            print(f"{name:17s} median {statistics.median(values):6.2f} ms   "
                  f"p99 {percentile(values, 0.99):6.2f} ms   ({len(values)} acts)")
    finally:
        for process in (pub, sub):
            process.kill()
        daemon.send_signal(signal.SIGTERM)
        daemon.wait(5)
        broker.kill()
        shutil.rmtree(work, ignore_errors=True)


main()
