"""Two PCs importing into one GESCEN folder at once, many times. Each PC has a work
folder of its own (a Wine-style prefix of its own, named by WINEPREFIX) with its own
export and its own solution, so that the two imports give different timetables; the
GESCEN folder is one folder, given to both with --gc.

Every run must either finish or be refused with the message that another PC is
importing into the folder; GESCEN's two timetables must always be the pair of one run
(never horgrup.dbf of one and horprof.dbf of the other, never a blend of both files);
every backup must be a whole pair, the one its swap replaced; and the GESCEN folder must
hold nothing new but the lock file. Before the rounds, each PC's import is refused while
another PC holds the folder, and while GESCEN holds horgrup.dbf with a lock over the
whole file.

With --wine the second PC is the Windows build under Wine, in the test run's prefix
(tests/windows/wine.py): the two builds must keep out of each other as two runs of one
build do.

Usage: dos_equipos.py BUILD [RONDAS] [--wine]
Prints its figures; ends with FALLO and code 1 at the first round that breaks a rule
(the figures so far printed first)."""
import collections
import fcntl
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from dbfread import DBF

from escuela import falla, leer

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "windows"))

ARGS = [a for a in sys.argv[1:] if a != "--wine"]
CON_WINE = "--wine" in sys.argv[1:]
BUILD = ARGS[0]
RONDAS = int(ARGS[1]) if len(ARGS) > 1 else 200

TABLAS = ["horgrup.dbf", "horprof.dbf"]
CERROJO = "TRANSZORVEX.LCK"
BYTE_DEL_CERROJO = 0x7FFFFFFE  # the byte every build locks in a file it holds exclusively
OTRO_EQUIPO = "Otro equipo está importando en la carpeta de GESCEN"
GESCEN_ABIERTA = "GESCEN tiene abierta la tabla"
ESPERA = 180  # seconds one run may take at most


class Equipo:
    """One PC: a build of the tool, the environment that gives it its work folder, and
    the GESCEN folder as that build names it."""

    def __init__(self, nombre, orden, entorno, trabajo, gc):
        self.nombre = nombre
        self.orden = orden
        self.entorno = entorno
        self.trabajo = trabajo
        self.gc = gc
        self.importar = None

    def ejecutar(self, *args):
        r = subprocess.run(self.orden + list(args), env=self.entorno, stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=ESPERA)
        return r.returncode, r.stderr.decode("utf-8", "replace").strip()

    def empezar(self, *args):
        return subprocess.Popen(self.orden + list(args), env=self.entorno, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def copias(self):
        return os.path.join(self.trabajo, "VALENCIA", "COPIAS")

    def registro(self):
        return os.path.join(self.trabajo, "VALENCIA", "DEVOLUCION.TZV")


def equipo_linux(nombre, raiz, gc):
    prefijo = os.path.join(raiz, nombre)
    os.makedirs(os.path.join(prefijo, "dosdevices"))
    c = os.path.join(prefijo, "drive_c")
    os.makedirs(c)
    os.symlink("../drive_c", os.path.join(prefijo, "dosdevices", "c:"))
    os.symlink("/", os.path.join(prefijo, "dosdevices", "z:"))
    entorno = dict(os.environ, WINEPREFIX=prefijo, LC_ALL="C.UTF-8")
    return Equipo(nombre, [os.path.join(BUILD, "transzorvex-cli")], entorno,
                  os.path.join(c, "ZORVTMP"), gc)


def equipo_wine(nombre, gc):
    import wine
    prefijo = wine.current_prefix()  # a skip (77) without Wine or without the run's prefix
    exe = wine.program("TZV_CLI_WINDOWS", "the Windows build (./tzv build-windows makes it)")
    trabajo = os.path.join(wine.drive_c(prefijo), "ZORVTMP")
    shutil.rmtree(trabajo, ignore_errors=True)
    wine.ensure_server(prefijo)
    return Equipo(nombre, [wine.wine64(), exe], wine.wine_env(prefijo), trabajo,
                  wine.windows_path(gc))


def generar(*args):
    subprocess.run([os.path.join(BUILD, "tzv-generador"), *args], check=True, capture_output=True)


def preparar(equipo, semilla):
    """The PC's export of the GESCEN folder and its own solution; the import's command,
    with a number for every teacher."""
    rc, error = equipo.ejecutar("exportar", "--gc", equipo.gc)
    if rc != 0:
        falla(f"{equipo.nombre}: exportar falló: {error}")
    generar("solucion", equipo.trabajo, "--semilla", str(semilla), "--registros", "3000")
    dnis = []
    for i, p in enumerate(DBF(os.path.join(equipo.trabajo, "PROFT.DBF"))):
        if not p["DNI"]:
            dnis += ["--dni", f"{p['ABREV']}={90000000 + i}"]
    equipo.importar = ["importar", "--gc", equipo.gc] + dnis


def principal(raiz):
    gc = os.path.join(raiz, "GC")
    generar("gescen", gc, "--tamano", "pequeno", "--semilla", "11")
    a = equipo_linux("A", raiz, gc)
    b = equipo_wine("B", gc) if CON_WINE else equipo_linux("B", raiz, gc)
    equipos = [a, b]
    for semilla, equipo in enumerate(equipos, start=21):
        preparar(equipo, semilla)
    antes = {t: leer(os.path.join(gc, t)) for t in TABLAS}
    propios = sorted(os.listdir(gc))

    def volver_al_principio():
        for t in TABLAS:
            with open(os.path.join(gc, t), "wb") as f:
                f.write(antes[t])
        for equipo in equipos:
            shutil.rmtree(equipo.copias(), ignore_errors=True)

    # Each PC alone, twice (the first run also keeps the teachers' numbers): its pair.
    pares = {"antes": antes}
    duracion = {}
    for equipo in equipos:
        for vez in range(2):
            volver_al_principio()
            inicio = time.monotonic()
            rc, error = equipo.ejecutar(*equipo.importar)
            duracion[equipo.nombre] = time.monotonic() - inicio
            if rc != 0:
                falla(f"{equipo.nombre}: la importación sola falló: {error}")
            par = {t: leer(os.path.join(gc, t)) for t in TABLAS}
            if vez == 1 and par != pares[equipo.nombre]:
                falla(f"{equipo.nombre}: dos importaciones iguales dieron horarios distintos")
            pares[equipo.nombre] = par
    for t in TABLAS:
        if len({pares[k][t] for k in pares}) != 3:
            falla(f"las dos importaciones y GESCEN no tienen tres {t} distintos")
    print("una importación sola dura " +
          ", ".join(f"{e.nombre} {duracion[e.nombre]:.2f} s" for e in equipos))

    rehusadas(equipos, gc, volver_al_principio, antes)
    rondas(equipos, gc, volver_al_principio, pares, propios, duracion)


def gescen_sin_cambios(gc, antes, que):
    for t in TABLAS:
        if leer(os.path.join(gc, t)) != antes[t]:
            falla(f"{que}: {t} cambió")


def rehusadas(equipos, gc, volver_al_principio, antes):
    """Each PC refused, with GESCEN's tables as they were: while another PC holds the
    GESCEN folder (after waiting for it), and while GESCEN holds horgrup.dbf whole."""
    casos = [("otro equipo tiene la carpeta", CERROJO, 1, BYTE_DEL_CERROJO, OTRO_EQUIPO),
             ("GESCEN tiene horgrup.dbf entera", "horgrup.dbf", 0, 0, GESCEN_ABIERTA + " ")]
    for que, archivo, largo, byte, mensaje in casos:
        for equipo in equipos:
            volver_al_principio()
            with open(os.path.join(gc, archivo), "rb+") as retenido:
                fcntl.lockf(retenido, fcntl.LOCK_EX | fcntl.LOCK_NB, largo, byte)
                rc, error = equipo.ejecutar(*equipo.importar)
            nombrado = equipo.gc if archivo == CERROJO else "horgrup.dbf"
            if rc != 1 or mensaje not in error or nombrado not in error:
                falla(f"{que}: {equipo.nombre} no se rechazó con {mensaje!r}: {rc} {error}")
            gescen_sin_cambios(gc, antes, f"{que}, {equipo.nombre}")
            if os.path.isdir(equipo.copias()) and os.listdir(equipo.copias()):
                falla(f"{que}: {equipo.nombre} hizo una copia de seguridad")
            print(f"{que}: {equipo.nombre} rechazada: {error.splitlines()[-1]}")
    if CON_WINE:
        # GESCEN under Wine, with the table open without sharing it (nor its writing).
        import wine
        retener = wine.program("TZV_RETENER_WINDOWS", "the Windows build's tzv-retener.exe")
        windows = equipos[1]
        volver_al_principio()
        p = subprocess.Popen(windows.orden[:1] + [retener, wine.windows_path(os.path.join(gc, "horgrup.dbf")),
                                                  "exclusiva"], env=windows.entorno, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            if p.stdout.readline().strip() != b"abierta":
                falla("tzv-retener.exe no abrió horgrup.dbf")
            rc, error = windows.ejecutar(*windows.importar)
        finally:
            p.stdin.close()
            p.wait(timeout=ESPERA)
        if rc != 1 or GESCEN_ABIERTA + " " not in error or "horgrup.dbf" not in error:
            falla(f"GESCEN (Wine) con horgrup.dbf sin compartir: {windows.nombre} no se rechazó: {rc} {error}")
        gescen_sin_cambios(gc, antes, "GESCEN (Wine) con horgrup.dbf sin compartir")
        print(f"GESCEN (Wine) tiene horgrup.dbf sin compartir: {windows.nombre} rechazada: "
              f"{error.splitlines()[-1]}")


def de_quien(contenido, pares, t):
    return next((k for k, par in pares.items() if par[t] == contenido), "mezcla")


def rondas(equipos, gc, volver_al_principio, pares, propios, duracion):
    vistos = collections.Counter()
    tiempos = []
    copias_enteras = 0
    for ronda in range(RONDAS):
        volver_al_principio()
        # The second PC starts a moment after the first: at once in half the rounds, else
        # anywhere within the first one's run, so that the swaps meet at every point. The
        # first is either PC; with Wine, which takes longer to start a program, always
        # the Windows build, and the Linux run goes in anywhere until a while after it.
        if CON_WINE:
            primero, segundo = equipos[1], equipos[0]
            retraso = random.uniform(0, 1.5 * duracion[primero.nombre])
        else:
            primero, segundo = random.sample(equipos, 2)
            retraso = 0.0 if ronda % 2 == 0 else random.uniform(0, duracion[primero.nombre])
        inicio = time.monotonic()
        procesos = {primero.nombre: primero.empezar(*primero.importar)}
        time.sleep(retraso)
        procesos[segundo.nombre] = segundo.empezar(*segundo.importar)
        hechas = []
        for equipo in equipos:
            _, error = procesos[equipo.nombre].communicate(timeout=ESPERA)
            error = error.decode("utf-8", "replace").strip()
            if procesos[equipo.nombre].returncode == 0:
                hechas.append(equipo.nombre)
                vistos[f"{equipo.nombre} hecha"] += 1
            elif OTRO_EQUIPO in error:
                vistos[f"{equipo.nombre} rechazada"] += 1
            else:
                informar(vistos, ronda, tiempos, copias_enteras)
                falla(f"ronda {ronda}: {equipo.nombre} terminó con "
                      f"{procesos[equipo.nombre].returncode}: {error}")
        tiempos.append(time.monotonic() - inicio)

        fallos = []
        final = {t: de_quien(leer(os.path.join(gc, t)), pares, t) for t in TABLAS}
        g, p = final["horgrup.dbf"], final["horprof.dbf"]
        if "mezcla" in (g, p):
            vistos["archivos mezclados"] += 1
            fallos.append(f"horgrup de {g}, horprof de {p}: un archivo mezcla los dos")
        elif g != p:
            vistos["pares mezclados"] += 1
            fallos.append(f"horgrup de {g}, horprof de {p}")
        else:
            vistos[f"al final, los horarios de {g}"] += 1
            if g not in (hechas or ["antes"]):
                fallos.append(f"quedan los horarios de {g}, y terminaron {hechas}")
        # Whose pair each backup holds: the first swap's, GESCEN's from before; the
        # second's, the first swap's pair.
        esperada = {n: "antes" for n in hechas}
        if len(hechas) == 2 and g in hechas:
            esperada[g] = next(n for n in hechas if n != g)
        for equipo in equipos:
            hay = sorted(os.listdir(equipo.copias())) if os.path.isdir(equipo.copias()) else []
            if equipo.nombre not in hechas:
                if hay:
                    fallos.append(f"{equipo.nombre}, rechazada, dejó la copia {hay}")
                continue
            if len(hay) != 1:
                fallos.append(f"{equipo.nombre} dejó las copias {hay}")
                continue
            carpeta = os.path.join(equipo.copias(), hay[0])
            if sorted(os.listdir(carpeta)) != TABLAS:
                fallos.append(f"la copia de {equipo.nombre} tiene {sorted(os.listdir(carpeta))}")
                continue
            de = {t: de_quien(leer(os.path.join(carpeta, t)), pares, t) for t in TABLAS}
            if set(de.values()) == {esperada.get(equipo.nombre)}:
                copias_enteras += 1
            else:
                fallos.append(f"la copia de {equipo.nombre} tiene {de}, y no el par de "
                              f"{esperada.get(equipo.nombre)} entero")
        for equipo in equipos:
            if os.path.exists(equipo.registro()):
                fallos.append(f"{equipo.nombre} dejó el registro de su devolución")
        if sorted(os.listdir(gc)) != sorted(set(propios) | {CERROJO}):
            fallos.append(f"la carpeta de GESCEN tiene {sorted(set(os.listdir(gc)) - set(propios))} de más")
        if fallos:
            informar(vistos, ronda + 1, tiempos, copias_enteras)
            falla(f"ronda {ronda}: " + "; ".join(fallos))
    informar(vistos, RONDAS, tiempos, copias_enteras)


def informar(vistos, rondas_hechas, tiempos, copias_enteras):
    quien = "Linux A y Windows B, con Wine" if CON_WINE else "Linux A y Linux B"
    print(f"{rondas_hechas} rondas de dos equipos ({quien}) a la vez sobre una carpeta de GESCEN:")
    print("  " + ", ".join(f"{k} {v}" for k, v in sorted(vistos.items()) if " hecha" in k or "rechazada" in k))
    print("  " + ", ".join(f"{k} {v}" for k, v in sorted(vistos.items()) if k.startswith("al final")))
    print(f"  pares mezclados {vistos['pares mezclados']}, archivos mezclados "
          f"{vistos['archivos mezclados']}, copias de seguridad enteras {copias_enteras} de "
          f"{sum(v for k, v in vistos.items() if k.endswith(' hecha'))}")
    if tiempos:
        print(f"  una ronda dura {statistics.median(tiempos):.2f} s (mediana), {max(tiempos):.2f} s como mucho")


raiz = tempfile.mkdtemp(prefix="tzv-dos-equipos-")
try:
    principal(raiz)
finally:
    shutil.rmtree(raiz, ignore_errors=True)
    if CON_WINE:
        import wine
        try:
            shutil.rmtree(os.path.join(wine.drive_c(wine.current_prefix()), "ZORVTMP"), ignore_errors=True)
        except SystemExit:
            pass
