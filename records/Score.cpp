// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/Score.h"

namespace miminomi {

template <typename Self> auto &Score::counter(Self &self, Exercise exercise, bool right) {
    switch (exercise) {
    case Exercise::note:
        return right ? self.note_right : self.note_wrong;
    case Exercise::scale:
        return right ? self.scale_right : self.scale_wrong;
    case Exercise::chord:
        return right ? self.chord_right : self.chord_wrong;
    case Exercise::risum:
        return right ? self.risum_right : self.risum_wrong;
    case Exercise::melody:
        break;
    }
    return right ? self.melody_right : self.melody_wrong;
}

void Score::addScore(Exercise exercise, bool right) {
    ++counter(*this, exercise, right);
    ++(right ? tmp_right : tmp_wrong);
}

std::int32_t Score::getScore(Exercise exercise, bool right) const {
    return counter(*this, exercise, right);
}

Tallies Score::tallies() const {
    Tallies all;
    for (const Exercise exercise : allExercises)
        all[exercise] = {getScore(exercise, true), getScore(exercise, false)};
    return all;
}

void Score::clearScore(Exercise exercise) {
    counter(*this, exercise, true) = 0;
    counter(*this, exercise, false) = 0;
    clearTmp();
}

void Score::clearTmp() {
    tmp_right = 0;
    tmp_wrong = 0;
}

} // namespace miminomi
