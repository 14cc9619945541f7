#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the real program through the AT-SPI bus, as a screen reader would.

A private bus and the AT-SPI registry are started, the program runs under
Xvfb with its accessibility on, and this script presses its buttons through
the bus: a new game, the setup's start, a throw, a keep. It checks what a
reader needs: each press returns at once (no dialog blocks it), the sheet is
a table, the player count a value, and the throw's result and the kept die
arrive as events. Exits 77 (skipped) only where the bus cannot start.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(why):
    print("SKIP: " + why)
    sys.exit(SKIP)


try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError) as error:
    skip("no AT-SPI client for Python (python3-gi, gir1.2-atspi-2.0): %s" % error)

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
program = sys.argv[1]
for tool in ("dbus-daemon", "xvfb-run"):
    if not shutil.which(tool):
        skip(tool + " is not installed")
if not os.access(LAUNCHER, os.X_OK):
    skip(LAUNCHER + " is not installed (at-spi2-core)")

home = tempfile.mkdtemp(prefix="quimba-atspi-")
children = []


def start(args, **kw):
    # Each in its own process group, so that what it starts ends with it.
    p = subprocess.Popen(args, start_new_session=True, **kw)
    children.append(p)
    return p


def stop_all():
    for p in reversed(children):
        try:
            os.killpg(p.pid, signal.SIGTERM)
            p.wait(5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
    shutil.rmtree(home, ignore_errors=True)


bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE, text=True)
address = bus.stdout.readline().strip()
if not address:
    stop_all()
    skip("the private session bus did not start")
# The accessibility bus is found through the private session bus, where the
# launcher serves its address and starts the registry; the player's own
# folders are kept out of reach.
os.environ.pop("AT_SPI_BUS_ADDRESS", None)
os.environ.update(
    {
        "DBUS_SESSION_BUS_ADDRESS": address,
        "HOME": home,
        "XDG_CONFIG_HOME": home + "/config",
        "XDG_DATA_HOME": home + "/data",
        "XDG_CACHE_HOME": home + "/cache",
        "XDG_RUNTIME_DIR": home,
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_QPA_PLATFORM": "xcb",
    }
)
start([LAUNCHER, "--launch-immediately"])

failures = []
events = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def pump(seconds, until=lambda: False):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        if until():
            return True
        time.sleep(0.02)
    return until()


def record(event):
    try:
        name = event.source.get_name()
    except GLib.Error:
        name = ""
    events.append((event.type, name, event.detail1))


try:
    Atspi.init()
    listener = Atspi.EventListener.new(record)
    for kind in (
        "object:property-change:accessible-name",
        "object:state-changed:checked",
        "object:property-change:accessible-value",
        "object:property-change:accessible-description",
    ):
        listener.register(kind)

    game = start(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", program, "--lang", "english.lan"])

    def application():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app and app.get_name() == "3DQUIMBA":
                return app
        return None

    def find(node, role, name=None, depth=0):
        if node is None or depth > 12:
            return None
        try:
            if node.get_role_name() == role and (name is None or node.get_name() == name):
                return node
            for i in range(node.get_child_count()):
                hit = find(node.get_child_at_index(i), role, name, depth + 1)
                if hit:
                    return hit
        except GLib.Error:
            return None
        return None

    def press(app, name):
        pump(10, lambda: bool(find(app, "push button", name)))
        button = find(app, "push button", name)
        if not button:
            check(False, "a button named %r" % name)
            return
        started = time.monotonic()
        Atspi.Action.do_action(button, 0)
        check(time.monotonic() - started < 2, "pressing %r returns at once" % name)

    if not pump(30, lambda: application() is not None):
        check(False, "the program reaches the accessibility bus")
        sys.exit(1)
    app = application()

    press(app, "New game")
    pump(10, lambda: bool(find(app, "spin button")))
    spin = find(app, "spin button")
    check(spin is not None, "the setup dialog's player count is a spin button")
    if spin:
        value = spin
        check(
            (Atspi.Value.get_minimum_value(value), Atspi.Value.get_current_value(value), Atspi.Value.get_maximum_value(value))
            == (2, 2, 5),
            "the player count reads 2, from 2 to 5",
        )
    press(app, "Start")

    sheet = find(app, "table", "Score sheet")
    check(sheet is not None, "the score sheet is a table named in English")
    if sheet:
        table = sheet
        rows, columns = Atspi.Table.get_n_rows(table), Atspi.Table.get_n_columns(table)
        check((rows, columns) == (17, 5), "the sheet has 17 rows and 5 columns")
        check(Atspi.Table.get_row_description(table, 11) == "3 of a kind", "a row is described by its heading")

    del events[:]
    press(app, "Throw")
    said = lambda: [n for (t, n, _) in events if t == "object:property-change:accessible-name" and n]
    told = lambda: [n for (t, n, _) in events if t == "object:property-change:accessible-description"]
    check(pump(10, lambda: "Dice table" in told()), "the throw's faces reach the bus")
    dice = find(app, "panel", "Dice table") or find(app, "image", "Dice table")
    check(dice is not None and dice.get_description().startswith("Dice table: "), "the dice table says the faces")
    die = None
    if dice:
        die = dice.get_child_at_index(0)
    check(die is not None and die.get_name().startswith("Die 1: "), "the first die is named in English")
    if die:
        del events[:]
        Atspi.Action.do_action(die, 0)
        kept = lambda: [
            d for (t, n, d) in events if t == "object:state-changed:checked" and n.startswith("Die 1") and d == 1
        ]
        check(pump(10, lambda: bool(kept())), "keeping the die reaches the bus as checked")
        check(die.get_name().endswith(", kept"), "the kept die says so")
finally:
    stop_all()

if failures:
    print("%d check(s) failed" % len(failures))
    sys.exit(1)
