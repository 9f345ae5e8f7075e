#!/usr/bin/env python3
"""The layers of the tree, each a folder, each including only itself and the layers
under it. Every quoted include names its folder from the project root ("dbf/Table.h");
the only exception is the .moc file Qt generates beside a test. Prints each include that
runs up or names no folder, and fails if there is one."""
import pathlib
import re
import sys

RAIZ = pathlib.Path(__file__).resolve().parents[2]

# What each folder may include, besides itself.
NUCLEO = ["plat", "dbf", "gescen", "procesos", "ui"]
PERMITIDAS = {
    "plat": [],
    "dbf": ["plat"],
    "gescen": ["plat", "dbf"],
    "procesos": ["plat", "dbf", "gescen"],
    "ui": ["plat", "dbf", "gescen", "procesos"],
    "ayuda": ["plat", "dbf"],
    "qt": NUCLEO + ["ayuda"],
    "win32": NUCLEO,
    "tools": NUCLEO,
    "tests": NUCLEO + ["ayuda", "qt", "win32", "tools"],
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def fallos():
    for capa, otras in PERMITIDAS.items():
        for archivo in sorted((RAIZ / capa).rglob("*")):
            if archivo.suffix not in (".h", ".cpp", ".inc"):
                continue
            texto = archivo.read_text(encoding="utf-8")
            for incluido in INCLUDE.findall(texto):
                linea = texto[: texto.find('"' + incluido + '"')].count("\n") + 1
                donde = f"{archivo.relative_to(RAIZ)}:{linea}"
                if incluido.endswith(".moc"):
                    continue
                carpeta = incluido.split("/")[0]
                if "/" not in incluido or not (RAIZ / incluido).is_file():
                    yield f'{donde}: "{incluido}" no nombra su carpeta desde la raíz'
                elif carpeta != capa and carpeta not in otras:
                    yield f'{donde}: {capa}/ no puede incluir "{incluido}", de una capa superior'


def main():
    lista = list(fallos())
    for fallo in lista:
        print(fallo)
    if lista:
        return 1
    print("Cada capa incluye solo lo suyo y lo de debajo")
    return 0


if __name__ == "__main__":
    sys.exit(main())
