#!/bin/sh
# Writes a gzipped manual page for one program from its own --help, so the two never differ.
#   manpage.sh PROGRAM NAME VERSION SUMMARY OUTPUT
set -eu
program=$1 name=$2 version=$3 summary=$4 output=$5
help=$("$program" --help)
upper=$(printf '%s' "$name" | tr '[:lower:]' '[:upper:]')
# roff: a backslash is written \e, a minus \-, and a line may not start with a control character.
escape() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }
{
  printf '.TH %s 1 "" "kelm %s" "User Commands"\n' "$upper" "$version"
  printf '.SH NAME\n%s \\- %s\n' "$name" "$(printf '%s' "$summary" | escape)"
  printf '.SH SYNOPSIS\n.nf\n'
  printf '%s\n' "$help" | head -n 1 | escape
  printf '.fi\n.SH DESCRIPTION\n.nf\n'
  printf '%s\n' "$help" | tail -n +2 | escape
  printf '.fi\n.SH SEE ALSO\n'
  case "$name" in
    kelmctl) printf '.BR kelmemu (1)\n' ;;
    *) printf '.BR kelmctl (1)\n' ;;
  esac
} | gzip -9n > "$output.tmp"
mv "$output.tmp" "$output"
