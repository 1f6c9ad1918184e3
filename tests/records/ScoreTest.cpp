#include "records/Score.h"

#include <gtest/gtest.h>

#include <array>

namespace miminomi {
namespace {

/// Right and wrong counts of the five exercises and then the game (index -1).
std::array<int, 12> counts(const Score &score) {
    std::array<int, 12> all{};
    for (int i = 0; i < 12; ++i)
        all[i] = score.getScore(i < 10 ? i / 2 : -1, i % 2 == 0);
    return all;
}

} // namespace

TEST(Score, EveryTallyReachesItsExerciseAndTheGameAndIndex5IsTheGame) {
    Score score;
    score.addScore(2, true);
    score.addScore(-1, false);
    score.addScore(5, false);
    score.addScore(0, false);
    EXPECT_EQ(counts(score), (std::array<int, 12>{0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 3}));
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
