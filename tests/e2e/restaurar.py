"""Taking a backup of GESCEN's timetables back with `copias` and `restaurar`: a restore
after an import gives the tables from before it, byte for byte; a restore of that
restore gives the imported ones; a refused restore changes nothing; and a restore killed
at any of its renames, flushes, unlinks and writes leaves both tables old or both new,
and the next start says that a restoration was cut.

Usage: restaurar.py BUILD"""
import fcntl
import os
import shutil
import sys

from cortes import CERROJO, TABLAS, ejecutar, probar_cortes, strace_disponible
from escuela import escuela_temporal, falla, leer

BUILD = sys.argv[1]


def tablas_de(carpeta):
    return {t: leer(os.path.join(carpeta, t)) for t in TABLAS}


with escuela_temporal(BUILD) as escuela:
    GC = escuela.gc
    COPIAS = os.path.join(escuela.trabajo, "VALENCIA", "COPIAS")
    importar = escuela.preparar("pequeno", 7, 2000)
    antes = tablas_de(GC)
    r = ejecutar(*importar)
    if r.returncode != 0:
        falla("la importación falló: " + r.stderr)
    if "COPIAS" not in r.stderr:
        falla("la importación no dice dónde dejó la copia: " + r.stderr)
    importadas = tablas_de(GC)
    [copia] = os.listdir(COPIAS)

    listado = ejecutar(escuela.cli, "copias").stdout.splitlines()
    if len(listado) != 1 or not listado[0].startswith(copia) or "registros" not in listado[0]:
        falla(f"copias lista {listado}")

    # Refused restores, each from the state after the import: nothing changes.
    def sin_cambios(caso, preparar, deshacer, orden, texto):
        preparar()
        r = ejecutar(escuela.cli, "restaurar", *orden)
        deshacer()
        if r.returncode == 0 or texto not in r.stderr or "No se ha cambiado nada" not in r.stderr:
            falla(f"{caso}: {r.returncode} {r.stderr}")
        if tablas_de(GC) != importadas or os.listdir(COPIAS) != [copia]:
            falla(f"{caso}: algo cambió")

    guardada = os.path.join(escuela.c, "guardada")
    tabla_copia = os.path.join(COPIAS, copia, "horprof.dbf")
    cerrojo = {}

    def cerrar_gescen():
        cerrojo["f"] = open(os.path.join(GC, "horgrup.dbf"), "rb+")
        fcntl.lockf(cerrojo["f"], fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0)

    def soltar_gescen():
        cerrojo.pop("f").close()

    def otro_equipo():
        # Another PC's copy back into the same GESCEN folder: the lock every build takes on
        # the folder's lock file.
        cerrojo["f"] = open(os.path.join(GC, CERROJO), "rb+")
        fcntl.lockf(cerrojo["f"], fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0x7FFFFFFE)

    casos = [
        ("copia que no existe", lambda: None, lambda: None, ["19990101-000000"],
         "No hay ninguna copia 19990101-000000"),
        ("copia incompleta", lambda: shutil.move(tabla_copia, guardada),
         lambda: shutil.move(guardada, tabla_copia), [], "está incompleta"),
        ("tabla ilegible", lambda: (shutil.copy(tabla_copia, guardada),
                                    open(tabla_copia, "wb").write(b"esto no es una tabla")),
         lambda: shutil.move(guardada, tabla_copia), [], "no es una tabla que se pueda leer"),
        ("GESCEN con la tabla abierta", cerrar_gescen, soltar_gescen, [], "horgrup.dbf"),
        ("otro equipo en la carpeta de GESCEN", otro_equipo, soltar_gescen, [],
         "Otro equipo está importando en la carpeta de GESCEN"),
    ]
    for caso in casos:
        sin_cambios(*caso)

    r = ejecutar(escuela.cli, "restaurar", copia)
    if r.returncode != 0 or tablas_de(GC) != antes:
        falla("restaurar no devolvió los horarios de antes: " + r.stderr)
    r = ejecutar(escuela.cli, "restaurar")
    if r.returncode != 0 or tablas_de(GC) != importadas:
        falla("restaurar lo restaurado no devolvió los horarios importados: " + r.stderr)
    listado = ejecutar(escuela.cli, "copias").stdout.splitlines()
    if len(listado) != 3 or not listado[-1].startswith(copia):
        falla(f"copias tras dos restauraciones, la más nueva primero: {listado}")
    print("restaurar y restaurar lo restaurado: iguales byte a byte")

    if not strace_disponible():
        print("strace no puede seguir procesos en esta máquina: sin cortes")
        sys.exit(0)
    # The restore of the import's backup, killed: from the imported tables with that one
    # backup, to the tables from before.
    shutil.rmtree(COPIAS)
    os.makedirs(os.path.join(COPIAS, copia))
    for t in TABLAS:
        with open(os.path.join(COPIAS, copia, t), "wb") as f:
            f.write(antes[t])
    guardadas = os.path.join(escuela.c, "copias-guardadas")
    shutil.copytree(COPIAS, guardadas)

    def volver_al_principio():
        for t in TABLAS:
            with open(os.path.join(GC, t), "wb") as f:
                f.write(importadas[t])
        shutil.rmtree(COPIAS, ignore_errors=True)
        shutil.copytree(guardadas, COPIAS)

    probar_cortes(escuela, [escuela.cli, "restaurar", copia], volver_al_principio,
                  [antes, importadas], clase="restauración")
