#include "records/Score.h"

#include <gtest/gtest.h>

namespace miminomi {
namespace {

TEST(Score, EveryTallyReachesItsExerciseAndTheGameAndClearingTakesTheGameAlong) {
    Score score;
    for (const Exercise exercise : allExercises) {
        score.addScore(exercise, true);
        score.addScore(exercise, false);
    }
    score.addScore(Exercise::chord, true);
    EXPECT_EQ(score.getScore(Exercise::chord, true), 2);
    EXPECT_EQ(score.getGameScore(true), 6);
    EXPECT_EQ(score.getGameScore(false), 5);

    score.clearScore(Exercise::risum);
    Tallies expected;
    for (const Exercise exercise : {Exercise::note, Exercise::scale, Exercise::melody})
        expected[exercise] = {1, 1};
    expected[Exercise::chord] = {2, 1};
    EXPECT_EQ(score.tallies(), expected) << "only the rhythm totals are cleared";
    EXPECT_EQ(score.getGameScore(true) + score.getGameScore(false), 0) << "and the game";

    score.addScore(Exercise::note, false);
    score.clearTmp();
    expected[Exercise::note].wrong = 2;
    EXPECT_EQ(score.tallies(), expected);
    EXPECT_EQ(score.getGameScore(false), 0);
}

} // namespace
} // namespace miminomi
