// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rule checker finds what a teacher would mark in a dictation melody: one sound melody
// passes, and each fault put into it is named by its rule.
#include "music/RuleChecker.h"
#include "tests/music/ScoreText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace miminomi::testing {

using namespace music;

namespace {

const Key aMinor{0, true};
const Metre fourFour{4, 4};

/// The exam level cut to the bars of the melodies below.
DictationLevel examLevel(int bars) {
    DictationLevel level = *dictationLevel(7);
    level.bars = bars;
    return level;
}

std::vector<std::string> rulesBroken(const Score &score, const DictationLevel &level) {
    std::vector<std::string> rules;
    for (const RuleViolation &violation : checkRules(score, level))
        rules.push_back(violation.rule);
    return rules;
}

} // namespace

TEST(RuleChecker, ASoundMelodyPassesAndEachFaultIsNamedByItsRule) {
    const DictationLevel level = examLevel(2);
    // From the 5th, by a third and steps to the tonic, the leading note on the last beat.
    EXPECT_EQ(rulesBroken(scoreOf(aMinor, fourFour, "E5:q C5:e B4:e A4:q G#4:q | A4:w"), level),
              std::vector<std::string>{});

    const std::vector<std::pair<const char *, const char *>> faults = {
        {"E5:q C5:e B4:e A4:q G#4:e | A4:w", "bar-length"},
        {"E5:q C5:e B4:q A4:e G#4:q | A4:w", "notation"},      // a quarter hiding the middle
        {"E5:e~ E5:e C5:e B4:e A4:q G#4:q | A4:w", "ties"},    // a tie where a quarter would do
        {"E5:q C5:e B4:e A4:q G#4:q | B4:w", "cadence"},       // no tonic at the end
        {"E5:q C5:e B4:e A4:q C5:q | A4:w", "cadence"},        // the tonic reached by a leap
        {"E5:q C5:e B4:e C5:q A4:e B4:e | A4:w", "cadence"},   // the tonic on the last beat
        {"D5:q C5:e B4:e A4:q G#4:q | A4:w", "start"},         // not from the tonic chord
        {"E5:q D5:q F4:q G#4:q | A4:w", "interval"},           // an augmented second
        {"E5:q C5:e B4:e A4:q G4:q | A4:w", "minor"},          // the 7th rising unraised
        {"E5:q C5:e B4:e A4:q G4:e B4:e | A4:w", "minor"},     // the natural 7th rising
        {"E5:q C5:e B4:e F#4:q E4:e G#4:e | A4:w", "minor"},   // the raised 6th falling
        {"A4:q E5:q F5:q G#4:q | A4:w", "leap-recovery"},      // a fifth on in its direction
        {"A4:q C5:q E5:q C5:q | A4:q G#4:q A4:h", "leap-run"}, // four leaps running
        {"A4:q E5:q D5:q B4:e G#4:e | A4:w", "leaps"},         // a fifth at a level of fourths
        {"C6:q B5:e A5:e E5:q G#5:q | A5:w", "range"},         // above A5
        {"E5:q C5:e B4:e A4:q G#4:q | B4:h. A4:q", "ending"},  // the tonic on a weak beat
        {"E5:q C5:s B4:s A4:e A4:q G#4:q | A4:w", "level"},    // no sixteenths at level 3
    };
    for (const auto &[text, rule] : faults) {
        DictationLevel judged = level;
        if (std::string(rule) == "level")
            judged = *dictationLevel(3), judged.bars = 2, judged.metres = {fourFour};
        if (std::string(rule) == "leaps")
            judged.largestLeap = 3;
        const auto rules = rulesBroken(scoreOf(aMinor, fourFour, text), judged);
        EXPECT_NE(std::find(rules.begin(), rules.end(), rule), rules.end()) << text;
    }
}

TEST(RuleChecker, AnUpbeatShortensTheLastBarAndABarIsNeverHeardAThirdTime) {
    DictationLevel level = examLevel(4);
    const Score upbeat =
        scoreOf(aMinor, fourFour, "^ E4:q | A4:h B4:h | C5:h B4:h | E5:h C5:q B4:q | A4:h.");
    EXPECT_EQ(rulesBroken(upbeat, level), std::vector<std::string>{});
    Score unshortened = upbeat;
    unshortened.bars.back().upper.back().value = {NoteType::whole, 0};
    EXPECT_EQ(rulesBroken(unshortened, level), std::vector<std::string>{"bar-length"});

    const Score thrice = scoreOf(aMinor, fourFour, "C5:h B4:h | C5:h B4:h | C5:h B4:h | A4:w");
    EXPECT_EQ(rulesBroken(thrice, level), std::vector<std::string>{"repetition"});
}

TEST(RuleChecker, ARhythmItemKeepsToOnePitch) {
    DictationLevel rhythm = *dictationLevel(11);
    rhythm.bars = 2;
    EXPECT_EQ(rulesBroken(scoreOf({}, fourFour, "C5:q C5:e C5:e C5:h | C5:w"), rhythm),
              std::vector<std::string>{});
    EXPECT_EQ(rulesBroken(scoreOf({}, fourFour, "C5:q C5:e D5:e C5:h | C5:w"), rhythm),
              std::vector<std::string>{"one-pitch"});
}

} // namespace miminomi::testing
