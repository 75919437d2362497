#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds an entry of the program's open popup menu by its caption and prints its centre on the
screen, "X Y", so that a script clicks what the entry is rather than where it once was.

A popup menu is no child of the application in the accessibility tree; it shows itself when an
entry takes the focus. So this presses Down once (xdotool), catches that focus event, and looks
through the entries of the menu it came from. Needs the program started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on a session bus whose accessibility bus is up.
Exit 1 with the captions found when none matches; exit 2 when no menu answered.
Usage: menu-entry.py CAPTION [SECONDS]
"""
import subprocess
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def entries(menu):
    for index in range(menu.get_child_count()):
        child = menu.get_child_at_index(index)
        if child is not None:
            yield child


def centre(entry):
    box = entry.get_extents(Atspi.CoordType.SCREEN)
    return box.x + box.width // 2, box.y + box.height // 2


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    caption = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 5
    menus = []

    def on_focus(event):
        source = event.source
        if event.detail1 and source is not None and source.get_role() == Atspi.Role.MENU_ITEM:
            menus.append(source.get_parent())
            Atspi.event_quit()

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), Atspi.event_quit)
    # After the listener is up, so that the event is not missed.
    GLib.idle_add(lambda: subprocess.run(["xdotool", "key", "Down"], check=False) and False)
    Atspi.event_main()
    listener.deregister("object:state-changed:focused")
    if not menus or menus[0] is None:
        print("menu-entry: no menu took the focus", file=sys.stderr)
        sys.exit(2)
    found = list(entries(menus[0]))
    for entry in found:
        if entry.get_name() == caption:
            print(*centre(entry))
            return
    names = ", ".join('"%s"' % entry.get_name() for entry in found)
    print('menu-entry: no entry "%s" in the menu; it holds %s' % (caption, names), file=sys.stderr)
    sys.exit(1)


if __name__ == "__main__":
    main()
