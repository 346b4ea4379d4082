#!/bin/sh
# Regenerates the pictures of docs/images from the real windows: the
# workflow tour and the serial-logger tests run under a virtual X server
# (xvfb-run) and save their windows when BRAMBLE_SCREENSHOTS names a folder.
# Usage: scripts/make-screenshots.sh [BUILD_DIR]   (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/docs/images
command -v xvfb-run >/dev/null || { echo "make-screenshots: install xvfb (apt-get install xvfb)" >&2; exit 1; }
cmake --build "$build" --target WorkflowTour_test SerialLogger_test ImportCommand_test SurveyReplacement_test \
    SurveyList_test AutosaveKeeper_test
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export BRAMBLE_SCREENSHOTS="$tmp" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$tmp/runtime"
for test in WorkflowTour_test "SerialLogger_test logsAMultiBlockDumpUntilTheMeterFallsSilent" \
    "ImportCommand_test readWarningsShowBesideTheWindowWithoutBlockingIt" \
    "SurveyReplacement_test replaceLetsTheFileIn" "SurveyList_test surveysAreAddedSwitchedAndRemovedAsStepsThatUndo" \
    "AutosaveKeeper_test theAutosaveOfAProgramThatDidNotEndIsOfferedAndRestored"; do
    # shellcheck disable=SC2086  # the test name and its function are two words
    xvfb-run -a -s "-screen 0 1280x800x24" "$build"/tests/app/$test >"$tmp/log" 2>&1 ||
        { cat "$tmp/log" >&2; exit 1; }
done
for shot in "$tmp"/guide-*.png "$tmp"/gdump-logging-echo.png; do
    cp "$shot" "$out/$(basename "$shot" | sed 's/^guide-//')"
done
ls "$out"
