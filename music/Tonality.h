// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

namespace miminomi::music {

// Where pitches stand in a key, and the intervals between them, as a melody's rules need them.

/// The pitch `steps` scale steps above the key's tonic in `tonicOctave` (below it when negative),
/// `raise` semitones above the note the signature gives that step: the raised 6th and 7th of a
/// minor key are spelled on their own steps, G♯ in A minor and B♮ in C minor.
Pitch scalePitch(const Key &key, int tonicOctave, int steps, int raise = 0);

/// A pitch's place in a key: its scale degree (0 the tonic ... 6 the seventh) and how many
/// semitones it lies above the signature's note of its step.
struct ScaleDegree {
    int degree = 0;
    int raise = 0;
};
ScaleDegree scaleDegree(const Key &key, const Pitch &pitch);

/// A melodic interval from one spelled pitch to another, signed (negative downwards).
struct Interval {
    /// Steps on the staff: 0 a unison, 1 a second, 7 an octave.
    int steps = 0;
    int semitones = 0;
    /// Augmented or diminished (an augmented second, a diminished fourth, a tritone...).
    bool altered = false;

    int size() const { return steps < 0 ? -steps : steps; }
};
Interval intervalBetween(const Pitch &from, const Pitch &to);

} // namespace miminomi::music
