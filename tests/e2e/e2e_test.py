#!/usr/bin/python3
"""End-to-end tests of the installer: the real executable under Wine and Xvfb, driven through the
UI driver, against the local test service. One scenario per run: e2e_test.py SCENARIO [ENGINE]."""
import os
import re
import shutil
import subprocess
import sys
import time

from installer_run import (BUILD, INSTALLER, ID_AGREEMENT, ID_CANCEL_LINK, ID_FINISH, ID_INSTALL, ID_MAIN_CANCEL,
                           ID_UPGRADE, INSTALL_TITLE, MAIN_CLASS, NEWEST, SERVICE, SETUP, STATE, TIME_SCALE,
                           UNINSTALL_KEY, InstallerRun, end_installers, install_window, progress_window, wine_path)
from skin_probes import JPEG_TOLERANCE, TOLERANCE, capture, close, picture_pixel, probe

SHOTS = os.path.join(BUILD, "e2e", "screenshots")
PROBES = os.path.join(BUILD, "e2e", "probes")
HOME_PAGE = SERVICE + "/home"
SUCCESS_EVENTS = [("UPE_ONLINE_DOWN_OK", "在线下载成功 "), ("INSTALL_OK", "安装成功")]
RETRY_EVENTS = [("UPE_ONLINE_DOWN_OK", "在线下载成功 "), ("UPE_ONLINE_DOWN_ERROR", "在线下载失败"),
                ("INSTALL_ERROR", "安装失败")]


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def expect_equal(expected, actual, what):
    expect(expected == actual, "%s: expected %r, got %r" % (what, expected, actual))


def expect_colour(run, window, name, point, expected, tolerance, what, verb=("shot",), prepare=None):
    """expected: one colour, or a list of colours any of which may show. verb: how the window is
    captured (see skin_probes.capture); prepare: what is done before each capture."""
    choices = expected if isinstance(expected, list) else [expected]
    for choice in choices:
        ok, seen = probe(run, window, PROBES, name, point, choice, tolerance, verb,
                         attempts=30 if len(choices) == 1 else 3, prepare=prepare)
        if ok:
            return
    raise Failure("%s: expected %s at %s, saw %s" % (what, expected, point, seen))


def expect_button_faces(run, window, name, origin, picture, width, away_id, hover=True):
    """A point of a button's face in its normal look (the pointer first put on control away_id) and,
    with the pointer over it, its hover look: the button's picture holds the looks side by side, each
    one button wide."""
    point = (origin[0] + 15, origin[1] + 10)
    run.ui("hover", *window[:2], "--id", str(away_id))
    expect_colour(run, window, name + "_normal", point, picture_pixel(picture, 15, 10), TOLERANCE,
                  name + " button face")
    if hover:
        # Each try brings the pointer onto the button afresh: a move that the window system lost, or
        # a leave it reported late, spoils one capture only.
        def onto_button():
            run.ui("hover", *window[:2], "--id", str(away_id))
            expect(run.ui("hover", *window)[0], name + " button cannot be hovered")

        expect_colour(run, window, name + "_hover", point, picture_pixel(picture, width + 15, 10), TOLERANCE,
                      name + " button face under the pointer", prepare=onto_button)


def install_events(run):
    return [e for e in run.service.stat_events() if e[0] in ("UPE_ONLINE_DOWN_OK", "UPE_ONLINE_DOWN_ERROR",
                                                            "INSTALL_OK", "INSTALL_ERROR")]


def finish_and_check(run, mode, folder, shot_prefix):
    """From the progress view to the end: the finish button, then every outcome of an install."""
    expect(run.ui("wait", *install_window(ID_FINISH), timeout_ms=60000)[0], "finish view did not appear")
    run.shot(install_window(ID_FINISH), shot_prefix + "finish_view", SHOTS)
    if not shot_prefix:
        expect_colour(run, install_window(ID_FINISH), "finish_title", (420, 50),
                      picture_pixel("hero_finish.png", 420, 50), TOLERANCE, "finish view title bar")
        expect_button_faces(run, install_window(ID_FINISH), "finish", (185, 250), "btn_finish.png", 194, 2032,
                            hover=False)
    ok, said = run.ui("click", *install_window(ID_FINISH))
    expect(ok, "finish button not clickable: " + said)
    expect_equal(0, run.wait_exit(60), "installer exit code")
    # Requests the installer made before it ended may still be in the service's hands.
    run.service.idle()

    expect_equal(['/S /V=U /I="%s"' % folder], run.record_lines("setup-runs.txt"), "setup arguments")
    # The product and the browser are processes of their own, which may still be starting.
    expect(wait_until(lambda: run.record_lines("Tavrin.exe.started"), 60), "product was not started")
    expect(wait_until(lambda: any(HOME_PAGE in url for url in run.record_lines("browser-urls.txt")), 60),
           "home page not opened")
    reports = run.service.records("report")
    expect_equal(1, len(reports), "install reports")
    expect_equal((NEWEST, "1001"), (reports[0].get("version"), reports[0].get("channel")),
                 "reported version and channel (the setup writes channel 1001)")
    expect_equal(SUCCESS_EVENTS, install_events(run), "statistics events")
    check_launch_and_exit_reports(run)


def check_launch_and_exit_reports(run):
    """The launch report comes first and the exit report last, each naming the installer's own
    version (its resource says "1, 0, 0, 1") and the channel "official"."""
    documents = [r.get("document") or {} for r in run.service.records("stat")]
    expect(len(documents) >= 2, "launch and exit reports missing")
    expect_equal("0", documents[0].get("act_log", {}).get("close_time"), "launch report first")
    expect(documents[-1].get("act_log", {}).get("close_time") not in (None, "0"), "exit report last")
    for document in documents:
        expect_equal({"ver": "1.0.0.1", "channel": "official"},
                     {k: document.get("dev_info", {}).get(k) for k in ("ver", "channel")}, "reporting program")


def wait_until(condition, seconds):
    """Polls condition until it holds; False when the generous bound passes first."""
    deadline = time.monotonic() + seconds * TIME_SCALE
    while not condition():
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.2)
    return True


def size_line(run, mode):
    return run.ui("text", *progress_window(mode), "--id", "2015")[1]


def started_fresh_install(name, engine, throttle):
    """The installer started on a machine without the product, the package served at a rate."""
    run = InstallerRun("%s%d" % (name, engine), engine)
    run.uninstall()
    run.serve_package()
    run.service.set(pkg__throttle=str(throttle))
    return run.start()


ID_OPTIONS = 2023
VK_RETURN, VK_ESCAPE = 0x0D, 0x1B


def control_state(run, control_id):
    """(visible, enabled) of one control of the install view, (None, None) when it has none."""
    for line in run.ui("controls", *install_window(control_id))[1].splitlines():
        fields = line.split("\t")
        if len(fields) >= 4 and fields[0] == str(control_id):
            return fields[2] == "1", fields[3] == "1"
    return None, None


def check_install_view(run, mode):
    """The install view of a normal install: the main view stays hidden behind it, the options box
    shows only for a fresh install, Enter and Escape leave the view open, and the agreement box
    gates the install button. Leaves the agreement ticked."""
    window = install_window(ID_AGREEMENT)
    expect_equal("", run.ui("list", "--class", MAIN_CLASS)[1].strip(), "visible main view behind the install view")
    expect_equal(mode == 2, control_state(run, ID_OPTIONS)[0], "options box shown")
    if mode != 2:
        return
    for key in (VK_RETURN, VK_ESCAPE):
        expect(run.ui("key", *window, "--value", str(key))[0], "key %d not delivered" % key)
    # The check box is clicked through the same queue as the keys, so the keys have been handled by
    # the time it changes; a view they had closed would have no check box left to click.
    for ticked in (0, 1):
        expect(run.ui("check", *window, "--state", str(ticked))[0], "agreement box not set to %d" % ticked)
        expect_equal(bool(ticked), control_state(run, ID_INSTALL)[1],
                     "install button enabled with the agreement box at %d" % ticked)


def scenario_fresh(engine):
    run = started_fresh_install("fresh", engine, 150000)
    expect(run.ui("wait", *install_window(ID_INSTALL))[0], "install view did not appear")
    run.shot(install_window(ID_INSTALL), "install_view", SHOTS)
    check_install_view(run, 2)
    expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")
    if run.ui("wait", *progress_window(2), timeout_ms=10000)[0]:
        run.shot(progress_window(2), "progress_view", SHOTS)
    finish_and_check(run, 2, r"C:\Program Files\Tavrin", "")


def quote_uninstall_text(run, folder):
    """Registers the uninstaller of the product in folder the way many setups do: its path in quotes."""
    quoted = '"%s\\uninst.exe"' % folder
    run.wine("reg", "add", UNINSTALL_KEY, "/v", "UninstallString", "/d", quoted, "/f", check=True)
    listed = run.wine("reg", "query", UNINSTALL_KEY, "/v", "UninstallString").stdout
    expect(quoted in listed, "the uninstall text was not stored quoted: %r" % listed)


def scenario_reinstall(engine):
    run = InstallerRun("reinstall%d" % engine, engine)
    folder = run.preinstall()
    # The two runs cover both forms of the uninstall text: plain, and quoted.
    if engine == 1:
        quote_uninstall_text(run, folder)
    run.serve_package()
    run.start()
    expect(run.ui("wait", *install_window(ID_INSTALL))[0], "install view did not appear")
    check_install_view(run, 1)
    expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")
    # A reinstall over the installed product is an upgrade: its progress caption says so.
    expect(run.ui("wait", *progress_window(1))[0], "progress view without the upgrade caption")
    finish_and_check(run, 1, folder, "reinstall_")
    versions = [r.get("value", "") for r in run.service.records("version")]
    expect(any("ver:v2.5.0.100" in v for v in versions), "version query without the installed version: %r" % versions)


def scenario_upgrade(engine):
    run = InstallerRun("upgrade%d" % engine, engine)
    run.preinstall()
    run.serve_package()
    # The upgrade installs beside the installer: run a copy from the record folder.
    copy = os.path.join(run.records, "TavrinInstaller.exe")
    shutil.copyfile(INSTALLER, copy)
    run.start_exe(copy, "-client")
    main = ["--class", MAIN_CLASS, "--id", str(ID_UPGRADE)]
    expect(run.ui("wait", *main)[0], "upgrade window did not appear")
    run.shot(main, "main_view", SHOTS)
    expect_colour(run, main, "main_title", (250, 75), picture_pixel("header_main.bmp", 250, 75), TOLERANCE,
                  "main view title bar")
    expect_button_faces(run, main, "upgrade", (216, 278), "btn_main.png", 87, 2003)
    expect(run.ui("click", *main)[0], "upgrade button not clickable")
    finish_and_check(run, 0, wine_path(run.records) + "\\", "upgrade_")


def scenario_check_fails_then_passes(engine):
    run = InstallerRun("retry%d" % engine, engine)
    run.uninstall()
    run.serve_package()
    served = os.path.join(STATE, "pkg-files", "TavrinSetup.exe")
    good = served + ".good"
    shutil.copyfile(served, good)
    # The first package differs in its first byte only; the host reads the file block by block, so
    # once that byte has gone out the sound file takes its place for the rest and the next attempt.
    with open(served, "r+b") as damaged:
        first = damaged.read(1)
        damaged.seek(0)
        damaged.write(bytes([first[0] ^ 0xFF]))
    run.service.set(pkg__throttle="100000")
    run.start()
    expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")
    # Wait until more than a kilobyte has arrived (the window's first text "已下载：0 MB 共：0 MB" does
    # not count), so the damaged byte has surely gone out; the line also proves its own format.
    received = re.compile(r"已下载：[0-9.]+[KMG]B 共：[0-9.]+(?:[KMG]B|Byte)\s*")
    deadline = time.monotonic() + 120 * TIME_SCALE
    shown = ""
    while time.monotonic() < deadline and not received.fullmatch(shown):
        time.sleep(0.3)
        shown = size_line(run, 2)
    os.replace(good, served)
    expect(received.fullmatch(shown), "size line never showed a download under way: %r" % shown)
    finish_and_check_retry(run)


def finish_and_check_retry(run):
    expect(run.ui("wait", *install_window(ID_FINISH), timeout_ms=90000)[0], "finish view did not appear")
    run.ui("click", *install_window(ID_FINISH))
    expect_equal(0, run.wait_exit(60), "installer exit code")
    run.service.idle()
    expect_equal(RETRY_EVENTS + SUCCESS_EVENTS, install_events(run), "statistics events")
    expect_equal(1, len(run.record_lines("setup-runs.txt")), "setup runs")


def scenario_notices(engine):
    run = InstallerRun("notices%d" % engine, engine)
    run.uninstall()
    run.service.reset()
    run.service.set(version__info="zero")
    run.start()
    network = "网络存在异常，请检查您的网络是否畅通。"
    # A setup file name that could reach outside the temporary folder counts as no answer.
    for settings, text in (({"version__info": "zero"}, "您当前版本已经是最新版"),
                           ({"version__info": "empty"}, network),
                           ({"version__info": "fields", "version__file": "..\\..\\evil.exe"}, network)):
        run.service.set(**settings)
        expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")
        ok, shown = run.ui("answer", "--title", "温馨提示", "--button", "ok")
        expect(ok and text in shown, "notice %r not shown (%r)" % (text, shown))
    expect(run.ui("wait", *install_window(ID_INSTALL))[0], "install view closed by a notice")
    run.ui("command", "--title", INSTALL_TITLE, "--id", "2")  # the close box: IDCANCEL
    expect_equal(0, run.wait_exit(60), "installer exit code")
    run.service.idle()
    expect(not run.service.records("pkg"), "a download started after a notice")


def scenario_cancel(engine):
    run = started_fresh_install("cancel", engine, 4000)
    expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")
    progress = progress_window(2)
    expect(run.ui("wait", *progress)[0], "progress view did not appear")
    run.ui("command", *progress, "--id", str(ID_CANCEL_LINK))
    expect(run.ui("answer", "--title", "警告", "--button", "no")[0], "cancel question not asked")
    # After No the download goes on: the size line moves on and the progress view stays.
    shown = size_line(run, 2)
    expect(wait_until(lambda: size_line(run, 2) != shown, 120), "the download stopped after No")
    expect(run.process.poll() is None and run.ui("wait", *progress)[0], "No ended the install")
    # Any way of closing asks the same question.
    run.ui("command", *progress, "--id", "2")
    expect(run.ui("answer", "--title", "警告", "--button", "yes")[0], "close did not ask the question")
    # The downloader's shutdown wait is a few seconds; a minute is ample on any machine.
    try:
        run.wait_exit(60)
    except subprocess.TimeoutExpired:
        raise Failure("the installer did not end after the cancel")
    expect(not run.record_lines("setup-runs.txt"), "setup ran after a cancel")


def scenario_skin_pixels(engine):
    """Colour probes on the install and progress views, the download held nearly still."""
    run = started_fresh_install("pixels", engine, 1024)
    window = install_window(ID_INSTALL)
    expect(run.ui("wait", *window)[0], "install view did not appear")
    expect_colour(run, window, "install_title", (420, 50), picture_pixel("hero_install.jpg", 420, 50),
                  JPEG_TOLERANCE, "install view title bar")
    expect_button_faces(run, window, "install", (185, 275), "btn_install.png", 190, 2030)
    expect(run.ui("click", *window)[0], "install button not clickable")

    progress = progress_window(2)
    expect(run.ui("wait", *progress)[0], "progress view did not appear")
    # The pictures above the bar take turns: any of them may show.
    slides = [picture_pixel(name, 420, 50) for name in ("slide1.jpg", "slide2.png", "slide3.png", "slide4.png")]
    expect_colour(run, progress, "progress_title", (420, 50), slides, JPEG_TOLERANCE, "progress view title bar")
    # The bar lies at (20, 301), 509 x 16; the probes sit a quarter and three quarters along it.
    step, empty = picture_pixel("progress_step.png", 16, 8), picture_pixel("progress_bk.png", 16, 8)
    quarter, three_quarters = (20 + 127, 309), (20 + 381, 309)

    # The installer sets the bar from the download several times a second: each capture is taken by
    # the same driver call that sets the position, right after the bar is painted.
    def at(percent):
        return ("setpos", "--id", "2017", "--value", str(percent))

    expect_colour(run, progress, "progress_0", quarter, empty, TOLERANCE, "progress at 0 %", at(0))
    expect_colour(run, progress, "progress_50", quarter, step, TOLERANCE, "progress at 50 % (filled part)", at(50))
    expect_colour(run, progress, "progress_50", three_quarters, empty, TOLERANCE, "progress at 50 % (rest)", at(50))
    expect_colour(run, progress, "progress_100", three_quarters, step, TOLERANCE, "progress at 100 %", at(100))

    run.ui("command", *progress, "--id", str(ID_CANCEL_LINK))
    expect(run.ui("answer", "--title", "警告", "--button", "yes")[0], "cancel question not asked")
    try:
        run.wait_exit(60)
    except subprocess.TimeoutExpired:
        raise Failure("the installer did not end after the cancel")


def check_upgrade_window_keys_and_notice(run):
    """The upgrade window after a failed first version query: Enter and Escape leave it open, and the
    upgrade button's second query, failing too, shows its notice owned by the upgrade window."""
    upgrade = ["--class", MAIN_CLASS, "--id", str(ID_UPGRADE)]
    ok, waited = run.ui("wait", *upgrade)
    expect(ok, "upgrade window did not appear")
    for key in (VK_RETURN, VK_ESCAPE):
        expect(run.ui("key", *upgrade, "--value", str(key))[0], "key %d not delivered" % key)
    # The click follows the keys through the same queue: a window they had closed would not take it.
    expect(run.ui("click", *upgrade)[0], "upgrade button not clickable")
    notice = ["--class", "#32770", "--title", "温馨提示"]
    expect(run.ui("wait", *notice)[0], "no notice after the failed query")
    expect_equal(waited.split()[0], run.ui("owner", *notice)[1].strip(), "owner of the notice")
    ok, shown = run.ui("answer", *notice, "--button", "ok")
    expect(ok and "网络存在异常，请检查您的网络是否畅通。" in shown, "network notice not shown (%r)" % shown)


def scenario_second_start(engine):
    run = InstallerRun("second%d" % engine, engine)
    run.preinstall()
    run.serve_package()
    run.service.set(version__info="empty")
    run.start("-client")
    main = ["--class", MAIN_CLASS, "--id", str(ID_MAIN_CANCEL)]
    expect(run.ui("wait", *main)[0], "upgrade window did not appear")
    second = InstallerRun("second%d_b" % engine, engine).start("-client")
    expect_equal(0, second.wait_exit(60), "second start's exit code")
    listed = run.ui("list", "--class", MAIN_CLASS)[1]
    expect_equal(1, len([line for line in listed.splitlines() if line.strip()]), "windows of the installer")
    check_upgrade_window_keys_and_notice(run)
    expect(run.ui("click", *main)[0], "cancel button not clickable after the notice")
    expect_equal(0, run.wait_exit(60), "installer exit code")
    run.service.idle()
    expect(not run.service.records("pkg"), "a download started after the notice")


ID_NOTES = 2005
# The skin's scroll-bar picture is a grid of 12-pixel cells 2 apart; row 7 holds the vertical thumb,
# whose middle band is what a long thumb shows most of.
THUMB_CELL_CENTRE = (6, 7 * 14 + 6)


def thumb_top(shot):
    """The first row of the change-log box (at (31, 150), 52 narrower and 201 lower than the window)
    whose right-hand strip shows the skin's thumb colour; None when no row does."""
    thumb = picture_pixel("scrollbar.png", *THUMB_CELL_CENTRE)
    right, top, bottom = shot.width - 21, 150, shot.height - 51
    for y in range(top, bottom):
        if any(close(shot.pixel(x, y), thumb, TOLERANCE) for x in range(right - 20, right)):
            return y
    return None


def thumb_top_when(run, window, name, condition):
    """Captures until the thumb's first row meets the condition, a generous number of times; returns
    the last row seen (None when no capture showed a thumb)."""
    row = None
    for _ in range(30):
        shot = capture(run, window, PROBES, name)
        row = thumb_top(shot) if shot else None
        if row is not None and condition(row):
            break
    return row


def scenario_change_log_scroll(engine):
    """The upgrade window's change-log box, longer than it can show, paged down through the driver:
    its text and its skinned thumb both move; a click on the skinned down arrow moves the text on."""
    run = InstallerRun("changelog%d" % engine, engine)
    run.preinstall()
    run.serve_package()
    run.service.set(version__log_text="".join("第%02d条：修复了一个影响下载的问题`" % n for n in range(1, 61)))
    run.start("-client")
    notes = ["--class", MAIN_CLASS, "--id", str(ID_NOTES)]
    expect(run.ui("wait", *notes)[0], "upgrade window did not appear")
    expect(wait_until(lambda: "第60条" in run.ui("text", *notes)[1], 60), "the change log did not arrive")
    expect_equal("0", run.ui("scroll", *notes)[1].strip(), "first visible line before scrolling")
    before = thumb_top_when(run, notes, "change_log_top", lambda row: True)
    expect(before is not None, "no skinned thumb in the change-log box")

    ok, line = run.ui("scroll", *notes, "--value", "3")
    expect(ok and line.strip().isdigit() and int(line) > 0, "the box did not scroll: first visible line %r" % line)
    after = thumb_top_when(run, notes, "change_log_scrolled", lambda row: row > before)
    expect(after is not None and after > before, "the skinned thumb stayed at row %d (now %r)" % (before, after))

    # The skinned down arrow: the bar's last 12-pixel cell inside the box's one-pixel border.
    shot = capture(run, notes, PROBES, "change_log_arrow")
    expect(shot is not None, "no capture of the upgrade window")
    first = int(line)
    expect(run.ui("press", *notes, "--x", str(shot.width - 21 - 1 - 6), "--y", str(shot.height - 51 - 1 - 6))[0],
           "the down arrow could not be pressed")
    expect(wait_until(lambda: int(run.ui("scroll", *notes)[1].strip() or 0) > first, 60),
           "pressing the skinned down arrow did not scroll the box")
    expect(run.shot(notes, "change_log_scrolled", SHOTS), "no screenshot of the scrolled change log")
    run.ui("click", "--class", MAIN_CLASS, "--id", str(ID_MAIN_CANCEL))
    expect_equal(0, run.wait_exit(30), "installer exit code")


def scenario_network_recovery(engine):
    """The package host breaks the download off and stays away: the installer tries again by itself
    and, once the host is back, goes on from its part file to the finish view without a restart."""
    run = InstallerRun("recovery%d" % engine, engine)
    run.uninstall()
    # The setup copies itself into the product's folder: that copy is the package as it arrived.
    installed = os.path.join(run.windows_to_unix(r"C:\Program Files\Tavrin"), "uninst.exe")
    if os.path.exists(installed):
        os.remove(installed)
    run.serve_package()
    cut = os.path.getsize(SETUP) // 3
    run.service.set(pkg__down_after=str(cut))
    run.start()
    expect(run.ui("click", *install_window(ID_INSTALL))[0], "install button not clickable")

    def tried_while_down():
        return any(r.get("dropped") for r in run.service.records("pkg"))
    expect(wait_until(tried_while_down, 180), "no new try while the host was away")
    run.service.set(pkg__down="")
    finish_and_check(run, 2, r"C:\Program Files\Tavrin", "recovery_")
    ranges = [r["headers"].get("Range", "") for r in run.service.records("pkg")]
    expect(len(ranges) >= 3, "requests: %r" % ranges)
    expect_equal([""] + ["bytes=%d-" % cut] * (len(ranges) - 1), ranges, "Range of each request")
    with open(SETUP, "rb") as served, open(installed, "rb") as arrived:
        expect(served.read() == arrived.read(), "the installed package differs from the one served")


SCENARIOS = {name[len("scenario_"):]: f for name, f in globals().items() if name.startswith("scenario_")}


def main():
    scenario, engine = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0
    subprocess.run([os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "register-browser.sh")],
                   capture_output=True)
    try:
        SCENARIOS[scenario](engine)
    except Failure as failure:
        print("FAIL %s engine %d: %s" % (scenario, engine, failure))
        end_installers()
        return 1
    except BaseException:
        end_installers()
        raise
    print("PASS %s engine %d" % (scenario, engine))
    return 0


if __name__ == "__main__":
    sys.exit(main())
