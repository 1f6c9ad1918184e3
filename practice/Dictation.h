#pragma once

#include "practice/Choices.h"
#include "practice/PieceNotes.h"

#include <cstdint>
#include <vector>

namespace miminomi {

/// A learner's dictation of a piece compared with the piece: which of its notes were got, which
/// of the learner's were not in it, and the self-mark grade that this suggests. The learner still
/// confirms (or changes) the grade.
struct Dictation {
    /// Per note of the piece, whether the learner got it.
    std::vector<bool> notesGot;
    /// Per tap or note the learner gave, whether it matched one of the piece's.
    std::vector<bool> givenMatched;
    std::int32_t missing = 0; // notes of the piece not given
    std::int32_t extra = 0;   // given, but not in the piece
    std::int32_t wrong = 0;   // a melody's note given at another pitch
    /// Rhythm: the constant shift (seconds) taken off the taps.
    double shiftSeconds = 0;

    std::int32_t errors() const { return missing + extra + wrong; }
    /// The self-mark item proposed: 0 "よくできた" with no error, 1 "どっちかというと正解" with one
    /// error (or up to a tenth of the notes), 3 "どっちかというと間違い" up to a third (at least
    /// two), else 4 "ひどい間違い".
    Choice proposedGrade() const;
};

/// How far a tap may lie from a note's onset, after the shift, and still be that note's: a sixth
/// of the beat, and at most two fifths of the piece's shortest gap between onsets, so that a tap
/// is never nearer to a neighbour's onset than the limit allows; never under 50 ms, the spread of
/// a practised tapper.
double tapTolerance(const PieceNotes &piece);

/// The taps (seconds, any origin) against the piece's onsets: the constant shift that lets most
/// taps meet onsets is taken off first, so the player's latency and the learner's reaction time do
/// not count; then each onset takes the tap within the tolerance, in order.
Dictation markRhythm(const PieceNotes &piece, const std::vector<double> &taps);

/// The pitches entered, in order, against the piece's: aligned with the fewest changes, so that a
/// missing or extra note costs one and not the rest of the melody.
Dictation markMelody(const PieceNotes &piece, const std::vector<std::int32_t> &pitches);

} // namespace miminomi
