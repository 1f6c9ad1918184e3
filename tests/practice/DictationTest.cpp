// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Dictation marked by the program, on all forty pieces as their files play them: taps and entered
// notes against the piece, the columns that set them side by side, and the grade proposed.
#include "practice/Dictation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace miminomi::testing {

namespace {

PieceNotes piece(const std::string &name) {
    auto read = PieceNotes::read(std::string(MIMINOMI_SOURCE_DIR) + "/data/" + name + ".mid");
    EXPECT_TRUE(read.ok()) << name;
    return read.ok() ? std::move(read).value() : PieceNotes{};
}

/// Every note of the piece and everything given stands in exactly one column, in order.
void expectColumnsLineUp(const Dictation &marked, const std::string &name) {
    EXPECT_EQ(marked.columns.size(), marked.notesGot.size() + marked.extra) << name;
    EXPECT_EQ(marked.columns.size(), marked.givenMatched.size() + marked.missing) << name;
    std::size_t note = 0, given = 0;
    for (const Dictation::Column &column : marked.columns) {
        EXPECT_EQ(column.note.has_value(), column.mark != Dictation::Mark::extra) << name;
        EXPECT_EQ(column.given.has_value(), column.mark != Dictation::Mark::missing) << name;
        EXPECT_EQ(column.note.value_or(note), note) << name;
        EXPECT_EQ(column.given.value_or(given), given) << name;
        EXPECT_EQ(column.note && marked.notesGot[note], column.mark == Dictation::Mark::right);
        note += column.note ? 1 : 0;
        given += column.given ? 1 : 0;
    }
}

/// The piece's onsets tapped with a steady tempo factor, late by latency and reaction, unsteady.
std::vector<double> tapped(const PieceNotes &rhythm, double tempo, std::mt19937 &random) {
    std::normal_distribution<double> jitter(0, 0.020);
    std::vector<double> taps;
    for (const PieceNotes::Note &note : rhythm.notes)
        taps.push_back(0.35 + tempo * note.onsetSeconds + jitter(random));
    return taps;
}

} // namespace

TEST(Dictation, TheRhythmAsHeardIsTopAtASteadyTempoAFewPercentOffAndLooseAroundOneShift) {
    std::mt19937 random(5);
    for (int number = 1; number <= 20; ++number) {
        const std::string name = "risum" + std::to_string(number);
        const PieceNotes rhythm = piece(name);
        for (const double tempo : {0.96, 1.0, 1.04}) {
            std::vector<double> taps = tapped(rhythm, tempo, random);
            std::shuffle(taps.begin(), taps.end(), random);
            const Dictation marked = markRhythm(rhythm, taps);
            EXPECT_EQ(marked.proposedGrade(), 0) << name << " ×" << tempo;
            EXPECT_NEAR(marked.tempo, tempo, 0.01) << name;
            EXPECT_NEAR(marked.shiftSeconds, 0.35, 0.05) << name;
            // Early and late in turn, each at nine tenths of its tolerance.
            std::vector<double> loose;
            for (std::size_t k = 0; k < rhythm.notes.size(); ++k)
                loose.push_back(0.2 + tempo * (rhythm.notes[k].onsetSeconds +
                                               (k % 2 ? -0.9 : 0.9) * tapTolerance(rhythm, k)));
            EXPECT_EQ(markRhythm(rhythm, loose).errors(), 0) << name << " ×" << tempo;
        }
        EXPECT_EQ(markRhythm(rhythm, {}).missing, static_cast<int>(rhythm.notes.size())) << name;
    }
}

TEST(Dictation, OneNoteLeftOutAddedOrTappedHalfABeatOffIsOneErrorInItsColumn) {
    std::mt19937 random(7);
    for (int number = 1; number <= 20; ++number) {
        const std::string name = "risum" + std::to_string(number);
        const PieceNotes rhythm = piece(name);
        const double tempo = number % 2 ? 0.96 : 1.04, beat = rhythm.beatSeconds;
        const std::vector<double> taps = tapped(rhythm, tempo, random);
        // A note whose next onset lies over half a beat later, so that moved it stays in place.
        std::size_t k = taps.size() / 2;
        while (k + 1 < taps.size() &&
               rhythm.notes[k + 1].onsetSeconds - rhythm.notes[k].onsetSeconds <= beat / 2)
            ++k;
        std::vector<double> missing = taps, extra = taps, moved = taps;
        missing.erase(missing.begin() + static_cast<std::ptrdiff_t>(k));
        extra.push_back((taps[k - 1] + taps[k]) / 2);
        moved[k] += tempo * beat / 2;

        const Dictation leftOut = markRhythm(rhythm, missing);
        EXPECT_EQ(std::make_pair(leftOut.errors(), leftOut.missing), std::make_pair(1, 1)) << name;
        EXPECT_FALSE(leftOut.notesGot[k]) << name;
        const Dictation added = markRhythm(rhythm, extra);
        EXPECT_EQ(std::make_pair(added.errors(), added.extra), std::make_pair(1, 1)) << name;
        const Dictation late = markRhythm(rhythm, moved);
        EXPECT_EQ(std::make_pair(late.errors(), late.wrong), std::make_pair(1, 1)) << name;
        ASSERT_EQ(late.columns.size(), taps.size()) << name;
        EXPECT_EQ(late.columns[k].mark, Dictation::Mark::wrong) << "in its own column: " << name;
        for (const Dictation *marked : {&leftOut, &added, &late}) {
            EXPECT_EQ(marked->proposedGrade(), 1) << name;
            expectColumnsLineUp(*marked, name);
        }
    }
}

TEST(Dictation, AnotherPiecesRhythmIsNoBetterThanMostlyWrong) {
    std::mt19937 random(11);
    std::vector<PieceNotes> rhythms;
    for (int number = 1; number <= 20; ++number)
        rhythms.push_back(piece("risum" + std::to_string(number)));
    for (std::size_t a = 0; a < rhythms.size(); ++a)
        for (std::size_t b = (a + 1) % rhythms.size(); b != a; b = (b + 1) % rhythms.size())
            EXPECT_GE(markRhythm(rhythms[a], tapped(rhythms[b], 1, random)).proposedGrade(), 3)
                << "risum" << b + 1 << " tapped for risum" << a + 1;
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
        const Dictation oneWrong = markMelody(melody, wrong);
        const Dictation oneMissing = markMelody(melody, missing);
        EXPECT_EQ(oneWrong.wrong, 1) << name;
        EXPECT_EQ(oneMissing.missing, 1) << name;
        EXPECT_EQ(std::count(oneMissing.notesGot.begin(), oneMissing.notesGot.end(), false), 1)
            << "a repeated note may be the one missed: " << name;
        for (const Dictation *marked : {&oneWrong, &oneMissing}) {
            EXPECT_EQ(marked->proposedGrade(), 1) << name;
            expectColumnsLineUp(*marked, name);
        }
        // A third of the notes wrong is still "どっちかというと間違い"; one more, "ひどい間違い".
        std::vector<std::int32_t> many = pitches;
        for (std::size_t k = 0; k <= pitches.size() / 3; ++k)
            many[k] += 50;
        EXPECT_EQ(markMelody(melody, many).proposedGrade(), 4) << name;
        many[pitches.size() / 3] -= 50;
        EXPECT_EQ(markMelody(melody, many).proposedGrade(), 3) << name;
    }
}

} // namespace miminomi::testing
