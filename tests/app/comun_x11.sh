# Shared by the scripts that run the real program on an X server (sourced, not run).

falla() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits until a command succeeds, at most about $1 seconds.
esperar() {
  local limite=$(($1 * 10))
  shift
  local i
  for ((i = 0; i < limite; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Gives the X input focus to window $1 (decimal or 0x hexadecimal) and waits until the
# X server has it there, so that keys typed next go to that window.
enfocar() {
  local ventana=$(($1))
  tiene_foco() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$ventana" ]; }
  xdotool windowfocus "$ventana" 2>/dev/null
  esperar 5 tiene_foco
}

# Whether window $1 is mapped and shown.
a_la_vista() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Skips the test (exit 77) when one of the tools is not installed.
requerir() {
  local herramienta
  for herramienta in "$@"; do
    if ! command -v "$herramienta" >/dev/null 2>&1; then
      echo "SKIP: falta $herramienta"
      exit 77
    fi
  done
}

# A throw-away folder $tmp, removed at the end together with every program whose pid
# the script adds to the array pids.
carpeta_temporal() {
  tmp=$(mktemp -d)
  pids=()
  trap limpiar EXIT
}
limpiar() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}

# A throw-away Wine-style drive C: in $1 with a small school in C:\GC ($2: the
# escuela_minima program), and $WINEPREFIX pointing at it.
preparar_unidad() {
  local tmp=$1 escuela=$2
  mkdir -p "$tmp/prefix/dosdevices" "$tmp/prefix/drive_c/ZORVTMP"
  ln -s ../drive_c "$tmp/prefix/dosdevices/c:"
  export WINEPREFIX=$tmp/prefix
  "$escuela" 'C:\GC' 46001234 3001 || falla "no se pudo escribir la escuela"
}
