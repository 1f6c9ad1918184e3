// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Statistics.h"
#include "history/StoredExam.h"
#include "history/StoredQuestion.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace miminomi {

/// The local days (days since 1970-01-01) a reading covers, both ends included.
struct DayRange {
    std::int32_t from = std::numeric_limits<std::int32_t>::min();
    std::int32_t to = std::numeric_limits<std::int32_t>::max();

    /// Every day.
    static DayRange everything() { return {}; }
    /// The days of `period`, ending `today`.
    static DayRange of(Period period, std::int32_t today) {
        return {firstDayOf(period, today), today};
    }
    bool contains(std::int32_t day) const { return from <= day && day <= to; }
    bool operator==(const DayRange &) const = default;
};

/// One line of the history as it is written out: an answer row of a note, scale or chord
/// question, a self-marked piece, or an exam item.
struct ExportRow {
    /// When the question or item ended, seconds since the epoch.
    std::int64_t at = 0;
    /// A question: its exercise, settings, points, replays, review flag and so on, with `answers`
    /// holding only this line's answer row (none for a piece), which is row `row` of the question.
    /// Unused for an exam item.
    StoredQuestion question;
    std::int32_t row = 0;
    /// An exam item (its errors not read); then `question` is unused.
    std::optional<StoredExam> exam;

    bool operator==(const ExportRow &) const = default;
};

} // namespace miminomi
