#!/usr/bin/env bash
# Starts the program on a demo drive holding a generated school in C:\GC, so that a
# newcomer sees it work at once. A Wine prefix of the user's own ($WINEPREFIX) is used
# as it is. Without a display the export runs with the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$PWD/build

if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="${XDG_DATA_HOME:-$HOME/.local/share}/TransZorvexValencia/demo"
  mkdir -p "$WINEPREFIX/dosdevices" "$WINEPREFIX/drive_c"
  [ -e "$WINEPREFIX/dosdevices/c:" ] || ln -s ../drive_c "$WINEPREFIX/dosdevices/c:"
  [ -e "$WINEPREFIX/dosdevices/z:" ] || ln -s / "$WINEPREFIX/dosdevices/z:"
  GC="$WINEPREFIX/drive_c/GC"
  if [ ! -e "$GC/centro.dbf" ]; then
    echo "Creando un centro de demostración en C:\\GC ($GC)"
    "$BUILD/tzv-generador" gescen "$GC" --tamano grande --semilla 2026
  fi
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$BUILD/transzorvex" ]; then
  exec "$BUILD/transzorvex"
fi

echo "No hay pantalla gráfica: se exporta el centro de C:\\GC con transzorvex-cli."
"$BUILD/transzorvex-cli" exportar
echo
echo "Primeras asignaturas de C:\\ZORVTMP\\ASIGVALT.DBF:"
"$BUILD/transzorvex-cli" mostrar 'C:\ZORVTMP\ASIGVALT.DBF' | head -20
