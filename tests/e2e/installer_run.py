"""Drives the real installer under Wine against the local test service: prepares the service and
the machine for a mode, starts the executable, works its windows through the UI driver, and reads
back what the setup, the product, the browser and the services recorded.

Used by the end-to-end tests (e2e_test.py) and by scripts/demo.sh."""
import getpass
import glob
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import urllib.request

ROOT = os.environ.get("TAVRIN_SOURCE_DIR") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("TAVRIN_BINARY_DIR") or os.path.join(ROOT, "build")
STATE = os.environ.get("TAVRIN_SERVICE_STATE") or os.path.join(BUILD, "service-state")
WINE_RUN = os.path.join(ROOT, "cmake", "wine-run.sh")
INSTALLER = os.path.join(BUILD, "installer", "TavrinInstaller.exe")
UIDRIVER = os.path.join(BUILD, "tools", "uidriver", "uidriver.exe")
SETUP = os.path.join(BUILD, "standins", "setup", "TavrinSetup.exe")
OLD_PRODUCT = os.path.join(BUILD, "standins", "product", "old", "Tavrin.exe")
sys.path.insert(0, os.path.join(ROOT, "tools", "service"))
from server import read_ports_file  # noqa: E402  (the build's ports, as the service itself reads them)

SERVICE = "http://127.0.0.1:%d" % read_ports_file(os.path.join(BUILD, "service-ports.env"))[0]
UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin装机版"
NEWEST = "2.5.1.300"

INSTALL_TITLE = "Tavrin在线安装器"
MAIN_CLASS = "TVNInstaller"
ID_INSTALL, ID_AGREEMENT, ID_FINISH, ID_CANCEL_LINK, ID_UPGRADE, ID_MAIN_CANCEL = 2021, 2022, 2028, 2016, 2001, 2002
# How many times slower than natively the programs run here (under emulation, set by the scripts): the
# bounds on waits, which only guard against hangs, stretch by as much.
TIME_SCALE = int(os.environ["TAVRIN_TIME_SCALE"]) if os.environ.get("TAVRIN_TIME_SCALE", "").isdigit() else 1
TIME_SCALE = min(max(TIME_SCALE, 1), 100)


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def end_installers():
    """Ends every installer still running in the prefix. A scenario that failed half-way leaves its
    installer open, and the next scenario's installer would only hand over to it."""
    subprocess.run([WINE_RUN, "taskkill", "/f", "/im", "TavrinInstaller.exe"], env=wine_env(),
                   capture_output=True, timeout=120 * TIME_SCALE)


def wine_env(extra=None):
    env = dict(os.environ)
    # Arguments and outputs carry Chinese captions.
    env["LC_ALL"] = "C.UTF-8"
    env.update(extra or {})
    return env


class Service:
    def get(self, path):
        # A reset or an idle query waits for the requests in flight (the service bounds that by 120 s).
        with urllib.request.urlopen(SERVICE + path, timeout=180) as answer:
            return answer.read().decode("utf-8")

    def reset(self):
        if self.get("/_control/reset") != "ok":
            raise RuntimeError("the test service still had requests in flight")

    def idle(self):
        """Waits until no request is in flight: the records then hold all the requests already made."""
        if self.get("/_control/idle") != "ok":
            raise RuntimeError("the test service still had requests in flight")

    def set(self, **values):
        query = urllib.parse.urlencode({k.replace("__", "."): v for k, v in values.items()})
        self.get("/_control/set?" + query)

    def records(self, kind):
        return json.loads(self.get("/_control/records?kind=" + kind))

    def stat_events(self):
        """The custom events of every statistics report in arrival order, as (category, detail)."""
        events = []

        def walk(node):
            if isinstance(node, dict):
                if "lable" in node:
                    events.append((node["lable"], node.get("name")))
                for value in node.values():
                    walk(value)
            elif isinstance(node, list):
                for value in node:
                    walk(value)

        for record in self.records("stat"):
            walk(record.get("document"))
        return events


class InstallerRun:
    """One start of the installer with its own record folder."""

    def __init__(self, name, engine=0, package=None):
        self.name = name
        self.service = Service()
        self.records = os.path.join(BUILD, "e2e", name)
        shutil.rmtree(self.records, ignore_errors=True)
        os.makedirs(self.records)
        self.engine = engine
        self.package = package or SETUP
        self.process = None

    # Preparation -------------------------------------------------------------------------------
    def serve_package(self, md5=None, newest=NEWEST):
        self.remove_earlier_downloads()
        files = os.path.join(STATE, "pkg-files")
        os.makedirs(files, exist_ok=True)
        shutil.copyfile(self.package, os.path.join(files, "TavrinSetup.exe"))
        with open(self.package, "rb") as package:
            digest = hashlib.md5(package.read()).hexdigest()
        self.service.reset()
        self.service.set(version__engine=str(self.engine), version__newest=newest,
                         version__file="TavrinSetup.exe",
                         version__url=SERVICE + "/pkg/files/TavrinSetup.exe",
                         version__md5=md5 or digest.upper())
        return digest

    @staticmethod
    def remove_earlier_downloads():
        """A cancelled run leaves its part file in the temporary folder, and the next run would resume
        from it: every run starts from nothing, whatever ran before it."""
        prefix = os.environ.get("TAVRIN_WINEPREFIX") or os.path.join(BUILD, "wine-prefix")  # as scripts/env.sh
        temp = os.path.join(prefix, "drive_c", "users", getpass.getuser(), "Temp")
        for leftover in glob.glob(os.path.join(temp, "TavrinSetup*")):
            os.remove(leftover)

    def wine(self, *args, check=False):
        return subprocess.run([WINE_RUN, *args], env=wine_env(self.env()), capture_output=True,
                              text=True, timeout=120 * TIME_SCALE, check=check)

    def uninstall(self):
        self.wine("reg", "delete", UNINSTALL_KEY, "/f")

    def preinstall(self):
        """An installed product in a folder of this run's own (a product that an earlier run started
        may still be running from its folder): the setup stand-in run by hand registers the uninstall
        entry, and the older product version takes the place of the newest. Returns the folder."""
        folder = "C:\\TavrinInstalled_" + self.name
        shutil.rmtree(self.windows_to_unix(folder), ignore_errors=True)
        self.wine(SETUP, "/S", "/V=U", '/I="%s"' % folder, check=True)
        shutil.copyfile(OLD_PRODUCT, self.windows_to_unix(folder) + "/Tavrin.exe")
        os.remove(os.path.join(self.records, "setup-runs.txt"))
        return folder

    def windows_to_unix(self, path):
        out = subprocess.run(["winepath", "-u", path], env=wine_env(), capture_output=True, text=True)
        return out.stdout.strip()

    def env(self):
        return {"TAVRIN_STANDIN_DIR": wine_path(self.records), "TAVRIN_PRODUCT_LIFETIME_MS": "4000"}

    # The installer -----------------------------------------------------------------------------
    def start(self, *args):
        return self.start_exe(INSTALLER, *args)

    def start_exe(self, exe, *args):
        self.process = subprocess.Popen([WINE_RUN, exe, *args], env=wine_env(self.env()),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def wait_exit(self, timeout):
        return self.process.wait(timeout=timeout * TIME_SCALE)

    def ui(self, verb, *args, timeout_ms=60000):
        timeout_ms *= TIME_SCALE
        # The output goes through a file: a Wine system process that the driver's start brings up (the
        # desktop, while the installer is starting too) inherits the streams, and a pipe would then
        # stay open until that process ends.
        with tempfile.TemporaryFile() as output:
            result = subprocess.run([WINE_RUN, UIDRIVER, verb, "--timeout", str(timeout_ms), *args],
                                    env=wine_env(), stdout=output, stderr=subprocess.STDOUT,
                                    timeout=timeout_ms / 1000 + 60)
            output.seek(0)
            return result.returncode == 0, output.read().decode("utf-8", "replace")

    def shot(self, window_args, name, folder):
        os.makedirs(folder, exist_ok=True)
        bmp = os.path.join(folder, name + ".bmp")
        ok, _ = self.ui("shot", *window_args, "--out", wine_path(bmp))
        if ok and shutil.which("convert"):
            png = os.path.join(folder, name + ".png")
            if subprocess.run(["convert", bmp, png], capture_output=True).returncode == 0:
                os.remove(bmp)
        return ok

    # Records -----------------------------------------------------------------------------------
    def record_lines(self, file_name):
        path = os.path.join(self.records, file_name)
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as record:
            return [line.rstrip("\n") for line in record]


def install_window(control_id):
    """The install view and the finish view share their caption; a control tells them apart."""
    return ["--title", INSTALL_TITLE, "--id", str(control_id)]


def progress_window(mode):
    return ["--title", "Tavrin装机版2.5" + ("--正在升级" if mode == 1 else "--正在安装")]
