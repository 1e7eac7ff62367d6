#!/bin/sh
# deb_install_test.sh BUILD_DIR: packs BUILD_DIR with cpack, checks the package's contents and
# control data, unpacks it with dpkg -x and runs kelmctl and kelmemu from the unpacked root.
set -eu
build=$1
work=$(mktemp -d)
emu=
trap '[ -z "$emu" ] || kill "$emu" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "package: $*" >&2
  exit 1
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi
set -- "$work"/out/*.deb
[ $# = 1 ] && [ -f "$1" ] || fail "expected one .deb in $work/out, found: $*"
deb=$1

dpkg-deb -c "$deb" >"$work/list"
for path in ./usr/bin/kldiag ./usr/bin/kelmctl ./usr/bin/kelmemu \
  ./usr/share/applications/kldiag.desktop ./usr/share/icons/hicolor/scalable/apps/kldiag.svg \
  ./usr/share/man/man1/kelmctl.1.gz ./usr/share/man/man1/kelmemu.1.gz \
  ./usr/share/man/man1/kldiag.1.gz; do
  grep -q " $path\$" "$work/list" || fail "the package lacks $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libisoburn1 libc6; do
  case "$depends" in
    *"$package"*) ;;
    *) fail "Depends lacks $package: $depends" ;;
  esac
done
dpkg-deb -f "$deb" Recommends | grep -q qt6-translations-l10n ||
  fail "the package does not recommend Qt's translations"
dpkg-deb -I "$deb" postinst | grep -q "usermod -aG dialout \"\$USER\"" ||
  fail "the post-install script says nothing of the dialout group"

root=$work/root
dpkg -x "$deb" "$root"
grep -qx "Exec=kldiag" "$root/usr/share/applications/kldiag.desktop" ||
  fail "the desktop entry does not start kldiag"
grep -qx "Icon=kldiag" "$root/usr/share/applications/kldiag.desktop" ||
  fail "the desktop entry does not name the icon"
export LD_LIBRARY_PATH="$root/usr/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
for program in kelmctl kelmemu; do
  "$root/usr/bin/$program" --help >"$work/help" || fail "$program --help failed"
  head -n 1 "$work/help" | grep -q "^usage: $program " ||
    fail "$program --help starts with: $(head -n 1 "$work/help")"
  # The manual page carries every line of --help, each as one line of the page.
  zcat "$root/usr/share/man/man1/$program.1.gz" >"$work/page"
  grep -q "^\.TH $(echo "$program" | tr '[:lower:]' '[:upper:]') 1 " "$work/page" ||
    fail "$program.1 has no title line"
  help_lines=$(wc -l <"$work/help")
  page_lines=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH SEE ALSO/p' "$work/page" | grep -vc '^\.')
  [ "$help_lines" = "$page_lines" ] || fail "$program.1 has $page_lines lines of help, --help $help_lines"
done

# Installed, the programs keep their files with the user: kelmctl takes ustaw.txt and the link of
# COM1 from the user's folder of the program, not from the directory it starts in.
home=$work/home
folder=$home/.config/kldiag
mkdir -p "$folder/dosdevices" "$work/elsewhere"
printf 'COM 1\r\nSpeed 9600\r\n' >"$folder/ustaw.txt"
printf 'COM 2\r\nSpeed 9600\r\n' >"$work/elsewhere/ustaw.txt"
"$root/usr/bin/kelmemu" --pty --link "$folder/dosdevices/com1" >"$work/emu" 2>&1 &
emu=$!
for _ in $(seq 50); do
  grep -q '^PTY ' "$work/emu" && break
  sleep 0.1
done
grep -q '^PTY ' "$work/emu" || fail "kelmemu did not start: $(cat "$work/emu")"
(cd "$work/elsewhere" && env -u XDG_CONFIG_HOME HOME="$home" "$root/usr/bin/kelmctl" status) \
  >"$work/status" 2>&1 || fail "the installed kelmctl did not reach COM1: $(cat "$work/status")"
echo "package: $(basename "$deb") unpacked and run"
