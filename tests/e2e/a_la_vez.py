"""Two runs of the tool started together on the same work folder, many times: each either
does its whole work or is refused at once with the message that another run is at work;
none reads what the other has half written, and GESCEN's timetables always end as a
whole import leaves them.

Usage: a_la_vez.py BUILD [ROUNDS]"""
import collections
import os
import shutil
import subprocess
import sys
import tempfile

from dbfread import DBF

BUILD = sys.argv[1]
RONDAS = int(sys.argv[2]) if len(sys.argv) > 2 else 30
CLI = os.path.join(BUILD, "transzorvex-cli")
GEN = os.path.join(BUILD, "tzv-generador")
OTRA = "Hay otra exportación o importación en marcha sobre C:\\ZORVTMP."


def falla(texto):
    sys.exit("FALLO: " + texto)


def leer(ruta):
    with open(ruta, "rb") as f:
        return f.read()


prefijo = tempfile.mkdtemp()
try:
    os.makedirs(os.path.join(prefijo, "dosdevices"))
    C = os.path.join(prefijo, "drive_c")
    os.makedirs(C)
    os.symlink("../drive_c", os.path.join(prefijo, "dosdevices", "c:"))
    os.symlink("/", os.path.join(prefijo, "dosdevices", "z:"))
    os.environ["WINEPREFIX"] = prefijo
    GC = os.path.join(C, "GC")
    TRABAJO = os.path.join(C, "ZORVTMP")
    subprocess.run([GEN, "gescen", GC, "--tamano", "grande", "--semilla", "9"], check=True,
                   capture_output=True)
    subprocess.run([CLI, "exportar"], check=True, capture_output=True)
    subprocess.run([GEN, "solucion", TRABAJO, "--semilla", "9", "--registros", "20000"], check=True,
                   capture_output=True)
    dnis = []
    for i, p in enumerate(DBF(os.path.join(TRABAJO, "PROFT.DBF"))):
        if not p["DNI"]:
            dnis += ["--dni", f"{p['ABREV']}={90000000 + i}"]
    ordenes = {"importar": [CLI, "importar"] + dnis, "exportar": [CLI, "exportar"]}
    subprocess.run(ordenes["importar"], check=True, capture_output=True)
    tablas = ["horgrup.dbf", "horprof.dbf"]
    importado = {t: leer(os.path.join(GC, t)) for t in tablas}

    vistos = collections.Counter()
    for ronda in range(RONDAS):
        pareja = ["importar", "importar"] if ronda % 2 == 0 else ["importar", "exportar"]
        procesos = [subprocess.Popen(ordenes[o], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True) for o in pareja]
        for orden, p in zip(pareja, procesos):
            salida, error = p.communicate(timeout=120)
            if p.returncode == 0:
                vistos[f"{orden} hecha"] += 1
            elif error.strip().startswith(OTRA):
                vistos[f"{orden} rechazada"] += 1
            else:
                falla(f"ronda {ronda}: {orden} terminó con {p.returncode}: {error.strip()}")
        for t in tablas:
            if leer(os.path.join(GC, t)) != importado[t]:
                falla(f"ronda {ronda}: {t} no es el de una importación entera")
    print(f"{RONDAS} rondas de dos órdenes a la vez: " +
          ", ".join(f"{k} {v}" for k, v in sorted(vistos.items())))
finally:
    shutil.rmtree(prefijo, ignore_errors=True)
