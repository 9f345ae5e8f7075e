"""A run of the tool killed at each rename, flush, unlink and write it makes, one after
the other (strace -e inject=CALL:signal=KILL:when=N), each time followed by a start of the
tool: GESCEN's two timetables must then be both as before or both as after, the GESCEN
folder must hold nothing but its own files, and every backup folder must be whole."""
import collections
import os
import re
import subprocess

from escuela import falla, leer

# The calls a kill is tried at, in the order they are reported.
LLAMADAS = ["rename", "fsync", "unlink", "write", "pwrite64"]
TABLAS = ["horgrup.dbf", "horprof.dbf"]


def ejecutar(*orden, **kw):
    return subprocess.run(orden, capture_output=True, text=True, **kw)


def strace_disponible():
    return subprocess.run(["strace", "-o", "/dev/null", "true"], capture_output=True).returncode == 0


def probar_cortes(escuela, orden, volver_al_principio, copias_enteras):
    """`volver_al_principio()` puts GESCEN's tables and the backups as they are before
    `orden`; `copias_enteras` lists what a whole backup may hold (table -> bytes)."""
    GC = escuela.gc
    COPIAS = os.path.join(escuela.trabajo, "VALENCIA", "COPIAS")
    REGISTRO = os.path.join(escuela.trabajo, "VALENCIA", "DEVOLUCION.TZV")
    volver_al_principio()
    viejo = {t: leer(os.path.join(GC, t)) for t in TABLAS}
    en_gc = sorted(os.listdir(GC))
    # One whole run, traced: the new tables, and each call it makes, in order.
    traza = os.path.join(escuela.c, "traza.txt")
    r = ejecutar("strace", "-f", "-o", traza, "-e", "trace=" + ",".join(LLAMADAS), *orden)
    if r.returncode != 0:
        falla("la orden completa falló: " + r.stderr)
    nuevo = {t: leer(os.path.join(GC, t)) for t in TABLAS}
    if nuevo == viejo:
        falla("la orden no cambió los horarios")
    hechas = collections.defaultdict(list)  # call -> what each of its invocations did
    principal = None
    for linea in open(traza, encoding="utf-8", errors="replace"):
        m = re.match(r"(\d+) +(\w+)\((.*)", linea)  # strace pads short ids
        if not m or m.group(2) not in LLAMADAS:
            continue
        principal = principal or m.group(1)
        if m.group(1) == principal:  # counts are kept per thread; the work is on the main one
            hechas[m.group(2)].append(m.group(3)[:70])

    def estado(t):
        contenido = leer(os.path.join(GC, t)) if os.path.exists(os.path.join(GC, t)) else None
        return "viejo" if contenido == viejo[t] else "nuevo" if contenido == nuevo[t] else "roto"

    resultados = collections.Counter()
    fallos = []
    print(f"{'llamada':<9} {'n':>3}  {'resultado':<11} {'qué hacía':<70} al volver a arrancar")
    for llamada in LLAMADAS:
        for n in range(1, len(hechas[llamada]) + 1):
            volver_al_principio()
            r = ejecutar("strace", "-f", "-o", "/dev/null", "-e", "trace=" + llamada,
                         "-e", f"inject={llamada}:signal=KILL:when={n}", *orden)
            if r.returncode == 0:
                fallos.append(f"{llamada} {n}: la orden no se cortó")
                continue
            # The next start of the tool ends what the killed run left.
            arranque = ejecutar(escuela.cli, "mostrar", "C:\\GC\\centro.dbf")
            if arranque.returncode != 0:
                fallos.append(f"{llamada} {n}: el arranque siguiente falló: {arranque.stderr}")
            dicho = arranque.stderr.strip().splitlines()
            g, p = estado("horgrup.dbf"), estado("horprof.dbf")
            resultado = f"{g}/{p}"
            resultados[resultado] += 1
            print(f"{llamada:<9} {n:>3}  {resultado:<11} {hechas[llamada][n - 1]:<70} "
                  f"{dicho[0][:60] if dicho else '-'}")
            if g != p or g == "roto":
                fallos.append(f"{llamada} {n}: horgrup {g}, horprof {p}")
            if sorted(os.listdir(GC)) != en_gc:
                fallos.append(f"{llamada} {n}: la carpeta de GESCEN tiene "
                              f"{sorted(set(os.listdir(GC)) - set(en_gc))} de más")
            if os.path.exists(REGISTRO):
                fallos.append(f"{llamada} {n}: el registro de la devolución sigue ahí")
            for copia in os.listdir(COPIAS) if os.path.isdir(COPIAS) else []:
                carpeta = os.path.join(COPIAS, copia)
                if sorted(os.listdir(carpeta)) != TABLAS or not any(
                        all(leer(os.path.join(carpeta, t)) == entera[t] for t in TABLAS)
                        for entera in copias_enteras):
                    fallos.append(f"{llamada} {n}: la copia {copia} no está entera")
    total = sum(resultados.values())
    print(f"{total} cortes: " + ", ".join(f"{k} {v}" for k, v in sorted(resultados.items())))
    if fallos:
        falla("\n".join(fallos))
    if total == 0 or len(resultados) < 2:
        falla("los cortes no dieron los dos desenlaces: " + str(dict(resultados)))
