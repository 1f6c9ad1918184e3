#pragma once

#include <cstdint>

namespace miminomi {

/// Counts right and wrong answers for each of the five exercises (index 0 single notes,
/// 1 scales, 2 chords, 3 rhythms, 4 melodies) and for the current game, which every tally also
/// reaches and which any other index addresses.
class Score {
public:
    /// Adds one right or wrong tally to the exercise and to the current game.
    void addScore(std::int32_t index, bool right);
    /// Returns the exercise's right or wrong count, or the game's for an index outside 0..4.
    std::int32_t getScore(std::int32_t index, bool right) const;
    /// Sets the exercise's counts and the game's to 0.
    void clearScore(std::int32_t index);
    /// Sets the game's counts to 0, starting a new game.
    void clearTmp();

private:
    /// The counter of an exercise, or of the game for an index outside 0..4.
    template <typename Self> static auto &counter(Self &self, std::int32_t index, bool right);

    std::int32_t note_right = 0;
    std::int32_t note_wrong = 0;
    std::int32_t scale_right = 0;
    std::int32_t scale_wrong = 0;
    std::int32_t chord_right = 0;
    std::int32_t chord_wrong = 0;
    std::int32_t risum_right = 0;
    std::int32_t risum_wrong = 0;
    std::int32_t melody_right = 0;
    std::int32_t melody_wrong = 0;
    std::int32_t tmp_right = 0;
    std::int32_t tmp_wrong = 0;
};

} // namespace miminomi
