// Dictation marked by the program, on all forty pieces as their files play them: taps and entered
// notes against the piece, and the grade proposed.
#include "practice/Dictation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace miminomi::testing {

namespace {

PieceNotes piece(const std::string &name) {
    const auto read = PieceNotes::read(std::string(MIMINOMI_SOURCE_DIR) + "/data/" + name + ".mid");
    EXPECT_TRUE(read) << name;
    return read.value_or(PieceNotes{});
}

} // namespace

TEST(Dictation, TapsOnTheOnsetsAreTopAMissingExtraOrHalfBeatLateTapLowersTheGrade) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> jitter(-0.012, 0.012);
    for (int number = 1; number <= 20; ++number) {
        const std::string name = "risum" + std::to_string(number);
        const PieceNotes rhythm = piece(name);
        ASSERT_GE(rhythm.notes.size(), 4u) << name;
        EXPECT_TRUE(rhythm.beatSeconds > 0.25 && rhythm.beatSeconds < 1.5) << rhythm.beatSeconds;
        // Tapped late by the output's latency and the learner's reaction, a few ms unsteady.
        std::vector<double> taps;
        for (const PieceNotes::Note &note : rhythm.notes)
            taps.push_back(note.onsetSeconds + 0.35 + jitter(random));
        const Dictation exact = markRhythm(rhythm, taps);
        EXPECT_EQ(exact.errors(), 0) << name;
        EXPECT_EQ(exact.proposedGrade(), 0) << name;
        EXPECT_NEAR(exact.shiftSeconds, 0.35, 0.03) << name;

        const std::size_t middle = taps.size() / 2;
        std::vector<double> missing = taps, extra = taps, late = taps;
        missing.erase(missing.begin() + middle);
        extra.push_back((taps[middle] + taps[middle + 1]) / 2);
        late[middle] += rhythm.beatSeconds / 2;
        EXPECT_EQ(markRhythm(rhythm, missing).missing, 1) << name;
        EXPECT_EQ(markRhythm(rhythm, missing).proposedGrade(), 1) << name;
        EXPECT_EQ(markRhythm(rhythm, extra).extra, 1) << name;
        EXPECT_EQ(markRhythm(rhythm, extra).proposedGrade(), 1) << name;
        const Dictation halfBeat = markRhythm(rhythm, late);
        EXPECT_EQ(std::make_pair(halfBeat.missing, halfBeat.extra), std::make_pair(1, 1)) << name;
        EXPECT_GT(halfBeat.proposedGrade(), 0) << name;
    }
}

TEST(Dictation, AMelodyAsPlayedIsTopOneWrongOrMissingNoteCostsOneStep) {
    for (int number = 1; number <= 20; ++number) {
        const std::string name = "melody" + std::to_string(number);
        const PieceNotes melody = piece(name);
        std::vector<std::int32_t> pitches;
        for (const PieceNotes::Note &note : melody.notes)
            pitches.push_back(note.pitch);
        EXPECT_EQ(markMelody(melody, pitches).proposedGrade(), 0) << name;

        std::vector<std::int32_t> wrong = pitches, missing = pitches;
        wrong[wrong.size() / 2] += 2;
        missing.erase(missing.begin() + 1);
        const Dictation oneWrong = markMelody(melody, wrong),
                        oneMissing = markMelody(melody, missing);
        EXPECT_EQ(std::make_pair(oneWrong.wrong, oneWrong.proposedGrade()), std::make_pair(1, 1))
            << name;
        EXPECT_EQ(std::make_pair(oneMissing.missing, oneMissing.proposedGrade()),
                  std::make_pair(1, 1))
            << name;
        EXPECT_EQ(std::count(oneMissing.notesGot.begin(), oneMissing.notesGot.end(), false), 1)
            << "a repeated note may be the one missed: " << name;
    }
    EXPECT_FALSE(PieceNotes::read(std::string(MIMINOMI_SOURCE_DIR) + "/data/risum1.bmp"));
}

} // namespace miminomi::testing
