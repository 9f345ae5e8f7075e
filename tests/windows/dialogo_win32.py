#!/usr/bin/python3
"""transzorvex.exe, the Windows program, under Wine on an X server (run it with xvfb-run).

  dialogo_win32.py          every check below, in a Wine prefix of its own that is made
                            first and removed last (its wineserver killed)

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
  check dialogs, made in tzv-probar-dialogo, against their layout tables.
- The installer: a silent install (/S /D=C:\ZORVEX) into the generator's folder puts
  both programs and the Start-menu entry there; the installed program starts in the
  host's panel and writes its flag into the generator's Zorvex.ini, keeping the rest;
  the silent uninstaller removes what was installed and leaves Zorvex.ini.

Programs come from the environment: TZV_WINDOWS_BUILD (transzorvex.exe,
tzv-probar-dialogo.exe and TransZorvexValencia-*-instalar.exe), TZV_CLI_LINUX and TZV_GENERADOR. Without them, or without Wine
or an X server, the test is skipped (exit code 77).
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


def gui_env(prefix):
    env = wine.wine_env(prefix)
    env["DISPLAY"] = os.environ["DISPLAY"]
    return env


def run(prefix, args, cwd):
    result = wine._run([wine.wine64()] + args, gui_env(prefix), cwd)
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        print("  " + line)
    return result


def end_server(prefix):
    for option in ("-k", "-w"):
        subprocess.run([wine.wineserver(), option], env=wine.wine_env(prefix), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


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
    # The exchange tables lie in the work folder itself; the staged copies below it.
    written = {name: data for name, data in wine_checks.snapshot(os.path.join(c, wine_checks.WORK)).items()
               if "/" not in name}
    if not exported:
        if any(name.upper().endswith("T.DBF") for name in written):
            fail(f"Salir wrote exchange tables: {sorted(written)}")
        return
    tables = [name for name in written if name.upper().endswith("T.DBF")]
    if len(tables) != EXCHANGE_TABLES:
        fail(f"the export wrote {sorted(tables)}")
    expected_files = {name: data for name, data in linux_export(os.path.join(tmp, action),
                                                                os.path.join(c, "GC")).items()
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
    with tempfile.TemporaryDirectory(prefix="tzv-dialogo-") as tmp:
        root = os.path.join(tmp, "wine")
        os.makedirs(root)
        failure = wine._boot(root)
        if failure is not None:
            fail("no working Wine prefix: " + failure)
        prefix = wine.prefix_of(root)
        # The prefix was made without an X server, and its desktop would stay without
        # one while its wineserver lingers: the programs below start it anew.
        end_server(prefix)
        try:
            folder = os.path.join(wine.drive_c(prefix), PROGRAM_FOLDER)
            copy_programs(build, folder)
            wine_checks.generate_school(os.path.join(wine.drive_c(prefix), "GC"))
            check_layouts(prefix, folder)
            for action in ("salir", "ayuda", "exportar", "enter"):
                check_host(prefix, folder, tmp, action)
            check_import(prefix, folder, tmp)
            check_installer(prefix, build, folder)
        finally:
            wine.remove_prefix(root)
    print("OK")


if __name__ == "__main__":
    main()
