#!/usr/bin/env bash
# A generated school exported with transzorvex-cli: the nine exchange tables, read back
# by dbfread, hold what the school's tables say; ASIGVALT.MDX is read by DBD::XBase.
source "$(dirname "$0")/comun.sh"
nuevo_prefijo
"$GEN" gescen "$C/GC" --tamano pequeno --semilla 7 > /dev/null
"$CLI" exportar > "$PREFIJO/recuento.txt"
cat "$PREFIJO/recuento.txt"
[ "$(wc -l < "$PREFIJO/recuento.txt")" -eq 9 ] || falla "se esperaban nueve tablas"
"$PY" "$AQUI/comprobar_exportacion.py" "$C/GC" "$C/ZORVTMP" "$PREFIJO/recuento.txt"
perl "$AQUI/../mdx/check_mdx.pl" "$C/ZORVTMP/ASIGVALT.DBF" COD=COD CODVALEN=CODVALEN
# A second run replaces every table.
"$CLI" exportar --idioma CASTELLANO > "$PREFIJO/recuento2.txt"
cmp -s "$PREFIJO/recuento.txt" "$PREFIJO/recuento2.txt" || falla "otra exportación dio otros recuentos"
perl "$AQUI/../mdx/check_mdx.pl" "$C/ZORVTMP/ASIGVALT.DBF" COD=COD CODVALEN=CODVALEN
# A folder that does not exist: message and exit code 1.
if "$CLI" exportar --gc 'C:\NOEXISTE' 2> "$PREFIJO/error.txt"; then falla "exportar sin carpeta no falló"; fi
grep -q 'NOEXISTE' "$PREFIJO/error.txt" || falla "el error no nombra la carpeta"
echo "exportación de extremo a extremo correcta"
