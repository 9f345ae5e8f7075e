# Shared by the end-to-end scripts: a throw-away Wine-style prefix whose C: is a
# temporary folder, and the programs under test.
set -euo pipefail
BUILD=${BUILD:?the build folder}
CLI=$BUILD/transzorvex-cli
GEN=$BUILD/tzv-generador
PY=/usr/bin/python3
AQUI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

nuevo_prefijo() {
  PREFIJO=$(mktemp -d)
  trap 'rm -rf "$PREFIJO"' EXIT
  mkdir -p "$PREFIJO/dosdevices" "$PREFIJO/drive_c"
  ln -s ../drive_c "$PREFIJO/dosdevices/c:"
  ln -s / "$PREFIJO/dosdevices/z:"
  export WINEPREFIX=$PREFIJO
  C=$PREFIJO/drive_c
}

falla() { echo "FALLO: $*" >&2; exit 1; }
