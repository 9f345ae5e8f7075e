#!/usr/bin/env python3
"""The naming rule of DESARROLLO.md, checked with clang-tidy's readability-identifier-naming
(.clang-tidy at the root) over every C++ file of the project in a build's
compile_commands.json. Prints each name that breaks the rule and fails if there is one.

clang-tidy takes seconds per file, so a file's verdict is kept in a cache keyed on what
clang-tidy would read: the preprocessed file, its command, .clang-tidy and clang-tidy's
version. Only files whose text, or a header's, changed are looked at again.

Usage: comprobar_nombres.py BUILD_DIR [BUILD_DIR...]"""
import concurrent.futures
import hashlib
import json
import os
import pathlib
import shlex
import subprocess
import sys

RAIZ = pathlib.Path(__file__).resolve().parents[2]
CAPAS = ("plat", "dbf", "gescen", "procesos", "ui", "qt", "win32", "ayuda", "tools", "tests")
CACHE = pathlib.Path(os.environ.get("XDG_CACHE_HOME", pathlib.Path.home() / ".cache")) / "tzv-nombres"


def del_proyecto(archivo):
    try:
        relativo = pathlib.Path(archivo).resolve().relative_to(RAIZ)
    except ValueError:
        return False
    return relativo.parts[0] in CAPAS


def preprocesado(entrada):
    """The file as the compiler sees it, without the line markers that name paths."""
    args = shlex.split(entrada["command"]) if "command" in entrada else list(entrada["arguments"])
    quitar = {"-o", "-MF", "-MT", "-MQ"}
    limpio, saltar = [], False
    for a in args:
        if saltar:
            saltar = False
        elif a in quitar:
            saltar = True
        elif a not in ("-c", "-MD", "-MMD"):
            limpio.append(a)
    r = subprocess.run(limpio + ["-E", "-P"], cwd=entrada["directory"], capture_output=True)
    return r.stdout if r.returncode == 0 else None


def clave(entrada, version, ajustes):
    texto = preprocesado(entrada)
    if texto is None:
        return None
    # The same sources give the same key in any clone of the project.
    raiz = str(RAIZ).encode()
    h = hashlib.sha256()
    for parte in (version, ajustes, entrada["command"].replace(str(RAIZ), "").encode(),
                  texto.replace(raiz, b"")):
        h.update(parte)
        h.update(b"\0")
    return h.hexdigest()


def argumentos_extra(entrada):
    """The Windows build's files are read as MinGW's compiler reads them."""
    if "mingw32" not in entrada.get("command", ""):
        return []
    gcc = sorted(pathlib.Path("/usr/lib/gcc/x86_64-w64-mingw32").glob("*-posix"))[-1]
    cxx = gcc / "include" / "c++"
    return ["--extra-arg=--target=x86_64-w64-mingw32", f"--extra-arg=-isystem{cxx}",
            f"--extra-arg=-isystem{cxx}/x86_64-w64-mingw32",
            "--extra-arg=-isystem/usr/x86_64-w64-mingw32/include"]


def del_arbol(aviso):
    """A warning about a file of the project's own folders, not a generated one."""
    ruta = aviso.split(":", 1)[0]
    return ruta.startswith(str(RAIZ) + "/") and del_proyecto(ruta) and not ruta.endswith(".moc")


def revisar(entrada, build, version, ajustes):
    k = clave(entrada, version, ajustes)
    guardado = CACHE / k if k else None
    if guardado and guardado.exists():
        return guardado.read_text(encoding="utf-8")
    r = subprocess.run(["clang-tidy", "-p", build, "--quiet", *argumentos_extra(entrada),
                        entrada["file"]], capture_output=True, text=True)
    avisos = "".join(l.replace(str(RAIZ) + "/", "") + "\n" for l in r.stdout.splitlines()
                     if "[readability-identifier-naming]" in l and del_arbol(l))
    if r.returncode != 0 and not avisos:
        return f"{entrada['file']}: clang-tidy no pudo leerlo:\n{r.stderr}{r.stdout}\n"
    if guardado:
        CACHE.mkdir(parents=True, exist_ok=True)
        guardado.write_text(avisos, encoding="utf-8")
    return avisos


def main():
    builds = [str(pathlib.Path(b).resolve()) for b in sys.argv[1:]] or [str(RAIZ / "build")]
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True).stdout
    ajustes = (RAIZ / ".clang-tidy").read_bytes()
    trabajos, vistos = [], set()
    for build in builds:
        base = pathlib.Path(build) / "compile_commands.json"
        if not base.exists():
            continue
        for entrada in json.loads(base.read_text()):
            # A file both builds compile is read once, as the first build compiles it.
            if del_proyecto(entrada["file"]) and entrada["file"] not in vistos:
                vistos.add(entrada["file"])
                trabajos.append((entrada, build))
    avisos = set()
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as grupo:
        for texto in grupo.map(lambda t: revisar(t[0], t[1], version, ajustes), trabajos):
            avisos.update(l for l in texto.splitlines() if l)
    for aviso in sorted(avisos):
        print(aviso)
    if avisos:
        print(f"{len(avisos)} nombres no siguen la regla de DESARROLLO.md (Nombres)")
        return 1
    print(f"{len(trabajos)} archivos con los nombres de la regla")
    return 0


if __name__ == "__main__":
    sys.exit(main())
