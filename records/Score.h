// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"
#include "records/Tally.h"

#include <cstdint>

namespace miminomi {

/// Counts right and wrong answers for each of the five exercises and for the current game, which
/// every tally also reaches.
class Score {
public:
    /// Adds one right or wrong tally to the exercise and to the current game.
    void addScore(Exercise exercise, bool right);
    /// The exercise's right or wrong count.
    std::int32_t getScore(Exercise exercise, bool right) const;
    /// The current game's right or wrong count.
    std::int32_t getGameScore(bool right) const { return right ? tmp_right : tmp_wrong; }
    /// The run's tallies of every exercise.
    Tallies tallies() const;
    /// Sets the exercise's counts and the game's to 0.
    void clearScore(Exercise exercise);
    /// Sets the game's counts to 0, starting a new game.
    void clearTmp();

private:
    template <typename Self> static auto &counter(Self &self, Exercise exercise, bool right);

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
