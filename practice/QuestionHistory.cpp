// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/QuestionHistory.h"

#include "practice/NoteDrill.h"
#include "practice/PieceDrill.h"
#include "practice/ScaleDrill.h"

namespace miminomi {

namespace {

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
            answer.chosenName = Drill::chosenValue(chosen, 2 * row, 12);
            answer.chosenOctave = Drill::chosenValue(chosen, 2 * row + 1, 11);
            answer.right = rightOf(row);
            stored.answers.push_back(answer);
        }
        break;
    case Exercise::scale: {
        StoredAnswer answer;
        answer.askedNote = question.root;
        answer.askedType = question.type;
        answer.chosenName = Drill::chosenValue(chosen, ScaleDrill::keyList, 12);
        answer.chosenType = ScaleDrill::chosenType(chosen, question.type);
        answer.right = rightOf(0);
        stored.answers.push_back(answer);
        break;
    }
    case Exercise::chord: {
        StoredAnswer answer;
        answer.askedNote = question.root;
        answer.askedType = question.type;
        answer.chosenName = Drill::chosenValue(chosen, 0, 12);
        answer.chosenType = Drill::chosenValue(chosen, 1, MidiChord::chordCount);
        answer.right = rightOf(0);
        stored.answers.push_back(answer);
        break;
    }
    case Exercise::risum:
    case Exercise::melody: {
        stored.piece = question.piece;
        const Choice grade = chosen.empty() ? noChoice : chosen.front();
        if (grade >= 0 && grade < static_cast<Choice>(PieceDrill::gradePoints.size()))
            stored.grade = grade;
        break;
    }
    }
    return stored;
}

} // namespace miminomi
