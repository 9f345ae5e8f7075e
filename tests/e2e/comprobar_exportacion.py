"""Checks the exchange tables of an export against the GESCEN tables they came from,
reading everything with dbfread (an independent reader)."""
import sys
from collections import OrderedDict
from dbfread import DBF

gc, trabajo, recuento = sys.argv[1:4]


def tabla(carpeta, nombre):
    import os
    for f in os.listdir(carpeta):
        if f.lower() == nombre.lower():
            return list(DBF(os.path.join(carpeta, f), ignore_missing_memofile=True, char_decode_errors='strict'))
    raise SystemExit("falta " + nombre)


def falla(texto):
    raise SystemExit("FALLO: " + texto)


cuentas = dict(linea.split() for linea in open(recuento))
intercambio = {n: tabla(trabajo, n) for n in cuentas}
for nombre, filas in intercambio.items():
    if int(cuentas[nombre]) != len(filas):
        falla(f"{nombre}: la herramienta dice {cuentas[nombre]}, dbfread lee {len(filas)}")

asignat = tabla(gc, "asignat.dbf")
asigvalt = intercambio["ASIGVALT.DBF"]
if len(asigvalt) != len(asignat):
    falla("ASIGVALT no tiene una fila por asignatura")
for a, v in zip(asignat, asigvalt):
    cod = (a["CODASIG"] or "").rstrip()
    if v["CODVALEN"] != cod[:10] or v["COD"] != (a["LITRESV"] or "").rstrip()[:4]:
        falla(f"ASIGVALT no sigue a asignat en {cod}")
    if v["NIVEL"] != cod[1:4] or v["CURSO"] != cod[:1] or not v["NHORAS"] > 0:
        falla(f"nivel, curso u horas erróneos en {cod}")
    if v["NOMBRE"] != (a["VLITEASIG"] or "").rstrip()[:40]:
        falla(f"nombre valenciano erróneo en {cod}")

abrevs = [p["ABREV"] for p in intercambio["PROFT.DBF"]]
if len(set(abrevs)) != len(abrevs):
    falla("abreviaturas de profesor repetidas")

alumnos = intercambio["ALUMNOST.DBF"]
if alumnos and len(alumnos[0]) != 108:
    falla("ALUMNOST no tiene 108 campos")
cods = {v["COD"] for v in asigvalt}
for a in alumnos:
    for n in range(1, 51):
        if a[f"ASIG{n}"] and a[f"ASIG{n}"] not in cods:
            falla("asignatura de alumno que no está en ASIGVALT")

grupos = intercambio["GRUPOST.DBF"]
claves = [(g["TURNO"], g["NIVEL"], g["CURSO"], g["GRUPO"]) for g in grupos]
if len(set(claves)) != len(claves):
    falla("grupos repetidos en GRUPOST")
for fila in intercambio["ASIGT.DBF"]:
    if fila["CTAREA"] != "*12" or fila["CAULA"] or fila["TURNO"]:
        falla("ASIGT con CTAREA, CAULA o TURNO erróneos")
    if len(fila["SESIONES"]) > 20 or set(fila["SESIONES"]) - {"1"}:
        falla("SESIONES erróneas")
print("tablas de intercambio coherentes con GESCEN")
