#!/usr/bin/env bash
# The import killed at random moments, many times, around the copy back into the GESCEN
# folder: each of horgrup.dbf and horprof.dbf must always be either the old file or the
# new one, whole. Bounded in time.
source "$(dirname "$0")/comun.sh"
LIMITE=${LIMITE:-40}
nuevo_prefijo
"$GEN" gescen "$C/GC" --tamano grande --semilla 3 > /dev/null
"$CLI" exportar > /dev/null
"$GEN" solucion "$C/ZORVTMP" --semilla 3 --registros 50000 > /dev/null
dnis=$("$PY" - "$C/ZORVTMP/PROFT.DBF" <<'PY'
import sys
from dbfread import DBF
print(" ".join(f"--dni {p['ABREV']}={90000000 + i}" for i, p in enumerate(DBF(sys.argv[1])) if not p["DNI"]))
PY
)
mkdir -p "$PREFIJO/viejo" "$PREFIJO/nuevo"
cp "$C/GC/horgrup.dbf" "$C/GC/horprof.dbf" "$PREFIJO/viejo/"
restaurar() { cp "$PREFIJO/viejo/horgrup.dbf" "$PREFIJO/viejo/horprof.dbf" "$C/GC/"; rm -rf "$C/ZORVTMP/VALENCIA/COPIAS"; }

# One whole run gives the new files and the run's length.
inicio=$(date +%s%N)
# shellcheck disable=SC2086
"$CLI" importar $dnis > /dev/null
duracion=$(( ($(date +%s%N) - inicio) / 1000 ))   # microseconds
cp "$C/GC/horgrup.dbf" "$C/GC/horprof.dbf" "$PREFIJO/nuevo/"
cmp -s "$PREFIJO/viejo/horgrup.dbf" "$PREFIJO/nuevo/horgrup.dbf" && falla "la importación no cambió horgrup.dbf"
echo "una importación completa dura ${duracion} µs"

estado_de() {  # old, new, or broken
  if cmp -s "$C/GC/$1" "$PREFIJO/viejo/$1"; then echo viejo
  elif cmp -s "$C/GC/$1" "$PREFIJO/nuevo/$1"; then echo nuevo
  else echo roto; fi
}

declare -A vistos
fin=$(( $(date +%s) + LIMITE ))
vueltas=0
while [ "$(date +%s)" -lt "$fin" ]; do
  restaurar
  # Most kills land in the last part of the run, where the files are put back.
  espera=$(( duracion * (50 + RANDOM % 70) / 100 ))
  "$CLI" importar > /dev/null 2>&1 &
  pid=$!
  sleep "$(printf '0.%06d' "$espera")" 2>/dev/null || sleep 0.01
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  g=$(estado_de horgrup.dbf)
  p=$(estado_de horprof.dbf)
  [ "$g" = roto ] && falla "horgrup.dbf quedó a medias tras cortar a los ${espera} µs"
  [ "$p" = roto ] && falla "horprof.dbf quedó a medias tras cortar a los ${espera} µs"
  vistos["$g/$p"]=$(( ${vistos["$g/$p"]:-0} + 1 ))
  vueltas=$((vueltas + 1))
done
for k in "${!vistos[@]}"; do echo "  horgrup/horprof $k: ${vistos[$k]} veces"; done
echo "$vueltas cortes: cada archivo quedó siempre viejo o nuevo, entero"
