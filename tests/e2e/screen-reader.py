# SPDX-License-Identifier: MIT
"""The main window as a screen reader reads it through AT-SPI: the 24 keys named by their pitch,
the 30 staff cells by their slot and what they hold, focusable; a note typed on the computer
keyboard is said with its pitch; Tab walks keys, cells and pedal, 変  換, the markers, テスト演奏
and then the restore bar's 戻す and ×, each named.

Run by screen-reader under Debian's /usr/bin/python3 (pyatspi).
Usage: screen-reader.py WINDOW_ID"""
import subprocess
import sys

import pyatspi
from gi.repository import GLib

window = sys.argv[1]
failures = []


def fail(what):
    failures.append(what)
    print("screen-reader: " + what, file=sys.stderr)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "merinkast98":
            return app
    return None


def everything(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from everything(child)


app = application()
if app is None:
    print("screen-reader: merinkast98 is not on the accessibility bus", file=sys.stderr)
    sys.exit(1)
nodes = list(everything(app))
named = {}
for node in nodes:
    named.setdefault(node.name, []).append(node)

pitches = [n + o for o in "45" for n in ["C", "C♯", "D", "D♯", "E", "F", "F♯", "G", "G♯", "A", "A♯", "B"]]
for pitch in pitches:
    keys = [k for k in named.get(pitch + " の鍵盤", []) if k.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if len(keys) != 1:
        fail("the key %s is not found once as a button (%d)" % (pitch, len(keys)))
for slot in range(1, 31):
    cells = [c for c in named.get("スロット %d: 空き" % slot, []) if c.getRole() == pyatspi.ROLE_IMAGE]
    if len(cells) != 1:
        fail("the cell of slot %d is not found once (%d)" % (slot, len(cells)))
    elif not cells[0].getState().contains(pyatspi.STATE_FOCUSABLE):
        fail("the cell of slot %d takes no focus" % slot)
for name in ["休符ペダル", "キー操作に変換", "テスト演奏", "戻す", "前回の作業を捨てる"]:
    if not named.get(name):
        fail("nothing is named %s" % name)

said = []
focused = []


def heard(event):
    if event.type.startswith("object:property-change:accessible-name"):
        said.append(event.source.name)
    elif event.type.startswith("object:state-changed:focused") and event.detail1:
        focused.append(event.source.name)


def press(*keys):
    subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "--delay", "40", *keys],
                   check=True)
    return False


def stop():
    pyatspi.Registry.stop()
    return False


pyatspi.Registry.registerEventListener(
    heard, "object:property-change:accessible-name", "object:state-changed:focused")
# Z is C4 on the computer keyboard; then Tab from the first key all the way round.
GLib.timeout_add(500, press, "z")
GLib.timeout_add(2000, press, *(["Tab"] * 96))
GLib.timeout_add(14000, stop)
pyatspi.Registry.start()

if "スロット 1: C4" not in said:
    fail("the note typed was not said with its pitch; said: %s" % said)
if said.count("スロット 1: C4") > 2:
    fail("the note typed was said %d times" % said.count("スロット 1: C4"))
# The Tab order: keys, the cells with the pedal after the first, 変換, the markers, テスト演奏,
# the restore bar.
order = ([p + " の鍵盤" for p in pitches if "♯" not in p] + [p + " の鍵盤" for p in pitches if "♯" in p]
         + ["スロット 1: C4", "休符ペダル"] + ["スロット %d: 空き" % s for s in range(2, 31)]
         + ["キー操作に変換"] + ["スロット %d を選ぶ" % s for s in range(1, 31)]
         + ["テスト演奏", "戻す", "前回の作業を捨てる"])
walked = [name for name in focused if name in order]
start = walked.index(order[1]) if order[1] in walked else -1
if start < 0 or walked[start:start + len(order) - 1] != order[1:]:
    fail("Tab walked: %s" % walked)
sys.exit(1 if failures else 0)
