#!/usr/bin/env bash
# transzorvex-cli comprobar on a generated school: exit status 0 while nothing would stop
# a run, 1 once a subject's weekly hours are not a number (and the export then fails with
# the same error), once a table is cut short, and once the import would write a value
# its timetable cannot hold (and the import then fails with the same error); 2 for a
# wrong option; the JSON list is JSON; GESCEN's files are only read.
source "$(dirname "$0")/comun.sh"
nuevo_prefijo
"$GEN" gescen "$C/GC" --tamano pequeno --semilla 7 > /dev/null
antes=$(cd "$C/GC" && md5sum ./*)
"$CLI" comprobar > "$PREFIJO/limpia.txt" || falla "comprobar dio $? en una escuela que se exporta"
"$CLI" comprobar --formato json | "$PY" -c 'import json, sys; json.load(sys.stdin)' \
  || falla "la lista en JSON no es JSON"
"$PY" - "$C/GC/asignat.dbf" <<'PY'
import sys
# The first subject's weekly hours (HORSEMTE), written over in the file as GESCEN could.
with open(sys.argv[1], "r+b") as f:
    cabecera = f.read(32)
    largo_cabecera = int.from_bytes(cabecera[8:10], "little")
    desplazamiento, posicion = 1, 32
    while True:
        f.seek(posicion)
        campo = f.read(32)
        if campo[0] == 0x0D:
            sys.exit("sin HORSEMTE")
        if campo[:11].rstrip(b"\0") == b"HORSEMTE":
            break
        desplazamiento += campo[16]
        posicion += 32
    f.seek(largo_cabecera + desplazamiento)
    f.write(b"x5   ")
PY
antes=$(cd "$C/GC" && md5sum ./*)
if "$CLI" comprobar > "$PREFIJO/danada.txt"; then falla "comprobar no dio 1 con HORSEMTE x5"; fi
grep -q "^asignat.dbf | registro 1 | .* | HORSEMTE | \"x5\" | detiene la exportación" \
  "$PREFIJO/danada.txt" || falla "falta la línea de HORSEMTE: $(cat "$PREFIJO/danada.txt")"
[ "$(cd "$C/GC" && md5sum ./*)" = "$antes" ] || falla "comprobar cambió la carpeta de GESCEN"
if "$CLI" exportar 2> "$PREFIJO/error.txt" > /dev/null; then falla "la exportación no se detuvo"; fi
efecto=$(grep HORSEMTE "$PREFIJO/danada.txt" | awk -F' [|] ' '{print $6}')
[[ "detiene la exportación: $(head -1 "$PREFIJO/error.txt")" == "$efecto"* ]] \
  || falla "la exportación se detuvo con otro error: $(cat "$PREFIJO/error.txt")"
# A GESCEN table cut short (asigalum.dbf cut to its header): comprobar lists it as stopping
# the export, and the export stops naming the staged copy instead of exporting students
# without subjects.
"$GEN" gescen "$C/GC" --tamano pequeno --semilla 7 > /dev/null
"$PY" - "$C/GC/asigalum.dbf" <<'PY'
import sys
with open(sys.argv[1], "r+b") as f:
    f.truncate(int.from_bytes(f.read(32)[8:10], "little"))
PY
antes=$(cd "$C/GC" && md5sum ./*)
if "$CLI" comprobar > "$PREFIJO/cortada.txt"; then falla "comprobar no dio 1 con asigalum cortada"; fi
grep -q '^asigalum.dbf | tabla | .* | detiene la exportación: .*asigalum.DBF está incompleto' \
  "$PREFIJO/cortada.txt" || falla "falta la línea de asigalum: $(cat "$PREFIJO/cortada.txt")"
if "$CLI" exportar 2> "$PREFIJO/error.txt" > /dev/null; then falla "se exportó una tabla cortada"; fi
grep -q 'C:\\ZORVTMP\\VALENCIA\\asigalum.DBF está incompleto' "$PREFIJO/error.txt" \
  || falla "la exportación no nombra la tabla cortada: $(cat "$PREFIJO/error.txt")"
[ "$(cd "$C/GC" && md5sum ./*)" = "$antes" ] || falla "comprobar o exportar cambió GESCEN"
# GESCEN's horprof with a centre code field narrower than the centre's code: comprobar
# --importacion lists it as stopping the import, which then stops with the same error and
# leaves GESCEN's timetables as they were.
"$GEN" gescen "$C/GC" --tamano pequeno --semilla 7 > /dev/null
"$CLI" exportar > /dev/null
"$GEN" solucion "$C/ZORVTMP" --semilla 7 > /dev/null
"$PY" - "$C/GC/horprof.dbf" <<'PY'
import sys
# The table emptied (the import empties it), its CODCEN a number of seven digits.
with open(sys.argv[1], "rb") as f:
    datos = f.read()
cabecera = bytearray(datos[:int.from_bytes(datos[8:10], "little")])
posicion, largo = 32, 1
while cabecera[posicion] != 0x0D:
    if cabecera[posicion:posicion + 11].rstrip(b"\0") == b"CODCEN":
        cabecera[posicion + 11], cabecera[posicion + 16] = ord("N"), 7
    largo += cabecera[posicion + 16]
    posicion += 32
cabecera[4:8] = (0).to_bytes(4, "little")
cabecera[10:12] = largo.to_bytes(2, "little")
with open(sys.argv[1], "wb") as f:
    f.write(bytes(cabecera) + b"\x1a")
PY
dnis=$("$PY" - "$C/ZORVTMP/PROFT.DBF" <<'PY'
import sys
from dbfread import DBF
print(" ".join(f"--dni {p['ABREV']}={90000000 + i}" for i, p in enumerate(DBF(sys.argv[1])) if not p["DNI"]))
PY
)
antes=$(cd "$C/GC" && md5sum horgrup.dbf horprof.dbf)
if "$CLI" comprobar --importacion > "$PREFIJO/codcen.txt"; then
  falla "comprobar --importacion no dio 1 con CODCEN estrecho"
fi
linea=$(grep '^horprof.dbf | tabla | - | CODCEN | ' "$PREFIJO/codcen.txt") \
  || falla "falta la línea de CODCEN: $(cat "$PREFIJO/codcen.txt")"
# shellcheck disable=SC2086
if "$CLI" importar $dnis 2> "$PREFIJO/error.txt" > /dev/null; then falla "la importación siguió"; fi
efecto=$(echo "$linea" | awk -F' [|] ' '{print $6}')
[ "detiene la importación: $(tail -1 "$PREFIJO/error.txt")" = "$efecto" ] \
  || falla "la importación se detuvo con otro error: $(cat "$PREFIJO/error.txt")"
[ "$(cd "$C/GC" && md5sum horgrup.dbf horprof.dbf)" = "$antes" ] || falla "la importación cambió GESCEN"
set +e
"$CLI" comprobar --formato xml 2> /dev/null
[ $? -eq 2 ] || falla "una opción errónea no dio 2"
set -e
echo "comprobar de extremo a extremo correcto"
