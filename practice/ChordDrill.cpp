#include "practice/ChordDrill.h"

#include "sound/MidiSound.h"

namespace miminomi {

ChordDrill::ChordDrill(MidiSound &midi, Wait &wait, MidiChord &midiChord)
    : Drill(Exercise::chord, midi, 2), wait(wait), midiChord(midiChord) {}

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
    soundOnDevice(settings, [this, &settings] {
        // The notes one after another from the root when the hint is on, then all together.
        // A value of 100 or more ends the chord; it is never a note.
        for (const std::int32_t held : {settings.chordHint ? noteMs : -1, 0}) {
            midiChord.rewindNoteNum();
            for (std::int32_t n = midiChord.playChord(); held >= 0 && n < 100;
                 n = midiChord.playChord())
                playNote(n, held);
        }
        wait.Sleep(chordMs);
        midi.allOff();
        midiChord.rewindNoteNum();
    });
}

} // namespace miminomi
