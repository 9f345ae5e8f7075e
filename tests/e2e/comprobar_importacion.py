"""Checks the GESCEN timetables after an import against the solution, the teacher and
subject tables and the class-period template, all read with dbfread."""
import os
import sys
from dbfread import DBF

trabajo, gc, filas = sys.argv[1:4]


def abrir(ruta):
    carpeta, nombre = os.path.split(ruta)
    for f in os.listdir(carpeta):
        if f.lower() == nombre.lower():
            return DBF(os.path.join(carpeta, f), ignore_missing_memofile=True)
    raise SystemExit("falta " + ruta)


def leer(ruta):
    return list(abrir(ruta))


def falla(texto):
    raise SystemExit("FALLO: " + texto)


def texto(v):
    return "" if v is None else str(v).rstrip()


soluc = leer(os.path.join(trabajo, "SOLUC.DBF"))
proft = leer(os.path.join(trabajo, "PROFT.DBF"))
asigvalt = sorted(enumerate(leer(os.path.join(trabajo, "ASIGVALT.DBF"))), key=lambda p: (p[1]["CODVALEN"], p[0]))
plantilla = {p["HORA"]: p for p in leer(os.path.join(trabajo, "VALENCIA", "PLANTILLA.DBF"))}
horprof = leer(os.path.join(gc, "horprof.dbf"))
ancho_ocupa = next(f.length for f in abrir(os.path.join(gc, "horprof.dbf")).fields if f.name == "OCUPA")
horgrup = leer(os.path.join(gc, "horgrup.dbf"))
centro = leer(os.path.join(gc, "centro.dbf"))[0]["CODCEN"]

dni = {}
for p in proft:
    dni.setdefault(p["ABREV"], p["DNI"] or 0)
asig = {}
for _, a in asigvalt:
    asig.setdefault((a["NIVEL"], a["CURSO"], a["COD"]), a["CODVALEN"])

colocadas = [s for s in soluc if int(s["DIA"] or 0) != 0]
con_grupo = [s for s in colocadas if texto(s["NIVEL"]).strip() and texto(s["CURSO"]).strip()]
if len(horprof) != len(colocadas) or len(horgrup) != len(con_grupo):
    falla(f"filas: horprof {len(horprof)} de {len(colocadas)}, horgrup {len(horgrup)} de {len(con_grupo)}")
cuentas = dict(l.split() for l in open(filas))
if int(cuentas["horprof.dbf"]) != len(horprof) or int(cuentas["horgrup.dbf"]) != len(horgrup):
    falla("los recuentos de la herramienta no coinciden")
for s, p in zip(colocadas, horprof):
    hora = int(s["HORA"] or 0)
    if int(p["DIASEM"]) != int(s["DIA"]) or int(p["NUMHORA"]) != hora:
        falla("día u hora distintos")
    if int(p["DNI"] or 0) != int(dni.get(texto(s["PROF"]), 0)):
        falla(f"DNI erróneo para {s['PROF']}")
    if texto(p["OCUPA"]) != texto(s["TAREA"])[1:][:ancho_ocupa].rstrip():
        falla("OCUPA erróneo")
    if float(p["CODCEN"]) != float(centro):
        falla("centro erróneo")
    if 1 <= hora <= 20 and texto(p["HORAD"]) != texto(plantilla[hora]["HORAINI"]):
        falla("hora de inicio distinta de la plantilla")
for s, g in zip(con_grupo, horgrup):
    codvalen = asig.get((texto(s["NIVEL"]), texto(s["CURSO"]), texto(s["ASIG"])), "")
    if texto(g["CODASIG"]) != codvalen:
        falla(f"CODASIG {g['CODASIG']!r} en vez de {codvalen!r}")
    esperado = (codvalen[:4] + texto(s["GRUPO"])) if codvalen else ""
    if texto(g["CODGRUP"]) != esperado[: len(texto(g["CODGRUP"])) or None]:
        falla("CODGRUP erróneo")
print(f"horarios de GESCEN iguales a la solución: {len(horprof)} filas de profesores, {len(horgrup)} de grupos")
