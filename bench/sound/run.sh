#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the sound benchmarks in an optimised build; figures go to standard output.
# The idle and click-with-driver runs use ALSA's "null" device when no device is given, which
# needs no sound card (it renders as fast as it can while running, so it overstates CPU use
# while the output runs; the point is when the output stops).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build-bench}
device=${ALSA_DEVICE:-null}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMIMINOMI_TESTS=ON >/dev/null
cmake --build "$build" --target bench_sound bench_sound_loudness -j 2 >/dev/null
b="$build/bench/bench_sound"
"$b" load "" dynamic
"$b" load "" static
"$b" click ""
"$b" click "" "$device"
"$b" grid
"$b" idle "" "$device"
"$build/bench/bench_sound_loudness" 0.2 1.0 1.2 1.6
