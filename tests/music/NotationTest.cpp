// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Notes written so that the beats stay in sight, beamed by the beat, and pitches spelled as the
// key wants them.
#include "music/Notation.h"
#include "music/Tonality.h"
#include "tests/music/ScoreText.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

using namespace music;

namespace {

const Metre twoFour{2, 4}, threeFour{3, 4}, fourFour{4, 4}, sixEight{6, 8};
constexpr NoteValue half{NoteType::half, 0}, quarter{NoteType::quarter, 0},
    dottedQuarter{NoteType::quarter, 1}, eighth{NoteType::eighth, 0};

std::vector<std::pair<std::size_t, std::size_t>> beams(const Metre &metre, const char *bar,
                                                       std::int32_t position = 0) {
    return beamGroups(metre, scoreOf({}, metre, bar).bars.front().upper, position);
}

} // namespace

TEST(Notation, ANoteCrossingABeatStartsOnItSaveTheSyncopationALevelAllows) {
    // 4/4: a half note from the second beat is fine; an off-beat quarter only as the syncopation,
    // and never across the middle of the bar.
    EXPECT_TRUE(writable(fourFour, 48, 96, false, false));
    EXPECT_FALSE(writable(fourFour, 24, 48, false, false));
    EXPECT_TRUE(writable(fourFour, 24, 48, false, true));
    EXPECT_FALSE(writable(fourFour, 72, 48, false, true));
    EXPECT_TRUE(writable(threeFour, 72, 48, false, true));
    EXPECT_FALSE(writable(twoFour, 36, 36, false, true)) << "a dotted eighth across the beat";
    // 6/8: across a beat only whole beats from a beat.
    EXPECT_TRUE(writable(sixEight, 0, 144, false, false));
    EXPECT_FALSE(writable(sixEight, 0, 96, false, true));
    EXPECT_FALSE(writable(sixEight, 48, 48, false, true));
    // Rests: a half rest on the first or third beat of 4/4, the first of 3/4.
    EXPECT_TRUE(writable(fourFour, 96, 96, true, false));
    EXPECT_FALSE(writable(fourFour, 48, 96, true, false));
    EXPECT_FALSE(writable(threeFour, 48, 96, true, false));

    using Values = std::vector<NoteValue>;
    EXPECT_EQ(writtenValues(fourFour, 0, 120, false, false), (Values{half, eighth}));
    EXPECT_EQ(writtenValues(fourFour, 72, 72, false, false), (Values{eighth, quarter}));
    EXPECT_EQ(writtenValues(sixEight, 0, 96, false, true), (Values{dottedQuarter, eighth}));
    EXPECT_EQ(writtenValues(fourFour, 48, 144, true, false), (Values{quarter, half}));
}

TEST(Beams, EighthsAreBeamedByTheBeatAndInFourFourByTheHalfBar) {
    using Groups = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(beams(fourFour, "C5:e C5:e C5:e C5:e C5:e C5:e C5:e C5:e"), (Groups{{0, 3}, {4, 7}}));
    EXPECT_EQ(beams(fourFour, "C5:e C5:e C5:s C5:s C5:e C5:h"), (Groups{{0, 1}, {2, 4}}));
    EXPECT_EQ(beams(twoFour, "C5:e C5:e C5:e C5:e"), (Groups{{0, 1}, {2, 3}}));
    EXPECT_EQ(beams(sixEight, "C5:e C5:e C5:e C5:q C5:e"), (Groups{{0, 2}}));
    EXPECT_EQ(beams(threeFour, "C5:q. C5:e C5:e. C5:s"), (Groups{{2, 3}}));
    EXPECT_EQ(beams(twoFour, "r:e C5:e C5:s r:s C5:e"), (Groups{{2, 4}}));
    // An upbeat of two eighths stands at the end of the bar.
    EXPECT_EQ(beams(threeFour, "C5:e C5:e", 96), (Groups{{0, 1}}));
    EXPECT_EQ(beams(threeFour, "C5:e C5:q C5:e", 0), (Groups{}));
}

TEST(Spelling, MinorKeysRaiseTheirSixthAndSeventhOnTheirOwnSteps) {
    EXPECT_EQ(scalePitch({0, true}, 4, 6, 1), (Pitch{Step::G, 1, 5}));  // A minor: G♯
    EXPECT_EQ(scalePitch({-3, true}, 4, 6, 1), (Pitch{Step::B, 0, 4})); // C minor: B♮
    EXPECT_EQ(scalePitch({5, true}, 4, 6, 1), (Pitch{Step::F, 2, 5}));  // G♯ minor: F𝄪
    EXPECT_EQ(scalePitch({-5, true}, 4, 5, 1), (Pitch{Step::G, 0, 5})); // B♭ minor: G♮
    EXPECT_EQ(scalePitch({-7, false}, 4, -1), (Pitch{Step::B, -1, 3})); // C♭ major: B♭
    EXPECT_EQ(scaleDegree({3, true}, Pitch{Step::E, 1, 5}).raise, 1);   // F♯ minor: E♯
}

TEST(Spelling, AnIntervalKnowsWhenItIsAugmentedOrDiminished) {
    const auto altered = [](Pitch from, Pitch to) { return intervalBetween(from, to).altered; };
    EXPECT_TRUE(altered({Step::F, 0, 4}, {Step::G, 1, 4}));    // augmented second
    EXPECT_FALSE(altered({Step::F, 0, 4}, {Step::A, -1, 4}));  // minor third, the same sound
    EXPECT_TRUE(altered({Step::C, 0, 5}, {Step::G, 1, 4}));    // diminished fourth, down
    EXPECT_TRUE(altered({Step::B, 0, 3}, {Step::F, 0, 4}));    // diminished fifth
    EXPECT_TRUE(altered({Step::C, 0, 4}, {Step::C, 1, 4}));    // augmented unison
    EXPECT_FALSE(altered({Step::E, -1, 4}, {Step::E, -1, 5})); // octave
    EXPECT_EQ(intervalBetween({Step::A, 0, 4}, {Step::E, 0, 4}).steps, -3);
}

} // namespace miminomi::testing
