#include "records/Score.h"

namespace miminomi {

template <typename Self> auto &Score::counter(Self &self, std::int32_t index, bool right) {
    switch (index) {
    case 0:
        return right ? self.note_right : self.note_wrong;
    case 1:
        return right ? self.scale_right : self.scale_wrong;
    case 2:
        return right ? self.chord_right : self.chord_wrong;
    case 3:
        return right ? self.risum_right : self.risum_wrong;
    case 4:
        return right ? self.melody_right : self.melody_wrong;
    default:
        return right ? self.tmp_right : self.tmp_wrong;
    }
}

void Score::addScore(std::int32_t index, bool right) {
    if (index >= 0 && index <= 4) {
        ++counter(*this, index, right);
    }
    ++counter(*this, -1, right);
}

std::int32_t Score::getScore(std::int32_t index, bool right) const {
    return counter(*this, index, right);
}

void Score::clearScore(std::int32_t index) {
    if (index >= 0 && index <= 4) {
        counter(*this, index, true) = 0;
        counter(*this, index, false) = 0;
    }
    clearTmp();
}

void Score::clearTmp() {
    tmp_right = 0;
    tmp_wrong = 0;
}

} // namespace miminomi
