"""What the end-to-end scripts in Python share: a throw-away Wine-style prefix whose C:
is a temporary folder, and a generated school exported with a solution ready to import."""
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile

from dbfread import DBF


def falla(texto):
    sys.exit("FALLO: " + texto)


def leer(ruta):
    with open(ruta, "rb") as f:
        return f.read()


class Escuela:
    def __init__(self, build, c):
        self.cli = os.path.join(build, "transzorvex-cli")
        self.generador = os.path.join(build, "tzv-generador")
        self.c = c
        self.gc = os.path.join(c, "GC")
        self.trabajo = os.path.join(c, "ZORVTMP")

    def preparar(self, tamano, semilla, registros):
        """GESCEN's folder, its export and a solution. Returns the import's command, with a
        number for every teacher, so that each run goes to its end without a question."""
        def generar(*args):
            subprocess.run([self.generador, *args], check=True, capture_output=True)

        generar("gescen", self.gc, "--tamano", tamano, "--semilla", str(semilla))
        subprocess.run([self.cli, "exportar"], check=True, capture_output=True)
        generar("solucion", self.trabajo, "--semilla", str(semilla), "--registros", str(registros))
        dnis = []
        for i, p in enumerate(DBF(os.path.join(self.trabajo, "PROFT.DBF"))):
            if not p["DNI"]:
                dnis += ["--dni", f"{p['ABREV']}={90000000 + i}"]
        return [self.cli, "importar"] + dnis


@contextlib.contextmanager
def escuela_temporal(build):
    """An Escuela on a prefix of its own, named by WINEPREFIX while it lasts."""
    prefijo = tempfile.mkdtemp()
    antes = os.environ.get("WINEPREFIX")
    try:
        os.makedirs(os.path.join(prefijo, "dosdevices"))
        c = os.path.join(prefijo, "drive_c")
        os.makedirs(c)
        os.symlink("../drive_c", os.path.join(prefijo, "dosdevices", "c:"))
        os.symlink("/", os.path.join(prefijo, "dosdevices", "z:"))
        os.environ["WINEPREFIX"] = prefijo
        yield Escuela(build, c)
    finally:
        if antes is None:
            os.environ.pop("WINEPREFIX", None)
        else:
            os.environ["WINEPREFIX"] = antes
        shutil.rmtree(prefijo, ignore_errors=True)
