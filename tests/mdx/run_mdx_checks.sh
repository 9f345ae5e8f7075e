#!/usr/bin/env bash
# The production index through every change the engine makes, read by DBD::XBase.
set -euo pipefail
tool=$1
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
t=$work/TABLA.DBF
tags="COD=COD CODVALEN=CODVALEN HORA=HORA"
check() { perl "$here/check_mdx.pl" "$t" $tags; }
order_matches() {  # our engine, reopening the table, browses in the same order
  local tag=$1
  "$tool" leer "$t" "$tag" > "$work/ours"
  perl -MXBase::Index -e '
    my $i = XBase::Index->new($ARGV[0], tag => $ARGV[1]) or die; $i->prepare_select;
    while (my ($k, $v) = $i->fetch) { print "$v\n" }' "$work/TABLA.MDX" "$tag" > "$work/theirs"
  cmp -s "$work/ours" "$work/theirs" || { echo "FAIL: engine order of $tag differs"; exit 1; }
}
echo "new table, 20000 records (branch levels)"; "$tool" crear "$t" 20000; check
for tag in COD CODVALEN HORA; do order_matches $tag; done
echo "after edits of indexed fields"; "$tool" editar "$t" 7; check
for tag in COD HORA; do order_matches $tag; done
echo "recreated smaller"; "$tool" crear "$t" 150; check
echo "emptied"; "$tool" vaciar "$t"; check
echo "filled again after emptying"; "$tool" agregar "$t" 300; check
echo "appended through a second opening"; "$tool" agregar "$t" 5000; check
for tag in COD CODVALEN HORA; do order_matches $tag; done
echo "all checks passed"
