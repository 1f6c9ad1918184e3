// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace miminomi::music {

// A short score as a dictation item needs it: a key, a metre, a tempo and bars of spelled notes
// and rests in one or two voices.

/// Durations are counted in ticks: a quarter note is 48, so that every value from a whole note to
/// a sixteenth, dotted or double-dotted, is a whole number of ticks.
inline constexpr std::int32_t ticksPerQuarter = 48;

enum class Step : std::uint8_t { C, D, E, F, G, A, B };

/// A spelled pitch: F♯4 and G♭4 sound alike but are different notes on a staff.
struct Pitch {
    Step step = Step::C;
    /// Sharps positive, flats negative, from a double flat (-2) to a double sharp (2).
    std::int8_t alter = 0;
    /// The octave of the written step, middle C's being 4.
    std::int8_t octave = 4;

    /// The MIDI note number it sounds: C4 is 60, B♯3 is 60 too.
    std::int32_t midi() const;
    /// How many steps (lines and spaces) it lies above C4.
    std::int32_t staffStep() const { return octave * 7 + static_cast<std::int32_t>(step) - 28; }
    bool operator==(const Pitch &) const = default;
};

enum class NoteType : std::uint8_t { whole, half, quarter, eighth, sixteenth };

/// A note's written value: its type and its dots.
struct NoteValue {
    NoteType type = NoteType::quarter;
    std::uint8_t dots = 0;

    std::int32_t ticks() const;
    bool operator==(const NoteValue &) const = default;
};

/// A key signature and mode: fifths from -7 (seven flats) to 7 (seven sharps).
struct Key {
    std::int8_t fifths = 0;
    bool minor = false;

    /// The alteration the signature gives `step`.
    std::int8_t signatureAlter(Step step) const;
    /// The tonic's step and alteration (C major, A minor, E♭ major, F♯ minor, ...).
    std::pair<Step, std::int8_t> tonic() const;
    bool operator==(const Key &) const = default;
};

/// A time signature: 2/4, 3/4, 4/4 or 6/8.
struct Metre {
    std::int8_t beats = 4;
    std::int8_t beatType = 4;

    std::int32_t barTicks() const { return beats * ticksPerQuarter * 4 / beatType; }
    /// A compound metre counts its beats in dotted quarters (6/8 has two).
    bool compound() const { return beatType == 8 && beats % 3 == 0; }
    /// The beat as counted: a quarter in 2/4, 3/4 and 4/4, a dotted quarter in 6/8.
    std::int32_t beatTicks() const {
        return compound() ? 3 * ticksPerQuarter / 2 : ticksPerQuarter * 4 / beatType;
    }
    bool operator==(const Metre &) const = default;
};

/// A note or a rest of one voice.
struct Note {
    /// Nothing for a rest.
    std::optional<Pitch> pitch;
    NoteValue value;
    /// Tied to the next note of the same voice, which has the same pitch.
    bool tieToNext = false;

    bool isRest() const { return !pitch; }
    bool operator==(const Note &) const = default;
};

struct Bar {
    /// The first voice (stems up where there are two), in time order.
    std::vector<Note> upper;
    /// The second voice (stems down); empty for a single voice.
    std::vector<Note> lower;
    /// An upbeat: the first bar, shorter than the metre; the last bar is then shortened by as
    /// much.
    bool pickup = false;
    bool operator==(const Bar &) const = default;
};

enum class Clef : std::uint8_t { treble, bass };

struct Score {
    Key key;
    Metre metre;
    /// Quarter notes a minute (in 6/8 the counted beat is a dotted quarter, a third slower).
    std::int32_t tempo = 72;
    Clef clef = Clef::treble;
    std::vector<Bar> bars;
    bool operator==(const Score &) const = default;
};

/// `item` moved into `key` (its own mode kept): every pitch by the interval between the two tonics,
/// the nearer way, spelled anew from the tonic's step.
Score transposed(Score item, const Key &key);

/// The groups of a voice's notes in a bar that a musician beams together, by index (first, last):
/// eighths and shorter within one beat (in 4/4 also across the bar's halves' first two beats when
/// no shorter value breaks them), never across a rest at a group's ends. A note alone in its beat
/// has no group. `position` is where the voice's first note stands in the bar, in ticks: a
/// pickup's notes stand at the end of a full bar.
std::vector<std::pair<std::size_t, std::size_t>>
beamGroups(const Metre &metre, const std::vector<Note> &voice, std::int32_t position = 0);

} // namespace miminomi::music
