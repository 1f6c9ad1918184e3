// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/SingleNote.h"

#include "quiz/SharedRandom.h"

#include <algorithm>

namespace miminomi {

namespace {

constexpr std::int32_t highestNote = 127;
constexpr std::int32_t randMax = 32767;

} // namespace

SingleNote::SingleNote(SharedRandom &random) : random(random) {
    makeNotes();
    oldNoteNum = 0;
}

bool SingleNote::isBlackKey(std::int32_t note) {
    switch (note % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

bool SingleNote::hasDrawableNote(std::int32_t low, std::int32_t high, bool useBlackKey) {
    for (std::int32_t n = std::max(low, 0); n <= std::min(high, highestNote); ++n) {
        if (useBlackKey || !isBlackKey(n)) {
            return true;
        }
    }
    return false;
}

void SingleNote::setRegion(std::int32_t low, std::int32_t high, bool onlyWhite) {
    // The draw loop of makeNotes ends only if some note 0..127 can be accepted; every value
    // 0..32767 comes out of the shared generator within its period, so one such note suffices.
    if (!hasDrawableNote(low, high, !onlyWhite)) {
        return;
    }
    lowNote = low;
    highNote = high;
    useBlackKey = !onlyWhite;
}

void SingleNote::makeNotes() {
    random.srandTime();
    std::int32_t accepted = 0;
    while (accepted < poolSize) {
        const std::int32_t n = random.rand() * highestNote / randMax;
        if (n < lowNote || n > highNote) {
            continue;
        }
        if (!useBlackKey && isBlackKey(n)) {
            continue;
        }
        notePool[accepted] = n;
        ++accepted;
    }
    noteNum = poolSize;
}

std::int32_t SingleNote::playSingleNote() {
    --noteNum;
    const std::int32_t note = notePool[noteNum];
    if (noteNum == 0) {
        makeNotes();
    }
    return note;
}

void SingleNote::setOldNoteNum() {
    oldNoteNum = noteNum;
}

void SingleNote::doOldNoteNum() {
    if (oldNoteNum != 0) {
        noteNum = oldNoteNum;
    }
}

} // namespace miminomi
