#!/usr/bin/python3
"""The Windows build (transzorvex-cli.exe) under Wine against the Linux build.

  wine_checks.py prefix           makes this test run's Wine prefix
  wine_checks.py prefix_removed   ends its wineserver and removes it
  wine_checks.py export           exportar gives the same exchange tables, byte for byte
  wine_checks.py import           exportar, a solution, importar: the same GESCEN tables
  wine_checks.py fixture CHECK WRAPPER TABLE
                                  tests/crosscheck's CHECK with the Windows build, run
                                  through WRAPPER: TABLE reads as its expected file says
  wine_checks.py mostrar DIR      mostrar prints the same bytes for every table of DIR
  wine_checks.py sharing CASE     a table held on one side of Wine is refused, or
                                  not, on the other (the cases of SHARING)
  wine_checks.py links CASE       links at the names a run writes are replaced, and what
                                  they lead to stays as it was (the cases of LINKS)
  wine_checks.py suite EXE        a test suite of the Windows build (GoogleTest), run in
                                  the prefix, whose C: drive it may use

The programs come from the environment: TZV_CLI_LINUX, TZV_CLI_WINDOWS,
TZV_RETENER_LINUX, TZV_RETENER_WINDOWS and TZV_GENERADOR; a check whose programs are
missing is skipped with exit code 77.
"""

import json
import os
import re
import select
import shutil
import stat
import subprocess
import sys
import tempfile

import wine
from wine import fail, skip

SEED = "20241"
# A school folder whose name needs UTF-8 arguments and the wide Windows API, with a
# space and an apostrophe for the command line's quoting.
SCHOOL = "IES Alcàsser d'Horta"
WORK = "ZORVTMP"  # the program's work folder on drive C:

MESSAGE_IN_USE = "está en uso por otro programa"
MESSAGE_COPY_REFUSED = "Error de E/S 32"
MESSAGE_GESCEN_HOLDS = "GESCEN tiene abierta la tabla"


def cli(side):
    if side == "linux":
        return wine.program("TZV_CLI_LINUX", "the Linux build's transzorvex-cli")
    return wine.program("TZV_CLI_WINDOWS", "the Windows build (./tzv build-windows makes it)")


def holder(side):
    if side == "linux":
        return wine.program("TZV_RETENER_LINUX", "the Linux build's tzv-retener")
    return wine.program("TZV_RETENER_WINDOWS", "the Windows build's tzv-retener.exe (./tzv build-windows makes it)")


def generator():
    return wine.program("TZV_GENERADOR", "the data generator tzv-generador (tools/generator)")


def run(side, prefix, exe, args):
    if side == "linux":
        return wine.run_linux(prefix, exe, args)
    return wine.run_windows(prefix, exe, args)


def require_ok(result, what):
    if result.returncode != 0:
        fail(f"{what}: {result.describe()}")


def generate_school(folder):
    r = subprocess.run([generator(), "gescen", folder, "--tamano", "pequeno", "--semilla", SEED],
                       capture_output=True, timeout=wine.RUN_TIMEOUT)
    if r.returncode != 0:
        fail(f"tzv-generador gescen {folder}: {r.stderr.decode('utf-8', 'replace')}")


def generate_solution(work_folder):
    r = subprocess.run([generator(), "solucion", work_folder, "--semilla", SEED], capture_output=True,
                       timeout=wine.RUN_TIMEOUT)
    if r.returncode != 0:
        fail(f"tzv-generador solucion {work_folder}: {r.stderr.decode('utf-8', 'replace')}")


def snapshot(folder):
    """Every file below folder by its relative path, with its bytes."""
    files = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


# Bytes that hold the day a table or index was written: the last-update date of a
# table's header, the creation and update dates of an index.
DATE_BYTES = {".dbf": [range(1, 4)], ".mdx": [range(1, 4), range(44, 47)]}


def without_dates(name, data):
    data = bytearray(data)
    for r in DATE_BYTES.get(os.path.splitext(name)[1].lower(), []):
        for i in r:
            if i < len(data):
                data[i] = 0
    return bytes(data)


def require_same_files(expected, got, what, day_changed):
    """Both snapshots hold the same names with the same bytes. When the day changed
    between the runs (midnight), the date bytes are left out."""
    if sorted(expected) != sorted(got):
        fail(f"{what}: the files differ:\n  only in the first: {sorted(set(expected) - set(got))}\n"
             f"  only in the second: {sorted(set(got) - set(expected))}")
    for name in sorted(expected):
        a, b = expected[name], got[name]
        if day_changed:
            a, b = without_dates(name, a), without_dates(name, b)
        if a != b:
            at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
            fail(f"{what}: {name} differs from byte {at} on (sizes {len(a)} and {len(b)}): "
                 f"{a[at:at + 16]!r} against {b[at:at + 16]!r}")


def require_same_output(linux, windows, what):
    for part in ("returncode", "stdout", "stderr"):
        if getattr(linux, part) != getattr(windows, part):
            fail(f"{what}: the builds differ in {part}:\n  Linux:   {linux.describe()}\n"
                 f"  Windows: {windows.describe()}")


def clear_work_folder(c):
    shutil.rmtree(os.path.join(c, WORK), ignore_errors=True)


def exported_tables(result):
    """The exchange tables that exportar lists on its output, one "NAME COUNT" a line."""
    return [line.split()[0] for line in result.stdout.decode("utf-8").splitlines() if line.strip()]


def check_export():
    """exportar on a generated school writes the same work folder, byte for byte, with
    either build, and leaves the school's folder as it was."""
    prefix = wine.current_prefix()
    linux_cli, windows_cli = cli("linux"), cli("windows")
    with tempfile.TemporaryDirectory(prefix="tzv-win-") as tmp:
        gc = os.path.join(tmp, SCHOOL, "GC")
        generate_school(gc)
        before = snapshot(gc)
        linux_prefix = os.path.join(tmp, "linux-prefix")
        linux_c = wine.linux_drives(linux_prefix)
        windows_c = wine.drive_c(prefix)
        clear_work_folder(windows_c)
        args = ["exportar", "--gc", wine.windows_path(gc)]
        day = wine.local_date()
        linux = wine.run_linux(linux_prefix, linux_cli, args)
        windows = wine.run_windows(prefix, windows_cli, args)
        day_changed = wine.local_date() != day
        require_ok(linux, "Linux exportar")
        require_ok(windows, "Windows exportar")
        require_same_output(linux, windows, "exportar")
        tables = exported_tables(windows)
        if len(tables) < 9:
            fail(f"exportar listed {tables}")
        written = snapshot(os.path.join(windows_c, WORK))
        for table in tables:
            if table not in written:
                fail(f"the Windows build did not write {table} into C:\\{WORK}: {sorted(written)}")
        require_same_files(snapshot(os.path.join(linux_c, WORK)), written, f"C:\\{WORK} after exportar",
                           day_changed)
        require_same_files(before, snapshot(gc), "the GESCEN folder after both exports", False)


def teachers_without_dni(linux_prefix, proft):
    r = wine.run_linux(linux_prefix, cli("linux"), ["mostrar", proft, "--formato", "json"])
    require_ok(r, "mostrar PROFT.DBF")
    return [t["ABREV"] for t in json.loads(r.stdout)["registros"] if not t["DNI"]]


def check_import():
    """The whole round: exportar, a solution made from its tables, importar, then
    comprobar, copias and restaurar. Each build works on its own copy of the same school;
    their GESCEN folders and the copies kept of the old tables end byte for byte the
    same, and restaurar gives back the tables from before importar."""
    prefix = wine.current_prefix()
    linux_cli, windows_cli = cli("linux"), cli("windows")
    with tempfile.TemporaryDirectory(prefix="tzv-win-") as tmp:
        linux_prefix = os.path.join(tmp, "linux-prefix")
        c = {"linux": wine.linux_drives(linux_prefix), "windows": wine.drive_c(prefix)}
        side_prefix = {"linux": linux_prefix, "windows": prefix}
        exe = {"linux": linux_cli, "windows": windows_cli}
        clear_work_folder(c["windows"])
        gc = {}
        for side in ("linux", "windows"):
            gc[side] = os.path.join(tmp, side, SCHOOL, "GC")
            generate_school(gc[side])
        before = snapshot(gc["linux"])

        day = wine.local_date()
        for side in ("linux", "windows"):
            r = run(side, side_prefix[side], exe[side], ["exportar", "--gc", wine.windows_path(gc[side])])
            require_ok(r, f"{side} exportar")
            generate_solution(os.path.join(c[side], WORK))
        solutions = [snapshot(os.path.join(c[side], WORK)).get("SOLUC.DBF") for side in ("linux", "windows")]
        if solutions[0] is None or solutions[0] != solutions[1]:
            fail("the solutions made from the two exports differ")

        # Teachers without a DNI get one on the command line, as the import's check
        # asks; their abbreviations may hold letters like À.
        dnis = []
        for n, abbreviation in enumerate(teachers_without_dni(linux_prefix,
                                                              os.path.join(c["linux"], WORK, "PROFT.DBF"))):
            dnis += ["--dni", f"{abbreviation}={20000001 + n}"]
        results = {}
        for side in ("linux", "windows"):
            results[side] = run(side, side_prefix[side], exe[side],
                                ["importar", "--gc", wine.windows_path(gc[side])] + dnis)
            require_ok(results[side], f"{side} importar")
        day_changed = wine.local_date() != day
        # Where the backup went is named by the second each build made it in.
        for side in ("linux", "windows"):
            results[side].stderr = re.sub(rb"\d{8}-\d{6}(-\d+)?", b"<fecha>", results[side].stderr)
        require_same_output(results["linux"], results["windows"], "importar")

        after = {side: snapshot(gc[side]) for side in ("linux", "windows")}
        for table in ("horgrup.dbf", "horprof.dbf"):
            if after["windows"][table] == before[table]:
                fail(f"the Windows build's importar left {table} as it was")
        require_same_files(after["linux"], after["windows"], "the GESCEN folders after importar", day_changed)

        kept = {}
        for side in ("linux", "windows"):
            copies = os.path.join(c[side], WORK, "VALENCIA", "COPIAS")
            stamps = os.listdir(copies) if os.path.isdir(copies) else []
            if len(stamps) != 1:
                fail(f"{side} importar kept its copies in {stamps or 'no folder'} below {copies}")
            kept[side] = snapshot(os.path.join(copies, stamps[0]))
        require_same_files(kept["linux"], kept["windows"], "the copies kept by importar", day_changed)
        require_same_files({k: before[k] for k in kept["linux"]}, kept["windows"],
                           "the kept copies against the tables before importar", False)

        # The check of the imported data says the same on both; each build lists its
        # backup and takes it back, and GESCEN's tables are those from before importar.
        checks = {side: run(side, side_prefix[side], exe[side],
                            ["comprobar", "--importacion", "--gc", wine.windows_path(gc[side])])
                  for side in ("linux", "windows")}
        require_same_output(checks["linux"], checks["windows"], "comprobar --importacion")
        listed = {}
        for side in ("linux", "windows"):
            r = run(side, side_prefix[side], exe[side], ["copias"])
            require_ok(r, f"{side} copias")
            # Each line: the backup's name, its date and time, then its tables.
            listed[side] = [line.split("  ")[2:] for line in r.stdout.decode().splitlines()]
            r = run(side, side_prefix[side], exe[side], ["restaurar", "--gc", wine.windows_path(gc[side])])
            require_ok(r, f"{side} restaurar")
            restored = snapshot(gc[side])
            require_same_files({t: before[t] for t in kept["linux"]}, {t: restored[t] for t in kept["linux"]},
                               f"{side}: GESCEN's tables after restaurar against those before importar", False)
        if listed["linux"] != listed["windows"] or len(listed["linux"]) != 1:
            fail(f"copias lists {listed['linux']} on Linux and {listed['windows']} on Windows")


def check_mostrar(folder):
    """mostrar prints the same bytes and ends the same with either build, for every
    table of folder, healthy or damaged, in both formats. Both builds get the same
    Windows path; the JSON runs spell it in capitals, which the Windows build leaves
    to the system and the Linux build matches itself."""
    prefix = wine.current_prefix()
    linux_cli, windows_cli = cli("linux"), cli("windows")
    tables = sorted(n for n in os.listdir(folder) if n.lower().endswith(".dbf"))
    if not tables:
        fail(f"no tables in {folder}")
    for name in tables:
        path = wine.windows_path(os.path.join(folder, name))
        for fmt, spelled in (("csv", path), ("json", path.upper())):
            args = ["mostrar", spelled, "--formato", fmt]
            linux = wine.run_linux(prefix, linux_cli, args)
            windows = wine.run_windows(prefix, windows_cli, args)
            require_same_output(linux, windows, f"mostrar {name} --formato {fmt}")
            if linux.returncode == 0 and not linux.stdout.startswith(b"campo" if fmt == "csv" else b"{"):
                fail(f"mostrar {name} --formato {fmt} printed {linux.stdout[:80]!r}")


def check_fixture(check, wrapper, table):
    """The cross-check script of a dialect table, with the Windows build in place of
    the Linux one; it runs once the prefix and the program are known to be there, so
    that a missing one skips the test instead of failing it."""
    wine.current_prefix()
    cli("windows")
    os.execv(sys.executable, [sys.executable, check, wrapper, table])


# Sharing across the two worlds: (side holding the table, how it holds it, which table,
# side trying it, what it tries, whether it must be refused).
#   table "tabla": a dialect table in a folder of its own;
#         "gescen": grupos.dbf of a generated GESCEN folder, which exportar copies;
#         "staging": the staged copy of it in C:\ZORVTMP\VALENCIA, which exportar
#                    deletes and creates anew;
#         "horario": horgrup.dbf of a generated GESCEN folder, which importar replaces.
#   mode "exclusiva", "compartida": through the table engine; "abierta": open, shared
#        with everybody, without a lock; "cerrojo-total": a write lock on the whole file;
#        "denegar-escritura", "denegar-todo": (Windows) open with the share mode that
#        lets others only read, or shares it with nobody (Wine keeps share modes in its
#        server, where no Linux lock shows them).
#   attempt "mostrar": the other build's mostrar (a shared, read-only opening);
#           "retener": the other build's tzv-retener, exclusively;
#           "exportar": the other build's exportar of the GESCEN folder;
#           "copy": Windows' own "cmd /c copy", a program that knows only the share
#                   modes of CreateFileW, not the lock the two builds agree on;
#           "importar": the other build's importar into the GESCEN folder, after its
#                       exportar and a solution;
#           "restaurar": the other build's restaurar of the backup its importar kept,
#                        which reaches the check of GESCEN's tables without copying them
#                        first (the Windows build's copy is refused by share modes and
#                        locks that it sees itself).
SHARING = {
    "linux_exclusive_windows_mostrar": ("linux", "exclusiva", "tabla", "windows", "mostrar", True),
    "linux_shared_windows_mostrar": ("linux", "compartida", "tabla", "windows", "mostrar", False),
    "windows_exclusive_linux_mostrar": ("windows", "exclusiva", "tabla", "linux", "mostrar", True),
    "windows_shared_linux_mostrar": ("windows", "compartida", "tabla", "linux", "mostrar", False),
    "linux_shared_windows_exclusive": ("linux", "compartida", "tabla", "windows", "retener", True),
    "windows_shared_linux_exclusive": ("windows", "compartida", "tabla", "linux", "retener", True),
    "windows_exclusive_windows_mostrar": ("windows", "exclusiva", "tabla", "windows", "mostrar", True),
    "windows_shared_windows_mostrar": ("windows", "compartida", "tabla", "windows", "mostrar", False),
    "windows_exclusive_windows_cmd_copy": ("windows", "exclusiva", "tabla", "windows", "copy", True),
    "windows_shared_windows_cmd_copy": ("windows", "compartida", "tabla", "windows", "copy", False),
    "linux_exclusive_windows_copy": ("linux", "exclusiva", "gescen", "windows", "exportar", True),
    "windows_exclusive_linux_copy": ("windows", "exclusiva", "gescen", "linux", "exportar", True),
    "linux_shared_windows_replace": ("linux", "compartida", "staging", "windows", "exportar", True),
    "windows_shared_linux_replace": ("windows", "compartida", "staging", "linux", "exportar", True),
    "linux_shared_windows_import": ("linux", "compartida", "horario", "windows", "importar", True),
    "windows_shared_linux_import": ("windows", "compartida", "horario", "linux", "importar", True),
    "windows_open_linux_import": ("windows", "abierta", "horario", "linux", "importar", True),
    "windows_deny_write_linux_import": ("windows", "denegar-escritura", "horario", "linux", "importar", True),
    "windows_deny_all_linux_import": ("windows", "denegar-todo", "horario", "linux", "importar", True),
    "windows_deny_write_windows_restore": ("windows", "denegar-escritura", "horario", "windows", "restaurar",
                                           True),
    "linux_whole_lock_windows_restore": ("linux", "cerrojo-total", "horario", "windows", "restaurar", True),
    "windows_deny_write_windows_import": ("windows", "denegar-escritura", "horario", "windows", "importar",
                                          True),
    "linux_whole_lock_windows_import": ("linux", "cerrojo-total", "horario", "windows", "importar", True),
}

FIXTURE_TABLE = "db3_cp437.dbf"


def start_holder(side, prefix, table, mode):
    """Starts the side's tzv-retener on table and waits until it holds it."""
    exe = holder(side)
    if side == "linux":
        p = wine.start_linux(prefix, exe, [table, mode])
    else:
        p = wine.start_windows(prefix, exe, [table, mode])
    ready, _, _ = select.select([p.process.stdout], [], [], wine.RUN_TIMEOUT)
    line = p.process.stdout.readline().decode("utf-8", "replace").strip() if ready else ""
    if line != "abierta":
        p.process.kill()
        p.process.wait()
        fail(f"{side} tzv-retener {table} {mode} did not hold the table: {line!r}, {p.error_text()!r}")
    return p


def stop_holder(p, what):
    p.process.stdin.close()
    try:
        rc = p.process.wait(timeout=wine.RUN_TIMEOUT)
    except subprocess.TimeoutExpired:
        p.process.kill()
        p.process.wait()
        fail(f"{what} did not let the table go")
    if rc != 0:
        fail(f"{what} ended with {rc}: {p.error_text()!r}")


def check_sharing(case, fixtures):
    if case not in SHARING:
        fail(f"unknown case {case}; the cases are {sorted(SHARING)}")
    holder_side, mode, table_kind, other_side, attempt, refused = SHARING[case]
    prefix = wine.current_prefix()
    # Both builds see the drives of the real prefix, so that C:\ZORVTMP is one folder.
    with tempfile.TemporaryDirectory(prefix="tzv-win-") as tmp:
        gc = os.path.join(tmp, SCHOOL, "GC")
        if table_kind == "tabla":
            shutil.copy(os.path.join(fixtures, FIXTURE_TABLE), tmp)
            table = wine.windows_path(os.path.join(tmp, FIXTURE_TABLE))
        else:
            generate_school(gc)
            table = wine.windows_path(os.path.join(gc, "grupos.dbf"))
        if table_kind == "staging":
            clear_work_folder(wine.drive_c(prefix))
            r = run(holder_side, prefix, cli(holder_side), ["exportar", "--gc", wine.windows_path(gc)])
            require_ok(r, "the first exportar")
            table = f"C:\\{WORK}\\VALENCIA\\grupos.dbf"
        dnis = []
        if table_kind == "horario":
            clear_work_folder(wine.drive_c(prefix))
            r = run(other_side, prefix, cli(other_side), ["exportar", "--gc", wine.windows_path(gc)])
            require_ok(r, "exportar before importar")
            work = os.path.join(wine.drive_c(prefix), WORK)
            generate_solution(work)
            linux_prefix = os.path.join(tmp, "linux-prefix")
            wine.linux_drives(linux_prefix)
            for n, abbreviation in enumerate(teachers_without_dni(linux_prefix, os.path.join(work, "PROFT.DBF"))):
                dnis += ["--dni", f"{abbreviation}={30000001 + n}"]
            if attempt == "restaurar":
                # A backup to take back: the timetables from before this import.
                r = run(other_side, prefix, cli(other_side), ["importar", "--gc", wine.windows_path(gc)] + dnis)
                require_ok(r, "importar before restaurar")
            table = wine.windows_path(os.path.join(gc, "horgrup.dbf"))
            with open(os.path.join(gc, "horgrup.dbf"), "rb") as f:
                horgrup_before = f.read()

        if attempt == "mostrar":
            exe, args = cli(other_side), ["mostrar", table]
        elif attempt == "retener":
            exe, args = holder(other_side), [table, "exclusiva"]
        elif attempt == "copy":
            copied = os.path.join(tmp, "copia.dbf")
            exe, args = "cmd", ["/c", "copy", table, wine.windows_path(copied)]
        elif attempt == "importar":
            exe, args = cli(other_side), ["importar", "--gc", wine.windows_path(gc)] + dnis
        elif attempt == "restaurar":
            exe, args = cli(other_side), ["restaurar", "--gc", wine.windows_path(gc)]
        else:
            exe, args = cli(other_side), ["exportar", "--gc", wine.windows_path(gc)]
        # cmd's own message is in the language of Wine's user interface.
        message = {"exportar": MESSAGE_COPY_REFUSED, "copy": "",
                   "importar": MESSAGE_GESCEN_HOLDS, "restaurar": MESSAGE_GESCEN_HOLDS}.get(attempt, MESSAGE_IN_USE)

        what = f"{holder_side} tzv-retener {table} {mode}"
        p = start_holder(holder_side, prefix, table, mode)
        try:
            r = run(other_side, prefix, exe, args)
        finally:
            stop_holder(p, what)
        if refused:
            if r.returncode != 1 or message not in r.text() or (attempt == "copy" and os.path.exists(copied)):
                fail(f"while {what} held the table, {other_side} {attempt} was not refused with "
                     f"{message!r}: {r.describe()}")
        elif r.returncode != 0 or (attempt == "mostrar" and not r.stdout):
            fail(f"while {what} held the table, {other_side} {attempt} was refused: {r.describe()}")
        if attempt in ("importar", "restaurar"):
            with open(os.path.join(gc, "horgrup.dbf"), "rb") as f:
                if f.read() != horgrup_before:
                    fail(f"while {what} held the table, {other_side} {attempt} replaced it")
        if attempt == "copy" and not refused:
            with open(os.path.join(tmp, FIXTURE_TABLE), "rb") as a, open(copied, "rb") as b:
                if a.read() != b.read():
                    fail(f"while {what} held the table, cmd /c copy made a different file")
            os.remove(copied)

        # Once let go, the table is open to the other side again.
        r = run(other_side, prefix, exe, args)
        if r.returncode != 0:
            fail(f"after {what} let the table go, {other_side} {attempt} still failed: {r.describe()}")


# Links at the names a run writes, made before one run of one build: (side, run, links).
# A link's name is below C:\ZORVTMP, or below the GESCEN folder when it begins with GC/.
# Kinds: "symlink" to a file, "dangling" (a symbolic link that leads nowhere), "hard".
# A name the run finds holding a table (PROFT.DBF at the import, which the teacher
# check edits in place) keeps it as the link's target; any other target holds bytes of
# its own.
LINKS = {
    f"{side}_{run}_{n}": (side, run, links)
    for side in ("linux", "windows")
    for run, rounds in (
        ("exportar", [{"PROFT.DBF": "symlink", "ASIGT.DBF": "dangling", "ASIGVALT.MDX": "hard"},
                      {"PROFT.DBF": "dangling", "ASIGT.DBF": "hard", "ASIGVALT.MDX": "symlink"},
                      {"PROFT.DBF": "hard", "ASIGT.DBF": "symlink", "ASIGVALT.MDX": "dangling"}]),
        ("importar", [{"VALENCIA/PLANTILLA.DBF": "symlink", "PROFT.DBF": "hard"},
                      {"VALENCIA/PLANTILLA.DBF": "dangling", "PROFT.DBF": "symlink"},
                      {"VALENCIA/PLANTILLA.DBF": "hard"}]))
    for n, links in enumerate(rounds, 1)
}

FOREIGN_BYTES = b"una tabla de otro programa, que el programa no debe tocar"


def own_file(path):
    """Whether path is a regular file that no other name shares."""
    st = os.lstat(path)
    return stat.S_ISREG(st.st_mode) and st.st_nlink == 1


def check_links(case):
    if case not in LINKS:
        fail(f"unknown case {case}; the cases are {sorted(LINKS)}")
    side, run_name, links = LINKS[case]
    prefix = wine.current_prefix()
    exe = cli(side)
    with tempfile.TemporaryDirectory(prefix="tzv-win-") as tmp:
        c = wine.drive_c(prefix)
        work = os.path.join(c, WORK)
        gc = os.path.join(tmp, SCHOOL, "GC")
        generate_school(gc)
        clear_work_folder(c)
        args = ["exportar", "--gc", wine.windows_path(gc)]
        if run_name == "importar":
            require_ok(run(side, prefix, exe, args), f"{side} exportar before importar")
            generate_solution(work)
            linux_prefix = os.path.join(tmp, "linux-prefix")
            wine.linux_drives(linux_prefix)
            args = ["importar", "--gc", wine.windows_path(gc)]
            for n, abbreviation in enumerate(teachers_without_dni(linux_prefix, os.path.join(work, "PROFT.DBF"))):
                args += ["--dni", f"{abbreviation}={40000001 + n}"]

        targets = os.path.join(tmp, "destinos")
        os.makedirs(targets)
        before = {}
        for name, kind in links.items():
            path = os.path.join(gc, name[3:]) if name.startswith("GC/") else os.path.join(work, name)
            target = os.path.join(targets, os.path.basename(name))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            if kind == "dangling":
                if os.path.lexists(path):
                    os.remove(path)
            elif os.path.exists(path):
                os.rename(path, target)
            else:
                with open(target, "wb") as f:
                    f.write(FOREIGN_BYTES)
            if kind == "hard":
                os.link(target, path)
            else:
                os.symlink(target, path)
            before[name] = (path, target, snapshot(targets).get(os.path.basename(name)))

        r = run(side, prefix, exe, args)
        require_ok(r, f"{side} {run_name} with the links {links}")
        for name, (path, target, bytes_before) in before.items():
            now = snapshot(targets).get(os.path.basename(name))
            if now != bytes_before:
                fail(f"{side} {run_name} wrote through the {links[name]} link {name}: its target "
                     f"{'appeared' if bytes_before is None else 'changed'}")
            if name.startswith("GC/"):
                if os.path.lexists(path):
                    fail(f"{side} {run_name} left {name} in the GESCEN folder")
            elif not own_file(path):
                fail(f"after {side} {run_name}, {name} (a {links[name]} link before) is no file of its own")
        if run_name == "importar":
            for table in ("horgrup.dbf", "horprof.dbf"):
                if not own_file(os.path.join(gc, table)):
                    fail(f"after {side} importar, the GESCEN table {table} is no file of its own")


def run_suite(exe):
    """Runs a GoogleTest suite of the Windows build; its output and exit code pass on."""
    prefix = wine.current_prefix()
    if not os.path.isfile(exe):
        skip(f"{exe} is missing: ./tzv build-windows makes it")
    # The suite writes into C:\ and clears what it wrote: only this run's prefix allows it.
    os.environ["TZV_UNIDAD_C_DE_PRUEBA"] = "1"
    r = wine.run_windows(prefix, exe, [])
    sys.stdout.buffer.write(r.stdout)
    sys.stderr.buffer.write(r.stderr)
    if r.returncode != 0:
        fail(f"{os.path.basename(exe)} ended with {r.returncode}")


def main(argv):
    if len(argv) < 2:
        fail(__doc__)
    command = argv[1]
    if command == "prefix":
        wine.make_prefix()
    elif command == "prefix_removed":
        wine.cleanup()
    elif command == "export":
        check_export()
    elif command == "import":
        check_import()
    elif command == "fixture" and len(argv) == 5:
        check_fixture(argv[2], argv[3], argv[4])
    elif command == "mostrar" and len(argv) == 3:
        check_mostrar(argv[2])
    elif command == "sharing" and len(argv) == 4:
        check_sharing(argv[2], argv[3])
    elif command == "links" and len(argv) == 3:
        check_links(argv[2])
    elif command == "suite" and len(argv) == 3:
        run_suite(argv[2])
    elif command == "cases":
        print(";".join(sorted(SHARING)), end="")
    elif command == "link_cases":
        print(";".join(sorted(LINKS)), end="")
    else:
        fail(__doc__)


if __name__ == "__main__":
    main(sys.argv)
