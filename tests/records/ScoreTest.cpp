#include "records/Score.h"

#include <gtest/gtest.h>

namespace miminomi {

TEST(Score, EveryTallyReachesItsExerciseAndTheGameAndClearingTakesTheGameAlong) {
    Score score;
    for (const Exercise exercise : allExercises) // k right and k + 1 wrong, k its index
        for (std::size_t i = 0; i < 2 * indexOf(exercise) + 1; ++i)
            score.addScore(exercise, i % 2 == 1);
    EXPECT_EQ(std::pair(score.getGameScore(true), score.getGameScore(false)), std::pair(10, 15));
    score.clearScore(Exercise::risum); // the exercise and the game
    score.addScore(Exercise::note, true);
    EXPECT_EQ(std::pair(score.getGameScore(true), score.getGameScore(false)), std::pair(1, 0));
    score.clearTmp(); // the game only
    EXPECT_EQ(std::pair(score.getGameScore(true), score.getGameScore(false)), std::pair(0, 0));
    std::vector<int> counts;
    for (const Exercise exercise : allExercises)
        counts.insert(counts.end(),
                      {score.getScore(exercise, true), score.getScore(exercise, false)});
    EXPECT_EQ(counts, (std::vector{1, 1, 1, 2, 2, 3, 0, 0, 4, 5}));
}

} // namespace miminomi
