// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ScaleDrill.h"

#include "quiz/Answers.h"
#include "quiz/MusicScale.h"
#include "sound/MidiSound.h"

namespace miminomi {

ScaleDrill::ScaleDrill(MidiSound &midi, Wait &wait, MusicScale &musicScale, Answers &answers)
    : Drill(Exercise::scale, midi, wait, 3), musicScale(musicScale), answers(answers) {}

bool ScaleDrill::ask(const PracticeSettings &settings) {
    musicScale.clear();
    drawFavouring([this, &settings] {
        musicScale.selectScale(settings.scaleFamily);
        return DrawnQuestion{musicScale.getRootNote(), musicScale.getScaleType()};
    });
    answers.setAnswer(musicScale.getRootNote());
    answers.setAnswer(musicScale.getScaleType());
    replay(settings);
    return true;
}

void ScaleDrill::replay(const PracticeSettings &settings) {
    soundOnDevice(settings, [this, &settings] { playAsked(0, settings); });
}

void ScaleDrill::playAsked(std::size_t, const PracticeSettings &) {
    // From the root: up one octave and down again. A value of 100 or more ends the scale; it is
    // never a note.
    musicScale.clear();
    musicScale.rewindNoteNum();
    for (std::int32_t n = musicScale.playScale(); n < 100; n = musicScale.playScale())
        playNote(n, noteMs);
}

bool ScaleDrill::chosenInRow(const Choices &chosen, std::size_t) const {
    return chosenValue(chosen, keyList, 12) || chosenValue(chosen, westernList, 9) ||
           chosenValue(chosen, japaneseList, 7);
}

std::optional<std::int32_t> ScaleDrill::chosenType(const Choices &chosen, std::int32_t askedType) {
    const auto western = chosenValue(chosen, westernList, 9);
    const auto japanese = chosenValue(chosen, japaneseList, 7, Answers::firstJapaneseScale);
    return Answers::isJapaneseScale(askedType) ? (japanese ? japanese : western)
                                               : (western ? western : japanese);
}

void ScaleDrill::playChosen(const Choices &chosen, std::size_t, const PracticeSettings &) {
    const auto [askedRoot, askedType] = asked();
    const std::int32_t type = chosenType(chosen, askedType).value_or(askedType);
    const auto key = chosenValue(chosen, keyList, 12);
    const std::int32_t root = Answers::isJapaneseScale(type) ? MusicScale::fixedRoots[type]
                              : key                          ? rootOf(*key)
                                                             : askedRoot;
    play(notesPlan(scaleNotes(root, type)));
}

ScaleDrill::Asked ScaleDrill::asked() {
    answers.setHead();
    const std::int32_t root = answers.getAnswer();
    return {root, answers.getAnswer()};
}

bool ScaleDrill::isJapanese() {
    return Answers::isJapaneseScale(asked().type);
}

Choices ScaleDrill::rightAnswer() {
    const auto [root, type] = asked();
    Choices right{Answers::noteNameIndex(root), noChoice, noChoice};
    if (Answers::isJapaneseScale(type))
        right[japaneseList] = Answers::jpScaleTypeIndex(type);
    else
        right[westernList] = Answers::scaleTypeIndex(type);
    return right;
}

Choices ScaleDrill::markedAnswer() {
    // The key of a Japanese scale is shown with its answer but not asked.
    Choices wanted = rightAnswer();
    if (isJapanese())
        wanted[keyList] = noChoice;
    return wanted;
}

void ScaleDrill::describe(MarkedQuestion &question) {
    const auto [root, type] = asked();
    question.root = root;
    question.type = type;
}

} // namespace miminomi
