#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quelmark developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Exec to the loading picture and to the title against the bare SDL floor, with the
# generated media; $1 is the benchmark build dir, $2 the number of runs.
set -euo pipefail
build=$1
# -noreset: the runs follow one another, and one starting while Xvfb resets finds no display.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$build/bench/startup_ratio" "$build/quelmark" \
    "$build/bench/bare_first_frame" "$build/bench/libfirstframe_shim.so" "$build/media" "${2:-15}"
