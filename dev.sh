#!/usr/bin/env bash
# Bramble's two developer commands (see README.md):
#   ./dev.sh start [--example] [FILE]   install what is missing, build, start Bramble
#   ./dev.sh test                       install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ libgtest-dev libbenchmark-dev
          qt6-base-dev qt6-serialport-dev libqcustomplot-dev libqcustomplot2.1-qt6
          xvfb xauth poppler-utils socat fonts-dejavu-core imagemagick
          appstream desktop-file-utils dpkg-dev lintian help2man man-db nlohmann-json3-dev
          libeigen3-dev libboost-dev libssl-dev)
JOBS=${JOBS:-2}

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {   # build DIR [cmake options...]
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

case "${1:-}" in
start)
    shift
    install_missing
    build build
    args=()
    for a in "$@"; do
        if [ "$a" = "--example" ]; then args+=("examples/cg3-two-blocks.dat"); else args+=("$a"); fi
    done
    exec ./build/src/app/bramble "${args[@]}"
    ;;
test)
    install_missing
    build build -DBRAMBLE_WERROR=ON
    (cd build && ctest --output-on-failure -j "$JOBS")
    # The core again under AddressSanitizer and UndefinedBehaviorSanitizer.
    build build-asan -DBRAMBLE_SANITIZE=ON -DBRAMBLE_CORE_ONLY=ON -DBRAMBLE_WERROR=ON
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$JOBS")
    # The core and the CLI as a user or a packager builds them: Release, the
    # default options (warnings are not errors), no benchmarks to save time.
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRAMBLE_CORE_ONLY=ON -DBRAMBLE_BENCH=OFF >/dev/null
    cmake --build build-release -j "$JOBS"
    (cd build-release && ctest --output-on-failure -j "$JOBS")
    ;;
*)
    echo "usage: $0 start [--example] [FILE] | $0 test" >&2
    exit 2
    ;;
esac
