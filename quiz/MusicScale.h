// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace miminomi {

class SharedRandom;

/// The scale exercise's generator: draws a scale type and root from the chosen family of scales
/// and hands out the scale's notes one at a time, up one octave and back down to the root.
class MusicScale {
public:
    /// Marks the end of a row of scaleSteps.
    static constexpr std::int32_t stepEnd = 500;
    /// Returned by playScale after the last note of the scale; never a note.
    static constexpr std::int32_t endMarker = 244;
    static constexpr std::int32_t scaleCount = 16;
    static constexpr std::int32_t drawCount = 1000;

    /// The roots of the tonal scales (codes 0..3), the A below middle C up to the G sharp above.
    static constexpr std::array<std::int32_t, 12> scaleRoots{57, 58, 59, 60, 61, 62,
                                                             63, 64, 65, 66, 67, 68};

    /// Per scale type code: a step of 0 for the root, the ascending steps, the descending steps,
    /// then stepEnd (rows shorter than the longest are filled up with stepEnd).
    static constexpr std::array<std::array<std::int32_t, 16>, scaleCount> scaleSteps{{
        {0, 2, 2, 1, 2, 2, 2, 1, -1, -2, -2, -2, -1, -2, -2, stepEnd}, // 0 major
        {0, 2, 1, 2, 2, 1, 2, 2, -2, -2, -1, -2, -2, -1, -2, stepEnd}, // 1 natural minor
        {0, 2, 1, 2, 2, 1, 3, 1, -1, -3, -1, -2, -2, -1, -2, stepEnd}, // 2 harmonic minor
        {0, 2, 1, 2, 2, 2, 2, 1, -2, -2, -1, -2, -2, -1, -2, stepEnd}, // 3 melodic minor
        {0, 2, 1, 2, 2, 2, 1, 2, -2, -1, -2, -2, -2, -1, -2, stepEnd}, // 4 Dorian
        {0, 1, 2, 2, 2, 1, 2, 2, -2, -2, -1, -2, -2, -2, -1, stepEnd}, // 5 Phrygian
        {0, 2, 2, 2, 1, 2, 2, 1, -1, -2, -2, -1, -2, -2, -2, stepEnd}, // 6 Lydian
        {0, 2, 2, 1, 2, 2, 1, 2, -2, -1, -2, -2, -1, -2, -2, stepEnd}, // 7 Mixolydian
        {0, 1, 2, 2, 1, 2, 2, 2, -2, -2, -2, -1, -2, -2, -1, stepEnd}, // 8 Locrian
        {0, 3, 2, 2, 3, 2, -2, -3, -2, -2, -3, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 9 yo, same both ways
        {0, 3, 2, 2, 3, 2, -3, -2, -2, -3, -2, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 10 yo, different down
        {0, 1, 4, 2, 3, 2, -4, -1, -2, -4, -1, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 11 in
        {0, 3, 2, 2, 3, 2, -2, -3, -2, -2, -3, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 12 min'yo
        {0, 2, 3, 2, 2, 3, -3, -2, -2, -3, -2, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 13 ritsu
        {0, 1, 4, 2, 1, 4, -4, -1, -2, -4, -1, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 14 miyako-bushi
        {0, 4, 1, 2, 4, 1, -1, -4, -2, -1, -4, stepEnd, stepEnd, stepEnd, stepEnd,
         stepEnd}, // 15 Okinawan
    }};

    /// The root of each scale type code that is not transposed; 0 for the tonal scales 0..3,
    /// whose root is drawn.
    static constexpr std::array<std::int32_t, scaleCount> fixedRoots{
        0, 0, 0, 0, 62, 64, 65, 67, 59, 62, 62, 64, 62, 60, 64, 60};

    /// A question of the family of all scales: its type code and root.
    struct Question {
        std::int32_t scaleType;
        std::int32_t rootNote;
    };

    /// The questions of the family of all scales, by entry value modulo 24.
    static constexpr std::array<Question, 24> allScalesQuestions{{
        {3, 57}, {2, 58}, {1, 59},  {0, 60},  {3, 61},  {2, 62},  {1, 63},  {0, 64},
        {0, 65}, {1, 66}, {2, 67},  {3, 68},  {4, 62},  {5, 64},  {6, 65},  {7, 67},
        {8, 59}, {9, 62}, {10, 62}, {11, 64}, {12, 62}, {13, 60}, {14, 64}, {15, 60},
    }};

    /// Draws the first entries; until the first question the scale is C major on middle C.
    explicit MusicScale(SharedRandom &random);

    /// Reseeds the shared generator from the clock and draws all entries again (values 0..47).
    void makeScales();
    /// Draws the type and root of a new question from a family (0 tonal, 1 tonal and church
    /// modes, 2 Japanese, 3 all); any other family repeats the previous question's scale.
    void selectScale(std::int32_t family);
    std::int32_t getRootNote() const { return rootNote; }
    std::int32_t getScaleType() const { return scaleType; }
    /// Hands out the next note number of the scale, or endMarker after its last note.
    std::int32_t playScale();
    /// Returns to the start of the scale, so that playScale begins again at its root.
    void rewindNoteNum();
    /// Rewinds and then forgets the last note produced.
    void clear();

private:
    /// Moves to the next entry, drawing all entries again once they are used up.
    void advanceScaleNum();

    SharedRandom &random;
    std::array<std::int32_t, drawCount> scales{};
    std::int32_t scaleNum = 0;
    // Before any question: C major on middle C, so that an unknown family still plays a whole
    // row of scaleSteps.
    std::int32_t rootNote = 60;
    std::int32_t scaleType = 0;
    std::uint8_t nowNote = 60;
    std::int32_t noteNum = 0;
};

} // namespace miminomi
