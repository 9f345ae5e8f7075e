#!/usr/bin/env bash
# transzorvex-cli comprobar on a generated school: exit status 0 while nothing would stop
# a run, 1 once a subject's weekly hours are not a number (and the export then fails with
# the same error), 2 for a wrong option; the JSON list is JSON; GESCEN's files are only
# read.
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
set +e
"$CLI" comprobar --formato xml 2> /dev/null
[ $? -eq 2 ] || falla "una opción errónea no dio 2"
set -e
echo "comprobar de extremo a extremo correcto"
