#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quelmark developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file of the source tree states its copyright and licence, so that the tree can be
# passed on as it stands.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The sanitizer preload is for our programs; in Python it only reports the interpreter's leaks.
env -u LD_PRELOAD reuse lint
