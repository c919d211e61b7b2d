#!/usr/bin/python3
"""A child who cannot see plays Calcaro CM1 by ear, with the Orca screen reader.

On the private desktop that tests/session.sh (home, folders, a D-Bus session) and
tests/x11desktop.sh (Xvfb and Openbox) give it, it starts the AT-SPI bus with GSettings saying that
the screen reader is on, a French locale, speech-dispatcher whose only output module writes each
utterance down (audio: libao's null driver), and Orca with settings of its own. The game is
played from the keyboard, each key once Orca has said what a child waits for; what Orca said is
read from its debug log (its "SPEECH OUTPUT:" lines), which Orca writes to a terminal, so line
by line, whatever way it ends.

With --browser, the same child plays the web page, opened from disk in firefox-esr (or chromium)
on the same desktop.

usage: session.sh bash x11desktop.sh tst_orca.py PATH-TO-calcaro
       session.sh bash x11desktop.sh tst_orca.py --browser PATH-TO-firefox-esr|PATH-TO-chromium PAGE
"""

import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import threading
import time

PATIENCE = 60  # seconds: a bound on each wait that only a fault reaches
QUESTION = r"(\d+) divisé par (\d+)(?:, et il reste (\d+))?\."
# The game draws from the wall clock. Stopped at this time (in seconds: the program's clock counts
# nanoseconds), the draws of the first series at "Niveau 1" give question 4 the same division as
# question 3. The page's clock is stopped as in the browser tests, by their preload.mjs, run by
# node (CALCARO_NODE).
STOPPED_CLOCK_S = 1577836960
PRELOAD = os.path.join(os.path.dirname(__file__), "browser", "preload.mjs")
# libfaketime's, which stops the program's wall clock and leaves its timers' clock alone.
FAKETIME_LIBRARY = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"

# A private Firefox that shows the page alone and asks nothing of the network (checked with strace:
# not one name looked up): no first-run, welcome, privacy or terms pages, no default-browser
# question, no hidden new tab, no session to restore; no updates, telemetry, studies, push,
# safe-browsing lists, region or location lookups, sponsored tiles, and remote settings sent to a
# closed port (with MOZ_REMOTE_SETTINGS_DEVTOOLS, below); a proxy that refuses behind all that.
# The browser tests start Firefox with the same.
# Chromium, the same: the browser tests' flags.
with open(os.path.join(os.path.dirname(__file__), "browser", "firefox-prefs.json")) as f:
    FIREFOX_PREFS = json.load(f)
with open(os.path.join(os.path.dirname(__file__), "browser", "chromium-flags.json")) as f:
    CHROMIUM_FLAGS = json.load(f)


def fail(message):
    print("FAIL:", message, flush=True)
    sys.exit(1)


class Desktop:
    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="calcaro-orca-")
        self.processes, self.log, self.spoken = [], [], []
        if not all(name in os.environ for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                    "CALCARO_SESSION")):
            fail("not on a private desktop: run it as session.sh bash x11desktop.sh tst_orca.py")
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(
            ("WAYLAND", "AT_SPI", "QT_", "LC_", "LANG", "SPEECHD"))}
        self.env["GSETTINGS_BACKEND"] = "keyfile"

    def path(self, name):
        return os.path.join(self.dir, name)

    def start(self, args, env=None, **kwargs):
        log = open(self.path(os.path.basename(args[0]) + ".log"), "a")
        self.processes.append(subprocess.Popen(
            args, env=env or self.env, stdout=log, stderr=log, stdin=subprocess.DEVNULL,
            start_new_session=True, **kwargs))
        return self.processes[-1]

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True).stdout

    def wait(self, what, ready):
        deadline = time.monotonic() + PATIENCE
        while not ready():
            if time.monotonic() > deadline:
                fail(what)
            time.sleep(0.05)

    def up(self, orca_settings=""):
        # The French locale is built here, whatever locales the machine has.
        self.run("localedef", "-i", "fr_FR", "-f", "UTF-8", self.path("fr_FR.UTF-8"))
        self.env.update(LOCPATH=self.dir, LANG="fr_FR.UTF-8", LANGUAGE="fr")
        self.run("gsettings", "set", "org.gnome.desktop.a11y.applications",
                 "screen-reader-enabled", "true")
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.wait("the accessibility bus did not start", lambda: "string" in self.run(
            "dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
            "org.a11y.Bus.GetAddress"))

        os.makedirs(self.path("speechd/modules"))
        with open(os.path.join(self.env["HOME"], ".libao"), "w") as f:
            f.write("default_driver=null\n")
        with open(self.path("speechd/speechd.conf"), "w") as f:
            f.write('AudioOutputMethod "libao"\nAddModule "recorder" "sd_generic" "rec.conf"\n'
                    'DefaultModule "recorder"\nDefaultLanguage "fr"\n')
        with open(self.path("speechd/modules/rec.conf"), "w") as f:
            f.write('GenericExecuteSynth "printf \'%%s\\\\n\' \\\'$DATA\\\' >> %s"\n'
                    'AddVoice "fr" "MALE1" "fr"\nGenericLanguage "fr" "fr" "utf-8"\n'
                    % self.path("heard.txt"))
        socket = self.path("speechd.sock")
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir",
                    self.path("speechd"), "--socket-path", socket, "--log-dir", self.dir])
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        self.wait("speech-dispatcher did not start", lambda: os.path.exists(socket))

        master, self.log_tty = os.openpty()
        mode = termios.tcgetattr(self.log_tty)
        mode[1] &= ~termios.OPOST  # lines end as Orca writes them
        termios.tcsetattr(self.log_tty, termios.TCSANOW, mode)
        self.reader = threading.Thread(target=self.read_log, args=(master,))
        self.reader.start()
        os.mkdir(self.path("orca"))
        if orca_settings:
            with open(self.path("orca/orca-customizations.py"), "w") as f:
                f.write("import orca.settings\n" + orca_settings)
        # Orca will not start beside another Orca of the same user, which it looks for with pgrep;
        # this one has a desktop and buses of its own, and is shown none, so that it leaves a
        # screen reader the user runs, or another test's, alone.
        os.mkdir(self.path("bin"))
        with open(self.path("bin/pgrep"), "w") as f:
            f.write("#!/bin/sh\nexit 1\n")
        os.chmod(self.path("bin/pgrep"), 0o755)
        self.orca = self.start(["/usr/bin/python3", "/usr/bin/orca", "--user-prefs", self.path("orca"),
                                "--debug-file=" + os.ttyname(self.log_tty)],
                               env=dict(self.env, PATH=self.path("bin") + ":" + self.env["PATH"]))
        self.wait_heard(r"Lecteur d.écran activé\.", 0)

    def read_log(self, master):
        rest = b""
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:  # Orca has ended and the terminal is closed
                break
            lines = (rest + data).split(b"\n")
            rest = lines.pop()
            for line in (l.decode("utf-8", "replace") for l in lines):
                self.log.append(line)
                said = re.search(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)? ?\{.*\}$", line)
                if said:
                    self.spoken.append(said[1].strip())
        os.close(master)

    def wait_heard(self, pattern, since):
        """Waits until Orca says words that match pattern, from its utterance since on; returns
        the match and the number of utterances up to it."""
        deadline = time.monotonic() + PATIENCE
        while True:
            for i in range(since, len(self.spoken)):
                match = re.fullmatch(pattern, self.spoken[i])
                if match:
                    return match, i + 1
            if time.monotonic() > deadline:
                fail("Orca never said %r; it said %r" % (pattern, self.spoken[since:]))
            time.sleep(0.05)

    def keys(self, *keys):
        for key in keys:
            # Modifiers held around the key, as fingers do: xdotool alone lets them go first, and
            # Orca, in a web page, takes the bare key's release for one of its own commands.
            *held, key = key.split("+")
            self.run("xdotool", *(["keydown", *held] if held else []), "key", "--delay", "60",
                     key, *(["keyup", *held] if held else []))

    def type(self, text):
        self.run("xdotool", "type", "--delay", "60", text)

    def browser(self, program, page):
        """Starts Firefox, or Chromium, on the page, with a profile of its own and the screen
        reader's interfaces on."""
        profile = self.path("browser")
        url = pathlib.Path(stopped_clock_page(page, self.path("calcaro.html"))).as_uri()
        self.env["GNOME_ACCESSIBILITY"] = "1"
        if "chromium" in os.path.basename(program):
            os.makedirs(os.path.join(profile, "Default"))
            with open(os.path.join(profile, "Default", "Preferences"), "w") as f:
                json.dump({"translate": {"enabled": False}}, f)  # no offer to translate French
            return self.start([program, "--user-data-dir=" + profile, "--kiosk",
                               "--force-renderer-accessibility", "--no-default-browser-check",
                               "--proxy-server=127.0.0.1:9", *CHROMIUM_FLAGS, url] +
                              (["--no-sandbox"] if os.geteuid() == 0 else []))
        os.mkdir(profile)
        with open(os.path.join(profile, "user.js"), "w") as f:
            for name, value in FIREFOX_PREFS.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.env.update(MOZ_CRASHREPORTER_DISABLE="1", MOZ_REMOTE_SETTINGS_DEVTOOLS="1")
        return self.start([program, "--no-remote", "--new-instance", "--kiosk",
                           "--profile", profile, url])

    def down(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
                if process is getattr(self, "orca", None):
                    # Orca's Python sees the signal once its main loop hands it an event: a key is
                    # one, where a browser that has gone leaves it waiting.
                    self.keys("shift")
            try:
                process.wait(timeout=PATIENCE)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        if hasattr(self, "log_tty"):
            os.close(self.log_tty)
            self.reader.join()
        shutil.rmtree(self.dir, ignore_errors=True)


def stopped_clock_page(page, copy):
    """A copy of the page whose Date.now is stopped: a script of its own before the page's, which
    the page's policy lets in by its hash."""
    done = subprocess.run([os.environ.get("CALCARO_NODE", "node"), PRELOAD, page, copy],
                          capture_output=True, text=True)
    if done.returncode:
        fail("the page's clock could not be stopped: " + done.stderr)
    return copy


class Play:
    """A child playing by ear: each step waits for Orca's words before the next key."""

    def __init__(self, desktop):
        self.desktop, self.at, self.words = desktop, 0, ""

    def hear(self, pattern):
        match, self.at = self.desktop.wait_heard(pattern, self.at)
        return match

    def question(self):
        """The next question's dividend, divisor and quotient, once Orca has said it."""
        match = self.hear(QUESTION)
        self.words = match[0]
        dividend, divisor, remainder = (int(n or 0) for n in match.groups())
        return dividend, divisor, (dividend - remainder) // divisor

    def answer(self, text):
        if text:
            self.desktop.type(text)
        self.desktop.keys("Return")


def events_between(log, first, last):
    """The accessibility events Orca received from the log line with first to the one with last."""
    start = next(i for i, line in enumerate(log) if first in line)
    end = next(i for i in range(start, len(log)) if last in log[i])
    return [line for line in log[start:end] if re.search(r"EVENT MANAGER: \S+ for ", line)]


def scenario(desktop, play, program):
    # AddressSanitizer's runtime, in a sanitizer build, must come before any library preloaded.
    asan = re.search(r"=> (\S*/libasan\.so\S*)", desktop.run("ldd", program))
    game = desktop.start([program], env=dict(
        desktop.env, LD_PRELOAD=":".join(([asan[1]] if asan else []) + [FAKETIME_LIBRARY]),
        FAKETIME_FMT="%s", FAKETIME=str(STOPPED_CLOCK_S), DONT_FAKE_MONOTONIC="1"))
    play.hear(r"Calcaro CM1 cadre\.")
    play.hear(r"Démarrer bouton\.")

    # "Niveau 1" and "Lent" from the start. Alt+D: the focus goes straight to the answer box,
    # which Orca names, and the question follows; then right, wrong and a time-out (10 s).
    start = play.at
    desktop.keys("alt+d")
    play.hear(r"Ta réponse texte\.")
    dividend, divisor, quotient = play.question()
    if any("Niveau" in words for words in desktop.spoken[start:play.at]):
        fail("the focus passed through the menu bar: %r" % desktop.spoken[start:play.at])
    play.answer(str(quotient))
    play.hear(r"Bonne réponse\. Score : 1 sur 1\.")
    dividend, divisor, quotient = play.question()
    play.answer(str(quotient + 1))
    play.hear(r"Non, %d divisé par %d égale %d\. Score : 1 sur 2\." %
              (dividend, divisor, quotient))
    mark = len(desktop.log)
    play.question()
    play.hear(r"Tu n'as rien répondu\. Score : 1 sur 3\.")
    quiet = events_between(desktop.log[mark:], "SPEECH OUTPUT: '%s'" % play.words,
                           "for [label | Tu n'as rien répondu]")
    third = play.words
    for n in range(4, 11):
        play.question()
        if n == 4 and play.words != third:
            fail("with the clock stopped, question 4 should repeat question 3 (%r), not %r"
                 % (third, play.words))
        play.answer("")
        play.hear(r"Tu n'as rien répondu\. Score : 1 sur %d\." % n)
    play.hear(r"Ton score est de 1 sur 10\.")
    play.hear(r"Calcaro CM1 boîte de dialogue Votre score est de 1 sur 10 +"
              r"Que voulez-vous faire \?")
    play.hear(r"Continuer bouton\.")

    # "Recommencer", "Niveau 3" from the menus, and a new series.
    desktop.keys("alt+r")
    play.hear(r"Clique sur Démarrer si tu es prêt\.")
    play.hear(r"Calcaro CM1 cadre\.")
    desktop.keys("F10")
    play.hear(r"Niveau\.")
    desktop.keys("Down")
    play.hear(r"Niveau 1 cochée\.")
    desktop.keys("Down", "Down")
    play.hear(r"Niveau 3\.")
    desktop.keys("Return", "alt+d")
    dividend, divisor, quotient = play.question()
    if "et il reste" not in desktop.spoken[play.at - 1]:
        fail("a question at \"Niveau 3\" without its remainder")
    play.answer(str(quotient))
    play.hear(r"Bonne réponse\. Score : 1 sur 1\.")
    play.question()

    # The quit confirmation says its question before its focused button; "Non" returns to the
    # answer box, which says the question again; then "Oui" ends the game.
    desktop.keys("alt+q")
    play.hear(r"Calcaro CM1 boîte de dialogue Veux-tu vraiment quitter \? .*")
    play.hear(r"Non bouton\.")
    desktop.keys("Return")
    play.hear(r"Ta réponse texte\.")
    play.question()
    desktop.keys("alt+q")
    play.hear(r"Non bouton\.")
    desktop.keys("Tab")
    play.hear(r"Oui bouton\.")
    desktop.keys("Return")
    try:
        game.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        fail("\"Oui\" did not end the game")
    return quiet


def browser_scenario(desktop, play, program, page):
    desktop.browser(program, page)
    play.hear(r"Démarrer bouton\.")

    # A whole series at "Niveau 1" and "Lent": right, wrong, one left to time out, then right.
    desktop.keys("alt+d")
    play.hear(r"Ta réponse zone de saisie\.")
    score, asked = 0, []
    for n in range(1, 11):
        dividend, divisor, quotient = play.question()
        asked.append(play.words)
        if n == 4 and asked[3] != asked[2]:
            fail("with the clock stopped, question 4 should repeat question 3: %r" % asked)
        if n == 2:
            play.answer(str(quotient + 1))
            play.hear(r"Non, %d divisé par %d égale %d\. Score : %d sur 2\.?" %
                      (dividend, divisor, quotient, score))
        elif n == 3:
            play.hear(r"Tu n'as rien répondu\. Score : %d sur 3\.?" % score)
        else:
            play.answer(str(quotient))
            score += 1
            play.hear(r"Bonne réponse\. Score : %d sur %d\.?" % (score, n))
    play.hear(r"Ton score est de 8 sur 10\.?")
    play.hear(r"Calcaro CM1 boîte de dialogue Votre score est de 8 sur 10 +"
              r"Que voulez-vous faire \?")
    play.hear(r"Continuer bouton\.")

    desktop.keys("alt+r")
    play.hear(r"Clique sur Démarrer si tu es prêt\.")
    desktop.keys("alt+d")
    play.question()
    asked = play.words

    # The quit confirmation; "Non" returns to the answer box, which says the question again.
    desktop.keys("alt+q")
    play.hear(r"Calcaro CM1 boîte de dialogue Veux-tu vraiment quitter \?.*")
    play.hear(r"Non bouton\.")
    desktop.keys("Return")
    play.hear(r"Ta réponse zone de saisie\.")
    dividend, divisor, quotient = play.question()
    if play.words != asked:
        fail("back from the quit confirmation, another question: %r, not %r" % (play.words, asked))
    play.answer(str(quotient))
    play.hear(r"Bonne réponse\. Score : 1 sur 1\.?")
    play.question()
    desktop.keys("alt+q")
    play.hear(r"Non bouton\.")
    desktop.keys("shift+Tab")
    play.hear(r"Oui bouton\.")
    desktop.keys("Return")
    play.hear(r".*À bientôt !.*")
    play.hear(r"Rejouer bouton\.")

    # What the game reads out is said once: a question, a feedback or the answer box twice in a
    # row is the page telling Orca twice.
    told = [words for words in desktop.spoken if re.fullmatch(
        QUESTION + r"|(?:Bonne réponse|Non, |Tu n'as rien|Ton score|Ta réponse).*", words)]
    for said, again in zip(told, told[1:]):
        if said == again:
            fail("Orca said %r twice" % said)


def main():
    browser = sys.argv[1:2] == ["--browser"]
    if len(sys.argv) != (4 if browser else 2):
        fail(__doc__)
    desktop = Desktop()
    try:
        # Orca reads a loaded page through, a piece each time the synthesizer is done with the
        # last; the recorder is done at once, and such a reading overtaken by the page's focus on
        # "Démarrer" has been seen to stay "in Say All" for good, out of focus mode, the digits
        # typed then taken for browsing commands. The child starts from the focused button.
        desktop.up("orca.settings.sayAllOnLoad = False\n" if browser else "")
        if browser:
            quiet = browser_scenario(desktop, Play(desktop), *sys.argv[2:])
        else:
            quiet = scenario(desktop, Play(desktop), sys.argv[1])
    finally:
        desktop.down()
        print("Orca said:\n  " + "\n  ".join(desktop.spoken), flush=True)
        # Orca's whole debug log, which holds the events it was told of, where a run is looked into.
        if os.environ.get("CALCARO_ORCA_DEBUG"):
            with open(os.environ["CALCARO_ORCA_DEBUG"], "w", encoding="utf-8") as f:
                f.writelines(line + "\n" for line in desktop.log)
    # The time bar never talks over the question or the feedback, and a question running out
    # (ten seconds of it) tells Orca nothing.
    if any("pour cent" in words for words in desktop.spoken):
        fail("the time bar was read out")
    if browser:
        return
    print("events while a question ran out: %d" % len(quiet))
    if len(quiet) > 3:
        fail("a running question floods Orca:\n" + "\n".join(quiet[:40]))


if __name__ == "__main__":
    main()
