// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Choices.h"
#include "practice/PracticeSettings.h"
#include "records/Exercise.h"
#include "records/Tally.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace miminomi {

/// One question as it ended: what was asked, what the learner chose, what it counted. Made when a
/// question is marked ("採点", or "得点確定" for a piece), and also when the answer of a note,
/// scale or chord question is looked at before it was marked (answerSeen, nothing counted).
struct MarkedQuestion {
    Exercise exercise = Exercise::note;
    /// Single notes: the notes asked, in the order played.
    std::vector<std::int32_t> notes;
    /// Scales and chords: the root note and the scale or chord type code.
    std::int32_t root = -1;
    std::int32_t type = -1;
    /// Rhythm and melody: the piece, 1 to 20.
    std::int32_t piece = 0;

    /// The choices of the page's answer lists, in page order (for a piece: the self-mark grade).
    Choices chosen;
    /// Right or wrong, per answer row (a single-note row per note; one row otherwise). Empty for
    /// a piece, which the learner marks by grade.
    std::vector<bool> rowsRight;
    /// What the question added to the tallies.
    Tally points;

    /// Rhythm and melody marked by the program first: the grade it proposed, and how many taps or
    /// notes the learner gave.
    std::optional<Choice> proposedGrade;
    std::optional<std::int32_t> givenCount;

    /// How often the question was played again.
    int replays = 0;
    /// Whether the right answer had been shown before.
    bool answerSeen = false;
    /// The settings the question was asked with, and the single-note range in force.
    PracticeSettings settings;
    NoteRange range;

    bool operator==(const MarkedQuestion &) const = default;
};

} // namespace miminomi
