// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Choices.h"
#include "practice/PieceNotes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace miminomi {

/// A learner's dictation of a piece compared with the piece: the two set side by side in columns,
/// which of the piece's notes were got, which of the learner's were not in it, and the self-mark
/// grade that this suggests. The learner still confirms (or changes) the grade.
struct Dictation {
    /// How one column of the comparison came out.
    enum class Mark {
        right,   // the note was given: the same pitch, or a tap at its onset
        wrong,   // something was given in its place: another pitch, or a tap beside its onset
        missing, // the piece's note has nothing given for it
        extra    // given, with no note of the piece for it
    };
    /// One column: a note of the piece over what the learner gave for it, in order.
    struct Column {
        Mark mark = Mark::right;
        /// Index of the piece's note; none for an extra.
        std::optional<std::size_t> note;
        /// Index of the tap or note given (taps in time order); none for a missing note.
        std::optional<std::size_t> given;
    };

    std::vector<Column> columns;
    /// Per note of the piece, whether the learner got it.
    std::vector<bool> notesGot;
    /// Per tap (in time order) or note the learner gave, whether it met one of the piece's.
    std::vector<bool> givenMatched;
    std::int32_t missing = 0; // notes of the piece with nothing given for them
    std::int32_t extra = 0;   // given, with no note of the piece for them
    std::int32_t wrong = 0;   // given in a note's place: another pitch, or a tap beside its onset
    /// Rhythm: the taps were fitted as tap = shiftSeconds + tempo × onset (seconds), so that the
    /// player's latency, the learner's reaction and a steady tempo a little off do not count.
    double shiftSeconds = 0;
    double tempo = 1;

    /// Where a tap lies on the piece's time line, as fitted.
    double pieceTimeOf(double tap) const { return (tap - shiftSeconds) / tempo; }
    std::int32_t errors() const { return missing + extra + wrong; }
    /// The self-mark item proposed: 0 "よくできた" with no error, 1 "どっちかというと正解" with one
    /// error (or up to a tenth of the notes), 3 "どっちかというと間違い" up to a third (at least
    /// two), else 4 "ひどい間違い".
    Choice proposedGrade() const;
};

/// How far a tap may lie from the onset of the piece's note `note`, once fitted, and still be that
/// note's: a sixth of the beat, at most two fifths of the gap to the nearer neighbouring onset, and
/// never under 50 ms.
double tapTolerance(const PieceNotes &piece, std::size_t note);

/// The taps (seconds, any origin) against the piece's onsets: the shift and a tempo within
/// maxTempoDrift of the piece's that lay the taps best on the onsets are taken off first; then the
/// two are aligned with the fewest errors, a tap beside an onset whose neighbours both met counting
/// once, as a wrong pitch does in a melody.
Dictation markRhythm(const PieceNotes &piece, const std::vector<double> &taps);
inline constexpr double maxTempoDrift = 0.08;

/// The pitches entered, in order, against the piece's: aligned with the fewest changes, so that a
/// missing or extra note costs one and not the rest of the melody.
Dictation markMelody(const PieceNotes &piece, const std::vector<std::int32_t> &pitches);

} // namespace miminomi
