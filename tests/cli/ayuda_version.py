#!/usr/bin/python3
"""--version and --help of the two programs, run in a Wine-style prefix of their own.

  ayuda_version.py VERSION CLI [PROGRAMA]

VERSION is project()'s; CLI is transzorvex-cli and PROGRAMA, when the build has it, the Qt
program transzorvex. Each case checks the exit code and what is written, and that the
prefix's drive C: is left as it was: help and version read and write no data, not even
the work folder that every order takes first.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from escuela import escuela_temporal  # noqa: E402

fallos = []


def arbol(carpeta):
    return sorted(os.path.relpath(os.path.join(d, n), carpeta)
                  for d, subs, archivos in os.walk(carpeta) for n in subs + archivos)


def ejecutar(c, programa, args, entorno=None):
    antes = arbol(c)
    r = subprocess.run([programa, *args], capture_output=True, text=True, env=entorno, timeout=30)
    if arbol(c) != antes:
        fallos.append(f"{os.path.basename(programa)} {' '.join(args)}: cambió C: "
                      f"({sorted(set(arbol(c)) ^ set(antes))})")
    return r


def comprobar(nombre, r, codigo, salida, errores=""):
    """salida and errores are regular expressions the whole text must match."""
    if r.returncode != codigo:
        fallos.append(f"{nombre}: código {r.returncode}, se esperaba {codigo}; {r.stderr!r}")
    if not re.fullmatch(salida, r.stdout, re.S):
        fallos.append(f"{nombre}: salida {r.stdout!r} no es {salida!r}")
    if not re.fullmatch(errores, r.stderr, re.S):
        fallos.append(f"{nombre}: errores {r.stderr!r} no es {errores!r}")


def ordenes(ayuda):
    """The orders the general help lists, with their usage: 'NAME ARGS...' lines."""
    lista = ayuda.split("órdenes:\n", 1)[1] if "órdenes:\n" in ayuda else ""
    return [re.split(r"\s{2,}", linea.strip())[0] for linea in lista.splitlines() if linea.strip()]


def main():
    version, cli = sys.argv[1], sys.argv[2]
    programa = sys.argv[3] if len(sys.argv) > 3 else None
    v = re.escape(version)
    with escuela_temporal(os.path.dirname(cli)) as escuela:
        c = escuela.c
        # A GESCEN folder, so that an order that ran by mistake would find data to work on.
        os.makedirs(escuela.gc)

        casos = [
            ("--version", ["--version"], 0, rf"transzorvex-cli {v}\n", ""),
            ("--help", ["--help"], 0, r"uso: transzorvex-cli ORDEN .*órdenes:\n.*", ""),
            ("sin orden", [], 2, "", r"uso: transzorvex-cli ORDEN .*"),
            ("orden desconocida", ["ninguna"], 2, "", r"uso: transzorvex-cli ORDEN .*"),
            ("--version con más", ["--version", "mostrar"], 2, "", r"uso: .*"),
        ]
        for nombre, args, codigo, salida, errores in casos:
            comprobar(nombre, ejecutar(c, cli, args), codigo, salida, errores)

        # Each listed order answers --help with its own usage line, and nothing else runs.
        listadas = ordenes(ejecutar(c, cli, ["--help"]).stdout)
        for obligada in ("mostrar", "exportar", "importar"):
            if not any(u.split()[0] == obligada for u in listadas):
                fallos.append(f"--help no lista {obligada}: {listadas}")
        for uso in listadas:
            orden = uso.split()[0]
            comprobar(f"{orden} --help", ejecutar(c, cli, [orden, "--help"]), 0,
                      rf"uso: transzorvex-cli {re.escape(uso)}\n(.+\n)?")

        if programa:
            # No display at all and the X11 platform asked for: a QApplication made before
            # the answer would end the program with an error.
            entorno = {k: x for k, x in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            entorno["QT_QPA_PLATFORM"] = "xcb"
            comprobar("transzorvex --version", ejecutar(c, programa, ["--version"], entorno), 0,
                      rf"transzorvex {v}\n")

    for f in fallos:
        print("FALLO:", f)
    if fallos:
        sys.exit(1)
    print(f"ayuda y versión correctas ({len(listadas)} órdenes)")


if __name__ == "__main__":
    main()
