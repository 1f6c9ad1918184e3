// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Answering a piece by the program: the proposal bound to its question, the count-in that does
// not swallow taps, pieces the program cannot mark, and notes typed as musicians spell them.
#include "practice/TypedNote.h"
#include "tests/practice/PracticeRig.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

const std::string pieces = std::string(MIMINOMI_SOURCE_DIR) + "/data/";

/// How often the test itself has moved the virtual clock on.
std::size_t advances = 0;

/// Moves the virtual clock to `ms`, sounding what falls due on the way.
void advanceTo(PracticeRig &rig, std::int64_t ms) {
    while (rig.clock.nowMs() < ms) {
        ++advances;
        const auto due = rig.practice.sounds().nextDueMs().value_or(ms);
        rig.clock.Sleep(
            std::uint32_t(std::clamp(due, rig.clock.nowMs() + 1, ms) - rig.clock.nowMs()));
        rig.practice.sounds().poll();
    }
}

/// Starts the count-in and taps at the piece's onsets, `early` ms before the first, the first
/// `count` notes; returns the clock time the piece's time line starts at.
std::int64_t tapFrom(PracticeRig &rig, RhythmDictation &rhythm, int early = 0,
                     std::size_t count = 100) {
    rhythm.start();
    const std::int64_t origin = rig.clock.nowMs() + RhythmDictation::leadMs;
    const auto &notes = rhythm.piece()->notes;
    for (std::size_t k = 0; k < std::min(count, notes.size()); ++k) {
        advanceTo(rig, origin + std::llround(notes[k].onsetSeconds * 1000) - (k == 0 ? early : 0));
        rhythm.tap();
    }
    return origin;
}

} // namespace

TEST(PieceDictation, AProposalGoesOnlyToTheQuestionItWasMadeForBeforeItsAnswerIsSeen) {
    PracticeRig rig;
    rig.midi.setDataFolder(pieces);
    std::vector<std::pair<Exercise, Choice>> proposed;
    rig.practice.onGradeProposed = [&](Exercise piece, Choice grade) {
        proposed.emplace_back(piece, grade);
    };
    rig.practice.selectPage(Exercise::risum);
    EXPECT_EQ(rig.practice.rhythmDictation(), nullptr) << "nothing has played";
    rig.practice.next({});
    const auto first = rig.practice.rhythmDictation();
    ASSERT_TRUE(first && first->piece());
    EXPECT_EQ(rig.practice.rhythmDictation(), first) << "one a question, kept with it";
    EXPECT_EQ(rig.practice.melodyDictation(), nullptr) << "not the page on show";

    // A window left open on the first question taps it after the next was asked.
    rig.practice.next({});
    const auto second = rig.practice.rhythmDictation();
    EXPECT_NE(second, first);
    tapFrom(rig, *first);
    first->finish();
    EXPECT_EQ(first->proposal(), PieceDictation::Proposal::dropped);
    EXPECT_TRUE(proposed.empty());

    tapFrom(rig, *second);
    second->finish();
    EXPECT_EQ(second->proposal(), PieceDictation::Proposal::taken);
    EXPECT_EQ(proposed, (std::vector<std::pair<Exercise, Choice>>{{Exercise::risum, 0}}));
    rig.practice.showAnswer({});
    EXPECT_FALSE(second->armed()) << "a grade after the answer was seen tells nothing";
    rig.practice.selfCheck(Exercise::risum, 0);
    ASSERT_EQ(rig.ended.size(), 1u);
    EXPECT_EQ(rig.ended[0].piece, second->pieceNumber());
    EXPECT_EQ(rig.ended[0].proposedGrade, 0);
    EXPECT_EQ(rig.ended[0].givenCount, std::int32_t(second->markedTaps().size()));

    rig.practice.selectPage(Exercise::melody);
    EXPECT_EQ(rig.practice.rhythmDictation(), nullptr);
}

TEST(PieceDictation, TheCountInHoldsNothingATapHalfABeatEarlyIsTheFirstNoteAndSilenceEnds) {
    PracticeRig rig;
    rig.midi.setDataFolder(pieces);
    rig.practice.selectPage(Exercise::risum);
    rig.practice.next({});
    const auto rhythm = rig.practice.rhythmDictation();
    const PieceNotes &piece = *rhythm->piece();
    const std::int64_t beatMs = std::llround(piece.beatSeconds * 1000);
    rig.sink.clear();
    const std::size_t waitsBefore = rig.clock.waits().size() - advances;

    // A first note 40 ms early is taken.
    const std::int64_t origin = tapFrom(rig, *rhythm, 40);
    rhythm->finish();
    EXPECT_EQ(rig.clock.waits().size() - advances, waitsBefore) << "nothing waited but the test";
    const auto sent = rig.sink.sent();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(rig.sink.notesOn(),
              (std::vector<std::pair<std::int64_t, int>>{{origin, piece.clickPitch},
                                                         {origin + beatMs, piece.clickPitch}}));
    EXPECT_EQ(sent[2].bytes[0], 0x99) << "after the program change, on channel 10";
    EXPECT_EQ(rhythm->marking()->errors(), 0);

    rhythm->start();
    advanceTo(rig, rig.clock.nowMs() + RhythmDictation::leadMs);
    rhythm->tap();
    EXPECT_TRUE(rhythm->taps().empty()) << "a tap with the first click";
    rhythm->cancel();
    EXPECT_EQ(rhythm->state(), RhythmDictation::State::marked) << "the last marking stays";

    // Three notes tapped, then two bars of silence end it.
    tapFrom(rig, *rhythm, 0, 3);
    rig.clock.Sleep(std::uint32_t(2 * piece.beatsPerBar * beatMs + 1));
    rhythm->poll();
    EXPECT_EQ(rhythm->marking()->missing, std::int32_t(piece.notes.size() - 3));
}

TEST(PieceDictation, APieceWithoutCountInIsMarkedByPitchAndEachProblemIsSaid) {
    TemporaryFolder folder;
    const auto note = [](std::uint8_t pitch) {
        return Bytes{0x00, 0x90, pitch, 0x64, 0x83, 0x60, 0x80, pitch, 0x00};
    };
    Bytes track;
    for (const std::uint8_t pitch : {60, 64, 67})
        for (const std::uint8_t byte : note(pitch))
            track.push_back(byte);
    track.insert(track.end(), endOfTrack.begin(), endOfTrack.end());
    writeFile(folder.filePath("plain.mid"), smf({track}, 0));
    writeFile(folder.filePath("silent.mid"), smf({endOfTrack}, 0));

    PracticeRig rig;
    const std::string plain = folder.filePath("plain.mid");
    MelodyDictation melody(1, PieceNotes::read(plain), nullptr, rig.practice.sounds(), rig.clock);
    for (const char32_t key : U"c4e4g4")
        melody.type(key);
    melody.check();
    EXPECT_EQ(melody.marking()->proposedGrade(), 0);
    RhythmDictation rhythm(1, PieceNotes::read(plain), nullptr, rig.practice.sounds(), rig.clock);
    EXPECT_EQ(rhythm.state(), RhythmDictation::State::cannotMark);
    EXPECT_EQ(rhythm.problem(), PieceNotes::Problem::noCountIn);

    EXPECT_EQ(PieceNotes::read(folder.filePath("none.mid")).reason(), PieceNotes::Problem::noFile);
    EXPECT_EQ(PieceNotes::read(pieces + "risum1.bmp").reason(), PieceNotes::Problem::notMidi);
    EXPECT_EQ(PieceNotes::read(folder.filePath("silent.mid")).reason(),
              PieceNotes::Problem::noNotes);
}

TEST(PieceDictation, TheOctaveDigitNamesTheOctaveOfTheWrittenLetter) {
    const std::pair<std::u32string, int> typed[] = {
        {U"c4", 60},  {U"A4", 69},   {U"b#4", 72}, {U"c-4", 59},  {U"e#4", 65},
        {U"f-4", 64}, {U"g##3", 57}, {U"b+3", 60}, {U"d-#5", 74}, {U"x c4", 60},
    };
    for (const auto &[keys, expected] : typed) {
        TypedNote note;
        TypedNote::Took last = TypedNote::Took::nothing;
        for (const char32_t key : keys)
            last = note.type(key);
        EXPECT_EQ(last, TypedNote::Took::note);
        EXPECT_EQ(note.note(), expected) << std::string(keys.begin(), keys.end());
    }
    TypedNote sharp;
    sharp.type(U'b');
    sharp.type(U'#');
    EXPECT_EQ(sharp.pitchClass(), 0);
    EXPECT_EQ(TypedNote().type(U'4'), TypedNote::Took::nothing) << "a digit with no letter";
}

} // namespace miminomi::testing
