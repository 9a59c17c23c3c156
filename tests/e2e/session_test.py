"""A user's whole session with the real programs on a real X server (Xvfb), driven only from
outside with X key and mouse events (xdotool): once on the bare server, and once under a window
manager (openbox), which owns stacking, focus and the close boxes. Each test starts and stops its
own server, window manager, programs and folders."""

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
FREQ, ZO, ZM, VF0, VF1 = (52, 28), (64, 89), (64, 145), (172, 89), (172, 145)
XL, RL, PLUS = (320, 84), (320, 124), (224, 216)
CALCULATE, ADD_COMMENTS, SAVE_RESULTS = (324, 180), (324, 212), (324, 252)
ABOUT, EXIT = (212, 404), (332, 404)
COMMENTS_BOX, COMMENTS_OK = (156, 88), (180, 188)
# openbox's packaged theme puts the close box last in the title bar, centred this many pixels in
# from the frame's right edge and half the title bar's height down.
CLOSE_BOX_FROM_RIGHT = 10

DEFAULT_CONFIG = (
    '<?xml version="1.0"?>\r\n<data>\r\n    <path>{path}</path>\r\n    <freq>150</freq>\r\n'
    "    <zo>50</zo>\r\n    <zm>75</zm>\r\n    <vo>89</vo>\r\n    <vm>66</vm>\r\n"
    "    <x>-3.5</x>\r\n    <r>55.5</r>\r\n    <fc0>10</fc0>\r\n    <fc1>10</fc1>\r\n"
    "    <fi0>10</fi0>\r\n    <fi1>10</fi1>\r\n    <fs0>10</fs0>\r\n    <fs1>10</fs1>\r\n"
    "</data>\r\n")


def wait_for(condition, what, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


class XServer:
    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            self.display = ":" + numbers.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Desktop:
    """The X server and the user's hands on it."""

    def __init__(self, server, home):
        self.env = dict(os.environ, DISPLAY=server.display, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        self.env.pop("QT_QPA_PLATFORM", None)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *map(str, arguments)], env=self.env, check=True,
                              capture_output=True, text=True, timeout=30).stdout

    def shown(self, title):
        """The id of a visible window of that title, or None."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                 "^" + re.escape(title) + "$"],
                                env=self.env, capture_output=True, text=True)
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
        return subprocess.run(["xprop", *arguments], env=self.env, capture_output=True,
                              text=True, timeout=30).stdout

    def windows_in(self, *arguments):
        """The window ids an xprop query prints, as xdotool writes them (decimal)."""
        numbers = re.findall(r"0x[0-9a-f]+", self.xprop(*arguments))
        return [str(int(number, 16)) for number in numbers]

    def active(self):
        return next(iter(self.windows_in("-root", "_NET_ACTIVE_WINDOW")), None)

    def frame(self, window):
        """Left, top, width and height of a window with the frame the window manager gave it
        (none on the bare server), and the height of that frame's title bar."""
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, check=True,
                              capture_output=True, text=True, timeout=30).stdout
        def field(name):
            return int(re.search(name + r":\s+(-?\d+)", info).group(1))
        extents = re.findall(r"\d+", self.xprop("-id", window, "_NET_FRAME_EXTENTS"))
        left, right, top, bottom = map(int, extents) if len(extents) == 4 else (0, 0, 0, 0)
        return (field("Absolute upper-left X") - left, field("Absolute upper-left Y") - top,
                field("Width") + left + right, field("Height") + top + bottom, top)

    def position(self, window):
        """Where the window's outer frame stands on the screen."""
        return self.frame(window)[:2]

    def close_box(self, window):
        left, top, width, _, title_bar = self.frame(window)
        return left + width - 1 - CLOSE_BOX_FROM_RIGHT, top + title_bar // 2


class WindowManager:
    """openbox with its packaged settings, managing the server's windows until stopped."""

    def __init__(self, desktop):
        self.log = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen(["openbox", "--sm-disable"], env=desktop.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        try:
            wait_for(lambda: self.process.poll() is not None or
                     desktop.windows_in("-root", "_NET_SUPPORTING_WM_CHECK"),
                     "openbox to manage the screen")
        except AssertionError:
            self.stop()
            raise
        if self.process.poll() is not None:
            self.log.seek(0)
            raise AssertionError("openbox ended with status %s: %s"
                                 % (self.process.returncode, self.log.read()))

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)
        self.log.close()


class Session(unittest.TestCase):
    def setUp(self):
        self.server = XServer()
        self.folder = tempfile.mkdtemp(prefix="tolvan-e2e-")
        self.desktop = Desktop(self.server, self.folder)
        self.program = os.path.join(self.folder, "tolvan")
        shutil.copy(TOLVAN, self.program)
        self.running = None
        self.manager = None

    def tearDown(self):
        if self.running and self.running.poll() is None:
            self.running.kill()
            self.running.wait()
        if self.manager:
            self.manager.stop()
        self.server.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    @property
    def config(self):
        return os.path.join(self.folder, "Tolvan_Config.xml")

    def start(self):
        self.running = subprocess.Popen([self.program], cwd=self.folder, env=self.desktop.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.desktop.window("Tolvan Calculator")

    def exit(self, window):
        self.desktop.click(window, EXIT)
        self.assertEqual(self.running.wait(timeout=20), 0)

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
        with open(self.config, "rb") as config:
            escaped = (self.folder.replace("&", "&amp;").replace("<", "&lt;")
                       .replace(">", "&gt;"))
            self.assertEqual(config.read().decode(), DEFAULT_CONFIG.format(path=escaped))

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
        wait_for(lambda: d.position(main) == (200, 150), "the window to move")
        if self.manager:  # the close box ends the program once no dialog is open
            d.click(None, d.close_box(main))
            self.assertEqual(self.running.wait(timeout=20), 0)
        else:
            self.exit(main)
        stored = ElementTree.parse(self.config).getroot()
        self.assertEqual(stored.findtext("path"), self.folder)
        self.assertEqual(stored.findtext("freq"), "14.2")
        self.assertEqual((stored.findtext("fs0"), stored.findtext("fs1")), ("3000", "2250"))

        # The next run starts where this one ended: inputs, report folder and place.
        main = self.start()
        self.assertEqual(d.position(main), (200, 150))
        d.click(main, CALCULATE)
        second = self.save_as(main, "second.txt").decode()
        for line in ("Operating Frequency = 14.2 MHz", "    Velocity = 66%", "    X = 0 Ohms",
                     "    R = 100 Ohms"):
            self.assertIn("\r\n" + line + "\r\n", second)
        self.assertNotIn("RG-59", second)  # the comment lasts one run only
        self.exit(main)

    def test_a_damaged_configuration_is_survived(self):
        damaged = {
            "truncated": DEFAULT_CONFIG.format(path="/tmp")[:120],
            "not xml": "freq = 150\nzo = 50\n",
            "wrong case": '<?xml version="1.0"?><data><FREQ>7</FREQ><ZO>60</ZO></data>',
        }
        for name, text in damaged.items():
            with self.subTest(name):
                with open(self.config, "w") as config:
                    config.write(text)
                self.exit(self.start())
                root = ElementTree.parse(self.config).getroot()
                self.assertEqual(root.tag, "data")
                default = ElementTree.fromstring(DEFAULT_CONFIG.format(path=""))
                names = [child.tag for child in root]
                for element in default:
                    self.assertIn(element.tag, names)
                if name == "wrong case":  # the values were loaded, and stored back at exit
                    self.assertEqual(root.findtext("freq"), "7")
                    self.assertEqual(root.findtext("zo"), "60")
                else:
                    self.assertEqual(root.findtext("freq"), "150")


if __name__ == "__main__":
    unittest.main()
