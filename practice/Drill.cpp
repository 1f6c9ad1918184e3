// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/Drill.h"

#include "quiz/MidiChord.h"
#include "quiz/MusicScale.h"
#include "sound/MidiSound.h"
#include "sound/Wait.h"

namespace miminomi {

MarkedQuestion Drill::mark(const Choices &chosen) {
    MarkedQuestion question;
    question.exercise = exercise();
    describe(question);
    question.chosen = chosen;
    const Choices wanted = markedAnswer();
    const auto at = [](const Choices &choices, std::size_t list) {
        return list < choices.size() ? choices[list] : noChoice;
    };
    for (std::size_t row = 0; row < rows; ++row) {
        bool right = true;
        for (std::size_t list = row * listsPerRow; list < (row + 1) * listsPerRow; ++list)
            right = right && (at(wanted, list) == noChoice || at(chosen, list) == at(wanted, list));
        question.rowsRight.push_back(right);
        ++(right ? question.points.right : question.points.wrong);
    }
    return question;
}

std::optional<std::int32_t> Drill::chosenValue(const Choices &chosen, std::size_t list,
                                               std::int32_t items, std::int32_t first) {
    if (list >= chosen.size() || chosen[list] < 1 || chosen[list] > items)
        return std::nullopt;
    return first + chosen[list] - 1;
}

std::vector<std::size_t> Drill::rowsToCompare(const Choices &chosen) {
    const std::vector<bool> right = mark(chosen).rowsRight;
    std::vector<std::size_t> rowsWrong;
    for (std::size_t row = 0; row < right.size(); ++row)
        if (!right[row] && chosenInRow(chosen, row))
            rowsWrong.push_back(row);
    return rowsWrong;
}

void Drill::compare(const Choices &chosen, const PracticeSettings &settings,
                    const CompareCues &cues) {
    const std::vector<std::size_t> rowsWrong = rowsToCompare(chosen);
    if (rowsWrong.empty())
        return;
    const auto tell = [&cues](Heard now) {
        if (cues.heard)
            cues.heard(now);
    };
    // Once stopped, the pauses are skipped here and the notes still to come by playNote.
    const auto pause = [this] {
        if (!comparisonStopped())
            wait.Sleep(comparePauseMs);
    };
    comparing = &cues;
    instrument = settings.instrument;
    midi.OpenMidiDevice();
    for (const std::size_t row : rowsWrong) {
        if (row != rowsWrong.front())
            pause();
        if (comparisonStopped())
            break;
        tell(Heard::asked);
        playAsked(row, settings);
        pause();
        if (comparisonStopped())
            break;
        tell(Heard::chosen);
        playChosen(chosen, row, settings);
    }
    midi.CloseMidiDevice();
    comparing = nullptr;
}

void Drill::soundOnDevice(const PracticeSettings &settings, const std::function<void()> &play) {
    instrument = settings.instrument;
    midi.OpenMidiDevice();
    playReferenceA(settings);
    play();
    midi.CloseMidiDevice();
}

void Drill::playReferenceA(const PracticeSettings &settings) {
    if (settings.referenceA) {
        midi.setMidiInstrument(midi::acousticGrandPiano);
        midi.NoteAPlay(referenceAMs);
    }
}

SoundPlan Drill::referenceAPlan(const PracticeSettings &settings) {
    if (!settings.referenceA)
        return {};
    return {{{midi::referenceA}, referenceAMs, true}};
}

SoundPlan Drill::notesPlan(const std::vector<std::int32_t> &notes) {
    SoundPlan plan;
    for (const std::int32_t note : notes)
        plan.push_back({{note}, noteMs});
    return plan;
}

SoundPlan Drill::chordPlan(const std::vector<std::int32_t> &notes, bool hint) {
    SoundPlan plan = hint ? notesPlan(notes) : SoundPlan{};
    plan.push_back({notes, chordMs});
    return plan;
}

std::vector<std::int32_t> Drill::scaleNotes(std::int32_t root, std::int32_t type) {
    std::vector<std::int32_t> notes;
    for (const std::int32_t step : MusicScale::scaleSteps.at(static_cast<std::size_t>(type))) {
        if (step == MusicScale::stepEnd)
            break;
        notes.push_back(root += step);
    }
    return notes;
}

std::vector<std::int32_t> Drill::chordNotes(std::int32_t root, std::int32_t type) {
    std::vector<std::int32_t> notes{root};
    for (const std::int32_t interval :
         MidiChord::chordIntervals.at(static_cast<std::size_t>(type))) {
        if (interval == MidiChord::endMarker)
            break;
        notes.push_back(root += interval);
    }
    return notes;
}

void Drill::play(const SoundPlan &plan) {
    for (const SoundStep &step : plan) {
        if (step.notes.size() == 1) {
            playNote(step.notes.front(), step.ms);
            continue;
        }
        // Held together: begun one after another at once, ended all together.
        for (const std::int32_t note : step.notes)
            playNote(note, 0);
        wait.Sleep(static_cast<std::uint32_t>(step.ms));
        if (!step.notes.empty())
            midi.allOff();
    }
}

void Drill::playNote(std::int32_t note, std::int32_t milliseconds) {
    if (comparisonStopped())
        return;
    midi.setMidiInstrument(instrument);
    midi.setMidiNoteNum(static_cast<std::uint8_t>(note));
    midi.NotePlay(milliseconds);
}

} // namespace miminomi
