// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace miminomi {

class SharedRandom;

/// The note exercise's generator: a pool of 90 random note numbers within the chosen range,
/// handed out one at a time from its last entry, with the position of the current question
/// remembered so that it can be replayed.
class SingleNote {
public:
    /// A range of note numbers offered by the range choice; both ends may be drawn.
    struct Region {
        std::int32_t lowNote;
        std::int32_t highNote;
    };

    /// The ranges of the range choice, by its item index.
    static constexpr std::array<Region, 5> regionPresets{{
        {60, 79},
        {40, 60},
        {79, 98},
        {40, 98},
        {0, 127},
    }};

    static constexpr std::int32_t poolSize = 90;

    /// Starts with the first preset, white keys only, and draws the first pool.
    explicit SingleNote(SharedRandom &random);

    /// Sets the range (inclusive) and whether black keys are left out; the pool is not redrawn.
    /// A range holding no note number that could be drawn is refused and the setting kept.
    void setRegion(std::int32_t low, std::int32_t high, bool onlyWhite);
    /// Reseeds the shared generator from the clock and draws a new pool for the current range.
    void makeNotes();
    /// Hands out the next note number of the pool; a used-up pool is redrawn at once.
    std::int32_t playSingleNote();
    /// Remembers the pool position at the start of a new question.
    void setOldNoteNum();
    /// Returns to the remembered position, so that a replay hands out the same notes.
    void doOldNoteNum();

    /// Whether the note number is a black key of the piano.
    static bool isBlackKey(std::int32_t note);

private:
    static bool hasDrawableNote(std::int32_t low, std::int32_t high, bool useBlackKey);

    SharedRandom &random;
    std::int32_t lowNote = 60;
    std::int32_t highNote = 79;
    std::array<std::int32_t, poolSize> notePool{};
    std::int32_t noteNum = 0;
    std::int32_t oldNoteNum = 0;
    bool useBlackKey = false;
};

} // namespace miminomi
