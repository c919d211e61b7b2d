#!/usr/bin/python3
"""A child who cannot see plays Calcaro CM1 by ear, with the Orca screen reader.

Starts a private desktop: Xvfb with the Openbox window manager, a D-Bus session bus, the AT-SPI
bus with GSettings saying that the screen reader is on, a French locale, speech-dispatcher whose
only output module writes down each utterance instead of sounding it (the machine may have no
sound card: libao's null driver), and Orca with settings of its own. Then the game, played from
the keyboard only, as a child plays it: a series at "Niveau 1" with each kind of answer, the
series-end dialog, a question at "Niveau 3", and the quit confirmation twice ("Non", then "Oui").

Each step waits for what Orca says before the next key, the way a child waits to hear the
question; each wait ends as soon as the words come. At the end, Orca's own debug log is checked
as well: every line it sent to speech (its "SPEECH OUTPUT:" lines) is printed, and the words the
test relied on must be among them.

usage: tst_orca.py PATH-TO-calcaro
CALCARO_ORCA_LOG=DIR keeps Orca's debug log and the utterances in DIR.
"""

import os
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


def fail(message):
    print("FAIL:", message, flush=True)
    sys.exit(1)


class Desktop:
    """The servers of a private desktop with a screen reader, started and stopped together."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="calcaro-orca-")
        os.chmod(self.dir, 0o700)
        self.processes = []
        home = os.path.join(self.dir, "home")
        os.mkdir(home)
        self.env = {
            k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                         "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "QT_ACCESSIBILITY",
                         "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "LC_ALL", "LANGUAGE",
                         "SPEECHD_ADDRESS", "XDG_CONFIG_HOME", "XDG_DATA_HOME")
        }
        self.env.update(HOME=home, XDG_RUNTIME_DIR=self.dir,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        # Settings written by gsettings are read by the bus launcher.
                        GSETTINGS_BACKEND="keyfile")
        self.heard_file = os.path.join(self.dir, "heard.txt")
        self.orca_log = os.path.join(self.dir, "orca-debug.txt")
        self.orca = None
        self.log_tty = None
        self.log_copier = None

    def start(self, args, **kwargs):
        log = open(os.path.join(self.dir, os.path.basename(args[0]) + ".log"), "a")
        process = subprocess.Popen(args, env=self.env, stdout=log, stderr=log,
                                   stdin=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def run(self, args):
        subprocess.run(args, env=self.env, check=True, stdout=subprocess.DEVNULL)

    def read_line(self, fd, what):
        with os.fdopen(fd) as pipe:
            line = pipe.readline().strip()
        if not line:
            fail(what + " did not start")
        return line

    def wait(self, what, ready):
        deadline = time.monotonic() + PATIENCE
        while not ready():
            if time.monotonic() > deadline:
                fail(what)
            time.sleep(0.05)

    def french(self):
        # A French locale of its own, so that the machine's locales do not matter.
        locales = os.path.join(self.dir, "locale")
        os.mkdir(locales)
        self.run(["localedef", "-i", "fr_FR", "-f", "UTF-8",
                  os.path.join(locales, "fr_FR.UTF-8")])
        self.env.update(LOCPATH=locales, LANG="fr_FR.UTF-8", LANGUAGE="fr")

    def display(self):
        read_end, write_end = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                    "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        self.env["DISPLAY"] = ":" + self.read_line(read_end, "Xvfb")

        read_end, write_end = os.pipe()
        self.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                    "--print-address=%d" % write_end], pass_fds=(write_end,))
        os.close(write_end)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.read_line(read_end, "dbus-daemon")

        # Openbox says on the root window that it manages the screen.
        self.start(["openbox", "--sm-disable"])
        self.wait("Openbox did not start", lambda: subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
            capture_output=True, text=True).stdout.find("window id") >= 0)

        for key in ("screen-reader-enabled",):
            self.run(["gsettings", "set", "org.gnome.desktop.a11y.applications", key, "true"])
        self.run(["gsettings", "set", "org.gnome.desktop.interface", "toolkit-accessibility",
                  "true"])
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.wait("the accessibility bus did not start", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True,
            text=True).stdout.find("string") >= 0)

    def speech(self):
        # speech-dispatcher with one output module, a generic one that writes each utterance on
        # a line of its own; its audio output is libao's null driver.
        config = os.path.join(self.dir, "speech-dispatcher")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(self.env["HOME"], ".libao"), "w") as f:
            f.write("default_driver=null\n")
        with open(os.path.join(config, "speechd.conf"), "w") as f:
            f.write('AudioOutputMethod "libao"\n'
                    'AddModule "recorder" "sd_generic" "recorder.conf"\n'
                    'DefaultModule "recorder"\n'
                    'DefaultLanguage "fr"\n')
        with open(os.path.join(config, "modules", "recorder.conf"), "w") as f:
            f.write('GenericExecuteSynth "printf \'%%s\\\\n\' \\\'$DATA\\\' >> %s"\n'
                    'AddVoice "fr" "MALE1" "fr"\n'
                    'GenericLanguage "fr" "fr" "utf-8"\n' % self.heard_file)
        socket = os.path.join(self.dir, "speechd.sock")
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir",
                    config, "--socket-path", socket, "--pid-file",
                    os.path.join(self.dir, "speechd.pid"), "--log-dir", self.dir])
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        self.wait("speech-dispatcher did not start", lambda: os.path.exists(socket))

    def screen_reader(self):
        settings = os.path.join(self.dir, "orca")
        os.mkdir(settings)
        # Orca writes its debug log in blocks to a file, and may end before the last block is
        # out; to a terminal it writes line by line. The log goes to a pseudo-terminal, copied
        # to a file as it comes.
        master, self.log_tty = os.openpty()
        mode = termios.tcgetattr(self.log_tty)
        mode[1] &= ~termios.OPOST  # no carriage returns added
        termios.tcsetattr(self.log_tty, termios.TCSANOW, mode)

        def copy():
            with open(self.orca_log, "wb") as log:
                while True:
                    try:
                        data = os.read(master, 65536)
                    except OSError:  # every writer has closed the terminal
                        break
                    if not data:
                        break
                    log.write(data)
            os.close(master)

        self.log_copier = threading.Thread(target=copy)
        self.log_copier.start()
        self.orca = self.start(["orca", "--user-prefs", settings,
                                "--debug-file=" + os.ttyname(self.log_tty)])
        self.wait_heard(r"Lecteur d.écran activé\.?")

    def up(self):
        self.french()
        self.display()
        self.speech()
        self.screen_reader()

    def heard(self):
        try:
            with open(self.heard_file, encoding="utf-8") as f:
                return [line.rstrip("\n") for line in f]
        except FileNotFoundError:
            return []

    def wait_heard(self, pattern, since=0):
        """Waits until Orca has said words that match pattern, in the utterances from index since
        on (a sentence may reach the recorder in pieces); returns the match and the index of the
        utterance after it."""
        deadline = time.monotonic() + PATIENCE
        while True:
            lines = self.heard()[since:]
            said = ""
            ends = []  # where each utterance ends in said
            for line in lines:
                said += line.strip() + " "
                ends.append(len(said))
            match = re.search(pattern, said)
            if match:
                return match, since + next(i for i, end in enumerate(ends)
                                           if end >= match.end()) + 1
            if time.monotonic() > deadline:
                fail("Orca never said %r; it said %r" % (pattern, lines))
            time.sleep(0.05)

    def keys(self, *keys):
        self.run(["xdotool", "key", "--delay", "60"] + list(keys))

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "60", text])

    def stop_orca(self):
        """Ends Orca; returns the lines of its debug log."""
        if self.orca and self.orca.poll() is None:
            self.orca.send_signal(signal.SIGTERM)
            try:
                self.orca.wait(timeout=PATIENCE)
            except subprocess.TimeoutExpired:
                fail("Orca did not end")
        self.close_log()
        with open(self.orca_log, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()

    def close_log(self):
        if self.log_tty is not None:
            os.close(self.log_tty)
            self.log_tty = None
            self.log_copier.join()

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
        self.close_log()
        keep = os.environ.get("CALCARO_ORCA_LOG")
        if keep:
            os.makedirs(keep, exist_ok=True)
            for name in ("orca-debug.txt", "heard.txt"):
                if os.path.exists(os.path.join(self.dir, name)):
                    shutil.copy(os.path.join(self.dir, name), keep)
        shutil.rmtree(self.dir, ignore_errors=True)


QUESTION = r"(\d+) divisé par (\d+)(?:, et il reste (\d+))?\."


class Play:
    """The game as a child plays it by ear: each step waits for Orca's words before the next key.
    Every text waited for is kept, to be found again in Orca's log."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.at = 0  # the utterances heard so far
        self.expected = []

    def hear(self, pattern, keep=True):
        match, self.at = self.desktop.wait_heard(pattern, self.at)
        if keep:
            self.expected.append(match[0])
        print("heard: " + match[0], flush=True)
        return match

    def question(self):
        """Waits for the next question; returns its dividend, divisor and quotient."""
        match = self.hear(QUESTION)
        dividend, divisor = int(match[1]), int(match[2])
        remainder = int(match[3]) if match[3] else 0
        return dividend, divisor, (dividend - remainder) // divisor

    def answer(self, text):
        if text:
            self.desktop.type(text)
        self.desktop.keys("Return")


def scenario(desktop, program):
    play = Play(desktop)
    game = desktop.start([program])
    play.hear(r"Calcaro CM1 cadre\.")
    play.hear(r"Démarrer bouton\.")

    # Alt alone opens the menu bar, and Escape leaves it.
    desktop.keys("alt")
    play.hear(r"Niveau\.")
    desktop.keys("Escape")
    play.hear(r"Démarrer bouton\.")
    # "Niveau 1" and "Lent" are checked at start. Alt+D: the focus goes straight to the answer
    # box, which Orca names, and the question follows.
    start = play.at
    desktop.keys("alt+d")
    play.hear(r"Ta réponse texte\.")
    dividend, divisor, quotient = play.question()
    menu = [line for line in desktop.heard()[start:play.at] if "Niveau" in line]
    if menu:
        fail("the focus passed through the menu bar: " + repr(menu))
    # Right, wrong, and a time-out at "Lent" (10 s).
    play.answer(str(quotient))
    play.hear(r"Bonne réponse\. Score : 1 sur 1\.")
    dividend, divisor, quotient = play.question()
    play.answer(str(quotient + 1))
    play.hear(r"Non, %d divisé par %d égale %d\. Score : 1 sur 2\." %
              (dividend, divisor, quotient))
    timed_out = play.question()
    play.hear(r"Tu n'as rien répondu\. Score : 1 sur 3\.")
    for n in range(4, 11):
        play.question()
        play.answer("")
        play.hear(r"Tu n'as rien répondu\. Score : 1 sur %d\." % n, keep=n == 10)
    play.hear(r"Ton score est de 1 sur 10\.")
    # The series-end dialog reads its texts before its focused button.
    play.hear(r"Calcaro CM1 boîte de dialogue Votre score est de 1 sur 10 +"
              r"Que voulez-vous faire \?")
    play.hear(r"Continuer bouton\.")

    # "Recommencer" back to the main window, "Niveau 3" from the menus, a new series.
    desktop.keys("alt+r")
    play.hear(r"Clique sur Démarrer si tu es prêt\.")
    play.hear(r"Calcaro CM1 cadre\.", keep=False)
    desktop.keys("F10")
    play.hear(r"Niveau\.")
    desktop.keys("Down")
    play.hear(r"Niveau 1")
    desktop.keys("Down", "Down")
    play.hear(r"Niveau 3")
    desktop.keys("Return")
    desktop.keys("alt+d")
    dividend, divisor, quotient = play.question()
    if not re.search(r"et il reste", play.expected[-1]):
        fail("a question at \"Niveau 3\" without its remainder: " + play.expected[-1])
    play.answer(str(quotient))
    play.hear(r"Bonne réponse\. Score : 1 sur 1\.")
    play.question()

    # The quit confirmation: its question before its focused button; "Non" returns to the
    # answer box, which tells the question again; then "Oui" ends the game.
    desktop.keys("alt+q")
    play.hear(r"Calcaro CM1 boîte de dialogue Veux-tu vraiment quitter \?")
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
    return play.expected, "%d divisé par %d." % timed_out[:2]


def events_while_asked(log, after, question, feedback):
    """The accessibility events Orca received from the moment it said the question (the first
    time after the words after) to the moment the time-out's feedback came."""
    start = next(i for i, line in enumerate(log) if "SPEECH OUTPUT: '%s" % after in line)
    start = next(i for i in range(start, len(log)) if "SPEECH OUTPUT: '%s'" % question in log[i])
    end = next(i for i in range(start, len(log))
               if "EVENT MANAGER: object:state-changed:showing for [notification | %s" % feedback
               in log[i])
    return [line for line in log[start:end] if re.search(r"EVENT MANAGER: \S+ for ", line)]


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    desktop = Desktop()
    try:
        desktop.up()
        expected, timed_out = scenario(desktop, sys.argv[1])
        log = desktop.stop_orca()
    finally:
        desktop.down()

    # What Orca sent to speech, as its own log has it.
    spoken = [line.split("SPEECH OUTPUT: ", 1)[1] for line in log if "SPEECH OUTPUT: " in line]
    print("Orca said, in order:")
    for line in spoken:
        print("  " + line)
    said = " ".join(spoken)
    for words in expected:
        if words not in said:
            fail("Orca's log lacks %r" % words)
    # The time bar is never read out over the question and the feedback.
    if "pour cent" in said:
        fail("the time bar was read out")
    # Ten seconds of a question running out tell Orca nothing: nothing changes that a child
    # could perceive but the time bar.
    wrong = next(words for words in expected if words.startswith("Non, "))
    events = events_while_asked(log, wrong, timed_out,
                                "Tu n'as rien répondu. Score : 1 sur 3")
    print("events while a question ran out (10 s): %d" % len(events))
    if len(events) > 3:
        fail("a running question floods Orca:\n" + "\n".join(events[:40]))


if __name__ == "__main__":
    main()
