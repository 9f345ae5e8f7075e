"""Two runs of the tool started together on the same work folder, many times: each either
does its whole work or is refused at once with the message that another run is at work;
none reads what the other has half written, and GESCEN's timetables always end as a
whole import leaves them.

Usage: a_la_vez.py BUILD [ROUNDS]"""
import collections
import os
import subprocess
import sys

from escuela import escuela_temporal, falla, leer

BUILD = sys.argv[1]
RONDAS = int(sys.argv[2]) if len(sys.argv) > 2 else 30
OTRA = "Hay otra exportación o importación en marcha sobre C:\\ZORVTMP."

with escuela_temporal(BUILD) as escuela:
    GC = escuela.gc
    ordenes = {"importar": escuela.preparar("grande", 9, 20000),
               "exportar": [escuela.cli, "exportar"]}
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
