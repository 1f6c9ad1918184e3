#include "practice/NoteDrill.h"

#include "quiz/Answers.h"
#include "quiz/SingleNote.h"
#include "sound/MidiSound.h"

#include <algorithm>

namespace miminomi {

NoteDrill::NoteDrill(MidiSound &midi, SingleNote &singleNote, Answers &answers)
    : Drill(Exercise::note), midi(midi), singleNote(singleNote), answers(answers) {}

bool NoteDrill::ask(const PracticeSettings &settings) {
    askedCount = static_cast<std::size_t>(std::clamp(settings.noteCount, 1, int(maxNotes)));
    midi.OpenMidiDevice();
    playReferenceA(midi, settings);
    singleNote.setOldNoteNum();
    for (std::size_t k = 0; k < askedCount; ++k) {
        const std::int32_t n = singleNote.playSingleNote();
        answers.setAnswer(n);
        playNote(midi, n, noteMs);
    }
    midi.CloseMidiDevice();
    return true;
}

void NoteDrill::replay(const PracticeSettings &settings) {
    // The notes asked are in the answer sheet; replaying them from there sounds exactly the
    // question that will be marked, even if the note pool was refilled meanwhile.
    midi.OpenMidiDevice();
    playReferenceA(midi, settings);
    for (const std::int32_t n : askedNotes())
        playNote(midi, n, noteMs);
    midi.CloseMidiDevice();
}

std::vector<std::int32_t> NoteDrill::askedNotes() {
    std::vector<std::int32_t> notes;
    answers.setHead();
    for (std::size_t k = 0; k < askedCount; ++k)
        notes.push_back(answers.getAnswer());
    return notes;
}

Choices NoteDrill::rightAnswer() {
    Choices right(maxNotes * 2, noChoice);
    std::size_t list = 0;
    for (const std::int32_t n : askedNotes()) {
        right[list++] = Answers::noteNameIndex(n);
        right[list++] = Answers::noteHeightIndex(n);
    }
    return right;
}

void NoteDrill::describe(MarkedQuestion &question) {
    question.notes = askedNotes();
}

} // namespace miminomi
