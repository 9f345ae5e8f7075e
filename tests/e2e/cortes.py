"""A run of the tool killed at each rename, flush, unlink and write it makes, one after
the other (strace -e inject=CALL:signal=KILL:when=N), each time followed by a start of the
tool: right after the cut each of GESCEN's two timetables must be whole, as before or as
after; after the start both must be as before or both as after, the GESCEN
folder must hold nothing but its own files (and the lock file of the copy back), every
backup folder must be whole, and what the start says must name the kind of run that was
cut. Where the cut run left a swap for the start to end, the start is killed too, at
each of its calls, and the start after it must end the swap as well."""
import collections
import os
import re
import shutil
import subprocess

from escuela import falla, leer

# The calls a kill is tried at, in the order they are reported.
LLAMADAS = ["rename", "fsync", "unlink", "write", "pwrite64"]
TABLAS = ["horgrup.dbf", "horprof.dbf"]
# The lock file of the copy back: made in the GESCEN folder once, and never deleted.
CERROJO = "TRANSZORVEX.LCK"


def ejecutar(*orden, **kw):
    return subprocess.run(orden, capture_output=True, text=True, **kw)


def strace_disponible():
    return subprocess.run(["strace", "-o", "/dev/null", "true"], capture_output=True).returncode == 0


def llamadas_de(orden, traza):
    """Runs `orden` traced; returns its exit code and what each of the traced calls of its
    main thread did, by call, in order."""
    r = ejecutar("strace", "-f", "-o", traza, "-e", "trace=" + ",".join(LLAMADAS), *orden)
    hechas = collections.defaultdict(list)  # call -> what each of its invocations did
    principal = None
    for linea in open(traza, encoding="utf-8", errors="replace"):
        m = re.match(r"(\d+) +(\w+)\((.*)", linea)  # strace pads short ids
        if not m or m.group(2) not in LLAMADAS:
            continue
        principal = principal or m.group(1)
        if m.group(1) == principal:  # counts are kept per thread; the work is on the main one
            hechas[m.group(2)].append(m.group(3)[:70])
    return r, hechas


def cortada(orden, llamada, n):
    """Runs `orden` killed at its n-th `llamada`; whether it was killed."""
    r = ejecutar("strace", "-f", "-o", "/dev/null", "-e", "trace=" + llamada,
                 "-e", f"inject={llamada}:signal=KILL:when={n}", *orden)
    return r.returncode != 0


def entradas_propias(carpeta):
    return sorted(n for n in os.listdir(carpeta) if n != CERROJO)


def probar_cortes(escuela, orden, volver_al_principio, copias_enteras, clase="importación"):
    """`volver_al_principio()` puts GESCEN's tables and the backups as they are before
    `orden`; `copias_enteras` lists what a whole backup may hold (table -> bytes);
    `clase` is the kind of run `orden` is, as the start names it once cut."""
    GC = escuela.gc
    VALENCIA = os.path.join(escuela.trabajo, "VALENCIA")
    COPIAS = os.path.join(VALENCIA, "COPIAS")
    REGISTRO = os.path.join(VALENCIA, "DEVOLUCION.TZV")
    arrancar = [escuela.cli, "mostrar", "C:\\GC\\centro.dbf"]
    volver_al_principio()
    viejo = {t: leer(os.path.join(GC, t)) for t in TABLAS}
    en_gc = entradas_propias(GC)
    # One whole run, traced: the new tables, and each call it makes, in order.
    r, hechas = llamadas_de(orden, os.path.join(escuela.c, "traza.txt"))
    if r.returncode != 0:
        falla("la orden completa falló: " + r.stderr)
    nuevo = {t: leer(os.path.join(GC, t)) for t in TABLAS}
    if nuevo == viejo:
        falla("la orden no cambió los horarios")

    def estado(t):
        contenido = leer(os.path.join(GC, t)) if os.path.exists(os.path.join(GC, t)) else None
        return "viejo" if contenido == viejo[t] else "nuevo" if contenido == nuevo[t] else "roto"

    resultados = collections.Counter()
    fallos = []

    def comprobar(corte, que):
        """Checks that the cut left each table whole, as GESCEN would find it before the
        tool starts again; then starts the tool, which ends what the cut run left, and
        checks what it leaves."""
        for t in TABLAS:
            if estado(t) == "roto":
                fallos.append(f"{corte}: {t} quedó a medias o no está")
        arranque = ejecutar(*arrancar)
        if arranque.returncode != 0:
            fallos.append(f"{corte}: el arranque siguiente falló: {arranque.stderr}")
        dicho = arranque.stderr.strip().splitlines()
        g, p = estado("horgrup.dbf"), estado("horprof.dbf")
        resultado = f"{g}/{p}"
        resultados[resultado] += 1
        print(f"{corte:<22} {resultado:<11} {que:<70} {dicho[0][:60] if dicho else '-'}")
        if g != p or g == "roto":
            fallos.append(f"{corte}: horgrup {g}, horprof {p}")
        if dicho and dicho[0].startswith(("Se ha", "No se ha podido terminar")) and \
                f"una {clase} interrumpida" not in dicho[0]:
            fallos.append(f"{corte}: el arranque no dice que se cortó una {clase}: {dicho[0]}")
        if entradas_propias(GC) != en_gc:
            fallos.append(f"{corte}: la carpeta de GESCEN tiene "
                          f"{sorted(set(entradas_propias(GC)) - set(en_gc))} de más")
        if os.path.exists(REGISTRO):
            fallos.append(f"{corte}: el registro de la devolución sigue ahí")
        for copia in os.listdir(COPIAS) if os.path.isdir(COPIAS) else []:
            carpeta = os.path.join(COPIAS, copia)
            if sorted(os.listdir(carpeta)) != TABLAS or not any(
                    all(leer(os.path.join(carpeta, t)) == entera[t] for t in TABLAS)
                    for entera in copias_enteras):
                fallos.append(f"{corte}: la copia {copia} no está entera")

    guardado = os.path.join(escuela.c, "guardado")

    def guardar():
        shutil.rmtree(guardado, ignore_errors=True)
        shutil.copytree(GC, os.path.join(guardado, "GC"), symlinks=True)
        shutil.copytree(VALENCIA, os.path.join(guardado, "VALENCIA"), symlinks=True)

    def reponer():
        for carpeta, nombre in ((GC, "GC"), (VALENCIA, "VALENCIA")):
            shutil.rmtree(carpeta)
            shutil.copytree(os.path.join(guardado, nombre), carpeta, symlinks=True)

    print(f"{'corte':<22} {'resultado':<11} {'qué hacía':<70} al volver a arrancar")
    cortes_de_arranque = 0
    for llamada in LLAMADAS:
        for n in range(1, len(hechas[llamada]) + 1):
            volver_al_principio()
            corte = f"{llamada} {n}"
            if not cortada(orden, llamada, n):
                fallos.append(f"{corte}: la orden no se cortó")
                continue
            if os.path.exists(REGISTRO):
                # The start has a swap to end: it is killed at each of its own calls first.
                guardar()
                _, del_arranque = llamadas_de(arrancar, os.path.join(escuela.c, "traza-arranque.txt"))
                reponer()
                for otra in LLAMADAS:
                    for k in range(1, len(del_arranque[otra]) + 1):
                        if cortada(arrancar, otra, k):
                            cortes_de_arranque += 1
                            comprobar(f"{corte}, arranque {otra} {k}", del_arranque[otra][k - 1])
                        reponer()
            comprobar(corte, hechas[llamada][n - 1])
    total = sum(resultados.values())
    print(f"{total} cortes ({cortes_de_arranque} de ellos, del arranque que termina la devolución): " +
          ", ".join(f"{k} {v}" for k, v in sorted(resultados.items())))
    if fallos:
        falla("\n".join(fallos))
    if total == 0 or len(resultados) < 2:
        falla("los cortes no dieron los dos desenlaces: " + str(dict(resultados)))
