#!/usr/bin/env bash
# The command-line answers that open no window work without a display: no
# DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM.
#   command_line_test.sh PROGRAM
set -uo pipefail
game=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() {  # run OPTIONS...: output in $out, exit status in $status
  status=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_DATA_HOME="$home/data" \
        XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 \
        "$game" "$@" 2>&1) || status=$?
}
expect() {  # expect WHAT STATUS PATTERN...: the last run ended so and printed each pattern
  local what=$1 want=$2
  shift 2
  [ "$status" -eq "$want" ] || fail "$what ended with $status, not $want: $out"
  for pattern in "$@"; do
    grep -qE -- "$pattern" <<<"$out" || fail "$what: no '$pattern' in: $out"
  done
}

run --help
# Every option of the game, each on a line of its own.
expect --help 0 '^  -h, --help ' '^  -v, --version ' '^  --lang <FILE> ' '^  --check '
run -h
expect -h 0 '^Usage: '
run --version
expect --version 0 '^3DQUIMBA [0-9]+\.[0-9]+$'
run --check
expect --check 0 '^language: .*english\.lan$' '^player: Player$'
run --check --lang no-such-file.lan
expect "--check of a missing language file" 1 'no-such-file\.lan'
run --no-such-option
expect "an unknown option" 1 'no-such-option'
[ -z "$(find "$home" -type f)" ] || fail "wrote files: $(find "$home" -type f)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all command-line checks passed without a display"
