// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/MelodyDictation.h"

#include "base/SteadyClock.h"
#include "practice/SoundSchedule.h"

#include <algorithm>

namespace miminomi {

MelodyDictation::MelodyDictation(std::int32_t pieceNumber,
                                 Result<PieceNotes, PieceNotes::Problem> reading, Proposer proposer,
                                 SoundSchedule &sounds, const SteadyClock &clock)
    : PieceDictation(pieceNumber, std::move(reading), std::move(proposer)), sounds(sounds),
      clock(clock) {
    if (const PieceNotes *notes = piece()) {
        std::int32_t lowestNote = 127;
        for (const PieceNotes::Note &note : notes->notes)
            lowestNote = std::min(lowestNote, note.pitch);
        lowest = std::clamp(lowestNote - lowestNote % 12, 0, 127 - keyboardKeys);
    }
}

bool MelodyDictation::type(char32_t key) {
    if (!piece())
        return false;
    switch (typed.type(key)) {
    case TypedNote::Took::nothing:
        return false;
    case TypedNote::Took::note:
        enter(typed.note());
        return true;
    case TypedNote::Took::letter:
    case TypedNote::Took::accidental:
        break;
    }
    changed();
    return true;
}

void MelodyDictation::enter(std::int32_t note) {
    if (!piece())
        return;
    notes.push_back(note);
    typed.clear();
    // One entered note at a time: the next ends the one before.
    sounds.cut(0);
    sounds.plan(clock.nowMs(), 0, static_cast<std::uint8_t>(note), noteMs);
    changed();
}

void MelodyDictation::takeBack() {
    if (typed.started())
        typed.clear();
    else if (!notes.empty())
        notes.pop_back();
    changed();
}

void MelodyDictation::check() {
    if (!piece())
        return;
    marked = notes;
    keep(markMelody(*piece(), marked), static_cast<std::int32_t>(marked.size()));
}

} // namespace miminomi
