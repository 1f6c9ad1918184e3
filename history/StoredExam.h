// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/DictationGenerator.h"
#include "music/Score.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miminomi {

/// One mistake in a marked exam-format dictation item, as the history keeps it.
struct StoredExamError {
    enum class Kind : std::int32_t {
        pitch = 0,   // the item's note written with a wrong pitch
        rhythm = 1,  // the item's note written with a wrong value or onset
        missing = 2, // the item's note not written
        extra = 3,   // a written note the item does not have
    };
    Kind kind = Kind::pitch;
    /// The bar, counted from 1 (a pickup is bar 1).
    std::int32_t bar = 1;
    /// Where in the bar: the counted beat from 0 (a dotted quarter in 6/8) and the sixteenths
    /// after it.
    std::int32_t beat = 0;
    std::int32_t sixteenth = 0;
    /// The scale degree in the item's key, 1 (the tonic) to 7, and the semitones above the note
    /// the signature gives that step (the raised 7th of a minor key is 7 / +1); nothing for a
    /// rest, an extra note or a rhythm item.
    std::optional<std::int32_t> degree;
    std::int32_t alteration = 0;
    /// The move from the item's previous note, in signed staff steps (2 a third up, -4 a fifth
    /// down) and signed semitones; nothing for the first note, a rest or a rhythm item.
    std::optional<std::int32_t> intervalSteps;
    std::optional<std::int32_t> intervalSemitones;
    /// The rhythm figure of the beat, as music::rhythmFigures() writes it ("x--x"); may be empty.
    std::string figure;

    bool operator==(const StoredExamError &) const = default;
};

/// One marked exam-format dictation item as the history keeps it: enough to draw the very item
/// again (level, seed and the leaning it was drawn with; the key when the learner fixed it), what
/// it was (key, metre, bars, tempo), how it was heard, and how it was marked.
struct StoredExam {
    /// 単旋律 (a melody) or リズム (its rhythm only, written on one line).
    enum class Mode : std::int32_t { melody = 0, rhythm = 1 };
    /// 試験形式 (the fixed schedule) or 練習形式 (playings on demand).
    enum class Schedule : std::int32_t { exam = 0, practice = 1 };

    Mode mode = Mode::melody;
    /// The generator's level, 1..11, and the seed the item was drawn from.
    std::int32_t level = 1;
    std::uint32_t seed = 0;
    /// The leaning the item was drawn with; empty when it was drawn as usual.
    music::DictationLeaning leaning;
    music::Key key;
    music::Metre metre;
    /// Bars of the item, a pickup counted as one.
    std::int32_t bars = 4;
    /// Quarter notes a minute.
    std::int32_t tempo = 72;
    Schedule schedule = Schedule::exam;
    /// Playings heard (the cadence not counted).
    std::int32_t playings = 0;
    /// The mark, 0..100, and the bars written entirely right.
    std::int32_t score = 0;
    std::int32_t barsRight = 0;
    /// The mistakes, in the item's order.
    std::vector<StoredExamError> errors;

    bool operator==(const StoredExam &) const = default;
};

/// An exam item read back from the history, for "もう一度この問題": the item without its errors.
struct PastExam {
    std::int64_t id = 0;
    /// When it was marked, seconds since the epoch.
    std::int64_t at = 0;
    StoredExam exam;

    bool operator==(const PastExam &) const = default;
};

} // namespace miminomi
