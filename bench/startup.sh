#!/usr/bin/env bash
# Start-up of the game against a bare Qt window of the same size, on one
# Xvfb display with a session bus (as on a desktop): the time until each
# maps its window and draws into it, and the memory it holds then. Runs
# alternate game / bare window, so a machine that slows down mid-way slows
# both; the medians and their ratios are printed.
#   bench/startup.sh [BUILD-DIR [RUNS]]     (defaults: build, 15)
# Needs xvfb, dbus and the X DAMAGE headers (libxdamage-dev) for the probe.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  bin=$2 runs=$3
  # Warm-up: the first start reads every file from disk.
  "$bin/startup_probe" "$bin/quimba3d" >/dev/null
  "$bin/startup_probe" "$bin/bare_window" >/dev/null
  for ((i = 0; i < runs; i++)); do
    echo "game $("$bin/startup_probe" "$bin/quimba3d")"
    echo "bare $("$bin/startup_probe" "$bin/bare_window")"
  done
  exit 0
fi

cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-15}
cmake --build "$build" --target quimba3d bare_window startup_probe >/dev/null

# The settings, scores and caches of a player who has started the game
# before, kept apart from the real ones.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
export HOME=$scratch XDG_RUNTIME_DIR=$scratch/run XDG_CONFIG_HOME=$scratch/config \
       XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache
unset QT_QPA_PLATFORM

dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$0" --inside "$(realpath "$build/bin")" "$runs" >"$scratch/runs.txt" 2>"$scratch/errors.txt" || {
  cat "$scratch/errors.txt" >&2
  exit 1
}

# median WHO COLUMN: the middle of one program's figures in one column.
median() {
  awk -v who="$1" -v col="$2" '$1 == who { print $col }' "$scratch/runs.txt" | sort -n |
    awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
printf '%-6s %10s %10s %12s\n' "" "mapped ms" "drawn ms" "resident MB"
for who in game bare; do
  printf '%-6s %10.1f %10.1f %12.1f\n' "$who" "$(median $who 2)" "$(median $who 3)" \
    "$(awk -v kb="$(median $who 4)" 'BEGIN { print kb / 1024 }')"
done
awk -v gm="$(median game 2)" -v bm="$(median bare 2)" -v gp="$(median game 3)" -v bp="$(median bare 3)" \
    -v gr="$(median game 4)" -v br="$(median bare 4)" -v n="$runs" \
    'BEGIN { printf "%-6s %10.2f %10.2f %12.2f   (medians of %d runs each)\n", "ratio", gm / bm, gp / bp, gr / br, n }'
