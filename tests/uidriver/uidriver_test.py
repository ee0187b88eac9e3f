#!/usr/bin/python3
"""The UI driver against its test dialog, both run under Wine: finding and waiting, texts and control
states, check boxes, clicks and commands, message boxes, and a picture checked with ImageMagick."""
import os
import re
import subprocess
import tempfile
import time
import unittest

SOURCE = os.environ.get("TAVRIN_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BUILD = os.environ.get("TAVRIN_BINARY_DIR", os.path.join(SOURCE, "build"))
WINE_RUN = os.path.join(SOURCE, "cmake", "wine-run.sh")
DRIVER = os.path.join(BUILD, "tools", "uidriver", "uidriver.exe")
DEMO = os.path.join(BUILD, "tests", "uidriver", "uidriver_demo.exe")
TITLE = "驱动测试"
ASK, OPTION, STATE, CLOSE = "1001", "1002", "1003", "1004"


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def driver_run(*args):
    """The driver's exit code, standard output and standard error. Without a --timeout of the caller's
    the driver waits up to 30 s for its window: a loaded machine may show the dialog late."""
    if "--timeout" not in args:
        args += ("--timeout", "30000")
    done = subprocess.run([WINE_RUN, DRIVER, *args], capture_output=True, timeout=90)
    return (done.returncode, done.stdout.decode("utf-8").replace("\r\n", "\n"),
            done.stderr.decode("utf-8", "replace"))


def driver(*args):
    return driver_run(*args)[:2]


def pixel(bmp, x, y):
    """The colour at (x, y) as ImageMagick reads the file: (r, g, b) with 8 bits each."""
    text = subprocess.run(["convert", bmp, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                          capture_output=True, text=True, check=True).stdout
    return tuple(int(v) for v in re.search(r"0,0: \((\d+),(\d+),(\d+)", text).groups())


class DemoDialog(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="uidriver-")
        self.record = os.path.join(self.folder, "demo.txt")
        self.demo = subprocess.Popen([WINE_RUN, DEMO, windows_path(self.record)],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A cold Wine takes its time for the first program.
        pid = self.wait_for_line(r"pid (\d+)", seconds=90).group(1)
        self.window = ["--title", TITLE, "--pid", pid]

    def tearDown(self):
        driver("command", *self.window, "--id", "2", "--timeout", "1000")
        try:
            self.demo.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.demo.kill()

    def lines(self):
        try:
            with open(self.record, encoding="utf-8") as record:
                return record.read().splitlines()
        except FileNotFoundError:
            return []

    def find_line(self, pattern):
        return next(filter(None, (re.fullmatch(pattern, line) for line in self.lines())), None)

    def wait_for_line(self, pattern, seconds=60):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.demo.poll() is None:
            match = self.find_line(pattern)
            if match:
                return match
            time.sleep(0.1)
        match = self.find_line(pattern)
        if match:
            return match
        self.fail("no record line %r in %r" % (pattern, self.lines()))

    def control(self, control_id):
        code, out = driver("controls", *self.window, "--id", control_id)
        self.assertEqual(code, 0)
        fields = out.rstrip("\n").split("\t")
        return dict(zip(("id", "class", "visible", "enabled", "checked", "text"), fields))

    def test_finds_the_dialog_by_caption_and_process_and_times_out_otherwise(self):
        code, out = driver("wait", *self.window)
        self.assertEqual(code, 0)
        left, top, right, bottom = map(int, out.split()[1:])
        self.assertGreater(right - left, 100)
        self.assertGreater(bottom - top, 50)
        code, out = driver("list", "--class", "#32770", "--pid", self.window[3])
        self.assertEqual(out.split("\t")[-1].strip(), TITLE)
        self.assertEqual(driver("wait", "--title", "驱动", "--timeout", "300")[0], 1)
        # A wait for a window that never comes ends by its time-out, fixed here above the 5 s default:
        # not before it (so the option is read), and within driver()'s generous 60 s however loaded
        # the machine. A loaded machine only lengthens the run, so the lower bound is safe.
        started = time.monotonic()
        self.assertEqual(driver("wait", "--title", TITLE, "--pid", "1", "--timeout", "6000")[0], 1)
        self.assertGreaterEqual(time.monotonic() - started, 6.0)

    def test_reads_texts_and_control_states(self):
        self.assertEqual(driver("text", *self.window)[1], TITLE + "\n")
        self.assertEqual(driver("text", *self.window, "--id", STATE)[1], "初始\n")
        self.assertEqual(self.control(OPTION),
                         {"id": OPTION, "class": "Button", "visible": "1", "enabled": "1", "checked": "1",
                          "text": "选项"})
        code, out = driver("controls", *self.window)
        self.assertEqual([line.split("\t")[0] for line in out.splitlines()], [ASK, OPTION, STATE, CLOSE])
        self.assertEqual(driver("text", *self.window, "--id", "4242", "--timeout", "200")[0], 1)

    def test_check_box_is_clicked_only_when_its_state_differs(self):
        self.assertEqual(driver("check", *self.window, "--id", OPTION, "--state", "0")[0], 0)
        self.wait_for_line("checked 0")
        self.assertEqual(self.control(ASK)["enabled"], "0")
        self.assertEqual(driver("text", *self.window, "--id", STATE)[1], "未选\n")
        self.assertEqual(driver("check", *self.window, "--id", OPTION, "--state", "0")[0], 0)
        self.assertEqual(driver("check", *self.window, "--id", OPTION, "--state", "1")[0], 0)
        self.wait_for_line("checked 1")
        self.assertEqual([line for line in self.lines() if line.startswith("checked")], ["checked 0", "checked 1"])
        self.assertEqual(self.control(ASK)["enabled"], "1")

    def test_message_box_from_a_click_is_read_and_answered(self):
        self.assertEqual(driver("click", *self.window, "--id", ASK)[0], 0)
        # The box shares the dialog's caption, as the installer's views do: its controls tell it apart.
        self.assertEqual(driver("text", *self.window, "--id", "65535")[1], "确定要继续吗？\n")
        self.assertEqual(driver("answer", *self.window, "--button", "No"), (0, "确定要继续吗？\n"))
        self.wait_for_line("answer 7")
        self.assertEqual(driver("command", *self.window, "--id", ASK)[0], 0)
        self.assertEqual(driver("answer", *self.window, "--button", "maybe")[0], 1)
        self.assertEqual(driver("answer", *self.window, "--button", "yes")[0], 0)
        self.wait_for_line("answer 6")
        self.assertEqual(driver("answer", *self.window, "--button", "yes", "--timeout", "300")[0], 1)

    def test_gone_waits_for_the_dialog_to_close(self):
        self.assertEqual(driver("gone", *self.window, "--timeout", "300")[0], 1)
        self.assertEqual(driver("command", *self.window, "--id", CLOSE)[0], 0)
        self.assertEqual(driver("gone", *self.window, "--timeout", "10000")[0], 0)
        self.assertEqual(self.demo.wait(timeout=60), 0)

    def test_picture_has_the_window_size_and_shows_its_background(self):
        code, out = driver("wait", *self.window)
        left, top, right, bottom = map(int, out.split()[1:])
        bmp = os.path.join(self.folder, "dialog.bmp")
        # The middle of the dialog holds no control: the dialog's own blue shows there once it has
        # painted. A window can be found before its first paint, and a loaded machine can fail a
        # capture now and then, so the picture is taken again until the blue shows, within a bound
        # that only a dialog that never paints (or a capture that always fails) reaches.
        middle, errors = None, ""
        deadline = time.monotonic() + 60
        while middle != (0, 128, 255) and time.monotonic() < deadline:
            code, _, errors = driver_run("shot", *self.window, "--out", windows_path(bmp))
            if code != 0:
                continue
            size = subprocess.run(["identify", "-format", "%w %h", bmp], capture_output=True, text=True, check=True)
            self.assertEqual(size.stdout, "%d %d" % (right - left, bottom - top))
            middle = pixel(bmp, (right - left) // 2, (bottom - top) // 2)
        self.assertEqual(middle, (0, 128, 255), errors)
        self.assertEqual(driver("shot", *self.window)[0], 1)


if __name__ == "__main__":
    unittest.main()
