// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace miminomi {

/// A note typed key by key: the letter of a natural (C D E F G A B, either case, and H for B as
/// German-trained musicians write it), any number of sharps (# or +) and flats (-), then the digit
/// of its octave, counted as from middle C's 4. The digit names the octave of the written letter,
/// as musicians read it: B♯4 sounds as the C above middle C's B (note 72) and C♭4 as the B below
/// middle C (note 59).
class TypedNote {
public:
    /// What a key did.
    enum class Took {
        nothing,    // not a key of a note, or an accidental or digit with no letter before it
        letter,     // began a note
        accidental, // raised or lowered the note being typed
        note        // ended it with its octave: note() tells which
    };

    /// Takes one typed character.
    Took type(char32_t key);
    /// Forgets the note being typed.
    void clear() { letterClass.reset(); }

    /// The pitch class the letter and accidentals name so far; nothing before a letter.
    std::optional<std::int32_t> pitchClass() const;
    /// Whether a letter has been typed and not yet ended by its octave.
    bool started() const { return letterClass.has_value(); }
    /// The note the last Took::note ended.
    std::int32_t note() const { return lastNote; }

private:
    std::optional<std::int32_t> letterClass;
    std::int32_t alteration = 0;
    std::int32_t lastNote = 0;
};

} // namespace miminomi
