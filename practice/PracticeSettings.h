// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Choices.h"
#include "quiz/MidiChord.h"
#include "sound/MidiBytes.h"

#include <array>
#include <cstdint>

namespace miminomi {

/// The chord types the learner allows beside the major and minor triads, one switch each.
struct ChordTypeChoice {
    bool sevenths = false;               // dominant, minor, major and minor-major seventh
    bool sixths = false;                 // sixth and minor sixth
    bool sixNines = false;               // six-nine and minor six-nine
    bool suspendedFourth = false;        // suspended fourth
    bool seventhSuspendedFourth = false; // seventh with suspended fourth
    bool diminishedSeventh = false;
    bool augmented = false;

    /// Whether each chord type code 0..13 may be asked; the triads always may.
    std::array<bool, MidiChord::chordCount> permittedTypes() const;
    bool operator==(const ChordTypeChoice &) const = default;
};

/// What the learner has set that shapes how a question is asked and sounded.
struct PracticeSettings {
    /// Sound the A of 440 Hz before every question and replay of notes, scales, chords and
    /// melodies.
    bool referenceA = true;
    /// Notes in a single-note question, 1 to 4.
    int noteCount = 1;
    /// The family of scales asked (0 tonal, 1 with church modes, 2 Japanese, 3 all); any other
    /// value asks the previous scale again.
    Choice scaleFamily = 0;
    ChordTypeChoice chordTypes;
    bool chordWhiteKeys = true;
    /// Sound the chord's notes one after another before they sound together.
    bool chordHint = true;
    /// The General MIDI program the notes, scales and chords of a question (and a comparison)
    /// sound on; the reference A is always the piano.
    std::uint8_t instrument = midi::acousticGrandPiano;

    bool operator==(const PracticeSettings &) const = default;
};

/// The range the single-note questions are drawn from, as last chosen.
struct NoteRange {
    /// The chosen item of the range list, or noChoice while none was chosen.
    Choice preset = noChoice;
    bool onlyWhiteKeys = true;

    bool operator==(const NoteRange &) const = default;
};

} // namespace miminomi
