// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ChordDrill.h"

#include "sound/MidiSound.h"
#include "sound/Wait.h"

namespace miminomi {

ChordDrill::ChordDrill(MidiSound &midi, Wait &wait, MidiChord &midiChord)
    : Drill(Exercise::chord, midi, wait, 2), midiChord(midiChord) {}

bool ChordDrill::ask(const PracticeSettings &settings) {
    midiChord.clearChords();
    const auto permitted = settings.chordTypes.permittedTypes();
    for (std::int32_t type = 2; type < MidiChord::chordCount; ++type)
        midiChord.setPermitedChords(type, permitted[static_cast<std::size_t>(type)]);
    midiChord.setUseBlackKey(!settings.chordWhiteKeys);
    drawFavouring([this] {
        midiChord.makeChord();
        return DrawnQuestion{midiChord.getRootName(), midiChord.getChordName()};
    });
    replay(settings);
    return true;
}

void ChordDrill::replay(const PracticeSettings &settings) {
    soundOnDevice(settings, [this, &settings] { playAsked(0, settings); });
}

void ChordDrill::playAsked(std::size_t, const PracticeSettings &settings) {
    // From the root upwards. A value of 100 or more ends the chord; it is never a note.
    std::vector<std::int32_t> notes;
    midiChord.rewindNoteNum();
    for (std::int32_t n = midiChord.playChord(); n < 100; n = midiChord.playChord())
        notes.push_back(n);
    midiChord.rewindNoteNum();
    play(chordPlan(notes, settings.chordHint));
}

bool ChordDrill::chosenInRow(const Choices &chosen, std::size_t) const {
    return chosenValue(chosen, 0, 12) || chosenValue(chosen, 1, MidiChord::chordCount);
}

void ChordDrill::playChosen(const Choices &chosen, std::size_t, const PracticeSettings &settings) {
    const auto pitch = chosenValue(chosen, 0, 12);
    const std::int32_t root = pitch ? rootOf(*pitch) : midiChord.getRootName();
    const std::int32_t type =
        chosenValue(chosen, 1, MidiChord::chordCount).value_or(midiChord.getChordName());
    play(chordPlan(chordNotes(root, type), settings.chordHint));
}

} // namespace miminomi
