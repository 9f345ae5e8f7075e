#!/usr/bin/python3
"""transzorvex.exe, the Windows program, under Wine on an X server (run it with xvfb-run).

  dialogo_win32.py          every check below, in a copy of the test run's Wine prefix
                            (the one windows.prefix makes), removed at the end with its
                            wineserver

- The main dialog made by the program's own code in tzv-probar-dialogo: every entry of
  the layout table against the real window (place, size, text, font, visibility), with
  no arguments, with "exportar 0" and with "importar 0".
- transzorvex.exe started inside a host's panel as the timetable generator starts it:
  a child of the panel at 2,2, 599 x 267, without caption; Escape does nothing; Salir
  writes Transformado=0 beside the program; F1 and "F1 AYUDA" say in a box that
  GESCEN.chm is missing beside the program; Aceptar, and Enter in the folder list, run
  the export, whose boxes belong to the host's window, end the program and leave
  Transformado=1 and the nine exchange tables byte for byte as the Linux command-line
  tool writes them from the same school.

- The import through transzorvex.exe in the host's panel, on a generated solution of the
  exported school: with a teacher left without DNI the program stops with its message
  and GESCEN's folder untouched; with the missing DNIs typed into the teacher check's
  grid (after a refused value) and the template closed with Salir, it ends by itself,
  Transformado=1, and horgrup.dbf and horprof.dbf are byte for byte those the Linux
  command-line tool's import writes from the same school, solution and DNIs. Then both
  check dialogs, made in tzv-probar-dialogo, against their layout tables, and the
  teacher check's grid driven from the keyboard (Tab, Shift+Tab, Enter, Shift+Enter,
  Ctrl+Tab, Escape): the cell and the focus move as the grid's rule says, and what
  Escape dropped is not in PROFT.DBF.
- One copy of the program per work folder: with transzorvex.exe open in the host's
  panel, a second copy stand-alone and one inside the panel each show one box saying
  that the program is open (owned by the host's window inside it), end, and leave the
  staging folder as it was; the one inside the panel leaves Transformado=0 where an
  earlier run left 1. Meanwhile exportar of both command-line tools is refused with
  that text, and the Linux program (Qt) shows the same box and ends. The first copy's
  export then writes the same tables as the Linux tool, and exportar works once it has
  ended. The other way round, with the Linux program open, exportar of the Windows tool
  is refused and transzorvex.exe shows its box and ends.
- The installer: a silent install (/S /D=C:\ZORVEX) into the generator's folder puts
  both programs and the Start-menu entry there; the installed program starts in the
  host's panel and writes its flag into the generator's Zorvex.ini, keeping the rest;
  the silent uninstaller removes what was installed and leaves Zorvex.ini.

Programs come from the environment: TZV_WINDOWS_BUILD (transzorvex.exe,
tzv-probar-dialogo.exe and TransZorvexValencia-*-instalar.exe), TZV_CLI_LINUX, TZV_CLI_WINDOWS,
TZV_PROGRAMA_LINUX (the Qt program) and TZV_GENERADOR; the run's prefix from
TZV_WINE_PREFIX_FILE. Without them, or without Wine or an X server, the test is skipped
(exit code 77).
"""

import os
import glob
import shutil
import subprocess
import sys
import tempfile
import time

import wine
import wine_checks
from wine import fail, skip

PROGRAM_FOLDER = "TZV"  # on drive C:, where the generator keeps its helpers
EXCHANGE_TABLES = 9
ALREADY_OPEN = "TransZorvexValencia ya está abierto en este equipo."
# What a Wine prefix holds that no program writes: shared by a copy of the prefix.
SHARED_FILES = {".dll", ".exe", ".sys", ".drv", ".nls", ".fon", ".ttf"}


def gui_env(prefix):
    env = wine.wine_env(prefix)
    env["DISPLAY"] = os.environ["DISPLAY"]
    return env


def run(prefix, args, cwd):
    result = wine._run([wine.wine64()] + args, gui_env(prefix), cwd)
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        print("  " + line)
    return result


def copy_prefix(shared, prefix):
    """A prefix of this test's own, copied from the run's: its wineserver, started by the
    programs below, has the X server (the run's is headless), and what the checks write
    on C: and in the registry stays out of the other tests' way. Left behind: the file
    naming the run's wineserver folder, so that the copy gets a server of its own, and
    the work folder C:\\ZORVTMP the other tests use meanwhile. Wine's libraries,
    programs, code pages and fonts, nearly all of the prefix's 700 MB and never written
    by the programs, are hard links to the run's; the rest is copied."""
    left_behind = {shared: ["wineserver"], wine.drive_c(shared): [wine_checks.WORK]}

    def ignore(folder, names):
        return [n for n in left_behind.get(folder, []) if n in names]

    def link_or_copy(source, target):
        if os.path.splitext(source)[1].lower() in SHARED_FILES:
            try:
                os.link(source, target)
                return target
            except OSError:
                pass
        return shutil.copy2(source, target)

    shutil.copytree(shared, prefix, symlinks=True, ignore=ignore, copy_function=link_or_copy)


def copy_programs(build, folder):
    os.makedirs(folder, exist_ok=True)
    for exe in ("transzorvex.exe", "tzv-probar-dialogo.exe"):
        path = os.path.join(build, exe)
        if not os.path.isfile(path):
            skip(f"{path} is missing: ./tzv build-windows makes it")
        shutil.copy(path, folder)


def check_layouts(prefix, folder):
    for panes, args in (("11", []), ("10", ["exportar", "0"]), ("01", ["importar", "0"])):
        print(f"layout with arguments {args}")
        r = run(prefix, ["tzv-probar-dialogo.exe", "disposicion", panes] + args, folder)
        if r.returncode != 0:
            fail(f"the layout with arguments {args}: {r.describe()}")


def settings(folder):
    try:
        with open(os.path.join(folder, "Zorvex.ini"), "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def linux_export(tmp, gc):
    """The work folder that the Linux command-line tool writes from the same school."""
    linux_prefix = os.path.join(tmp, "linux")
    c = wine.linux_drives(linux_prefix)
    shutil.copytree(gc, os.path.join(c, "GC"))
    r = wine.run_linux(linux_prefix, wine.program("TZV_CLI_LINUX", "the Linux transzorvex-cli"),
                       ["exportar", "--gc", "C:\\GC"])
    wine_checks.require_ok(r, "Linux exportar")
    return wine_checks.snapshot(os.path.join(c, wine_checks.WORK))


def check_host(prefix, folder, tmp, action):
    c = wine.drive_c(prefix)
    wine_checks.clear_work_folder(c)
    ini = os.path.join(folder, "Zorvex.ini")
    if os.path.exists(ini):
        os.remove(ini)
    print(f"host mode, {action}")
    day = wine.local_date()
    r = run(prefix, ["tzv-probar-dialogo.exe", "anfitrion", f"C:\\{PROGRAM_FOLDER}\\transzorvex.exe", action],
            folder)
    if r.returncode != 0:
        fail(f"host mode, {action}: {r.describe()}")
    exported = action in ("exportar", "enter")
    expected = b"[Transformadores]\r\nTransformado=" + (b"1" if exported else b"0") + b"\r\n"
    if settings(folder) != expected:
        fail(f"host mode, {action}: Zorvex.ini holds {settings(folder)!r}")
    boxes = [line for line in r.stdout.decode("utf-8").splitlines() if line.startswith("caja: ")]
    if exported != (boxes[-1:] == ["caja: Proceso finalizado"]):
        fail(f"host mode, {action}: the boxes were {boxes}")
    if action == "ayuda":
        missing = f"caja: No se encuentra el archivo de ayuda C:\\{PROGRAM_FOLDER}\\GESCEN.chm."
        if boxes != [missing, missing]:
            fail(f"help without GESCEN.chm: the boxes were {boxes}")
    if not exported:
        if any(name.upper().endswith("T.DBF") for name in exchange_files(c)):
            fail(f"Salir wrote exchange tables: {sorted(exchange_files(c))}")
        return
    require_linux_export(c, os.path.join(tmp, action), day)


def exchange_files(c):
    """The files of the work folder itself; the staged copies lie below it."""
    return {name: data for name, data in wine_checks.snapshot(os.path.join(c, wine_checks.WORK)).items()
            if "/" not in name}


def require_linux_export(c, tmp, day):
    """The work folder holds the nine exchange tables, byte for byte as the Linux
    command-line tool writes them from the same school."""
    written = exchange_files(c)
    tables = [name for name in written if name.upper().endswith("T.DBF")]
    if len(tables) != EXCHANGE_TABLES:
        fail(f"the export wrote {sorted(tables)}")
    expected_files = {name: data for name, data in linux_export(tmp, os.path.join(c, "GC")).items()
                      if "/" not in name}
    wine_checks.require_same_files(expected_files, written, "C:\\ZORVTMP after the export",
                                   wine.local_date() != day)


def check_import(prefix, folder, tmp):
    c = wine.drive_c(prefix)
    gc = os.path.join(c, "GC")
    before = wine_checks.snapshot(gc)
    kept_school = os.path.join(tmp, "gc-antes")
    shutil.copytree(gc, kept_school)
    wine_checks.generate_solution(os.path.join(c, wine_checks.WORK))
    proft = os.path.join(c, wine_checks.WORK, "PROFT.DBF")
    linux_prefix = os.path.join(tmp, "linux-import")
    linux_c = wine.linux_drives(linux_prefix)
    missing = wine_checks.teachers_without_dni(linux_prefix, proft)
    if not missing:
        fail("the generated school has every teacher's DNI: the teacher check cannot be tried")

    print("host mode, import with a teacher left without DNI")
    r = run(prefix, ["tzv-probar-dialogo.exe", "anfitrion", f"C:\\{PROGRAM_FOLDER}\\transzorvex.exe", "sin-dni"],
            folder)
    if r.returncode != 0:
        fail(f"the import's stop: {r.describe()}")
    out = r.stdout.decode("utf-8")
    if "Sigue habiendo algún Profesor sin D.N.I." not in out or "dialogo: TControlPlantilla" in out:
        fail(f"the import did not stop at the teacher check: {out}")
    if settings(folder) != b"[Transformadores]\r\nTransformado=0\r\n":
        fail(f"the import's stop left Zorvex.ini as {settings(folder)!r}")
    wine_checks.require_same_files(before, wine_checks.snapshot(gc), "GESCEN after the stop", False)

    print("host mode, import")
    day = wine.local_date()
    r = run(prefix, ["tzv-probar-dialogo.exe", "anfitrion", f"C:\\{PROGRAM_FOLDER}\\transzorvex.exe", "importar"],
            folder)
    if r.returncode != 0:
        fail(f"the import: {r.describe()}")
    out = r.stdout.decode("utf-8")
    for expected in ("dialogo: TControlProfesores", "caja: '12a' no es un valor entero válido.",
                     "dialogo: TControlPlantilla", "caja: Proceso finalizado"):
        if expected not in out:
            fail(f"the import did not show «{expected}»: {out}")
    if settings(folder) != b"[Transformadores]\r\nTransformado=1\r\n":
        fail(f"the import left Zorvex.ini as {settings(folder)!r}")

    # The same import by the Linux command-line tool, with the same DNIs in the same order.
    shutil.copytree(kept_school, os.path.join(linux_c, "GC"))
    cli = wine.program("TZV_CLI_LINUX", "the Linux transzorvex-cli")
    wine_checks.require_ok(wine.run_linux(linux_prefix, cli, ["exportar", "--gc", "C:\\GC"]), "Linux exportar")
    wine_checks.generate_solution(os.path.join(linux_c, wine_checks.WORK))
    dnis = []
    for n, abbreviation in enumerate(missing):
        dnis += ["--dni", f"{abbreviation}={20000001 + n}"]
    wine_checks.require_ok(wine.run_linux(linux_prefix, cli, ["importar", "--gc", "C:\\GC"] + dnis),
                           "Linux importar")
    after = wine_checks.snapshot(gc)
    linux_after = wine_checks.snapshot(os.path.join(linux_c, "GC"))
    for table in ("horgrup.dbf", "horprof.dbf"):
        if after[table] == before[table]:
            fail(f"the import left {table} as it was")
    wine_checks.require_same_files({t: linux_after[t] for t in ("horgrup.dbf", "horprof.dbf")},
                                   {t: after[t] for t in ("horgrup.dbf", "horprof.dbf")},
                                   "horgrup and horprof after the import", wine.local_date() != day)

    for check in ("profesores", "plantilla"):
        print(f"layout of the check dialog {check}")
        r = run(prefix, ["tzv-probar-dialogo.exe", "comprobacion", check], folder)
        if r.returncode != 0:
            fail(f"the check dialog {check}: {r.describe()}")

    print("the keys of the teacher check's grid")
    r = run(prefix, ["tzv-probar-dialogo.exe", "teclas"], folder)
    if r.returncode != 0:
        fail(f"the grid's keys: {r.describe()}")


def require_refused(result, what):
    """A command-line run refused because the program has the work folder."""
    if result.returncode != 1 or ALREADY_OPEN not in result.text():
        fail(f"{what} with the program open: {result.describe()}")


def x_windows(pid, name):
    """The visible X windows of a Linux process whose title matches name."""
    r = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", name],
                       capture_output=True, timeout=30)
    return r.stdout.decode().split()


def start_linux_program(prefix, cwd):
    """The Qt program, stand-alone on the prefix's drives, on the X server."""
    env = wine.linux_env(prefix)
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([wine.program("TZV_PROGRAMA_LINUX", "the Linux program")], env=env, cwd=cwd,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def check_linux_second_copy(prefix, tmp):
    """The Qt program started while transzorvex.exe is open: its box, then its end,
    without a dialog."""
    program = start_linux_program(prefix, tmp)
    try:
        if not wait_until(lambda: x_windows(program.pid, "^TransZorvexValencia$") or program.poll() is not None,
                          30):
            fail("the Linux program showed no box with transzorvex.exe open")
        boxes = x_windows(program.pid, "^TransZorvexValencia$")
        if not boxes:
            fail(f"the Linux program ended with {program.returncode} without a box")
        if x_windows(program.pid, "^Exportar e importar datos $"):
            fail("the Linux program opened its dialog with transzorvex.exe open")
        subprocess.run(["xdotool", "windowfocus", "--sync", boxes[0]], capture_output=True, timeout=30)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], capture_output=True, timeout=30)
        try:
            code = program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("the Linux program did not end after its box")
        if code == 0:
            fail("the Linux program ended with 0 as a second copy")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def check_second_copy(prefix, folder, tmp):
    """Other copies and the command-line tools while transzorvex.exe is open, then
    the other way round with the Linux program open."""
    c = wine.drive_c(prefix)
    wine_checks.clear_work_folder(c)
    with open(os.path.join(folder, "Zorvex.ini"), "wb") as f:
        f.write(b"[Transformadores]\r\nTransformado=1\r\n")
    ready, go = (os.path.join(folder, "segunda-copia." + end) for end in ("listo", "sigue"))
    for path in (ready, go):
        if os.path.exists(path):
            os.remove(path)
    linux_cli = wine.program("TZV_CLI_LINUX", "the Linux transzorvex-cli")
    windows_cli = wine.program("TZV_CLI_WINDOWS", "the Windows transzorvex-cli")
    print("a second copy while transzorvex.exe is open")
    day = wine.local_date()
    with tempfile.TemporaryFile() as out:
        driver = subprocess.Popen([wine.wine64(), "tzv-probar-dialogo.exe", "anfitrion",
                                   f"C:\\{PROGRAM_FOLDER}\\transzorvex.exe", "segunda-copia"],
                                  env=gui_env(prefix), cwd=folder, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.STDOUT)
        try:
            if not wait_until(lambda: os.path.exists(ready) or driver.poll() is not None, 120):
                fail("tzv-probar-dialogo did not reach the other programs' turn")
            if driver.poll() is None:
                require_refused(wine.run_linux(prefix, linux_cli, ["exportar"]), "Linux exportar")
                require_refused(wine.run_windows(prefix, windows_cli, ["exportar"]), "Windows exportar")
                if "ASIGVALT.DBF" in {n.upper() for n in exchange_files(c)}:
                    fail("exportar wrote exchange tables with the program open")
                check_linux_second_copy(prefix, tmp)
        finally:
            with open(go, "w", encoding="utf-8"):
                pass
            try:
                code = driver.wait(timeout=wine.RUN_TIMEOUT)
            except subprocess.TimeoutExpired:
                driver.kill()
                code = driver.wait()
            out.seek(0)
            text = out.read().decode("utf-8", "replace")
            for line in text.splitlines():
                print("  " + line)
    if code != 0:
        fail(f"tzv-probar-dialogo anfitrion segunda-copia ended with {code}")
    if settings(folder) != b"[Transformadores]\r\nTransformado=1\r\n":
        fail(f"after the first copy's export Zorvex.ini holds {settings(folder)!r}")
    if [line for line in text.splitlines() if line.startswith("caja: ")][-1:] != ["caja: Proceso finalizado"]:
        fail("the first copy's export did not end with «Proceso finalizado»")
    require_linux_export(c, os.path.join(tmp, "segunda-copia"), day)
    wine_checks.require_ok(wine.run_linux(prefix, linux_cli, ["exportar"]), "Linux exportar after the program")

    print("transzorvex.exe while the Linux program is open")
    program = start_linux_program(prefix, tmp)
    try:
        if not wait_until(lambda: x_windows(program.pid, "^Exportar e importar datos $") or
                          program.poll() is not None, 30):
            fail("the Linux program's dialog did not appear")
        if program.poll() is not None:
            fail(f"the Linux program ended with {program.returncode}")
        require_refused(wine.run_windows(prefix, windows_cli, ["exportar"]), "Windows exportar")
        r = run(prefix, ["tzv-probar-dialogo.exe", "segunda", f"C:\\{PROGRAM_FOLDER}\\transzorvex.exe"], folder)
        if r.returncode != 0:
            fail(f"transzorvex.exe with the Linux program open: {r.describe()}")
    finally:
        program.kill()
        program.wait()


def wait_until(condition, seconds):
    for _ in range(seconds * 10):
        if condition():
            return True
        time.sleep(0.1)
    return False


def check_installer(prefix, build, folder):
    installers = glob.glob(os.path.join(build, "TransZorvexValencia-*-instalar.exe"))
    if not installers:
        skip(f"no installer in {build}: ./tzv build-windows makes it")
    print("installer")
    c = wine.drive_c(prefix)
    target = os.path.join(c, "ZORVEX")
    os.makedirs(target)
    settings_before = b"[Zorvex]\r\nRuta=C:\\ZORVEX\r\n"
    with open(os.path.join(target, "Zorvex.ini"), "wb") as f:
        f.write(settings_before)
    r = run(prefix, [installers[0], "/S", "/D=C:\\ZORVEX"], folder)
    if r.returncode != 0:
        fail(f"the silent install: {r.describe()}")
    programs = ("transzorvex.exe", "transzorvex-cli.exe", "desinstalar-transzorvex.exe")
    for name in programs:
        if not os.path.isfile(os.path.join(target, name)):
            fail(f"the install left no {name} in C:\\ZORVEX: {sorted(os.listdir(target))}")
    links = glob.glob(os.path.join(c, "users", "*", "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                   "Programs", "TransZorvexValencia", "TransZorvexValencia.lnk"))
    if not links:
        fail("the install made no Start-menu entry")

    r = run(prefix, ["tzv-probar-dialogo.exe", "anfitrion", "C:\\ZORVEX\\transzorvex.exe", "salir"], folder)
    if r.returncode != 0:
        fail(f"the installed program in the host's panel: {r.describe()}")
    expected = settings_before + b"[Transformadores]\r\nTransformado=0\r\n"
    if settings(target) != expected:
        fail(f"the installed program left Zorvex.ini as {settings(target)!r}")

    r = run(prefix, [os.path.join(target, "desinstalar-transzorvex.exe"), "/S"], folder)
    if r.returncode != 0:
        fail(f"the silent uninstall: {r.describe()}")
    # The uninstaller goes on from a copy of itself in the temporary folder: the files,
    # then the Start-menu entry, go while this waits.
    def left():
        return [n for n in programs if os.path.exists(os.path.join(target, n))] + \
               [link for link in links if os.path.exists(link)]
    if not wait_until(lambda: not left(), 60):
        fail(f"the uninstall left {left()}")
    if settings(target) != expected:
        fail(f"the uninstall changed Zorvex.ini: {settings(target)!r}")


def main():
    wine.require_wine()
    if not os.environ.get("DISPLAY"):
        skip("no X server (run under xvfb-run)")
    build = os.environ.get("TZV_WINDOWS_BUILD", "")
    shared = wine.current_prefix()
    with tempfile.TemporaryDirectory(prefix="tzv-dialogo-") as tmp:
        root = os.path.join(tmp, "wine")
        os.makedirs(root)
        prefix = wine.prefix_of(root)
        try:
            copy_prefix(shared, prefix)
            folder = os.path.join(wine.drive_c(prefix), PROGRAM_FOLDER)
            copy_programs(build, folder)
            wine_checks.generate_school(os.path.join(wine.drive_c(prefix), "GC"))
            check_layouts(prefix, folder)
            for action in ("salir", "ayuda", "exportar", "enter"):
                check_host(prefix, folder, tmp, action)
            check_import(prefix, folder, tmp)
            check_second_copy(prefix, folder, tmp)
            check_installer(prefix, build, folder)
        finally:
            wine.remove_prefix(root)
    print("OK")


if __name__ == "__main__":
    main()
