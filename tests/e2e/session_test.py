"""A user's whole session with the real program on a real X server (Xvfb), driven from outside with
X key and mouse events (xdotool): on the bare server, and under a window manager (openbox), which
owns stacking, focus and the close boxes. Each test has its own server, programs and folders."""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

TOLVAN = os.environ["TOLVAN_GUI"]
EXPECTED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")

# Centres of the controls in the main window's client area, in pixels (the form's twips / 15).
FREQ, VF0 = (52, 28), (172, 89)
XL, RL, PLUS = (320, 84), (320, 124), (224, 216)
CALCULATE, ADD_COMMENTS, SAVE_RESULTS = (324, 180), (324, 212), (324, 252)
ABOUT, EXIT = (212, 404), (332, 404)
COMMENTS_BOX, COMMENTS_OK = (156, 88), (180, 188)
# openbox's packaged theme puts the close box last in the title bar, centred this many pixels in
# from the frame's right edge and half the title bar's height down.
CLOSE_BOX_FROM_RIGHT = 10

def wait_for(condition, what, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if value := condition():
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


class Desktop:
    """An X server of its own (Xvfb) and the user's hands on it."""

    def __init__(self, home):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            display = ":" + numbers.readline().strip()
        self.env = dict(os.environ, DISPLAY=display, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        self.env.pop("QT_QPA_PLATFORM", None)

    def stop(self):
        self.server.terminate()
        self.server.wait(timeout=10)

    def run(self, *command, check=True):
        return subprocess.run(list(map(str, command)), env=self.env, check=check,
                              capture_output=True, text=True, timeout=30)

    def xdotool(self, *arguments):
        return self.run("xdotool", *arguments).stdout

    def shown(self, title):
        """The id of a visible window of that title, or None."""
        result = self.run("xdotool", "search", "--onlyvisible", "--name",
                          "^" + re.escape(title) + "$", check=False)
        return result.stdout.split()[0] if result.returncode == 0 and result.stdout else None

    def window(self, title):
        return wait_for(lambda: self.shown(title), "the window " + title)

    def gone(self, title):
        wait_for(lambda: self.shown(title) is None, title + " to close")

    def click(self, window, point):
        """Clicks at a point of the window, or of the screen when no window is given."""
        inside = ["--window", window] if window else []
        self.xdotool("mousemove", *inside, point[0], point[1], "click", "1")
        time.sleep(0.15)

    def type(self, text):
        self.xdotool("type", "--delay", "15", text)
        time.sleep(0.1)

    def key(self, *names):
        self.xdotool("key", "--delay", "50", *names)
        time.sleep(0.15)

    def replace(self, window, box, text):
        self.click(window, box)
        self.key("ctrl+a")
        self.type(text)

    def xprop(self, *arguments):
        return self.run("xprop", *arguments, check=False).stdout

    def windows_in(self, *arguments):
        """The window ids an xprop query prints, as xdotool writes them (decimal)."""
        numbers = re.findall(r"0x[0-9a-f]+", self.xprop(*arguments))
        return [str(int(number, 16)) for number in numbers]

    def active(self):
        return next(iter(self.windows_in("-root", "_NET_ACTIVE_WINDOW")), None)

    def frame(self, window):
        """Left, top, width and height of a window with the frame the window manager gave it
        (none on the bare server), and the height of that frame's title bar."""
        info = self.run("xwininfo", "-id", window).stdout
        def field(name):
            return int(re.search(name + r":\s+(-?\d+)", info).group(1))
        extents = re.findall(r"\d+", self.xprop("-id", window, "_NET_FRAME_EXTENTS"))
        left, right, top, bottom = map(int, extents) if len(extents) == 4 else (0, 0, 0, 0)
        return (field("Absolute upper-left X") - left, field("Absolute upper-left Y") - top,
                field("Width") + left + right, field("Height") + top + bottom, top)

    def close_box(self, window):
        left, top, width, _, title_bar = self.frame(window)
        return left + width - 1 - CLOSE_BOX_FROM_RIGHT, top + title_bar // 2


class WindowManager:
    """openbox with its packaged settings, managing the server's windows until stopped."""

    def __init__(self, desktop):
        self.process = subprocess.Popen(["openbox", "--sm-disable"], env=desktop.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        wait_for(lambda: self.process.poll() is not None or
                 desktop.windows_in("-root", "_NET_SUPPORTING_WM_CHECK"),
                 "openbox to manage the screen")
        if self.process.poll() is not None:
            raise AssertionError("openbox ended with status %s: %s"
                                 % (self.process.returncode, self.process.stdout.read()))

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)
        self.process.stdout.close()


class Session(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="tolvan-e2e-")
        self.desktop = Desktop(self.folder)
        self.program = os.path.join(self.folder, "tolvan")
        self.config = os.path.join(self.folder, "Tolvan_Config.xml")
        shutil.copy(TOLVAN, self.program)
        self.running = None
        self.manager = None

    def tearDown(self):
        if self.running and self.running.poll() is None:
            self.running.kill()
            self.running.wait()
        if self.manager:
            self.manager.stop()
        self.desktop.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self):
        self.running = subprocess.Popen([self.program], cwd=self.folder, env=self.desktop.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.desktop.window("Tolvan Calculator")

    def save_as(self, window, name):
        self.desktop.click(window, SAVE_RESULTS)
        self.desktop.window("Save Data To Text File")
        self.desktop.type(name)
        self.desktop.key("Return")
        path = os.path.join(self.folder, name)
        wait_for(lambda: os.path.exists(path), name)
        with open(path, "rb") as report:
            return report.read()

    def wait_until_active(self, window, what):
        if self.manager:
            wait_for(lambda: self.desktop.active() == window, what + " to be active")

    def check_the_dialog_holds_the_main_window(self, main, dialog):
        """Under the window manager: the dialog belongs to the main window and stays above it;
        neither a click on the main window (on Exit, even) nor its close box does anything."""
        d = self.desktop
        self.assertEqual(d.windows_in("-id", dialog, "WM_TRANSIENT_FOR"), [main])
        self.wait_until_active(dialog, "the dialog")
        for window, point in ((main, EXIT), (None, d.close_box(main))):
            d.click(window, point)
            # Moving the dialog is a request openbox handles after the click: once it has moved,
            # the click has had all its effect.
            left, top = d.frame(dialog)[:2]
            d.xdotool("windowmove", dialog, left + 5, top)
            wait_for(lambda: d.frame(dialog)[0] == left + 5, "the dialog to move")
            stacking = d.windows_in("-root", "_NET_CLIENT_LIST_STACKING")  # from the bottom up
            self.assertGreater(stacking.index(dialog), stacking.index(main))
            self.assertIsNone(self.running.poll())
            self.wait_until_active(dialog, "the dialog, which takes the keys back,")

    def test_a_whole_session(self):
        self.whole_session()
        # Without a display the program says so in one line and fails.
        environment = {k: v for k, v in self.desktop.env.items() if "DISPLAY" not in k}
        ended = subprocess.run([self.program], env=environment, capture_output=True, text=True)
        self.assertEqual((ended.returncode, ended.stdout, ended.stderr),
                         (1, "", "tolvan: no display to open the window on (DISPLAY is not set)\n"))

    def test_a_whole_session_under_a_window_manager(self):
        self.manager = WindowManager(self.desktop)
        self.whole_session()

    def whole_session(self):
        d = self.desktop
        main = self.start()
        if self.manager:
            # Active, with the focus in the frequency box: typing needs no click first. Without
            # a task-bar button of its own.
            self.wait_until_active(main, "the main window")
            wait_for(lambda: "_NET_WM_STATE_SKIP_TASKBAR" in d.xprop("-id", main, "_NET_WM_STATE"),
                     "the main window to leave the task bar")
            d.key("ctrl+a")
            d.type("14.2")
        else:
            d.replace(main, FREQ, "14.2")
        first = ElementTree.parse(self.config).getroot()  # written at the start, with defaults
        self.assertEqual((first.findtext("path"), first.findtext("freq")), (self.folder, "150"))

        d.replace(main, VF0, "66")
        d.replace(main, XL, "0")
        d.replace(main, RL, "100")
        d.key("Tab", "Tab", "Return")  # from R past +/- to Calculate, which Enter presses
        d.click(main, PLUS)

        d.click(main, ADD_COMMENTS)
        comments = d.window("Comments")
        if self.manager:
            self.check_the_dialog_holds_the_main_window(main, comments)
        d.click(comments, COMMENTS_BOX)
        d.type("Cut from RG-59")
        d.key("Return")
        d.type("trim 2 mm")
        d.click(comments, COMMENTS_OK)
        d.gone("Comments")
        self.wait_until_active(main, "the main window")

        with open(os.path.join(EXPECTED, "session_report.expected"), "rb") as expected:
            self.assertEqual(self.save_as(main, "session.txt"), expected.read())

        d.click(main, ABOUT)
        information = d.window("Information")
        if self.manager:
            self.check_the_dialog_holds_the_main_window(main, information)
        d.key("Return")
        d.gone("Information")
        self.wait_until_active(main, "the main window")

        d.xdotool("windowmove", main, 200, 150)
        wait_for(lambda: d.frame(main)[:2] == (200, 150), "the window to move")
        # Under the window manager the close box ends the program, once no dialog is open.
        d.click(None, d.close_box(main)) if self.manager else d.click(main, EXIT)
        self.assertEqual(self.running.wait(timeout=20), 0)
        stored = ElementTree.parse(self.config).getroot()
        self.assertEqual(stored.findtext("path"), self.folder)
        self.assertEqual(stored.findtext("freq"), "14.2")
        self.assertEqual((stored.findtext("fs0"), stored.findtext("fs1")), ("3000", "2250"))

        # The next run starts where this one ended: inputs, report folder and place.
        main = self.start()
        self.assertEqual(d.frame(main)[:2], (200, 150))
        d.click(main, CALCULATE)
        second = self.save_as(main, "second.txt").decode()
        for line in ("Operating Frequency = 14.2 MHz", "    Velocity = 66%", "    X = 0 Ohms",
                     "    R = 100 Ohms"):
            self.assertIn("\r\n" + line + "\r\n", second)
        self.assertNotIn("RG-59", second)  # the comment lasts one run only
        d.click(main, EXIT)
        self.assertEqual(self.running.wait(timeout=20), 0)


if __name__ == "__main__":
    unittest.main()
