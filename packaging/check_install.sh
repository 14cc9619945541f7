#!/usr/bin/env bash
# Installs the built game into a scratch prefix, checks what lands where, and
# starts the installed program (offscreen, with a home of its own) so that it
# loads its data from there.
#   check_install.sh BUILD-DIR PREFIX APP-ID BINDIR [CMAKE [HARDENED]]
# HARDENED (ON in release builds) checks the program was linked with Debian's
# hardening flags.
set -euo pipefail
build=$1 prefix=$2 id=$3 bindir=$4 cmake=${5:-cmake} hardened=${6:-OFF}
data=share/games/quimba3d

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Exactly these files, nothing of the tests or tools.
expected=(
  "$bindir/quimba3d"
  lib/quimba3d/plugins/libquimba-sound.so
  "$data/francais.lan" "$data/english.lan"
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/16x16/apps/$id.png
  share/icons/hicolor/22x22/apps/$id.png
  share/icons/hicolor/24x24/apps/$id.png
  share/icons/hicolor/32x32/apps/$id.png
  share/icons/hicolor/48x48/apps/$id.png
  share/icons/hicolor/128x128/apps/$id.png
  share/icons/hicolor/256x256/apps/$id.png
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man6/quimba3d.6.gz
  share/doc/quimba3d/copyright
  share/doc/quimba3d/changelog.Debian.gz
  share/lintian/overrides/quimba3d
)
for f in B_1 B_2 B_3 B_4 B_5 B_6 B_bord B_fond B_garde B_ngame B_plateau; do
  expected+=("$data/bitmaps/$f.bmp")
done
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  fail "installed files differ from the expected list:"
  diff <(echo "$wanted") <(echo "$actual") || true
fi
[ -x "$prefix/$bindir/quimba3d" ] || fail "the program is not executable"

desktop=$prefix/share/applications/$id.desktop
grep -qx "Exec=$prefix/$bindir/quimba3d" "$desktop" || fail "desktop entry does not start $prefix/$bindir/quimba3d"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
grep -qx "Categories=Game;BoardGame;" "$desktop" || fail "desktop entry categories"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo" || fail "AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "AppStream launchable"
zcat "$prefix/share/man/man6/quimba3d.6.gz" | grep -q '^\.TH QUIMBA3D 6' || fail "man page header"
grep -qx 'License: GPL-3.0-or-later' "$prefix/share/doc/quimba3d/copyright" || fail "copyright file licence"
zcat "$prefix/share/doc/quimba3d/changelog.Debian.gz" | head -1 | grep -q '^quimba3d (' || fail "changelog header"
if command -v readelf >/dev/null; then
  sections=$(readelf -S -W "$prefix/$bindir/quimba3d")
  ! grep -q ' \.comment ' <<<"$sections" || fail "the program keeps a .comment section"
fi
if [ "$hardened" = ON ]; then
  # Read whole first: grep -q ending a pipe early would fail it under pipefail.
  elf=$(readelf -d -l -W --dyn-syms "$prefix/$bindir/quimba3d")
  grep -q 'BIND_NOW' <<<"$elf" || fail "the program is not bound at start (-z now)"
  grep -q 'GNU_RELRO' <<<"$elf" || fail "the program has no read-only relocations"
  grep -q '__stack_chk_fail' <<<"$elf" || fail "no stack protector"
  grep -qE '__[a-z0-9_]+_chk\b' <<<"$elf" || fail "no fortified function"
fi

# The installed program, started as a player would start it.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
userlist=$home/data/FENTORIX/3DQUIMBA/s.frd
check() {  # check LOCALE [options...]: output of --check, exit status in $status
  local locale=$1
  shift
  status=0
  # Nothing of the caller's environment but the sanitizers' settings.
  out=$(env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR="$home/run" LANG="$locale" QT_QPA_PLATFORM=offscreen \
        ${ASAN_OPTIONS+"ASAN_OPTIONS=$ASAN_OPTIONS"} ${UBSAN_OPTIONS+"UBSAN_OPTIONS=$UBSAN_OPTIONS"} \
        "$prefix/$bindir/quimba3d" --check "$@" 2>&1) || status=$?
}
expect() {  # expect WHAT LINE: the last output holds this whole line
  grep -qxF -- "$2" <<<"$out" || { fail "$1: no line '$2' in:"; echo "$out"; }
}

lines=$(wc -l <"$prefix/$data/francais.lan")
check fr_FR.UTF-8
[ "$status" -eq 0 ] || fail "French start ended with $status"
expect "French start" "data: $prefix/$data/"
expect "French start" "language: $prefix/$data/francais.lan"
expect "French start" "lines: $lines"
expect "French start" "player: Joueur"
expect "French start" "scores: $userlist"
expect "French start" "best scores: 0"
expect "French start" "sound: $prefix/lib/quimba3d/plugins/libquimba-sound.so"

check C.UTF-8
[ "$status" -eq 0 ] || fail "English start ended with $status"
expect "English start" "language: $prefix/$data/english.lan"
expect "English start" "player: Player"

check C.UTF-8 --lang francais.lan
expect "--lang" "language: $prefix/$data/francais.lan"
expect "--lang" "player: Joueur"

# The player's own list is read from the per-user folder ...
mkdir -p "$(dirname "$userlist")"
printf '250 --- 01/12/2026 --- ANNE\r\n198 --- 02/12/2026 --- CPU\r\n' >"$userlist"
check fr_FR.UTF-8
expect "own list" "scores read from: $userlist"
expect "own list" "best scores: 2"
# ... and a list left beside the program starts it until that exists.
rm "$userlist"
printf '1\r\n2\r\n3\r\n' >"$prefix/$bindir/s.frd"
check fr_FR.UTF-8
expect "list beside the program" "scores: $userlist"
expect "list beside the program" "scores read from: $prefix/$bindir/s.frd"
expect "list beside the program" "best scores: 3"
rm "$prefix/$bindir/s.frd"

# The pictures really come from the data folder: one missing stops the start.
mv "$prefix/$data/bitmaps/B_3.bmp" "$home/"
check fr_FR.UTF-8
[ "$status" -eq 1 ] || fail "a missing picture should end the start with 1, not $status"
expect "missing picture" "Fichier bitmaps/B_3.bmp absent. ARRET"
mv "$home/B_3.bmp" "$prefix/$data/bitmaps/"

[ ! -e "$home/data/FENTORIX/3DQUIMBA" ] || [ -z "$(ls -A "$home/data/FENTORIX/3DQUIMBA")" ] ||
  fail "--check wrote into the per-user folder"
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed into $prefix: all checks passed"
