// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The generated dictation: every item keeps the rules of its level, the levels grow from a
// beginner's steps to what the entrance examination asks, and a seed always gives its item.
#include "music/DictationGenerator.h"
#include "music/RuleChecker.h"
#include "music/Tonality.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace miminomi::testing {

using namespace music;

namespace {

/// The notes of an item's upper voice, a tied note once.
std::vector<Pitch> heardPitches(const Score &score) {
    std::vector<Pitch> pitches;
    bool tied = false;
    for (const Bar &bar : score.bars)
        for (const Note &note : bar.upper) {
            if (note.pitch && !tied)
                pitches.push_back(*note.pitch);
            tied = note.tieToNext;
        }
    return pitches;
}

} // namespace

TEST(Generator, EveryItemOfEveryLevelKeepsTheRules) {
    for (const DictationLevel &level : dictationLevels())
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            const auto violations = checkRules(generateDictation(level, seed), level);
            ASSERT_TRUE(violations.empty())
                << "level " << level.number << ", seed " << seed << ": " << violations[0].rule
                << " in bar " << violations[0].bar << ": " << violations[0].detail;
        }
}

TEST(Generator, ASeedAlwaysGivesItsItemAndNeighbouringSeedsDifferentOnes) {
    for (const DictationLevel &level : dictationLevels()) {
        EXPECT_EQ(generateDictation(level, 7), generateDictation(level, 7)) << level.number;
        std::vector<Score> items;
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            Score item = generateDictation(level, seed);
            item.tempo = 0;
            if (std::find(items.begin(), items.end(), item) == items.end())
                items.push_back(item);
        }
        // The first level's few melodies are dealt out without repeating any.
        EXPECT_GE(items.size(), level.number == 1 ? 200u : 197u) << "level " << level.number;
    }
}

TEST(Generator, TheFirstLevelIsTwoBarsOfStepsInCMajorInHalvesAndQuarters) {
    const DictationLevel &first = dictationLevels().front();
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        const Score item = generateDictation(first, seed);
        EXPECT_EQ(item.key, Key{}) << seed;
        EXPECT_EQ(item.metre, (Metre{4, 4})) << seed;
        ASSERT_EQ(item.bars.size(), 2u) << seed;
        for (const Bar &bar : item.bars)
            for (const Note &note : bar.upper)
                EXPECT_TRUE(note.pitch && note.value.dots == 0 &&
                            note.value.type <= NoteType::quarter)
                    << seed;
        const auto pitches = heardPitches(item);
        int lowest = 99, highest = -99;
        for (std::size_t k = 0; k < pitches.size(); ++k) {
            lowest = std::min(lowest, pitches[k].staffStep());
            highest = std::max(highest, pitches[k].staffStep());
            if (k > 0) {
                EXPECT_LE(std::abs(pitches[k].staffStep() - pitches[k - 1].staffStep()), 1) << seed;
            }
        }
        EXPECT_LE(highest - lowest, 5) << "within a sixth, seed " << seed;
    }
}

TEST(Generator, TheExamLevelHoldsAllTheExaminationAsksFor) {
    const DictationLevel &exam = *dictationLevel(7);
    std::set<std::string> seen;
    std::set<std::pair<int, int>> metres;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const Score item = generateDictation(exam, seed);
        metres.insert({item.metre.beats, item.metre.beatType});
        if (item.key.minor)
            seen.insert("minor");
        if (std::abs(item.key.fifths) == 4)
            seen.insert("four accidentals");
        if (item.bars.front().pickup)
            seen.insert("upbeat");
        for (const Bar &bar : item.bars) {
            std::int32_t position = 0;
            for (std::size_t k = 0; k < bar.upper.size(); ++k) {
                const Note &note = bar.upper[k];
                if (note.isRest())
                    seen.insert("rest");
                if (note.value == NoteValue{NoteType::eighth, 1})
                    seen.insert("dotted eighth");
                if (note.value.type == NoteType::sixteenth)
                    seen.insert("sixteenth");
                if (note.tieToNext)
                    seen.insert(k + 1 == bar.upper.size() ? "tie over the bar" : "tie in the bar");
                if (!note.isRest() && !item.metre.compound() && position % 48 == 24 &&
                    note.value == NoteValue{NoteType::quarter, 0})
                    seen.insert("syncopated quarter");
                if (note.pitch && scaleDegree(item.key, *note.pitch).degree == 5 &&
                    scaleDegree(item.key, *note.pitch).raise == 1)
                    seen.insert("raised sixth");
                position += note.value.ticks();
            }
        }
        const auto pitches = heardPitches(item);
        for (std::size_t k = 1; k < pitches.size(); ++k) {
            const Interval interval = intervalBetween(pitches[k - 1], pitches[k]);
            if (interval.size() == 7)
                seen.insert("octave leap");
            if (interval.altered)
                seen.insert("diminished fourth");
        }
    }
    EXPECT_EQ(metres.size(), 4u);
    for (const char *feature :
         {"minor", "four accidentals", "upbeat", "rest", "dotted eighth", "sixteenth",
          "tie over the bar", "tie in the bar", "syncopated quarter", "raised sixth", "octave leap",
          "diminished fourth"})
        EXPECT_TRUE(seen.count(feature)) << feature;
}

TEST(Generator, TheLeadingNoteOfAMinorKeyIsSpelledOnTheSeventhStep) {
    // G♯ in A minor, never A♭: every note a semitone below the tonic stands on the 7th step.
    int minorItems = 0;
    for (std::uint32_t seed = 1; minorItems < 40; ++seed) {
        const Score item = generateDictation(*dictationLevel(6), seed);
        if (!item.key.minor)
            continue;
        ++minorItems;
        const int tonic = scalePitch(item.key, 4, 0).midi();
        for (const Pitch &pitch : heardPitches(item))
            if ((pitch.midi() - tonic + 12) % 12 == 11) {
                EXPECT_EQ(scaleDegree(item.key, pitch).degree, 6) << "seed " << seed;
            }
    }
}

TEST(Generator, RhythmLevelsSayTheyAreRhythmsAndMelodyLevelsDoNot) {
    for (const DictationLevel &level : dictationLevels())
        EXPECT_EQ(level.description.find("リズム") != std::string_view::npos, level.rhythmOnly)
            << level.number;
}

} // namespace miminomi::testing
