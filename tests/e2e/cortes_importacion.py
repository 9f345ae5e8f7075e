"""The import killed at each rename, flush, unlink and write it makes (see cortes.py):
GESCEN's two timetables must then be both old or both new, and every backup whole.

Usage: cortes_importacion.py BUILD"""
import os
import shutil
import sys

from cortes import TABLAS, ejecutar, probar_cortes, strace_disponible
from escuela import escuela_temporal, leer

BUILD = sys.argv[1]

if not strace_disponible():
    print("strace no puede seguir procesos en esta máquina")
    sys.exit(77)

with escuela_temporal(BUILD) as escuela:
    COPIAS = os.path.join(escuela.trabajo, "VALENCIA", "COPIAS")
    importar = escuela.preparar("pequeno", 5, 3000)
    viejo = {t: leer(os.path.join(escuela.gc, t)) for t in TABLAS}

    def volver_al_principio():
        for t in TABLAS:
            with open(os.path.join(escuela.gc, t), "wb") as f:
                f.write(viejo[t])
        shutil.rmtree(COPIAS, ignore_errors=True)

    # A first run stores the teachers' numbers in PROFT.DBF; the runs after it, which all
    # start from the same files, make the same calls.
    ejecutar(*importar, check=True)
    probar_cortes(escuela, importar, volver_al_principio, [viejo])
