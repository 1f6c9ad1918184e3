// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"
#include "records/Tally.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace miminomi {

/// One answer row of a note, scale or chord question as the history keeps it.
struct StoredAnswer {
    /// The note asked, or the root of the scale or chord asked.
    std::int32_t askedNote = 0;
    /// The scale or chord type code asked; nothing for a single note.
    std::optional<std::int32_t> askedType;
    /// What the learner chose: a pitch class 0..11, an octave (note number / 12), a type code;
    /// nothing where the list showed no item.
    std::optional<std::int32_t> chosenName;
    std::optional<std::int32_t> chosenOctave;
    std::optional<std::int32_t> chosenType;
    /// Right or wrong; nothing when the answer was looked at before marking.
    std::optional<bool> right;

    bool operator==(const StoredAnswer &) const = default;
};

/// The settings a question was asked with, as the history keeps them.
struct StoredSettings {
    /// The range list's item, or nothing while none was chosen.
    std::optional<std::int32_t> rangePreset;
    bool onlyWhiteKeys = true;
    std::int32_t noteCount = 1;
    std::int32_t scaleFamily = 0;
    /// The permitted chord types, bit n for type code n.
    std::int32_t chordTypes = 0b11;
    bool chordWhiteKeys = true;
    bool chordHint = true;
    bool referenceA = true;

    bool operator==(const StoredSettings &) const = default;
};

/// One question as the history keeps it: a note, scale or chord question with its answer rows, or
/// a piece with its self-mark grade.
struct StoredQuestion {
    Exercise exercise = Exercise::note;
    std::vector<StoredAnswer> answers;
    /// Rhythm and melody: the piece (1..20) and the grade chosen (0 best .. 4 worst).
    std::optional<std::int32_t> piece;
    std::optional<std::int32_t> grade;
    Tally points;
    /// The grade the program proposed, and the taps or notes the learner gave it.
    std::optional<std::int32_t> proposedGrade;
    std::optional<std::int32_t> givenCount;
    std::int32_t replays = 0;
    bool answerSeen = false;
    StoredSettings settings;
    /// Answered in the review window, not on the main window's pages.
    bool review = false;

    bool operator==(const StoredQuestion &) const = default;
};

} // namespace miminomi
