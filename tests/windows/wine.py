"""The Windows build under Wine, for the tests of tests/windows.

Each test run gets a fresh, throw-away Wine prefix in a temporary folder, made by the
test windows.prefix and removed by windows.prefix_removed; the file named by
$TZV_WINE_PREFIX_FILE tells the other tests where it is. Wine runs headless (no display
variables), silent (WINEDEBUG=-all) and without the Mono and Gecko installers, and
every program run is bounded in time.

The Linux build meets the same drives through the prefix's dosdevices links, so a path
like C:\\ZORVTMP or Z:\\tmp\\x names the same file for both builds.
"""

import datetime as dt
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
RUN_TIMEOUT = 180  # seconds for one program run
BOOT_TIMEOUT = 300  # seconds for making a prefix
WINE_FONTS = "/usr/share/wine/fonts"  # Debian's fonts-wine
SERVER_LINGER = 120  # seconds a wineserver stays after its last program ends


class Result:
    def __init__(self, command, returncode, stdout, stderr):
        self.command = command
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr

    def text(self):
        return self.stderr.decode("utf-8", "replace").strip()

    def describe(self):
        return (f"{' '.join(self.command)}: exit {self.returncode}, "
                f"stderr {self.text()!r}, stdout starts {self.stdout[:200]!r}")


def fail(message):
    print("FAIL " + message, file=sys.stderr)
    sys.exit(1)


def skip(message):
    print("SKIP " + message, file=sys.stderr)
    sys.exit(SKIP)


def _executable(path):
    return path if path and os.path.isfile(path) and os.access(path, os.X_OK) else None


def wine64():
    return (_executable(os.environ.get("TZV_WINE64")) or shutil.which("wine64")
            or _executable("/usr/lib/wine/wine64"))


def wineserver():
    # Debian's wineserver script adds -p0 before the caller's options; the program
    # itself takes them as given.
    return (_executable(os.environ.get("TZV_WINESERVER")) or _executable("/usr/lib/wine/wineserver64")
            or shutil.which("wineserver"))


def require_wine():
    if not wine64() or not wineserver():
        skip("wine64 is not installed (Debian package wine64)")


def program(variable, what):
    """A program named by an environment variable of the test, or a skip without it."""
    path = os.environ.get(variable, "")
    if not os.path.isfile(path):
        skip(f"{what} is missing ({path or variable + ' unset'})")
    return path


def wine_env(prefix):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    # Wine turns the Linux arguments into the Windows command line with the Unix
    # locale's character set: a UTF-8 locale carries names like "Alcàsser". The same
    # locale gives both builds the same decimal separator.
    env.update(WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="C.UTF-8")
    return env


def linux_env(prefix):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, LC_ALL="C.UTF-8")
    return env


def prefix_file():
    path = os.environ.get("TZV_WINE_PREFIX_FILE")
    if not path:
        fail("TZV_WINE_PREFIX_FILE is not set")
    return path


def prefix_of(root):
    return os.path.join(root, "prefix")


def current_prefix():
    """The Wine prefix of this test run; a skip when none was made."""
    require_wine()
    try:
        with open(prefix_file(), encoding="utf-8") as f:
            root = f.read().strip()
    except FileNotFoundError:
        skip("no Wine prefix for this run (the test windows.prefix made none)")
    prefix = prefix_of(root)
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        skip(f"the Wine prefix {prefix} is gone")
    return prefix


def drive_c(prefix):
    return os.path.join(prefix, "drive_c")


def windows_path(path):
    """A Linux path as the Windows build sees it: below drive Z:, the root folder."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def ensure_server(prefix):
    """Starts the prefix's wineserver unless it runs already. A wineserver that wine
    starts by itself keeps its caller's error output open, and whoever reads that
    output would wait for the server to end; this one has none, and ends by itself
    SERVER_LINGER seconds after the last program."""
    subprocess.run([wineserver(), f"-p{SERVER_LINGER}"], env=wine_env(prefix), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def _run(command, env, cwd=None):
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        try:
            rc = subprocess.run(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                timeout=RUN_TIMEOUT).returncode
        except subprocess.TimeoutExpired:
            fail(f"{' '.join(command)} did not end within {RUN_TIMEOUT} s")
        out.seek(0)
        err.seek(0)
        return Result(command, rc, out.read(), err.read())


def run_windows(prefix, exe, args, cwd=None):
    """Runs a Windows program under the prefix. Every failure of the project's programs
    prints its reason; a run that fails without a word was ended by Wine from outside
    (seen about once in a thousand runs on a machine without a display), and is run
    once more."""
    ensure_server(prefix)
    command = [wine64(), exe] + list(args)
    result = _run(command, wine_env(prefix), cwd)
    if result.returncode != 0 and not result.stdout and not result.stderr:
        print(f"note: Wine ended {' '.join(command)} with {result.returncode} before it printed anything; "
              "running it again", file=sys.stderr)
        ensure_server(prefix)
        result = _run(command, wine_env(prefix), cwd)
    return result


def run_linux(prefix, exe, args, cwd=None):
    return _run([exe] + list(args), linux_env(prefix), cwd)


class Started:
    """A program left running, with its input and output as pipes and its error output
    in a file (see ensure_server)."""

    def __init__(self, command, env):
        self.command = command
        self.errors = tempfile.TemporaryFile()
        self.process = subprocess.Popen(command, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=self.errors)

    def error_text(self):
        self.errors.seek(0)
        return self.errors.read().decode("utf-8", "replace").strip()


def start_windows(prefix, exe, args):
    ensure_server(prefix)
    return Started([wine64(), exe] + list(args), wine_env(prefix))


def start_linux(prefix, exe, args):
    return Started([exe] + list(args), linux_env(prefix))


def linux_drives(folder):
    """A Wine-style drive mapping for the Linux build on its own: C: is
    folder/drive_c and Z: the root folder. Returns the native folder of C:."""
    c = os.path.join(folder, "drive_c")
    os.makedirs(os.path.join(folder, "dosdevices"))
    os.makedirs(c)
    os.symlink("../drive_c", os.path.join(folder, "dosdevices", "c:"))
    os.symlink("/", os.path.join(folder, "dosdevices", "z:"))
    return c


def local_date():
    return dt.date.today()


def _boot(root):
    """Makes a prefix in root; returns None when it runs programs, else what failed."""
    prefix = prefix_of(root)
    log = os.path.join(root, "wineboot.log")
    env = wine_env(prefix)
    with open(log, "wb") as out:
        try:
            rc = subprocess.run([wine64(), "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL, stdout=out,
                                stderr=out, timeout=BOOT_TIMEOUT).returncode
        except subprocess.TimeoutExpired:
            return f"wineboot did not end within {BOOT_TIMEOUT} s"
        # wineboot returns while the new prefix still settles: services start, a second
        # wineboot runs, then all of them and the wineserver end. A program started in
        # that time may be ended with them, so the prefix is used once its wineserver
        # has gone (or, failing that, has been ended).
        if not _wait_for_server_end(env, out):
            return f"the new prefix's wineserver did not end within {BOOT_TIMEOUT} s"
    with open(log, encoding="utf-8", errors="replace") as f:
        text = f.read()
    if rc != 0:
        return f"wineboot ended with {rc}:\n{text}"
    for needed in ("drive_c/windows/system32/kernel32.dll", "dosdevices/c:", "dosdevices/z:"):
        if not os.path.exists(os.path.join(prefix, needed)):
            return f"wineboot left no {needed}:\n{text}"
    # The prefix must run a program, and hand its exit code back.
    r = run_windows(prefix, "cmd", ["/c", "exit", "7"])
    if r.returncode != 7:
        return f"cmd /c exit 7 ended with {r.returncode}: {r.text()}\nwineboot's output:\n{text}"
    # Debian's Wine reads fonts only from the prefix's Fonts folder, which wineboot
    # leaves empty: without them every face would be Liberation Sans.
    fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
    if os.path.isdir(WINE_FONTS):
        os.makedirs(fonts, exist_ok=True)
        for name in os.listdir(WINE_FONTS):
            shutil.copy(os.path.join(WINE_FONTS, name), fonts)
    return None


def make_prefix():
    """Makes this run's prefix in a new temporary folder, after removing the one an
    earlier run may have left. A prefix that does not run programs is thrown away
    and made once more."""
    require_wine()
    try:
        with open(prefix_file(), encoding="utf-8") as f:
            remove_prefix(f.read().strip())
    except FileNotFoundError:
        pass
    failures = []
    for _ in range(2):
        root = tempfile.mkdtemp(prefix="tzv-wine-")
        failure = _boot(root)
        if failure is None:
            with open(prefix_file(), "w", encoding="utf-8") as f:
                f.write(root + "\n")
            print(f"Wine prefix {prefix_of(root)}")
            for earlier in failures:
                print(f"note: an earlier prefix was thrown away: {earlier}", file=sys.stderr)
            return
        failures.append(failure)
        remove_prefix(root)
    fail("no working Wine prefix could be made:\n" + "\n".join(failures))


def _wait_for_server_end(env, out):
    for option in ("-w", "-k", "-w"):
        try:
            subprocess.run([wineserver(), option], env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                           timeout=BOOT_TIMEOUT if option == "-w" else 60)
        except subprocess.TimeoutExpired:
            continue
        if option == "-w":
            return True
    return False


def remove_prefix(root):
    """Ends the prefix's wineserver (and any program left in it) and removes the prefix
    with the folder its wineserver kept in /tmp (Debian's Wine names it in the
    prefix's file "wineserver")."""
    if not root or not os.path.isdir(root):
        return
    prefix = prefix_of(root)
    server = wineserver()
    if server:
        env = wine_env(prefix)
        for option in ("-k", "-w"):
            try:
                subprocess.run([server, option], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=60)
            except subprocess.TimeoutExpired:
                pass
    try:
        with open(os.path.join(prefix, "wineserver"), encoding="utf-8") as f:
            name = f.read().strip()
        if name.startswith("wine-") and "/" not in name:
            for base in {tempfile.gettempdir(), "/tmp"}:
                shutil.rmtree(os.path.join(base, name), ignore_errors=True)
    except (FileNotFoundError, UnicodeDecodeError):
        pass
    shutil.rmtree(root, ignore_errors=True)


def cleanup():
    try:
        with open(prefix_file(), encoding="utf-8") as f:
            root = f.read().strip()
    except FileNotFoundError:
        return
    remove_prefix(root)
    os.remove(prefix_file())
    if os.path.isdir(root):
        fail(f"could not remove {root}")


def cli_main(exe, args):
    """Runs the Windows build's program with the test run's prefix, arguments that
    are Linux paths given as Z: paths; passes its output and exit code on."""
    prefix = current_prefix()
    if not os.path.isfile(exe):
        skip(f"the Windows build is missing ({exe}); ./tzv build-windows makes it")
    args = [windows_path(a) if a.startswith("/") else a for a in args]
    r = run_windows(prefix, exe, args)
    sys.stdout.buffer.write(r.stdout)
    sys.stderr.buffer.write(r.stderr)
    return r.returncode
