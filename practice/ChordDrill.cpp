#include "practice/ChordDrill.h"

#include "quiz/Answers.h"
#include "quiz/MidiChord.h"
#include "sound/MidiSound.h"

namespace miminomi {

ChordDrill::ChordDrill(MidiSound &midi, Wait &wait, MidiChord &midiChord)
    : Drill(Exercise::chord), midi(midi), wait(wait), midiChord(midiChord) {}

bool ChordDrill::ask(const PracticeSettings &settings) {
    midi.OpenMidiDevice();
    midiChord.clearChords();
    const auto permitted = settings.chordTypes.permittedTypes();
    for (std::int32_t type = 2; type < MidiChord::chordCount; ++type)
        midiChord.setPermitedChords(type, permitted[static_cast<std::size_t>(type)]);
    midiChord.setUseBlackKey(!settings.chordWhiteKeys);
    midiChord.makeChord();
    playReferenceA(midi, settings);
    playChordNotes(settings.chordHint);
    midi.CloseMidiDevice();
    return true;
}

void ChordDrill::replay(const PracticeSettings &settings) {
    midi.OpenMidiDevice();
    playReferenceA(midi, settings);
    midiChord.rewindNoteNum();
    playChordNotes(settings.chordHint);
    midi.CloseMidiDevice();
}

void ChordDrill::playChordNotes(bool hint) {
    // A value of 100 or more ends the chord; it is never a note.
    if (hint) {
        for (std::int32_t n = midiChord.playChord(); n < 100; n = midiChord.playChord())
            playNote(midi, n, noteMs);
    }
    midiChord.rewindNoteNum();
    for (std::int32_t n = midiChord.playChord(); n < 100; n = midiChord.playChord())
        playNote(midi, n, 0);
    wait.Sleep(chordMs);
    midi.allOff();
    midiChord.rewindNoteNum();
}

Choices ChordDrill::rightAnswer() {
    return {Answers::noteNameIndex(midiChord.getRootName()),
            Answers::chordTypeIndex(midiChord.getChordName())};
}

void ChordDrill::describe(MarkedQuestion &question) {
    question.root = midiChord.getRootName();
    question.type = midiChord.getChordName();
}

} // namespace miminomi
