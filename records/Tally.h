// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"

#include <cstdint>

namespace miminomi {

/// Right and wrong answers counted together.
struct Tally {
    std::int32_t right = 0;
    std::int32_t wrong = 0;

    /// Right plus wrong; wider than a count, since two counts may add up to more than a 32-bit
    /// count can hold.
    std::int64_t answers() const { return std::int64_t{right} + wrong; }
    /// Percentage of right answers, (right × 100) ÷ (right + wrong) truncated, or 0 without
    /// answers; computed wide, so no count can overflow it.
    std::int32_t percentRight() const {
        return answers() == 0 ? 0
                              : static_cast<std::int32_t>(std::int64_t{right} * 100 / answers());
    }
    bool operator==(const Tally &) const = default;
};

/// A run's tallies, one per exercise.
using Tallies = PerExercise<Tally>;

} // namespace miminomi
