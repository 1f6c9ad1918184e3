// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"

#include <cstdint>
#include <vector>

namespace miminomi {

/// One marked answer row of a single-note, scale or chord question, compact, as the spaced
/// review reads the whole history of them.
struct AnswerLogRow {
    /// When the question ended, seconds since the epoch, and its local day (days since
    /// 1970-01-01).
    std::int64_t at = 0;
    std::int32_t day = 0;
    /// The question's number in the history: rows of one question share it.
    std::int64_t question = 0;
    Exercise exercise = Exercise::note;
    /// The item asked: the note number (of a single note, or the root of a scale or chord; its
    /// pitch class is the key or root) and the scale or chord type code, -1 for a single note.
    std::int32_t askedNote = 0;
    std::int32_t askedType = -1;
    /// What was chosen, in the same shape as StoredAnswer; -1 where nothing was chosen.
    std::int32_t chosenName = -1;
    std::int32_t chosenOctave = -1;
    std::int32_t chosenType = -1;
    bool right = false;
    /// Answered in the review window.
    bool review = false;

    bool operator==(const AnswerLogRow &) const = default;
};

/// Every marked answer row of the single-note, scale and chord exercises, in the order they were
/// answered (by time, then question, then row). Rows whose answer was looked at before marking
/// are not in it.
using AnswerLog = std::vector<AnswerLogRow>;

} // namespace miminomi
