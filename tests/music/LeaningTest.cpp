// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Rhythm figures as the history counts them, and a leaning that moves the generator's odds
// towards what the learner misses while every item keeps the rules.
#include "music/DictationGenerator.h"
#include "music/RuleChecker.h"
#include "music/Tonality.h"

#include "tests/music/ScoreText.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

using namespace music;

TEST(RhythmFigures, OneCharacterASixteenthStruckHeldOrRest) {
    const struct {
        Metre metre;
        const char *bars;
        std::vector<std::vector<std::string>> figures;
    } cases[] = {
        {{3, 4}, "C5:e C5:e C5:e. C5:s C5:q", {{"x-x-", "x--x", "x---"}}},
        // Syncopation: the second beat begins inside the quarter.
        {{2, 4}, "C5:e C5:q C5:e", {{"x-x-", "--x-"}}},
        // An upbeat stands at the end of its bar; a tie's continuation is not struck.
        {{6, 8},
         "^ C5:e | C5:e C5:e C5:e r:q. | C5:q.~ C5:e r:e C5:e",
         {{"", "----x-"}, {"x-x-x-", "r-----"}, {"x-----", "--r-x-"}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rhythmFigures(scoreOf({}, c.metre, c.bars)), c.figures) << c.bars;
}

TEST(DictationLeaning, LeaningMovesTheOddsAndEveryItemKeepsTheRules) {
    const DictationLevel &exam = *dictationLevel(7);
    const DictationLeaning leaning{{{-2, 300}}, {{"x--x", 300}}};
    // Thirds down between struck notes, and beats of a dotted eighth and a sixteenth.
    const auto count = [&](const DictationLeaning &lean) {
        std::pair<int, int> found;
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            const Score item = generateDictation(exam, seed, lean);
            EXPECT_TRUE(checkRules(item, exam).empty()) << "seed " << seed;
            std::optional<Pitch> before;
            bool tied = false;
            for (const Bar &bar : item.bars)
                for (const Note &note : bar.upper) {
                    if (note.pitch && !tied) {
                        found.first += before && intervalBetween(*before, *note.pitch).steps == -2;
                        before = note.pitch;
                    }
                    tied = note.pitch && note.tieToNext;
                }
            for (const auto &beats : rhythmFigures(item))
                found.second += static_cast<int>(std::count(beats.begin(), beats.end(), "x--x"));
        }
        return found;
    };
    const auto usual = count({}), leaned = count(leaning);
    EXPECT_GT(leaned.first, usual.first * 13 / 10) << usual.first << " → " << leaned.first;
    EXPECT_GT(leaned.second, usual.second * 18 / 10) << usual.second << " → " << leaned.second;
    // An empty leaning draws exactly as none.
    EXPECT_EQ(generateDictation(exam, 77, DictationLeaning{}), generateDictation(exam, 77));
}

} // namespace miminomi::testing
