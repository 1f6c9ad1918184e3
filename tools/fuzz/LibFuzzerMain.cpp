// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry point over one of the targets in FuzzTargets.h, chosen when compiling with
// -DMIMINOMI_FUZZ_TARGET=name (see run-fuzzers beside it). A target whose checks fail aborts, so
// that libFuzzer keeps the input.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (!miminomi::fuzz::MIMINOMI_FUZZ_TARGET(std::span<const std::uint8_t>(data, size)))
        std::abort();
    return 0;
}
