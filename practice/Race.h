// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace miminomi {

class Score;

/// The race to ten on the right of the main window: a right marker and a wrong marker climb one
/// step for each tally of the current game, whose tallies Score keeps, until one reaches the
/// goal; right wins when both arrive together. The steps are where the markers stand.
class Race {
public:
    static constexpr std::int32_t goal = 10;
    enum class Outcome { running, won, lost };

    explicit Race(Score &score) : score(score) {}

    /// Whether the game's tallies have reached the goal.
    bool isOver() const;
    /// Moves the markers to the game's tallies; the one that reaches the goal stops there and ends
    /// the game, and the other stays where it stood.
    void move();
    /// Starts a new game: its tallies to zero and both markers at the start.
    void newGame();

    std::int32_t rightStep() const { return right; }
    std::int32_t wrongStep() const { return wrong; }
    Outcome outcome() const { return result; }

private:
    Score &score;
    std::int32_t right = 0;
    std::int32_t wrong = 0;
    Outcome result = Outcome::running;
};

} // namespace miminomi
