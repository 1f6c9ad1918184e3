// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/MusicScale.h"

#include "quiz/SharedRandom.h"

namespace miminomi {

namespace {

constexpr std::int32_t entryRange = 48;
constexpr std::int32_t tonalScaleCount = 4;
constexpr std::int32_t tonalAndChurchScaleCount = 9;
constexpr std::int32_t firstJapaneseScale = 9;
constexpr std::int32_t japaneseScaleCount = 7;

} // namespace

MusicScale::MusicScale(SharedRandom &random) : random(random) {
    scaleNum = 0;
    makeScales();
}

void MusicScale::makeScales() {
    random.srandTime();
    for (std::int32_t &entry : scales) {
        entry = random.rand() % entryRange;
    }
}

void MusicScale::advanceScaleNum() {
    ++scaleNum;
    if (scaleNum >= drawCount) {
        makeScales();
        scaleNum = 0;
    }
}

void MusicScale::selectScale(std::int32_t family) {
    const std::int32_t v = scales[scaleNum];
    switch (family) {
    case 0:
        // Type and root come from two successive entries, so any root goes with any type.
        scaleType = v % tonalScaleCount;
        advanceScaleNum();
        rootNote = scaleRoots[scales[scaleNum] % 12];
        break;
    case 1:
        // Type and root share one entry, so only some roots go with each tonal type.
        scaleType = v % tonalAndChurchScaleCount;
        rootNote = scaleType < tonalScaleCount ? scaleRoots[v % 12] : fixedRoots[scaleType];
        break;
    case 2:
        scaleType = v % japaneseScaleCount + firstJapaneseScale;
        rootNote = fixedRoots[scaleType];
        break;
    case 3: {
        const Question &question = allScalesQuestions[v % allScalesQuestions.size()];
        scaleType = question.scaleType;
        rootNote = question.rootNote;
        break;
    }
    default:
        // An unknown family (the combo box's text typed by hand) asks the previous scale again.
        break;
    }
    nowNote = static_cast<std::uint8_t>(rootNote);
    noteNum = 0;
    advanceScaleNum();
}

std::int32_t MusicScale::playScale() {
    const std::int32_t step = scaleSteps[scaleType][noteNum];
    if (step == stepEnd) {
        noteNum = 0;
        nowNote = endMarker;
        return endMarker;
    }
    nowNote = static_cast<std::uint8_t>(nowNote + step);
    ++noteNum;
    return nowNote;
}

void MusicScale::rewindNoteNum() {
    noteNum = 0;
    nowNote = static_cast<std::uint8_t>(rootNote);
}

void MusicScale::clear() {
    rewindNoteNum();
    nowNote = 0;
}

} // namespace miminomi
