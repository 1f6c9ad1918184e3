// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/MidiChord.h"

#include "quiz/SharedRandom.h"

#include <algorithm>

namespace miminomi {

namespace {

constexpr std::int32_t rootEntryRange = 121;
constexpr std::int32_t lowestRoot = 57;

} // namespace

MidiChord::MidiChord(SharedRandom &random) : random(random) {
    newRoots();
    clearChords();
    rootNum = 0;
}

void MidiChord::newRoots() {
    random.srandTime();
    for (std::int32_t &entry : roots) {
        entry = random.rand() % rootEntryRange;
    }
}

void MidiChord::clearChords() {
    rootNote = 0;
    chordType = 0;
    permitedChords.fill(false);
    permitedChords[0] = true;
    permitedChords[1] = true;
    noteNum = 0;
}

void MidiChord::setUseBlackKey(bool useBlackKey) {
    this->useBlackKey = useBlackKey;
}

void MidiChord::setPermitedChords(std::int32_t code, bool permitted) {
    if (code < 0 || code >= chordCount) {
        return;
    }
    permitedChords[code] = permitted;
}

void MidiChord::advanceRootNum() {
    ++rootNum;
    if (rootNum >= drawCount) {
        newRoots();
        rootNum = 0;
    }
}

bool MidiChord::isBlackRoot(std::int32_t note) const {
    return std::find(blackRoots.begin(), blackRoots.end(), note) != blackRoots.end();
}

void MidiChord::makeChord() {
    // Every root draw consumes an entry, the refused ones too. The root range holds white keys,
    // so the refusals end.
    do {
        rootNote = roots[rootNum] % 12 + lowestRoot;
        advanceRootNum();
    } while (!useBlackKey && isBlackRoot(rootNote));

    std::array<std::int32_t, chordCount> permitted{};
    std::int32_t count = 0;
    for (std::int32_t code = 0; code < chordCount; ++code) {
        if (permitedChords[code]) {
            permitted[count++] = code;
        }
    }
    // With every type forbidden there is nothing to choose from: fall back on the two triads
    // that clearChords permits, rather than dividing by zero.
    if (count == 0) {
        permitted[count++] = 0;
        permitted[count++] = 1;
    }
    // The type is drawn from a fresh seed, so it depends only on the second and the permitted
    // types.
    random.srandTime();
    chordType = permitted[random.rand() % count];

    const auto &intervals = chordIntervals[chordType];
    std::size_t note = 0;
    chordNotes[note] = rootNote;
    for (std::int32_t interval : intervals) {
        if (interval == endMarker) {
            break;
        }
        chordNotes[note + 1] = chordNotes[note] + interval;
        ++note;
    }
    chordNotes[note + 1] = endMarker;
    noteNum = 0;
}

std::int32_t MidiChord::playChord() {
    const std::int32_t value = chordNotes[noteNum];
    // The position stays on the end marker, so that a caller that goes on without rewinding
    // keeps getting the marker instead of reading past the chord.
    if (value != endMarker) {
        ++noteNum;
    }
    return value;
}

void MidiChord::rewindNoteNum() {
    noteNum = 0;
}

} // namespace miminomi
