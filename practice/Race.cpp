// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/Race.h"

#include "records/Score.h"

namespace miminomi {

bool Race::isOver() const {
    return score.getGameScore(true) >= goal || score.getGameScore(false) >= goal;
}

void Race::move() {
    const std::int32_t r = score.getGameScore(true);
    const std::int32_t w = score.getGameScore(false);
    if (r >= goal) {
        right = goal;
        result = Outcome::won;
    } else if (w >= goal) {
        wrong = goal;
        result = Outcome::lost;
    } else {
        right = r;
        wrong = w;
        result = Outcome::running;
    }
}

void Race::newGame() {
    score.clearTmp();
    right = 0;
    wrong = 0;
    result = Outcome::running;
}

} // namespace miminomi
