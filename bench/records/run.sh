#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the record viewer benchmark in an optimised build; figures go to standard output.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMIMINOMI_TESTS=ON >/dev/null
cmake --build "$build" --target bench_records_viewer -j 2 >/dev/null
"$build/bench/bench_records_viewer" 100000
