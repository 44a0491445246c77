#!/usr/bin/python3
"""Drives build/plovatrix as a user would and reads it through AT-SPI as a
screen reader does: with an event loop running, so that states are cached
and kept only by the events the program sends, as Orca keeps them.

In each state (splash, compact, strip, bullish, strip after no match):
every window has a name; every focusable control that is showing has a
name that is not its value; the spinner on the panel in view shows a value;
nothing showing lies outside its window; no state read from the cache
differs from a fresh one.
Prints the events heard after Analyze and after a step of the spinner.
Run by scripts/a11y-check.sh inside Xvfb and a D-Bus session.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

S = pyatspi.STATE_SHOWING
failures = []
heard = []


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a and a.name == "Plovatrix":
            return a
    return None


def box(o):
    e = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.x + e.width, e.y + e.height)


def meets(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def value(o):
    try:
        return "%g" % o.queryValue().currentValue
    except NotImplementedError:
        pass
    try:
        t = o.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        pass
    # A list named after one of its entries is named after its pick.
    entry = pyatspi.findDescendant(o, lambda d: d.getRole() == pyatspi.ROLE_LIST_ITEM and
                                   d.name == o.name)
    if o.getRole() == pyatspi.ROLE_COMBO_BOX and entry:
        return o.name
    return ""


def describe(o):
    return "%s %r" % (o.getRoleName(), o.name)


def check(state, spinners=0):
    a, problems, read = app(), [], []
    counts = {"objects": 0, "showing": 0, "focusable": 0, "spinners": 0}
    windows = list(a)
    for w in windows:
        if not w.name:
            problems.append("window without a name: " + describe(w))
        frame = box(w)

        def walk(o):
            counts["objects"] += 1
            cached = set(o.getState().getStates())
            o.clearCache()
            states = set(o.getState().getStates())
            if cached != states:
                problems.append("stale state of %s: %s" % (describe(o), sorted(
                    str(s).replace("STATE_", "").lower() for s in cached ^ states)))
            if S in states:
                if o.getRole() == pyatspi.ROLE_SPIN_BUTTON and value(o) != "":
                    counts["spinners"] += 1
                counts["showing"] += 1
                if not meets(box(o), frame):
                    problems.append("showing outside its window: %s at %s" % (describe(o), box(o)))
                if pyatspi.STATE_FOCUSABLE in states:
                    counts["focusable"] += 1
                    read.append("%s %r = %r" % (o.getRoleName(), o.name, value(o)))
                    if not o.name or o.name == value(o):
                        problems.append("name %r, value %r: %s" % (o.name, value(o), o.getRoleName()))
            for c in o:
                walk(c)
        walk(w)
    if counts["spinners"] != spinners:
        problems.append("%d spinners with a value showing, not %d" % (counts["spinners"], spinners))
    print("%-26s windows %s; %d objects, %d showing, %d focusable and showing: %s" % (
        state, [w.name for w in windows], counts["objects"], counts["showing"], counts["focusable"],
        "ok" if not problems else "%d problems" % len(problems)))
    print("    focusable: " + "; ".join(read))
    for p in problems:
        print("    " + p)
    failures.extend(problems)


def listen(event):
    src = event.source
    try:
        what = "%s name=%r" % (src.getRoleName(), src.name)
        if src.getRole() == pyatspi.ROLE_SPIN_BUTTON:
            what += " value=%s" % value(src)
    except Exception:
        what = "(gone)"
    detail = "" if "property-change" in event.type else " %d" % event.detail1
    heard.append("%s%s: %s" % (event.type, detail, what))


def report(title):
    print("    heard after %s:" % title)
    for h in heard or ["nothing"]:
        print("      " + h)
    heard.clear()


def xdo(*args):
    subprocess.run(["xdotool", *args], check=False)
    time.sleep(0.3)


def main_window():
    wid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Plovatrix$"],
                         capture_output=True, text=True).stdout.split()
    return wid[0] if wid else ""


def click(x, y):
    xdo("mousemove", "--window", main_window(), str(x), str(y), "click", "1")


def typed(*texts):
    for i, t in enumerate(texts):
        if i:
            xdo("key", "Tab")
        xdo("type", "--delay", "40", t)


steps = [
    lambda: check("splash"),
    lambda: xdo("key", "space"),
    lambda: check("compact"),
    lambda: click(80, 44),
    lambda: check("strip"),
    lambda: (click(294, 42), typed("1.3000", "1.2000", "1.2618", "5"), xdo("key", "Tab", "End")),
    lambda: (heard.clear(), xdo("key", "alt+a")),
    lambda: (check("bullish", spinners=1), report("Analyze")),
    lambda: xdo("key", "Tab", "Tab", "Tab"),
    lambda: (heard.clear(), xdo("key", "Up")),
    lambda: report("Up on the spinner"),
    lambda: (click(294, 42), typed("1.3000", "1.2000", "1.2388")),
    lambda: (heard.clear(), xdo("key", "alt+a")),
    lambda: (report("Analyze with no match"), xdo("key", "Return")),
    lambda: check("strip after no match"),
    lambda: xdo("key", "alt+F4"),  # closed as a user closes it: the program ends
]


def run(i=0):
    try:
        steps[i]()
    except Exception as e:
        failures.append("step %d: %r" % (i, e))
        print("step %d failed: %r" % (i, e))
    if i + 1 < len(steps):
        GLib.timeout_add(1500, run, i + 1)
    else:
        pyatspi.Registry.stop()
    return False


program = subprocess.Popen(sys.argv[1:])
for kind in ["object:state-changed:showing", "object:property-change:accessible-description",
             "object:property-change:accessible-name", "object:property-change:accessible-value",
             "focus:", "window:activate"]:
    pyatspi.Registry.registerEventListener(listen, kind)
GLib.timeout_add(3000, run)
pyatspi.Registry.start()
try:
    if program.wait(timeout=10) != 0:
        failures.append("the program ended with %d" % program.returncode)
except subprocess.TimeoutExpired:
    failures.append("the program did not end when its window was closed")
    program.kill()
print("a11y-check: %s" % ("passed" if not failures else "%d problems" % len(failures)))
sys.exit(1 if failures else 0)
