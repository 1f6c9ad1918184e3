#include "practice/QuestionHistory.h"

#include "practice/NoteDrill.h"
#include "practice/PieceDrill.h"
#include "practice/ScaleDrill.h"

namespace miminomi {

namespace {

/// The first scale type code of the Japanese list.
constexpr std::int32_t firstJapaneseType = 9;

Choice choiceAt(const Choices &chosen, std::size_t list) {
    return list < chosen.size() ? chosen[list] : noChoice;
}

/// The value an answer list's item stands for: item 1 is `first`, and so on up to `items`;
/// nothing for the blank item or no choice.
std::optional<std::int32_t> valueOf(Choice item, std::int32_t items, std::int32_t first = 0) {
    if (item < 1 || item > items)
        return std::nullopt;
    return first + item - 1;
}

StoredSettings storedSettingsOf(const MarkedQuestion &question) {
    StoredSettings stored;
    if (question.range.preset != noChoice)
        stored.rangePreset = question.range.preset;
    stored.onlyWhiteKeys = question.range.onlyWhiteKeys;
    const PracticeSettings &settings = question.settings;
    stored.noteCount = settings.noteCount;
    stored.scaleFamily = settings.scaleFamily;
    stored.chordTypes = 0;
    const auto permitted = settings.chordTypes.permittedTypes();
    for (std::size_t type = 0; type < permitted.size(); ++type)
        stored.chordTypes |= permitted[type] ? 1 << type : 0;
    stored.chordWhiteKeys = settings.chordWhiteKeys;
    stored.chordHint = settings.chordHint;
    stored.referenceA = settings.referenceA;
    return stored;
}

} // namespace

StoredQuestion storedQuestionOf(const MarkedQuestion &question) {
    StoredQuestion stored;
    stored.exercise = question.exercise;
    stored.points = question.points;
    stored.replays = question.replays;
    stored.proposedGrade = question.proposedGrade;
    stored.givenCount = question.givenCount;
    stored.answerSeen = question.answerSeen;
    stored.settings = storedSettingsOf(question);
    const Choices &chosen = question.chosen;
    const auto rightOf = [&](std::size_t row) -> std::optional<bool> {
        if (row < question.rowsRight.size())
            return question.rowsRight[row];
        return std::nullopt;
    };

    switch (question.exercise) {
    case Exercise::note:
        for (std::size_t row = 0; row < question.notes.size(); ++row) {
            StoredAnswer answer;
            answer.askedNote = question.notes[row];
            answer.chosenName = valueOf(choiceAt(chosen, 2 * row), 12);
            answer.chosenOctave = valueOf(choiceAt(chosen, 2 * row + 1), 11);
            answer.right = rightOf(row);
            stored.answers.push_back(answer);
        }
        break;
    case Exercise::scale: {
        StoredAnswer answer;
        answer.askedNote = question.root;
        answer.askedType = question.type;
        answer.chosenName = valueOf(choiceAt(chosen, ScaleDrill::keyList), 12);
        // The type chosen in the list of the scale's own kind, else the one chosen in the other
        // list: a Western scale heard as a Japanese one is a confusion too.
        const auto western = valueOf(choiceAt(chosen, ScaleDrill::westernList), 9);
        const auto japanese =
            valueOf(choiceAt(chosen, ScaleDrill::japaneseList), 7, firstJapaneseType);
        const bool askedJapanese = question.type >= firstJapaneseType;
        answer.chosenType =
            askedJapanese ? (japanese ? japanese : western) : (western ? western : japanese);
        answer.right = rightOf(0);
        stored.answers.push_back(answer);
        break;
    }
    case Exercise::chord: {
        StoredAnswer answer;
        answer.askedNote = question.root;
        answer.askedType = question.type;
        answer.chosenName = valueOf(choiceAt(chosen, 0), 12);
        answer.chosenType = valueOf(choiceAt(chosen, 1), MidiChord::chordCount);
        answer.right = rightOf(0);
        stored.answers.push_back(answer);
        break;
    }
    case Exercise::risum:
    case Exercise::melody: {
        stored.piece = question.piece;
        const Choice grade = choiceAt(chosen, 0);
        if (grade >= 0 && grade < static_cast<Choice>(PieceDrill::gradePoints.size()))
            stored.grade = grade;
        break;
    }
    }
    return stored;
}

} // namespace miminomi
