#!/bin/bash
# The real program in host mode under Xvfb, with no window manager:
#   anfitrion_x11.sh TRANSZORVEX ANFITRION CAPTURA ESCUELA_MINIMA [caja-al-empezar]
# A host window (ANFITRION: a Qt program, or a Tk script) prints its id; the program, copied into a folder of its own, is started
# with "exportar <id>" on a throw-away Wine-style drive holding a small school in C:\GC.
# Its window must be a child of the host at 2,2 showing the export pane only; Enter
# then runs the export, the two boxes are acknowledged, the program ends, and Zorvex.ini
# beside it holds Transformado=1. With TZV_CAPTURAS set to a folder, screenshots of the
# host mode and of a stand-alone start are saved there. With caja-al-empezar the school
# lacks its centre table: start-up shows an error box before the dialog appears, which
# must not move the dialog from 2,2. Every box belongs to the host's window
# (WM_TRANSIENT_FOR), before the dialog exists and while it is up.
set -u

. "$(dirname "$0")/comun_x11.sh"
requerir xvfb-run xwininfo xdotool xprop wish

if [ -z "${TZV_EN_XVFB:-}" ]; then
  export TZV_EN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

programa=$1 anfitrion=$2 captura=$3 escuela=$4 variante=${5:-}
unset QT_QPA_PLATFORM

carpeta_temporal

preparar_unidad "$tmp" "$escuela"
mkdir -p "$tmp/programa"
[ "$variante" = caja-al-empezar ] && rm "$tmp/prefix/drive_c/GC/centro.dbf"
cp "$programa" "$tmp/programa/transzorvex"

"$anfitrion" >"$tmp/id" &
pids+=($!)
esperar 10 test -s "$tmp/id" || falla "el anfitrión no dio su id"
id=$(head -n1 "$tmp/id")
echo "anfitrión: 0x$id"

(cd "$tmp/prefix/drive_c" && exec "$tmp/programa/transzorvex" exportar "$id") &
prog=$!
pids+=("$prog")

# A box on the screen other than $1 (Qt's hidden group-leader window has the same name).
caja() { xdotool search --onlyvisible --name '^TransZorvexValencia$' 2>/dev/null | grep -vx "${1:-none}" | head -n1; }
hay_caja() { [ -n "$(caja "$1")" ]; }
cerrada() { ! a_la_vista "$1"; }
# The window that box $1 belongs to (WM_TRANSIENT_FOR), in decimal.
duena() { xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | awk '/window id/ {print $NF}'; }
del_anfitrion() {
  local d
  d=$(duena "$1")
  [ -n "$d" ] && [ "$((d))" -eq "$((0x$id))" ]
}
contestar() {  # waits for a box other than $1, presses Enter in it, waits for it to go
  local anterior=$1 c
  esperar 20 hay_caja "$anterior" || falla "no apareció el mensaje"
  c=$(caja "$anterior")
  echo "mensaje: $c" >&2
  esperar 5 del_anfitrion "$c" || falla "el mensaje $c pertenece a '$(duena "$c")', no al anfitrión"
  enfocar "$c" || falla "el mensaje $c no recibió el foco"
  xdotool key --clearmodifiers Return
  esperar 10 cerrada "$c" || falla "Enter no cerró el mensaje $c"
  echo "$c"
}

if [ "$variante" = caja-al-empezar ]; then
  inicio=$(contestar none) || exit 1
fi

hija() { xwininfo -tree -id "0x$id" 2>/dev/null | grep -E '^ +0x[0-9a-f]+ .* 599x267\+2\+2 ' | head -n1 | awk '{print $1}'; }
hay_hija() { [ -n "$(hija)" ]; }
esperar 15 hay_hija || {
  xwininfo -tree -id "0x$id"
  falla "la ventana del programa no es hija del anfitrión en 2,2"
}
ventana=$(hija)
echo "programa: $ventana"
xwininfo -tree -id "0x$id" | sed -n '/children/,$p'
a_la_vista "$ventana" || falla "la ventana del programa no está a la vista"
# Looked at once it has painted: the red heading of the language selector on the left.
pintada() { [ "$("$captura" rojos "$ventana" 2 66 190 20)" -gt 0 ]; }
esperar 10 pintada || falla "no se ve el panel de exportar"

if [ -n "${TZV_CAPTURAS:-}" ]; then
  mkdir -p "$TZV_CAPTURAS"
  "$captura" guardar 0 "$TZV_CAPTURAS/anfitrion-pantalla.png"
  "$captura" guardar "$ventana" "$TZV_CAPTURAS/anfitrion-dialogo.png"
fi

# Only the export pane: the red warnings of the import pane are nowhere on the right,
# the red heading of the language selector is there on the left.
derecha=$("$captura" rojos "$ventana" 305 2 290 110)
izquierda=$("$captura" rojos "$ventana" 2 66 190 20)
echo "rojos a la derecha: $derecha, a la izquierda: $izquierda"
[ "$derecha" -eq 0 ] || falla "se ve el panel de importar"
[ "$izquierda" -gt 0 ] || falla "no se ve el panel de exportar"
# The export pane's gradient runs across the whole width.
color=$("$captura" color "$ventana" 450 3)
echo "color arriba a la derecha: $color"
case "$color" in
  \#f*) ;;
  *) falla "arriba a la derecha no está el degradado del panel de exportar ($color)" ;;
esac

enfocar "$ventana" || falla "no se pudo dar el foco al programa"
xdotool key --clearmodifiers Return
primera=$(contestar "${inicio:-none}") || exit 1
[ "$(printf '%d' "$primera")" -ne 0 ] || falla "sin primer mensaje"
contestar "$primera" >/dev/null || exit 1

esperar 20 bash -c "! kill -0 $prog 2>/dev/null" || falla "el programa no se cerró tras la exportación"
wait "$prog"
estado=$?
[ "$estado" -eq 0 ] || falla "el programa terminó con $estado"

ini=$tmp/programa/Zorvex.ini
[ -f "$ini" ] || falla "no hay Zorvex.ini junto al programa"
tr -d '\r' <"$ini" | grep -qx '\[Transformadores\]' || falla "Zorvex.ini sin la sección: $(cat "$ini")"
tr -d '\r' <"$ini" | grep -qx 'Transformado=1' || falla "Zorvex.ini no tiene Transformado=1: $(cat "$ini")"
ls "$tmp/prefix/drive_c/ZORVTMP" | grep -qi '^ASIGVALT.DBF$' || falla "la exportación no dejó ASIGVALT.DBF"

if [ -n "${TZV_CAPTURAS:-}" ]; then
  # Stand-alone, for a look at the whole dialog.
  (cd "$tmp/prefix/drive_c" && exec "$tmp/programa/transzorvex") &
  solo=$!
  pids+=("$solo")
  solo_visible() { [ -n "$(xdotool search --name '^Exportar e importar datos $' 2>/dev/null | head -n1)" ]; }
  esperar 15 solo_visible ||
    falla "el diálogo solo no apareció"
  sleep 1
  "$captura" guardar 0 "$TZV_CAPTURAS/solo-pantalla.png"
  "$captura" guardar "$(printf '%x' "$(xdotool search --name '^Exportar e importar datos $' | head -n1)")" \
    "$TZV_CAPTURAS/solo-dialogo.png"
  kill "$solo"
fi

echo "PASS"
exit 0
