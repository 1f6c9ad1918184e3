#include "practice/ScaleDrill.h"

#include "quiz/Answers.h"
#include "quiz/MusicScale.h"
#include "sound/MidiSound.h"

namespace miminomi {

ScaleDrill::ScaleDrill(MidiSound &midi, MusicScale &musicScale, Answers &answers)
    : Drill(Exercise::scale, midi, 3), musicScale(musicScale), answers(answers) {}

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
    soundOnDevice(settings, [this] {
        // From the root: up one octave and down again. A value of 100 or more ends the scale;
        // it is never a note.
        musicScale.clear();
        musicScale.rewindNoteNum();
        for (std::int32_t n = musicScale.playScale(); n < 100; n = musicScale.playScale())
            playNote(n, noteMs);
    });
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
