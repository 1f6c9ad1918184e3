// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace miminomi {

/// The answer sheet of the question on screen: the values the learner is expected to name, in
/// the order they were written, together with the encoding that maps answer values to the items
/// of the answer combo boxes.
class Answers {
public:
    /// How many values the sheet holds.
    static constexpr std::int32_t capacity = 1000;

    Answers();

    /// Sets every value to 0 and moves the head to the first value.
    void clear();
    /// Stores the value at the head and moves the head on; a write past the capacity is dropped.
    void setAnswer(std::int32_t value);
    /// Moves the head to the first value, so that reading starts from the beginning.
    void setHead();
    /// Returns the value at the head and moves the head on; 0 past the capacity.
    std::int32_t getAnswer();

    /// Item of the note-name list (1..12) that names a note number: n mod 12 + 1.
    static std::int32_t noteNameIndex(std::int32_t note);
    /// Item of the octave list (1..11) that names a note number's octave: n div 12 + 1.
    static std::int32_t noteHeightIndex(std::int32_t note);
    /// Whether a scale type code (0..15) is answered in the Japanese scale list rather than the
    /// Western one.
    static bool isJapaneseScale(std::int32_t scaleType);
    /// The scale type code of the Japanese list's first item.
    static constexpr std::int32_t firstJapaneseScale = 9;
    /// Item of the Western scale list for codes 0..8; 0 (the empty item) for any other code.
    static std::int32_t scaleTypeIndex(std::int32_t scaleType);
    /// Item of the Japanese scale list for codes 9..15; 0 (the empty item) for any other code.
    static std::int32_t jpScaleTypeIndex(std::int32_t scaleType);
    /// Item of the chord type list for a chord type code 0..13: code + 1.
    static std::int32_t chordTypeIndex(std::int32_t chordType);

private:
    std::array<std::int32_t, capacity> answer{};
    std::int32_t head = 0;
};

} // namespace miminomi
