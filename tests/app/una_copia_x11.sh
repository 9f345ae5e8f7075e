#!/bin/bash
# One copy of the Qt program per work folder, and its end with the host's window, under
# Xvfb with no window manager:
#   una_copia_x11.sh TRANSZORVEX TRANSZORVEX_CLI ANFITRION_TK ESCUELA_MINIMA
# On a throw-away Wine-style drive holding a small school in C:\GC, with Zorvex.ini
# beside the program holding Transformado=1 from an earlier run:
# - the program is started inside a Tk host's frame with "exportar <id>"; while it is
#   open, a second copy stand-alone and another inside the host each show one box
#   (owned by the host's window when started inside it) and end once it is answered,
#   without staging anything again; the one started by the host leaves Transformado=0;
#   transzorvex-cli exportar is refused with the program's text, mostrar is not;
# - the first copy's export then runs to its end (its staged tables are whole) and
#   leaves Transformado=1; once it has ended, transzorvex-cli exportar works;
# - the program inside a Tk host ends within a few seconds when the host goes, and
#   Zorvex.ini is left as it was; when the host goes while the program waits in a box,
#   the box stays, and the program ends once its run is over.
set -u

. "$(dirname "$0")/comun_x11.sh"
requerir xvfb-run xwininfo xdotool xprop wish

if [ -z "${TZV_EN_XVFB:-}" ]; then
  export TZV_EN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

programa=$1 cli=$2 anfitrion=$3 escuela=$4
unset QT_QPA_PLATFORM

carpeta_temporal

preparar_unidad "$tmp" "$escuela"
mkdir -p "$tmp/programa"
cp "$programa" "$tmp/programa/transzorvex"
ini=$tmp/programa/Zorvex.ini
c=$tmp/prefix/drive_c
printf '[Transformadores]\r\nTransformado=1\r\n' >"$ini"

# A Tk host; sets $anfitrion_pid and $anfitrion_id.
abrir_anfitrion() {
  "$anfitrion" >"$tmp/id" &
  anfitrion_pid=$!
  pids+=("$anfitrion_pid")
  esperar 10 test -s "$tmp/id" || falla "el anfitrión no dio su id"
  anfitrion_id=$(head -n1 "$tmp/id")
  rm "$tmp/id"
}

# Starts the program from C:\ with the given arguments; sets $arrancado.
arrancar() {
  (cd "$c" && exec "$tmp/programa/transzorvex" "$@") &
  arrancado=$!
  pids+=("$arrancado")
}

# The program's window inside the host, at 2,2; shown once its start-up (the staging
# included) is over.
hija() { xwininfo -tree -id "0x$1" 2>/dev/null | grep -E '^ +0x[0-9a-f]+ .* 599x267\+2\+2 ' | head -n1 | awk '{print $1}'; }
hay_hija() {
  local v
  v=$(hija "$1")
  [ -n "$v" ] && xwininfo -id "$v" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# A box of the process $1 on the screen (its caption is the application's title).
caja() { xdotool search --all --onlyvisible --pid "$1" --name '^TransZorvexValencia$' 2>/dev/null | head -n1; }
hay_caja() { [ -n "$(caja "$1")" ]; }
# Presses Enter in a box of the process $1, once there is one, and waits for it to go.
contestar() {
  local c
  esperar 20 hay_caja "$1" || falla "el proceso $1 no mostró ninguna caja"
  c=$(caja "$1")
  esperar 5 xdotool windowfocus "$c" 2>/dev/null || true
  sleep 0.3
  xdotool key --clearmodifiers Return
  esperar 10 bash -c "! xdotool search --all --onlyvisible --pid $1 --name '^TransZorvexValencia$' 2>/dev/null | grep -qx $c" ||
    falla "la caja $c no se fue"
}
# The window that a box of the process $1 belongs to (WM_TRANSIENT_FOR).
duena() { xprop -id "$(caja "$1")" WM_TRANSIENT_FOR 2>/dev/null | awk '/window id/ {print $NF}'; }
es_del_anfitrion() {
  local d
  d=$(duena "$1")
  [ -n "$d" ] && [ "$((d))" -eq "$((0x$anfitrion_id))" ]
}
terminado() { ! kill -0 "$1" 2>/dev/null; }

# Names, sizes, times and bytes of the staging folder's files: staging again would
# change the times at least.
foto_staging() { (cd "$c/ZORVTMP/VALENCIA" && find . -type f -printf '%P %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }

echo "== dos copias"
abrir_anfitrion
arrancar exportar "$anfitrion_id"
primera=$arrancado
esperar 15 hay_hija "$anfitrion_id" || falla "la primera copia no apareció en el anfitrión"
sleep 0.5
hay_caja "$primera" && falla "la primera copia mostró una caja al empezar"
antes=$(foto_staging)
[ -n "$antes" ] || falla "la primera copia no copió los archivos de GESCEN"

# Stand-alone, then started by the host: the box's owner and the flag each one leaves.
for caso in "solo||1" "anfitrion|importar $anfitrion_id|0"; do
  IFS='|' read -r nombre args flag <<<"$caso"
  echo "-- segunda copia: $nombre"
  # shellcheck disable=SC2086
  arrancar $args
  segunda=$arrancado
  esperar 15 hay_caja "$segunda" || falla "$nombre: la segunda copia no mostró su caja"
  # Qt makes a box without owner transient for the program's own leader window.
  if [ "$nombre" = anfitrion ]; then
    esperar 5 es_del_anfitrion "$segunda" || falla "$nombre: la caja pertenece a '$(duena "$segunda")'"
  else
    sleep 0.3
    es_del_anfitrion "$segunda" && falla "$nombre: la caja pertenece al anfitrión"
  fi
  contestar "$segunda"
  esperar 10 terminado "$segunda" || falla "$nombre: la segunda copia no terminó tras su caja"
  wait "$segunda"
  estado=$?
  [ "$estado" -ne 0 ] || falla "$nombre: la segunda copia terminó con 0"
  tr -d '\r' <"$ini" | grep -qx "Transformado=$flag" || falla "$nombre: Zorvex.ini quedó así: $(cat "$ini")"
  [ "$(foto_staging)" = "$antes" ] || falla "$nombre: la segunda copia tocó la carpeta de staging"
  hay_hija "$anfitrion_id" || falla "$nombre: la primera copia dejó el anfitrión"
done

echo "-- transzorvex-cli con el programa abierto"
"$cli" exportar >"$tmp/salida" 2>"$tmp/errores"
estado=$?
[ "$estado" -eq 1 ] || falla "exportar con el programa abierto terminó con $estado"
grep -q 'TransZorvexValencia ya está abierto en este equipo' "$tmp/errores" ||
  falla "exportar con el programa abierto dijo: $(cat "$tmp/errores")"
ls "$c/ZORVTMP" | grep -qi '^ASIGVALT.DBF$' && falla "exportar escribió con el programa abierto"
"$cli" mostrar 'C:\ZORVTMP\VALENCIA\centro.dbf' >/dev/null || falla "mostrar no funciona con el programa abierto"
[ "$(foto_staging)" = "$antes" ] || falla "transzorvex-cli tocó la carpeta de staging"

echo "-- la primera copia exporta"
xdotool windowfocus "$(hija "$anfitrion_id")" || falla "no se pudo dar el foco a la primera copia"
sleep 0.3
xdotool key --clearmodifiers Return
contestar "$primera"
contestar "$primera"
esperar 20 terminado "$primera" || falla "la primera copia no se cerró tras la exportación"
wait "$primera"
estado=$?
[ "$estado" -eq 0 ] || falla "la primera copia terminó con $estado"
tr -d '\r' <"$ini" | grep -qx 'Transformado=1' || falla "tras exportar, Zorvex.ini quedó así: $(cat "$ini")"
ls "$c/ZORVTMP" | grep -qi '^ASIGVALT.DBF$' || falla "la exportación no dejó ASIGVALT.DBF"
"$cli" exportar >/dev/null 2>"$tmp/errores" || falla "exportar tras cerrar el programa: $(cat "$tmp/errores")"
kill "$anfitrion_pid"

echo "== el anfitrión se va"
printf '[Zorvex]\r\nRuta=C:\\ZORVEX\r\n[Transformadores]\r\nTransformado=1\r\n' >"$ini"
cp "$ini" "$tmp/ini-antes"
abrir_anfitrion
arrancar exportar "$anfitrion_id"
esperar 15 hay_hija "$anfitrion_id" || falla "el programa no apareció en el anfitrión"
kill "$anfitrion_pid"
esperar 5 terminado "$arrancado" || falla "el programa siguió en marcha 5 s después de irse el anfitrión"
wait "$arrancado"
estado=$?
[ "$estado" -eq 0 ] || falla "el programa terminó con $estado al irse el anfitrión"
cmp -s "$ini" "$tmp/ini-antes" || falla "al irse el anfitrión, Zorvex.ini quedó así: $(cat "$ini")"

echo "-- con una caja a la vista"
abrir_anfitrion
arrancar exportar "$anfitrion_id"
esperar 15 hay_hija "$anfitrion_id" || falla "el programa no apareció en el anfitrión"
xdotool windowfocus "$(hija "$anfitrion_id")" || falla "no se pudo dar el foco al programa"
sleep 0.3
xdotool key --clearmodifiers Return
esperar 20 hay_caja "$arrancado" || falla "la exportación no mostró su primer mensaje"
kill "$anfitrion_pid"
sleep 1  # long enough for a program that ended at once to be gone
terminado "$arrancado" && falla "el programa terminó con su caja a la vista"
contestar "$arrancado"
contestar "$arrancado"
esperar 10 terminado "$arrancado" || falla "el programa siguió en marcha tras su exportación"

echo "PASS"
exit 0
