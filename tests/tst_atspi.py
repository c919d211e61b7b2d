#!/usr/bin/python3
"""The program read as a screen reader reads it, over the real accessibility bus.

Starts its own Xvfb, a private D-Bus session bus and the AT-SPI bus (at-spi-bus-launcher),
then the program, and reads it with pyatspi as Orca would: during a question at "Niveau 3" the
dividend, the divisor and the remainder are readable, the answer box has the focus and describes
the question, a wrong answer's feedback arrives as a name change, and so does the score at the
end of the series. Everything it started is stopped at the end.

usage: tst_atspi.py PATH-TO-calcaro
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Bounds in seconds on waits for the other processes on a busy machine; every wait ends as soon
# as what it waits for has come.
PATIENCE = 60  # for one step
TIMEOUT = 240  # for the whole reading


def fail(message):
    print("FAIL:", message, flush=True)
    sys.exit(1)


class Servers:
    """Xvfb, a session bus and the accessibility bus, private to this test."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="calcaro-atspi-")
        os.chmod(self.dir, 0o700)
        self.processes = []
        self.env = {
            k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                         "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM")
        }
        self.env["XDG_RUNTIME_DIR"] = self.dir
        self.env["HOME"] = self.dir

    def start(self, args, **kwargs):
        log = open(os.path.join(self.dir, os.path.basename(args[0]) + ".log"), "w")
        process = subprocess.Popen(args, env=self.env, stdout=kwargs.pop("stdout", log),
                                   stderr=log, stdin=subprocess.DEVNULL,
                                   start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def up(self):
        # Xvfb picks a free display itself and writes its number on the pipe.
        read_end, write_end = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        number = self.read_line(read_end, "Xvfb")
        self.env["DISPLAY"] = ":" + number

        read_end, write_end = os.pipe()
        self.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                    "--print-address=%d" % write_end], pass_fds=(write_end,))
        os.close(write_end)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.read_line(read_end, "dbus-daemon")

        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        deadline = time.monotonic() + PATIENCE
        while time.monotonic() < deadline:
            reply = subprocess.run(
                ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                 "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                env=self.env, capture_output=True, text=True)
            if reply.returncode == 0 and "string" in reply.stdout:
                return
            time.sleep(0.1)
        fail("the accessibility bus did not start")

    def read_line(self, fd, what):
        with os.fdopen(fd) as pipe:
            line = pipe.readline().strip()
        if not line:
            fail(what + " did not start")
        return line

    def down(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


ANSWER_PROMPT = "Donne ta réponse et appuie sur ENTREE"


def read_the_game(servers, program):
    import pyatspi
    from gi.repository import GLib

    heard = []  # what the bus told: (event type, role of the source, its new text)

    def on_event(event):
        # Qt sends the changed object itself; its new text is read from it, as Orca does.
        try:
            source = event.source
            text = source.description if event.type.endswith("description") else source.name
            heard.append((event.type, source.getRoleName(), text))
        except Exception as error:  # noqa: BLE001 - an object already gone
            heard.append((event.type, "?", repr(error)))

    pyatspi.Registry.registerEventListener(
        on_event, "object:property-change:accessible-name",
        "object:property-change:accessible-description")

    outcome = {"error": None}
    steps = scenario(pyatspi, servers, program, heard)

    def step():
        try:
            delay = next(steps)
        except StopIteration:
            pyatspi.Registry.stop()
            return False
        except BaseException as error:  # noqa: BLE001 - reported below
            outcome["error"] = error
            pyatspi.Registry.stop()
            return False
        GLib.timeout_add(int(delay * 1000), step)
        return False

    def too_long():
        outcome["error"] = TimeoutError("no end after %d s" % TIMEOUT)
        pyatspi.Registry.stop()
        return False

    GLib.timeout_add(0, step)
    GLib.timeout_add_seconds(TIMEOUT, too_long)
    pyatspi.Registry.start()
    if outcome["error"] is not None:
        if isinstance(outcome["error"], SystemExit):
            raise outcome["error"]
        fail(repr(outcome["error"]))


def find(node, role, name=None, match=None):
    """The first control below node with this role and name (or whose name matches)."""
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == role and (
                (name is not None and child.name == name) or
                (match is not None and re.fullmatch(match, child.name))):
            return child
        found = find(child, role, name, match)
        if found is not None:
            return found
    return None


def press(pyatspi, control):
    actions = control.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    for wanted in ("Press", "press", "Toggle", "toggle"):
        if wanted in names:
            actions.doAction(names.index(wanted))
            return
    actions.doAction(0)


def states(pyatspi, control):
    return set(control.getState().getStates())


def scenario(pyatspi, servers, program, heard):
    """The reading, in steps; each yield waits that many seconds with the events flowing."""
    servers.start([program])
    desktop = pyatspi.Registry.getDesktop(0)
    app = None
    for _ in range(PATIENCE * 5):
        app = next((a for a in desktop if a is not None and a.name == "Calcaro"), None)
        if app is not None and find(app, "push button", "Démarrer") is not None:
            break
        yield 0.2
    if app is None:
        fail("the program never showed on the accessibility bus")

    niveau3 = find(app, "menu item", "Niveau 3")
    press(pyatspi, niveau3)
    for _ in range(PATIENCE * 10):
        if pyatspi.STATE_CHECKED in states(pyatspi, niveau3):
            break
        yield 0.1
    else:
        fail("\"Niveau 3\" could not be chosen")
    press(pyatspi, find(app, "push button", "Démarrer"))

    # The question shows at the first tick of its timer. The two figures change in the same
    # tick, but their news reaches this client one event at a time.
    dividend = divisor = None
    for _ in range(PATIENCE * 10):
        dividend = find(app, "label", match=r"Dividende \d+")
        divisor = find(app, "label", match=r"Diviseur \d+")
        if dividend is not None and divisor is not None:
            break
        yield 0.1
    if dividend is None:
        fail("the dividend never became readable")
    if divisor is None:
        fail("the divisor never became readable")
    remainder_box = find(app, "text", "Le reste")
    remainder = remainder_box.queryText().getText(0, -1)
    d = int(dividend.name.split()[1])
    v = int(divisor.name.split()[1])
    r = int(remainder)
    q = (d - r) // v
    question = "%d divisé par %d, et il reste %d" % (d, v, r)
    print("read: %s | %s | %s %s" % (dividend.name, divisor.name, remainder_box.name, remainder))

    answer = find(app, "text", "Ta réponse")
    if pyatspi.STATE_FOCUSED not in states(pyatspi, answer):
        fail("the answer box does not have the focus")
    if answer.description != question:
        fail("the answer box describes %r, not %r" % (answer.description, question))
    # ... and tells it as it appears, where the cursor already is.
    yield from wait_for(heard, ("object:property-change:accessible-description", "text",
                                question))
    print("focus: %s, %s, %s" % (answer.name, answer.getRoleName(), answer.description))

    # A wrong answer, typed through the bus; its feedback comes as a name change.
    answer.queryEditableText().setTextContents(str(q + 1))
    press(pyatspi, find(app, "push button", "Valider"))
    feedback = "Non, %d divisé par %d égale %d" % (d, v, q)  # on screen "Non, 31 : 7 = 4"
    yield from wait_for(heard, ("object:property-change:accessible-name", "label", feedback))
    print("feedback: " + feedback)

    # The rest of the series unanswered; its score comes as a name change too.
    for _ in range(9):
        told = len(heard)
        yield from wait_for(heard, ("object:property-change:accessible-name", "label",
                                    ANSWER_PROMPT), since=told)
        press(pyatspi, find(app, "push button", "Valider"))
    score = "Ton score est de 0 sur 10"
    yield from wait_for(heard, ("object:property-change:accessible-name", "label", score))
    print("end of series: " + score)
    print("heard, in order:")
    for kind, role, text in heard:
        print("  %s (%s): %s" % (kind.split(":")[-1], role, text))


def wait_for(heard, event, since=0):
    for _ in range(PATIENCE * 10):
        if event in heard[since:]:
            return
        yield 0.1
    fail("never heard %r; heard %r" % (event, heard[since:]))


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    servers = Servers()
    try:
        servers.up()
        # pyatspi finds the buses through the environment when it is imported.
        os.environ.update(servers.env)
        game_env = dict(servers.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        QT_ACCESSIBILITY="1")
        servers.env = game_env
        read_the_game(servers, sys.argv[1])
    finally:
        servers.down()


if __name__ == "__main__":
    main()
