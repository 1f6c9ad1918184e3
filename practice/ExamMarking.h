// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StoredExam.h"
#include "music/Score.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miminomi {

// The marking of a dictation written in the exam format, bar by bar, as a marker marks it.
//
// Each bar is worth its share of 100 by its length (equal shares without an upbeat; an upbeat
// and the shortened last bar share one). Within a bar each of the item's notes is an equal
// share of the bar: a wrong pitch costs half of it, a wrong rhythm (onset or length) half, a
// missing note all of it, and an extra note one share more; a bar never goes below 0, and an
// error in one bar never costs another. In a melody the notes are the sounding notes (a rest is
// marked through the length of the note before it and the onset of the note after it); notes
// tied within a bar count as one note of their joined length. A note tied over a bar line is one
// sounding note for pitch (its pitch is marked in the bar where it is struck) but its part in the
// next bar is marked there for its rhythm: written as a new note instead of a tie, it is a rhythm
// error. A pitch spelled otherwise than the item's (F♯ for G♭) is a pitch error, as in a written
// exam; the error says so. In a rhythm item only the notes' and rests' onsets and lengths count,
// and a wrong one costs its whole share.

/// How a note was marked.
enum class ExamMark : std::uint8_t {
    right,
    pitch,
    rhythm,
    pitchAndRhythm,
    /// An item note that nothing written matches.
    missing,
    /// A written note that matches no item note.
    extra,
    /// Not marked on its own: a rest in a melody.
    unmarked,
};

/// The kind of one error, as it is kept and counted.
enum class ExamErrorKind : std::uint8_t { pitch, rhythm, missing, extra };

/// One error, where it stands and what the item asked there.
struct ExamError {
    ExamErrorKind kind = ExamErrorKind::pitch;
    /// Counted from 1, an upbeat being bar 1.
    int bar = 1;
    /// The beat it falls on, from 1 ("3拍目" is 3), and the sixteenths after that beat's start
    /// (0 on the beat). An upbeat's notes stand at the end of a full bar.
    int beat = 1;
    int sixteenth = 0;
    /// The item note's scale degree in the key (1 the tonic ... 7) and its alteration from the
    /// signature's note of that step (+1 the raised 7th of a minor key); an extra note's are
    /// the written note's. Nothing for a rest.
    std::optional<int> degree;
    int alter = 0;
    /// The move to the item note from the item's note before (signed steps, 2 a third up, and
    /// semitones); nothing for the item's first note, a rest, a tied note's continuation or an
    /// extra note.
    std::optional<int> intervalSteps;
    std::optional<int> intervalSemitones;
    /// The rhythm figure of the item's beat there, as music::rhythmFigures() writes it.
    std::string figure;
    /// A pitch error whose written note sounds right but is spelled otherwise.
    bool enharmonic = false;
    bool operator==(const ExamError &) const = default;
};

/// A marked dictation.
struct ExamMarking {
    /// Out of 100, rounded to the nearest whole number (half up).
    int score = 0;
    /// The unrounded points.
    double points = 0;
    /// Bars with nothing wrong in them.
    int barsRight = 0;
    int bars = 0;
    /// Points by bar, each out of its share.
    std::vector<double> barPoints;
    /// In time order.
    std::vector<ExamError> errors;
    /// The mark of every note of the written score and of the item, by bar and by index in the
    /// bar's first voice, so that the staff can colour both.
    std::vector<std::vector<ExamMark>> writtenMarks;
    std::vector<std::vector<ExamMark>> itemMarks;
};

/// Marks `written` (the learner's bars, with the item's key, metre and bar count; a bar left
/// empty is all missing) against `item`, bar by bar. Written bars beyond the item's are ignored.
ExamMarking markExam(const music::Score &item, const music::Score &written, bool rhythmOnly);

/// The errors of `marking` as the history keeps them (beats counted from 0 there).
std::vector<StoredExamError> storedErrorsOf(const ExamMarking &marking);

} // namespace miminomi
