// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The question cycle as the window uses it: which buttons can be pressed when, the counters, the
// race to ten, the pages, and the questions told as they end.
#include "tests/practice/PracticeRig.h"

#include <gtest/gtest.h>

#include <tuple>

namespace miminomi::testing {

/// Asks one note and marks it right or wrong.
void markOneNote(PracticeRig &rig, bool right) {
    const int n = rig.ask().back();
    rig.practice.check({n % 12 + 1, n / 12 + 1 + (right ? 0 : 1)});
}

TEST(Practice, AQuestionIsMarkedOnceAndItsAnswerShownAfterMarkingOrInsteadOfIt) {
    PracticeRig rig;
    EXPECT_EQ(rig.practice.buttons(), QuestionButtons{});
    rig.ask(PracticeRig::notes(2));
    EXPECT_EQ(rig.practice.buttons(),
              (QuestionButtons{.next = true, .retry = true, .check = true, .showAnswer = true}));
    rig.practice.replay(PracticeRig::quiet());
    rig.practice.check({0, 0});
    EXPECT_EQ(rig.practice.buttons(),
              (QuestionButtons{.next = true, .retry = true, .showAnswer = true}));
    EXPECT_EQ(rig.practice.counters(), (Tally{0, 2}));
    ASSERT_EQ(rig.ended.size(), 1u);
    EXPECT_EQ(std::tie(rig.ended[0].replays, rig.ended[0].answerSeen, rig.ended[0].chosen),
              std::make_tuple(1, false, Choices{0, 0}));
    EXPECT_EQ(rig.ended[0].settings, PracticeRig::notes(2));

    rig.practice.showAnswer({0, 0});
    EXPECT_EQ(rig.practice.buttons(), (QuestionButtons{.next = true, .retry = true}));
    EXPECT_EQ(rig.ended.size(), 1u) << "a marked question is told once";

    // An answer looked at first is told as seen, counting nothing, and cannot be marked.
    rig.ask();
    rig.practice.showAnswer({3, noChoice});
    EXPECT_FALSE(rig.practice.buttons().check);
    ASSERT_EQ(rig.ended.size(), 2u);
    EXPECT_EQ(std::tie(rig.ended[1].answerSeen, rig.ended[1].points, rig.ended[1].chosen),
              std::make_tuple(true, Tally{}, Choices{3, noChoice}));
    EXPECT_EQ(rig.score.getScore(Exercise::note, false), 2);
}

TEST(Practice, APieceLocksTheButtonsWhileItPlaysAndIsMarkedByGradeOnceItsAnswerWasShown) {
    PracticeRig rig;
    std::vector<QuestionButtons> whilePlaying;
    rig.practice.onPiecePlaying = [&](bool playing) {
        if (playing)
            whilePlaying.push_back(rig.practice.buttons());
    };
    rig.practice.selectPage(Exercise::melody);
    rig.practice.next(PracticeSettings{});
    rig.practice.showAnswer({});
    EXPECT_EQ(rig.practice.buttons(),
              (QuestionButtons{.next = true, .retry = true, .selfCheck = true}));
    rig.practice.replay(PracticeSettings{});
    EXPECT_EQ(rig.practice.buttons(),
              (QuestionButtons{.next = true, .retry = true, .showAnswer = true, .selfCheck = true}))
        << "a replay offers the answer again and keeps the self-mark";
    EXPECT_EQ(whilePlaying,
              (std::vector<QuestionButtons>{{.next = false}, {.next = false, .selfCheck = true}}));

    rig.practice.selfCheck(Exercise::melody, 4);
    EXPECT_FALSE(rig.practice.buttons().selfCheck);
    EXPECT_EQ(rig.practice.counters(), (Tally{0, 2}));
    EXPECT_EQ(rig.race().wrongStep(), 2);
    ASSERT_EQ(rig.ended.size(), 1u);
    EXPECT_EQ(rig.ended[0].piece, rig.practice.pieceDrill(Exercise::melody).pieceNumber());
    EXPECT_EQ(rig.ended[0].replays, 1);
    EXPECT_TRUE(rig.ended[0].answerSeen);

    rig.media.failOpens = true;
    rig.practice.next(PracticeSettings{});
    EXPECT_EQ(rig.practice.buttons(), QuestionButtons{}) << "a missing piece cannot be replayed";
}

TEST(Practice, TheRaceEndsAtTenRightFirstAndTheNextQuestionStartsANewGame) {
    PracticeRig rig;
    const Race &race = rig.race();
    for (int i = 0; i < 9; ++i) {
        markOneNote(rig, true);
        markOneNote(rig, false);
    }
    EXPECT_EQ(race.rightStep(), 9);
    EXPECT_EQ(race.wrongStep(), 9);
    const std::vector<int> two = rig.ask(PracticeRig::notes(2));
    rig.practice.check({two[0] % 12 + 1, two[0] / 12 + 1, 0, 0});
    EXPECT_EQ(race.outcome(), Race::Outcome::won) << "both reached ten: right wins";
    EXPECT_EQ(race.rightStep(), 10);
    EXPECT_EQ(race.wrongStep(), 9) << "the wrong marker stays where it stood";

    rig.ask();
    EXPECT_EQ(race.outcome(), Race::Outcome::running);
    EXPECT_EQ(rig.score.getGameScore(true) + rig.score.getGameScore(false), 0);
    EXPECT_EQ(rig.practice.counters(), (Tally{10, 10})) << "the totals go on";

    // Four right from eight stop the marker at the goal; ten wrong lose.
    for (int i = 0; i < 8; ++i)
        markOneNote(rig, true);
    const std::vector<int> four = rig.ask(PracticeRig::notes(4));
    Choices all;
    for (int n : four)
        all.insert(all.end(), {n % 12 + 1, n / 12 + 1});
    rig.practice.check(all);
    EXPECT_EQ(race.rightStep(), 10);
    for (int i = 0; i < 10; ++i)
        markOneNote(rig, false);
    EXPECT_EQ(race.outcome(), Race::Outcome::lost);
    EXPECT_EQ(race.wrongStep(), 10);
    EXPECT_EQ(race.rightStep(), 0);
}

TEST(Practice, AnotherPageEndsTheQuestionAndTheGameResetClearsThePageAndTheGame) {
    PracticeRig rig;
    const std::vector<int> first = rig.ask(PracticeRig::notes(4));
    rig.practice.check({});
    markOneNote(rig, true);
    rig.ask();

    // The test page shows the game as it stood; a new game starts. There a question sounds
    // nothing and marks nothing, and the reset clears only the game.
    rig.practice.selectPage(std::nullopt);
    EXPECT_EQ(rig.practice.counters(), (Tally{1, 4}));
    EXPECT_EQ(rig.practice.buttons(), QuestionButtons{});
    EXPECT_EQ(rig.score.getGameScore(true) + rig.score.getGameScore(false), 0);
    rig.ask();
    EXPECT_TRUE(rig.sink.log().empty());
    EXPECT_FALSE(rig.practice.check({}));
    rig.practice.resetScore();
    EXPECT_EQ(rig.practice.counters(), (Tally{}));
    EXPECT_EQ(rig.score.getScore(Exercise::note, false), 4);

    // Back on the single notes: their totals, a new note pool from the same clock second, and
    // a reset that clears them and the game, leaving the other exercises.
    rig.practice.selectPage(Exercise::note);
    EXPECT_EQ(rig.practice.counters(), (Tally{1, 4}));
    EXPECT_EQ(rig.ask(PracticeRig::notes(4)), first);
    rig.score.addScore(Exercise::chord, true);
    rig.practice.resetScore();
    EXPECT_EQ(rig.practice.counters(), (Tally{}));
    EXPECT_EQ(rig.score.tallies()[Exercise::note], (Tally{}));
    EXPECT_EQ(rig.score.getScore(Exercise::chord, true), 1);
    EXPECT_EQ(rig.score.getGameScore(true), 0);
}

TEST(Practice, TheRangeAppliesWhenChosenAndWithoutAChoiceOnlyTheNotesAreDrawnAgain) {
    PracticeRig rig;
    rig.practice.setNoteRange({1, false}); // around the bass staff, 40..60, black keys too
    rig.practice.setNoteRange({noChoice, true});
    for (int i = 0; i < 30; ++i)
        for (int note : rig.ask(PracticeRig::notes(4)))
            ASSERT_TRUE(note >= 40 && note <= 60) << note;
    rig.practice.check({});
    EXPECT_EQ(rig.ended.back().range, (NoteRange{1, false})) << "the pool's range, not the boxes'";
}

} // namespace miminomi::testing
