// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <string_view>
#include <vector>

namespace miminomi::music {

/// What a level's rhythms may hold beyond half and quarter notes (and a final whole note).
struct RhythmVocabulary {
    bool dottedHalf = false;
    bool eighths = false;
    /// The dotted quarter (and, in 6/8, the whole beat it is).
    bool dottedQuarter = false;
    bool sixteenths = false;
    bool dottedEighth = false;
    /// Rests of a beat and longer.
    bool rests = false;
    /// Eighth rests, on or off the beat.
    bool eighthRests = false;
    bool tiesOverBar = false;
    /// Eighth-quarter-eighth, sixteenth-eighth-sixteenth and notes tied over a beat.
    bool syncopation = false;
    /// An upbeat bar before the first full bar.
    bool pickup = false;
};

/// One step of the graded dictation material: a melody (or, for rhythm levels, one pitch) with
/// what the level's items may hold. The levels are numbered from 1; dictationLevels() lists them.
struct DictationLevel {
    int number = 0;
    /// The short Japanese description the learner chooses by.
    std::string_view description;
    /// One pitch throughout: only the rhythm is asked.
    bool rhythmOnly = false;
    /// Full bars (a pickup comes before them and shortens the last).
    int bars = 4;
    /// The most sharps or flats of the signature.
    int maxAccidentals = 0;
    /// Minor keys as well as major ones, their 7th raised as the leading tone.
    bool minor = false;
    /// The melodic minor's raised 6th, rising to the raised 7th.
    bool raisedSixth = false;
    /// The diminished fourth from the minor key's 3rd down to the raised 7th, which then rises to
    /// the tonic.
    bool diminishedFourth = false;
    std::vector<Metre> metres;
    RhythmVocabulary rhythm;
    /// The widest melodic leap in steps: 1 a second, 2 a third ... 7 an octave (never a seventh).
    int largestLeap = 1;
    /// The widest range from the lowest to the highest note, in steps (5 a sixth, 9 a tenth).
    int range = 5;
    /// Tempo bounds in quarter notes a minute, in 6/8 too: its dotted quarter then goes two thirds
    /// as fast, and its eighths move as fast as those of the simple metres.
    int slowest = 60, fastest = 72;

    /// Whether the level writes `value`.
    bool allows(const NoteValue &value) const;
};

/// The levels, in their numbering from 1.
const std::vector<DictationLevel> &dictationLevels();
/// The level numbered `number`, or nothing.
const DictationLevel *dictationLevel(int number);

} // namespace miminomi::music
