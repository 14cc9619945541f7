#!/usr/bin/env bash
# Installs what is missing, builds, then plays the game or runs every test.
#   ./build.sh play    build and start the game
#   ./build.sh test    build and run all tests (plus a sanitizer build), then
#                      check the layout of every C++ file against .clang-format
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-play}

packages=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev sqlite3
          fonts-liberation fonts-liberation2 fonts-comic-neue
          dpkg-dev desktop-file-utils appstream librsvg2-bin groff-base clang-format
          dbus at-spi2-core python3-gi gir1.2-atspi-2.0 xvfb xauth lintian
          clang libclang-rt-14-dev libxdamage-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
# A compiler cache, where one is installed, serves a fresh clone from what
# any clone before it compiled: paths are taken relative to the clone, so
# its entries hold across clone folders. CCACHE_DISABLE=1 turns it off.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Ninja keeps both cores busy across targets, where make waits for each
# target's libraries; a folder set up before with make keeps make.
generator() {  # generator DIR
  [ -f "$1/CMakeCache.txt" ] || echo "-GNinja"
}
build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" $(generator "$dir") -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

case "$mode" in
  play)
    build build -DQUIMBA_BENCHMARKS=OFF
    exec ./build/bin/quimba3d
    ;;
  test)
    export QT_QPA_PLATFORM=offscreen
    # Line tables are all a failing test's backtrace needs; full debugging
    # information would cost a fifth more compile time, twice over.
    lines=-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
    build build "$lines"
    ctest --test-dir build --output-on-failure -j"$jobs"
    # Once more under AddressSanitizer and UndefinedBehaviorSanitizer. Leaks
    # are checked where the tests say so (our own toolkit-free code).
    build build-asan -DQUIMBA_SANITIZE=ON -DQUIMBA_BENCHMARKS=OFF "$lines"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j"$jobs"
    # Each reader's fuzz target for a few seconds from its committed seeds,
    # where clang's libFuzzer is installed (the seeds alone replay in every
    # build above).
    if command -v clang++ >/dev/null && [ -e "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
      cmake -S . -B build-fuzz $(generator build-fuzz) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
            -DCMAKE_CXX_COMPILER=clang++ -DQUIMBA_FUZZ=ON -DQUIMBA_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
      cmake --build build-fuzz -j"$jobs" --target fuzz_targets
      ctest --test-dir build-fuzz --output-on-failure -j"$jobs" -L libfuzzer
    else
      echo "clang's libFuzzer is not installed: the fuzz seeds were replayed only"
    fi
    # Last, so a layout slip never hides a failing test: every C++ file as
    # .clang-format lays it out.
    if [ -d .git ] || [ -f .git ]; then
      git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    else
      find . -path ./build -prune -o -path ./build-asan -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run --Werror
    fi
    ;;
  *)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
