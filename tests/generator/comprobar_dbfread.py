"""tzv-generador's GESCEN folders read by two other dBase readers, dbfread and
python-dbf (Debian's python3-dbfread and python3-dbf): every table and the FoxPro memo
file read, texts decode through each table's declared code page, and both readers see
the same records.

usage: comprobar_dbfread.py GENERADOR TAMANO
Exits 77 (skipped) when the readers are not installed."""

import os
import struct
import subprocess
import sys
import tempfile

try:
    import dbf
    from dbfread import DBF
except ImportError as e:  # pragma: no cover
    print(f"skipped: {e}")
    sys.exit(77)

TABLAS = ["grupos.dbf", "profesor.dbf", "horgrup.dbf", "asigalum.dbf", "asignat.dbf", "aulas.dbf",
          "alumnos.dbf", "centro.dbf", "lhortipo.dbf", "OCUPA.dbf", "horprof.dbf"]
CODIFICACION = {0x02: "cp850", 0x03: "cp1252", 0x57: "cp1252"}

fallos = []


def comprobar(condicion, texto):
    if not condicion:
        fallos.append(texto)


def cabecera(ruta):
    with open(ruta, "rb") as f:
        h = f.read(32)
    version, count, hlen, rlen = h[0], struct.unpack("<I", h[4:8])[0], *struct.unpack("<HH", h[8:12])
    return {"version": version, "registros": count, "cabecera": hlen, "registro": rlen, "idioma": h[29]}


def registros_crudos(ruta):
    c = cabecera(ruta)
    with open(ruta, "rb") as f:
        datos = f.read()
    comprobar(datos[-1:] == b"\x1a", f"{ruta}: no end-of-file mark")
    comprobar(len(datos) == c["cabecera"] + c["registros"] * c["registro"] + 1, f"{ruta}: size")
    return [datos[c["cabecera"] + i * c["registro"]:c["cabecera"] + (i + 1) * c["registro"]]
            for i in range(c["registros"])]


def tabla(carpeta, nombre):
    """Each table with dbfread: live and deleted records against the file's bytes, and the
    same values through python-dbf."""
    ruta = os.path.join(carpeta, nombre)
    c = cabecera(ruta)
    comprobar(c["version"] == (0xF5 if nombre == "alumnos.dbf" else 0x03), f"{nombre}: version {c['version']:#x}")
    comprobar(c["idioma"] in CODIFICACION, f"{nombre}: language driver {c['idioma']:#x}")
    t = DBF(ruta, load=True)
    comprobar(t.encoding == CODIFICACION.get(c["idioma"]), f"{nombre}: dbfread encoding {t.encoding}")
    crudos = registros_crudos(ruta)
    borrados = sum(1 for r in crudos if r[:1] == b"*")
    comprobar(len(t.records) == len(crudos) - borrados, f"{nombre}: {len(t.records)} live records")
    comprobar(len(t.deleted) == borrados, f"{nombre}: {len(t.deleted)} deleted records")

    otra = dbf.Table(ruta)
    otra.open(dbf.READ_ONLY)
    try:
        vivos = [i for i in range(len(otra)) if not dbf.is_deleted(otra[i])]
        comprobar(len(vivos) == len(t.records), f"{nombre}: python-dbf sees {len(vivos)} records")
        nombres = [f.name for f in t.fields]
        # python-dbf is slow: large tables are compared on a sample of records.
        paso = max(1, len(vivos) // 1500)
        for i in range(0, min(len(vivos), len(t.records)), paso):
            a, b = t.records[i], otra[vivos[i]]
            for campo in nombres:
                va, vb = a[campo], b[campo.lower()]
                if isinstance(vb, str):
                    vb = vb.rstrip()
                if va is None and vb in ("", None, 0, False):
                    continue
                if isinstance(va, str) and vb is None:
                    vb = ""
                if isinstance(va, (int, float)) and not isinstance(va, bool):
                    iguales = vb is not None and abs(va - vb) < 1e-9
                else:
                    iguales = va == vb
                if not iguales:
                    fallos.append(f"{nombre} record {i} {campo}: dbfread {va!r}, python-dbf {vb!r}")
                    return t
    finally:
        otra.close()
    return t


def memos(carpeta, alumnos):
    """The .fpt: its header, one text block per memo field, and texts that decode."""
    ruta = os.path.join(carpeta, "alumnos.fpt")
    with open(ruta, "rb") as f:
        datos = f.read()
    comprobar(len(datos) >= 512, "alumnos.fpt: shorter than its header")
    siguiente, tam = struct.unpack(">I", datos[0:4])[0], struct.unpack(">H", datos[6:8])[0]
    comprobar(tam >= 32 and 512 % tam == 0, f"alumnos.fpt: block size {tam}")
    comprobar(siguiente * tam == len(datos), f"alumnos.fpt: next free block {siguiente}, size {len(datos)}")

    campos = {f.name: f for f in alumnos.fields}
    desplaz, at = {}, 1
    for f in alumnos.fields:
        desplaz[f.name] = at
        at += f.length
    for nombre in ("OBS", "COMENTARIO"):
        comprobar(campos[nombre].type == "M" and campos[nombre].length == 10, f"{nombre}: not M 10")
    ocupados = []
    for r in registros_crudos(os.path.join(carpeta, "alumnos.dbf")):
        for nombre in ("OBS", "COMENTARIO"):
            celda = r[desplaz[nombre]:desplaz[nombre] + 10]
            if not celda.strip():
                continue
            comprobar(celda.lstrip().isdigit() and celda[-1:] != b" ", f"memo pointer {celda!r}")
            bloque = int(celda)
            tipo, largo = struct.unpack(">II", datos[bloque * tam:bloque * tam + 8])
            comprobar(tipo == 1, f"memo block {bloque}: type {tipo}")
            comprobar(bloque * tam >= 512 and bloque * tam + 8 + largo <= len(datos), f"memo block {bloque} out of file")
            ocupados.append((bloque * tam, bloque * tam + 8 + largo))
    ocupados.sort()
    comprobar(all(a[1] <= b[0] for a, b in zip(ocupados, ocupados[1:])), "memo blocks overlap")
    comprobar(len(ocupados) > 0, "no memos")
    comprobar(any(b - a > tam for a, b in ocupados), "no memo runs over several blocks")

    textos = [r[c] for r in alumnos.records + alumnos.deleted for c in ("OBS", "COMENTARIO") if r[c]]
    comprobar(len(textos) == len(ocupados), f"dbfread read {len(textos)} memos of {len(ocupados)}")
    comprobar(all(isinstance(x, str) for x in textos), "memos are not text")
    junto = "\n".join(textos)
    comprobar("\r\n" in junto, "no memo with several lines")
    comprobar(any(ch in junto for ch in "àèéíòóúç·"), "memos without accents")


def textos(carpeta, leidas):
    """Accented texts decode, and are stored as each table's code page writes them."""
    casos = [
        ("asignat.dbf", "VLITEASIG", "Matemàtiques"),
        ("asignat.dbf", "CLITEASIG", "Educación Física"),
        ("asignat.dbf", "VLITEASIG", "Educació Física"),
        ("OCUPA.dbf", "VLITERAL", "Guàrdia"),
        ("OCUPA.dbf", "CLITERAL", "Reunión de departamento"),
        ("aulas.dbf", "LITAULA", "Gimnàs"),
        ("profesor.dbf", "DEPARTA", "Educació Física"),
    ]
    for nombre, campo, texto in casos:
        t = leidas[nombre]
        comprobar(any(r[campo] == texto for r in t.records), f"{nombre}.{campo}: no {texto!r}")
        with open(os.path.join(carpeta, nombre), "rb") as f:
            crudo = f.read()
        comprobar(texto.encode(t.encoding) in crudo, f"{nombre}: {texto!r} not stored as {t.encoding}")
    for nombre, campo in (("profesor.dbf", "APENOMPROF"), ("alumnos.dbf", "APENOM")):
        comprobar(any("Ñ" in r[campo] for r in leidas[nombre].records), f"{nombre}: no Ñ in names")


def main():
    generador, tamano = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="tzv-gen-") as carpeta:
        p = subprocess.run([generador, "gescen", carpeta, "--tamano", tamano, "--semilla", "9"],
                           capture_output=True, text=True)
        if p.returncode != 0:
            print(p.stdout, p.stderr)
            sys.exit(1)
        for nombre in TABLAS:
            comprobar(f"{nombre} " in p.stdout, f"summary line missing for {nombre}")
        leidas = {nombre: tabla(carpeta, nombre) for nombre in TABLAS}
        memos(carpeta, leidas["alumnos.dbf"])
        textos(carpeta, leidas)
        idiomas = {cabecera(os.path.join(carpeta, n))["idioma"] for n in TABLAS}
        comprobar(idiomas == {0x02, 0x03, 0x57}, f"language drivers {sorted(idiomas)}")
    for f in fallos[:30]:
        print("FAIL", f)
    sys.exit(1 if fallos else 0)


if __name__ == "__main__":
    main()
