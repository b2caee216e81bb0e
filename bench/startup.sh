#!/usr/bin/env bash
# Exec-to-first-frame of the game against the bare SDL floor; $1 is the benchmark build dir.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/startup_ratio" "$build/quelmark" \
    "$build/bench/bare_first_frame" "$build/bench/libfirstframe_shim.so" "$root/media" "${2:-15}"
