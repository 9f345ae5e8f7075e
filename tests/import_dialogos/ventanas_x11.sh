#!/bin/bash
# The two check dialogs on a virtual X server, as the user sees them: each window must
# stand at 24, 25 on the screen with a client area of its own size (726 x 499 for the
# teacher check, 726 x 463 for the class-period template), as xwininfo reads the X
# server. The pictures captura_dialogos saves stay in the folder given, for a person.
#   ventanas_x11.sh CAPTURA_DIALOGOS CARPETA
# Exit 77 (skipped) when xvfb-run or xwininfo is missing.
set -u
for herramienta in xvfb-run xwininfo; do
  command -v "$herramienta" >/dev/null 2>&1 || { echo "SKIP: falta $herramienta"; exit 77; }
done
if [ -z "${TZV_EN_XVFB:-}" ]; then
  export TZV_EN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

programa=$1 carpeta=$2
tmp=$(mktemp -d)
pid=
limpiar() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap limpiar EXIT
falla() {
  echo "FAIL: $*" >&2
  exit 1
}

mkfifo "$tmp/orden"
QT_QPA_PLATFORM=xcb TZV_ESPERAR=1 "$programa" "$carpeta" <"$tmp/orden" >"$tmp/salida" 2>&1 &
pid=$!
exec 3>"$tmp/orden"

mirar() {  # title, width, height
  local titulo=$1 ancho=$2 alto=$3 i
  for ((i = 0; i < 150; i++)); do
    grep -q "^mostrado $titulo\$" "$tmp/salida" && break
    kill -0 "$pid" 2>/dev/null || falla "captura_dialogos terminó: $(cat "$tmp/salida")"
    sleep 0.1
  done
  grep -q "^mostrado $titulo\$" "$tmp/salida" || falla "no se mostró \"$titulo\""
  local info
  info=$(xwininfo -name "$titulo") || falla "no hay ventana \"$titulo\""
  local x y w h
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  echo "$titulo: $x,$y ${w}x$h"
  [ "$x,$y" = "24,25" ] || falla "\"$titulo\" está en $x,$y y no en 24,25"
  [ "${w}x$h" = "${ancho}x$alto" ] || falla "\"$titulo\" mide ${w}x$h y no ${ancho}x$alto"
  echo >&3
}

mirar "Control de Profesores" 726 499
mirar "Control de Plantilla Horaria" 726 463
exec 3>&-
wait "$pid" || falla "captura_dialogos: $(cat "$tmp/salida")"
pid=
grep -c '^saved' "$tmp/salida" | grep -qx 3 || falla "faltan capturas: $(cat "$tmp/salida")"
