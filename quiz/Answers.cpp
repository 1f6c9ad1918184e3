// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Answers.h"

namespace miminomi {

namespace {

constexpr std::int32_t lastWesternScale = 8;
constexpr std::int32_t lastJapaneseScale = 15;

} // namespace

Answers::Answers() {
    clear();
}

void Answers::clear() {
    answer.fill(0);
    head = 0;
}

void Answers::setAnswer(std::int32_t value) {
    // The head stops at the end of the sheet, so that no write can reach outside it.
    if (head >= capacity) {
        return;
    }
    answer[head] = value;
    ++head;
}

void Answers::setHead() {
    head = 0;
}

std::int32_t Answers::getAnswer() {
    if (head >= capacity) {
        return 0;
    }
    return answer[head++];
}

std::int32_t Answers::noteNameIndex(std::int32_t note) {
    return note % 12 + 1;
}

std::int32_t Answers::noteHeightIndex(std::int32_t note) {
    return note / 12 + 1;
}

bool Answers::isJapaneseScale(std::int32_t scaleType) {
    return scaleType >= firstJapaneseScale && scaleType <= lastJapaneseScale;
}

std::int32_t Answers::scaleTypeIndex(std::int32_t scaleType) {
    if (scaleType < 0 || scaleType > lastWesternScale) {
        return 0;
    }
    return scaleType + 1;
}

std::int32_t Answers::jpScaleTypeIndex(std::int32_t scaleType) {
    if (scaleType < firstJapaneseScale || scaleType > lastJapaneseScale) {
        return 0;
    }
    return scaleType - firstJapaneseScale + 1;
}

std::int32_t Answers::chordTypeIndex(std::int32_t chordType) {
    return chordType + 1;
}

} // namespace miminomi
