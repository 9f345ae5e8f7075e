#!/usr/bin/env bash
# Takes the screenshots of README.md from the current builds into docs/capturas/:
#   tools/capturas.sh [CARPETA]
#
#   linux-dialogo.png             build/transzorvex, the main dialog stand-alone
#   linux-control-profesores.png  the teacher check of the import (Qt), on the sample
#   linux-control-plantilla.png   tables of captura_dialogos; the class-period template
#   windows-dialogo.png           build-windows/transzorvex.exe under Wine, stand-alone
#   windows-control-profesores.png, windows-control-plantilla.png
#                                 the two checks of a real import of transzorvex.exe
#                                 under Wine, started in a host window as Zorvex does
#
# Everything runs on a virtual X server without window manager (xvfb-run), the rest in
# throw-away Wine-style prefixes holding a generated school (tzv-generador gescen, size pequeno,
# seed 7), so the same build gives the same pictures. Each picture is the window alone.
# Needs ./tzv build (and ./tzv build-windows for the Windows pictures, which are left out
# with a note when that build or Wine is missing). Builds nothing itself.
set -euo pipefail

AQUI=$(cd "$(dirname "$0")" && pwd)
RAIZ=$(cd "$AQUI/.." && pwd)
SALIDA=${1:-$RAIZ/docs/capturas}
SALIDA=$(mkdir -p "$SALIDA" && cd "$SALIDA" && pwd)

if [ -z "${TZV_CAPTURAS_EN_XVFB:-}" ]; then
  for herramienta in xvfb-run xdotool xwininfo; do
    command -v "$herramienta" >/dev/null || { echo "falta $herramienta (./tzv lo instala)" >&2; exit 1; }
  done
  export TZV_CAPTURAS_EN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$AQUI/$(basename "$0")" "$SALIDA"
fi

BUILD=${BUILD:-$RAIZ/build}
BUILD_WINDOWS=${BUILD_WINDOWS:-$RAIZ/build-windows}
CAPTURA=$BUILD/tests/app/captura
DIALOGOS=$BUILD/tests/import_dialogos/captura_dialogos
for programa in "$BUILD/transzorvex" "$BUILD/transzorvex-cli" "$BUILD/tzv-generador" "$CAPTURA" "$DIALOGOS"; do
  [ -x "$programa" ] || { echo "falta $programa: ./tzv build lo hace" >&2; exit 1; }
done
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export LC_ALL=C.UTF-8

tmp=$(mktemp -d /tmp/tzv-capturas.XXXXXX)
pids=()
prefijo_wine=
limpiar() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "$prefijo_wine" ] && terminar_wine "$prefijo_wine"
  rm -rf "$tmp"
}
trap limpiar EXIT

# Waits until a command succeeds, at most about $1 seconds.
esperar() {
  local limite=$(($1 * 10)) i
  shift
  for ((i = 0; i < limite; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The id (hexadecimal) of the visible window whose title is exactly $1.
ventana() {
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
  [ -n "$id" ] && printf '%x\n' "$id"
}
hay_ventana() { [ -n "$(ventana "$1")" ]; }

# No message box of the program is up.
sin_caja() { ! hay_ventana TransZorvexValencia; }

# Saves the window titled $1 as $2 once it is there (waiting at most $3 seconds) and
# has had time to paint, $4 seconds more, and no message box covers it.
guardar() {
  local titulo=$1 archivo=$2 id
  esperar "${3:-20}" hay_ventana "$titulo" || { echo "no apareció la ventana «$titulo»" >&2; return 1; }
  sleep "${4:-1.5}"
  esperar 20 sin_caja || { echo "una caja tapa la ventana «$titulo»" >&2; return 1; }
  sleep 0.5
  id=$(ventana "$titulo")
  "$CAPTURA" guardar "$id" "$archivo"
  echo "$(basename "$archivo"): «$titulo» ($(xwininfo -id "0x$id" | sed -n 's/.*Width: *//p')x$(xwininfo -id "0x$id" | sed -n 's/.*Height: *//p'))"
}

# A Wine-style prefix for the Linux build: C: is $1/drive_c, Z: the root folder.
unidades_linux() {
  mkdir -p "$1/dosdevices" "$1/drive_c"
  ln -s ../drive_c "$1/dosdevices/c:"
  ln -s / "$1/dosdevices/z:"
}

escuela() { "$BUILD/tzv-generador" gescen "$1" --tamano pequeno --semilla 7 >/dev/null; }

# ---- Linux ------------------------------------------------------------------------

unidades_linux "$tmp/linux"
escuela "$tmp/linux/drive_c/GC"
(cd "$tmp/linux/drive_c" && export WINEPREFIX=$tmp/linux && exec "$BUILD/transzorvex") &
linux=$!
pids+=("$linux")
guardar 'Exportar e importar datos ' "$SALIDA/linux-dialogo.png"
kill "$linux" 2>/dev/null || true

QT_QPA_PLATFORM=xcb "$DIALOGOS" "$tmp/dialogos" >/dev/null
cp "$tmp/dialogos/ControlProfesores.png" "$SALIDA/linux-control-profesores.png"
cp "$tmp/dialogos/ControlPlantilla.png" "$SALIDA/linux-control-plantilla.png"
echo "linux-control-profesores.png, linux-control-plantilla.png: captura_dialogos"

# ---- Windows, under Wine ----------------------------------------------------------

WINE64=$(command -v wine64 || command -v wine || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || true)
WINESERVER=$( { [ -x /usr/lib/wine/wineserver64 ] && echo /usr/lib/wine/wineserver64; } || command -v wineserver || true)
EXE=$BUILD_WINDOWS/transzorvex.exe
PROBAR=$BUILD_WINDOWS/tzv-probar-dialogo.exe

# Wine silent, without its Mono and Gecko installers, in the throw-away prefix.
variables_wine() {
  export WINEPREFIX=$prefijo_wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Ends the prefix's wineserver and every program left in it, and removes the folder
# Debian's Wine keeps for that server in /tmp.
terminar_wine() {
  local prefijo=$1 nombre
  WINEPREFIX=$prefijo timeout 60 "$WINESERVER" -k 2>/dev/null || true
  WINEPREFIX=$prefijo timeout 60 "$WINESERVER" -w 2>/dev/null || true
  nombre=$(cat "$prefijo/wineserver" 2>/dev/null || true)
  case "$nombre" in wine-*/* | "") ;; wine-*) rm -rf "/tmp/$nombre" ;; esac
}

if [ -z "$WINE64" ] || [ -z "$WINESERVER" ] || [ ! -f "$EXE" ]; then
  echo "sin Wine o sin $EXE (./tzv build-windows): no se hacen las capturas de Windows" >&2
  exit 0
fi

prefijo_wine=$tmp/wine
C=$prefijo_wine/drive_c
# The prefix is made without a display, then its settling wineserver is waited for.
(variables_wine && unset DISPLAY && timeout 300 "$WINE64" wineboot -i >"$tmp/wineboot.log" 2>&1) ||
  { cat "$tmp/wineboot.log" >&2; exit 1; }
(variables_wine && timeout 300 "$WINESERVER" -w) || true
# Debian's Wine reads fonts only from the prefix's Fonts folder (MS Sans Serif).
mkdir -p "$C/windows/Fonts"
cp /usr/share/wine/fonts/* "$C/windows/Fonts/" 2>/dev/null || true
escuela "$C/GC"
mkdir -p "$C/TZV"
cp "$EXE" "$C/TZV/"

(cd "$C" && variables_wine && exec "$WINE64" 'C:\TZV\transzorvex.exe') &
windows=$!
pids+=("$windows")
guardar 'Exportar e importar datos ' "$SALIDA/windows-dialogo.png" 60
kill "$windows" 2>/dev/null || true
terminar_wine "$prefijo_wine"

# The checks of a real import: the school exported by the Linux tool on the same drive,
# a solution of Zorvex made by the generator, and transzorvex.exe started inside a host
# window by tzv-probar-dialogo, which fills in the missing DNIs and leaves each check up
# for a while before it presses Salir.
if [ -f "$PROBAR" ]; then
  WINEPREFIX=$prefijo_wine "$BUILD/transzorvex-cli" exportar >/dev/null
  "$BUILD/tzv-generador" solucion "$C/ZORVTMP" --semilla 7 >/dev/null
  cp "$PROBAR" "$C/TZV/"
  (cd "$C/TZV" && variables_wine && export TZV_PAUSA_DIALOGOS=8000 &&
    exec "$WINE64" tzv-probar-dialogo.exe anfitrion 'C:\TZV\transzorvex.exe' importar \
      >"$tmp/probar.log" 2>&1) &
  probar=$!
  pids+=("$probar")
  # The DNIs are typed first, a refused value among them, whose box comes and goes.
  guardar 'Control de Profesores' "$SALIDA/windows-control-profesores.png" 90 3 &&
    guardar 'Control de Plantilla Horaria' "$SALIDA/windows-control-plantilla.png" 60 ||
    echo "sin capturas de los controles de Windows: $(cat "$tmp/probar.log")" >&2
  wait "$probar" 2>/dev/null || true
else
  echo "falta $PROBAR: sin capturas de los controles de Windows" >&2
fi
