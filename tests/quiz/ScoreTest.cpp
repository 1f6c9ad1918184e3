#include "records/Score.h"

#include <gtest/gtest.h>

#include <array>

namespace miminomi {
namespace {

/// Right and wrong counts of the five exercises and then the game (index -1).
std::array<int, 12> counts(const Score &score) {
    std::array<int, 12> all{};
    for (int i = 0; i < 6; ++i) {
        all[2 * i] = score.getScore(i < 5 ? i : -1, true);
        all[2 * i + 1] = score.getScore(i < 5 ? i : -1, false);
    }
    return all;
}

} // namespace

TEST(Score, EveryTallyReachesItsExerciseAndTheGame) {
    Score score;
    score.addScore(2, true);
    EXPECT_EQ(counts(score), (std::array<int, 12>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0}));
    score.addScore(-1, false);
    score.addScore(5, false); // the test tab's index lands on the game
    score.addScore(0, false);
    score.addScore(4, true);
    EXPECT_EQ(counts(score), (std::array<int, 12>{0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 2, 3}));
    EXPECT_EQ(score.getScore(5, true), 2);
    EXPECT_EQ(score.getScore(5, false), 3);
}

TEST(Score, ClearsOneExerciseWithTheGameOrTheGameAlone) {
    Score score;
    for (int i = 0; i < 5; ++i) {
        score.addScore(i, true);
        score.addScore(i, false);
    }
    score.clearScore(3);
    EXPECT_EQ(counts(score), (std::array<int, 12>{1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0}));
    score.addScore(1, true);
    score.clearScore(-1);
    EXPECT_EQ(counts(score), (std::array<int, 12>{1, 1, 2, 1, 1, 1, 0, 0, 1, 1, 0, 0}));
    score.addScore(0, false);
    score.clearTmp();
    EXPECT_EQ(counts(score), (std::array<int, 12>{1, 2, 2, 1, 1, 1, 0, 0, 1, 1, 0, 0}));
}

} // namespace miminomi
