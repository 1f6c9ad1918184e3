// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/NoteDrill.h"

#include "quiz/Answers.h"
#include "quiz/SingleNote.h"
#include "sound/MidiSound.h"

#include <algorithm>

namespace miminomi {

NoteDrill::NoteDrill(MidiSound &midi, Wait &wait, SingleNote &singleNote, Answers &answers)
    : Drill(Exercise::note, midi, wait, 2), singleNote(singleNote), answers(answers) {}

bool NoteDrill::ask(const PracticeSettings &settings) {
    // The rows marked are the notes asked, however the count is set afterwards.
    rows = static_cast<std::size_t>(std::clamp(settings.noteCount, 1, int(maxNotes)));
    singleNote.setOldNoteNum();
    for (std::size_t k = 0; k < rows; ++k)
        answers.setAnswer(
            drawFavouring([this] { return DrawnQuestion{singleNote.playSingleNote()}; }).note);
    replay(settings);
    return true;
}

void NoteDrill::replay(const PracticeSettings &settings) {
    // The notes asked are in the answer sheet; playing them from there sounds exactly the
    // question that will be marked, even if the note pool was refilled meanwhile.
    soundOnDevice(settings, [this] { play(notesPlan(askedNotes())); });
}

std::vector<std::int32_t> NoteDrill::askedNotes() {
    std::vector<std::int32_t> notes;
    answers.setHead();
    for (std::size_t k = 0; k < rows; ++k)
        notes.push_back(answers.getAnswer());
    return notes;
}

bool NoteDrill::chosenInRow(const Choices &chosen, std::size_t row) const {
    return chosenValue(chosen, 2 * row, 12) || chosenValue(chosen, 2 * row + 1, 11);
}

void NoteDrill::playAsked(std::size_t row, const PracticeSettings &) {
    playNote(askedNotes().at(row), noteMs);
}

void NoteDrill::playChosen(const Choices &chosen, std::size_t row, const PracticeSettings &) {
    const std::int32_t asked = askedNotes().at(row);
    const std::int32_t pitch = chosenValue(chosen, 2 * row, 12).value_or(asked % 12);
    const std::int32_t octave = chosenValue(chosen, 2 * row + 1, 11).value_or(asked / 12);
    playNote(std::clamp(octave * 12 + pitch, 0, 127), noteMs);
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

} // namespace miminomi
