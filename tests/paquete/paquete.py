#!/usr/bin/python3
"""The Debian package of the Linux build, made by CPack as ./tzv package makes it.

  paquete.py construir CPACK CONFIG CARPETA   makes the .deb into CARPETA (emptied first)
  paquete.py contenido CARPETA VERSION        its files, their modes, its control data,
                                              the menu entry, manual pages and changelog
  paquete.py lintian CARPETA                  lintian finds no error in it
  paquete.py extraido CARPETA VERSION BUILD   its programs, unpacked, answer --version and
                                              --help and export a generated school as
                                              the build's own transzorvex-cli does

A check that needs a tool that is not installed is skipped with exit code 77.
"""

import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

PAQUETE = "transzorvex-valencia"
DOC = f"usr/share/doc/{PAQUETE}"
# Every file of the package and its mode: anything else installed by mistake shows here.
ARCHIVOS = {
    "usr/bin/transzorvex": "-rwxr-xr-x",
    "usr/bin/transzorvex-cli": "-rwxr-xr-x",
    "usr/share/applications/transzorvex.desktop": "-rw-r--r--",
    "usr/share/icons/hicolor/scalable/apps/transzorvex.svg": "-rw-r--r--",
    "usr/share/man/man1/transzorvex.1.gz": "-rw-r--r--",
    "usr/share/man/man1/transzorvex-cli.1.gz": "-rw-r--r--",
    f"{DOC}/copyright": "-rw-r--r--",
    # The version has no Debian revision, so the package is native: changelog.gz.
    f"{DOC}/changelog.gz": "-rw-r--r--",
}
# The libraries the Qt program links, and the platform plugins no program links.
DEPENDENCIAS = ["libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins"]
ORDENES = ["mostrar", "exportar", "importar", "comprobar", "copias", "restaurar"]

fallos = []


def falla(texto):
    fallos.append(texto)


def terminar(bien):
    for f in fallos:
        print("FALLO:", f)
    if fallos:
        sys.exit(1)
    print(bien)


def salta(texto):
    print("SALTADA:", texto)
    sys.exit(77)


def el_paquete(carpeta):
    debs = glob.glob(os.path.join(carpeta, "*.deb"))
    if len(debs) != 1:
        sys.exit(f"FALLO: se esperaba un paquete en {carpeta} (lo hace paquete.construir): {debs}")
    return debs[0]


def salida(*orden, **kw):
    return subprocess.run(orden, check=True, capture_output=True, text=True, **kw).stdout


def desempaquetar(deb, destino):
    subprocess.run(["dpkg-deb", "-x", deb, destino], check=True)


def construir(cpack, config, carpeta):
    shutil.rmtree(carpeta, ignore_errors=True)
    r = subprocess.run([cpack, "-G", "DEB", "--config", config, "-B", carpeta],
                       capture_output=True, text=True)
    print(r.stdout, r.stderr, sep="")
    if r.returncode != 0:
        sys.exit("FALLO: cpack no hizo el paquete")
    print("paquete:", os.path.basename(el_paquete(carpeta)))


def campos_control(deb):
    campos, ultimo = {}, None
    for linea in salida("dpkg-deb", "-f", deb).splitlines():
        if linea.startswith((" ", "\t")) and ultimo:
            campos[ultimo] += "\n" + linea
        else:
            ultimo, _, valor = linea.partition(":")
            campos[ultimo] = valor.strip()
    return campos


def nombres_de(relaciones):
    """Package names of a Depends-like field, alternatives included, without versions."""
    return {re.split(r"[\s(:]", alt.strip())[0]
            for rel in relaciones.split(",") for alt in rel.split("|") if alt.strip()}


def paquete_de_ruta(ruta):
    """The installed package that holds a file; with /usr merged, dpkg may know it under
    /lib or under /usr/lib."""
    for candidata in (ruta, os.path.realpath(ruta), re.sub(r"^/usr/lib/", "/lib/", ruta),
                      re.sub(r"^/lib/", "/usr/lib/", ruta)):
        r = subprocess.run(["dpkg", "-S", candidata], capture_output=True, text=True)
        if r.returncode == 0:
            return r.stdout.split(":")[0].split(",")[0].strip()
    return None


def comprobar_control(deb, version):
    campos = campos_control(deb)
    esperados = {
        "Package": PAQUETE,
        "Version": version,
        "Architecture": salida("dpkg", "--print-architecture").strip(),
        "Priority": "optional",
    }
    for campo, valor in esperados.items():
        if campos.get(campo) != valor:
            falla(f"{campo}: {campos.get(campo)!r}, se esperaba {valor!r}")
    if not re.fullmatch(r"[^<>]+ <[^@\s<>]+@[^@\s<>]+>", campos.get("Maintainer", "")):
        falla(f"Maintainer sin nombre y dirección: {campos.get('Maintainer')!r}")
    if not campos.get("Section"):
        falla("sin Section")
    descripcion = campos.get("Description", "").split("\n")
    if not descripcion[0] or len(descripcion[0]) > 80 or len(descripcion) < 2:
        falla(f"Description sin sinopsis corta y descripción larga: {descripcion!r}")
    depende = nombres_de(campos.get("Depends", ""))
    for d in DEPENDENCIAS:
        if d not in depende:
            falla(f"Depends no tiene {d}: {campos.get('Depends')!r}")
    return depende


def comprobar_bibliotecas(raiz, depende):
    """Every library the programs link is in a package Depends names."""
    for programa in ("transzorvex", "transzorvex-cli"):
        ruta = os.path.join(raiz, "usr/bin", programa)
        necesarias = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", salida("readelf", "-d", ruta))
        enlazadas = salida("ldd", ruta)
        halladas = dict(re.findall(r"^\s*(\S+) => (/\S+)", enlazadas, re.M))
        # The dynamic loader shows by its path alone.
        halladas |= {os.path.basename(r): r for r in re.findall(r"^\s*(/\S+) \(", enlazadas, re.M)}
        for soname in necesarias:
            dueno = paquete_de_ruta(halladas[soname]) if soname in halladas else None
            if dueno is None:
                falla(f"{programa}: no se sabe qué paquete tiene {soname}")
            elif dueno not in depende:
                falla(f"{programa} enlaza {soname}, de {dueno}, que Depends no nombra")


def comprobar_archivos(deb):
    vistos = {}
    for linea in salida("dpkg-deb", "-c", deb).splitlines():
        modo, dueno, _, _, _, ruta = linea.split(None, 5)
        ruta = ruta.removeprefix("./").rstrip("/")
        if dueno != "root/root":
            falla(f"{ruta}: de {dueno}, no de root/root")
        if modo.startswith("d"):
            if modo != "drwxr-xr-x":
                falla(f"{ruta}/: modo {modo}")
        else:
            vistos[ruta] = modo
    for ruta, modo in ARCHIVOS.items():
        if ruta not in vistos:
            falla(f"falta {ruta}")
        elif vistos[ruta] != modo:
            falla(f"{ruta}: modo {vistos[ruta]}, se esperaba {modo}")
    for ruta in sorted(set(vistos) - set(ARCHIVOS)):
        falla(f"archivo de más en el paquete: {ruta}")


def comprobar_entrada_menu(raiz):
    entrada = {}
    with open(os.path.join(raiz, "usr/share/applications/transzorvex.desktop"), encoding="utf-8") as f:
        for linea in f:
            clave, igual, valor = linea.strip().partition("=")
            if igual:
                entrada[clave] = valor
    for clave, valor in {"Type": "Application", "Terminal": "false"}.items():
        if entrada.get(clave) != valor:
            falla(f"entrada de menú: {clave}={entrada.get(clave)!r}")
    for clave in ("Name", "Comment"):
        if not entrada.get(clave):
            falla(f"entrada de menú sin {clave}")
    programa = entrada.get("Exec", "").split(" ")[0]
    if not os.path.isfile(os.path.join(raiz, "usr/bin", programa)):
        falla(f"entrada de menú: Exec={programa!r} no está en usr/bin")
    iconos = glob.glob(os.path.join(raiz, "usr/share/icons/hicolor/*/apps", entrada.get("Icon", "") + ".*"))
    if not entrada.get("Icon") or not iconos:
        falla(f"entrada de menú: no hay icono {entrada.get('Icon')!r} en hicolor")
    categorias = entrada.get("Categories", "").split(";")
    for c in ("Education", "Office"):
        if c not in categorias:
            falla(f"entrada de menú: Categories sin {c}")


def comprobar_manuales(raiz, version):
    for pagina, ordenes in (("transzorvex", []), ("transzorvex-cli", ORDENES)):
        with gzip.open(os.path.join(raiz, f"usr/share/man/man1/{pagina}.1.gz"), "rt", encoding="utf-8") as f:
            texto = f.read()
        if not re.search(rf'^\.TH {re.escape(pagina.upper())} 1 .*{re.escape(version)}', texto, re.M):
            falla(f"{pagina}.1: sin .TH de la sección 1 con la versión {version}")
        for orden in ordenes:
            if not re.search(rf"^\.TP\n\.BR? {orden}\b", texto, re.M):
                falla(f"{pagina}.1 no describe la orden {orden}")


def comprobar_changelog(raiz, version):
    with gzip.open(os.path.join(raiz, DOC, "changelog.gz"), "rt", encoding="utf-8") as f:
        primera = f.readline()
    if not primera.startswith(f"{PAQUETE} ({version}) "):
        falla(f"changelog: la última entrada es {primera.strip()!r}, no la versión {version}")


def contenido(carpeta, version):
    deb = el_paquete(carpeta)
    depende = comprobar_control(deb, version)
    comprobar_archivos(deb)
    with tempfile.TemporaryDirectory() as raiz:
        desempaquetar(deb, raiz)
        comprobar_bibliotecas(raiz, depende)
        comprobar_entrada_menu(raiz)
        comprobar_manuales(raiz, version)
        comprobar_changelog(raiz, version)
    terminar("contenido y datos de control correctos")


def lintian(carpeta):
    if shutil.which("lintian") is None:
        salta("lintian no está instalado (./tzv lo instala)")
    r = subprocess.run(["lintian", "--allow-root", "--fail-on", "error", "--display-info",
                        el_paquete(carpeta)], capture_output=True, text=True)
    print(r.stdout, r.stderr, sep="")
    if r.returncode != 0:
        falla(f"lintian terminó con {r.returncode}")
    terminar("lintian sin errores")


def ejecutar(programa, *args, entorno=None):
    return subprocess.run([programa, *args], capture_output=True, text=True, env=entorno, timeout=120)


def extraido(carpeta, version, build):
    from escuela import escuela_temporal

    deb = el_paquete(carpeta)
    with tempfile.TemporaryDirectory() as raiz:
        desempaquetar(deb, raiz)
        cli = os.path.join(raiz, "usr/bin/transzorvex-cli")
        programa = os.path.join(raiz, "usr/bin/transzorvex")
        sin_pantalla = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        sin_pantalla["QT_QPA_PLATFORM"] = "xcb"
        for nombre, r, esperada in (
                ("transzorvex-cli --version", ejecutar(cli, "--version"), f"transzorvex-cli {version}\n"),
                ("transzorvex --version", ejecutar(programa, "--version", entorno=sin_pantalla),
                 f"transzorvex {version}\n")):
            if (r.returncode, r.stdout) != (0, esperada):
                falla(f"{nombre}: {r.returncode} {r.stdout!r} {r.stderr!r}")
        r = ejecutar(cli, "--help")
        if r.returncode != 0 or not r.stdout.startswith("uso: transzorvex-cli ORDEN"):
            falla(f"transzorvex-cli --help: {r.returncode} {r.stdout!r}")

        # A real order: the unpacked tool exports a generated school, and every exchange
        # table reads the same through it as through the build's own tool.
        with escuela_temporal(build) as escuela:
            subprocess.run([escuela.generador, "gescen", escuela.gc, "--tamano", "pequeno",
                            "--semilla", "11"], check=True, capture_output=True)
            r = ejecutar(cli, "exportar")
            if r.returncode != 0 or len(r.stdout.splitlines()) != 9:
                falla(f"exportar del paquete: {r.returncode} {r.stdout!r} {r.stderr!r}")
            for linea in r.stdout.splitlines():
                tabla = "C:\\ZORVTMP\\" + linea.split()[0]
                del_paquete, de_build = ejecutar(cli, "mostrar", tabla), ejecutar(escuela.cli, "mostrar", tabla)
                if del_paquete.returncode != 0 or del_paquete.stdout != de_build.stdout:
                    falla(f"mostrar {tabla}: el paquete da {del_paquete.returncode} "
                          f"{del_paquete.stdout[:200]!r}, el build {de_build.stdout[:200]!r}")
    terminar("los programas del paquete responden y exportan como los del build")


def main():
    orden, args = sys.argv[1], sys.argv[2:]
    ordenes = {"construir": construir, "contenido": contenido, "lintian": lintian, "extraido": extraido}
    if orden not in ordenes:
        sys.exit(__doc__)
    ordenes[orden](*args)


if __name__ == "__main__":
    main()
