// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ReviewDrill.h"

#include "practice/ScaleDrill.h"
#include "practice/SoundSchedule.h"
#include "quiz/Answers.h"
#include "quiz/MidiChord.h"
#include "quiz/MusicScale.h"
#include "sound/Wait.h"

#include <algorithm>

namespace miminomi {

namespace {

std::size_t listsOf(Exercise exercise) {
    return exercise == Exercise::scale ? 3 : 2;
}

constexpr std::int32_t tonalScaleCount = 4;

} // namespace

ReviewDrill::ReviewDrill(Exercise exercise, MidiSound &midi, Wait &wait, SoundSchedule &sounds)
    : Drill(exercise, midi, wait, listsOf(exercise)), sounds(sounds) {
    asked.exercise = exercise;
}

bool ReviewDrill::ask(const PracticeSettings &settings) {
    replay(settings);
    return true;
}

void ReviewDrill::replay(const PracticeSettings &settings) {
    SoundPlan plan = referenceAPlan(settings);
    const SoundPlan item = planOf(asked, settings);
    plan.insert(plan.end(), item.begin(), item.end());
    schedule(plan, settings.instrument);
}

void ReviewDrill::playSideBySide(const ReviewItem &first, const ReviewItem &second,
                                 const PracticeSettings &settings) {
    SoundPlan plan = planOf(first, settings);
    plan.push_back({{}, comparePauseMs});
    const SoundPlan then = planOf(second, settings);
    plan.insert(plan.end(), then.begin(), then.end());
    schedule(plan, settings.instrument);
}

SoundPlan ReviewDrill::planOf(const ReviewItem &item, const PracticeSettings &settings) {
    switch (item.exercise) {
    case Exercise::note:
        return notesPlan({item.note});
    case Exercise::scale:
        return notesPlan(scaleNotes(item.note, item.type));
    default:
        return chordPlan(chordNotes(item.note, item.type), settings.chordHint);
    }
}

void ReviewDrill::schedule(const SoundPlan &plan, std::uint8_t instrument) {
    sounds.cut(channel);
    std::int64_t at = wait.nowMs();
    for (const SoundStep &step : plan) {
        for (const std::int32_t note : step.notes)
            sounds.plan(at, channel, static_cast<std::uint8_t>(note), step.ms,
                        step.onPiano ? midi::acousticGrandPiano : instrument);
        at += step.ms;
    }
    endsAt = at;
}

bool ReviewDrill::sounding() const {
    return wait.nowMs() < endsAt;
}

void ReviewDrill::stopSound() {
    sounds.cut(channel);
    endsAt = 0;
}

Choices ReviewDrill::choicesOf(const ReviewItem &item) const {
    switch (item.exercise) {
    case Exercise::note:
        return {Answers::noteNameIndex(item.note), Answers::noteHeightIndex(item.note)};
    case Exercise::scale: {
        Choices choices{Answers::noteNameIndex(item.note), noChoice, noChoice};
        if (Answers::isJapaneseScale(item.type))
            choices[ScaleDrill::japaneseList] = Answers::jpScaleTypeIndex(item.type);
        else
            choices[ScaleDrill::westernList] = Answers::scaleTypeIndex(item.type);
        return choices;
    }
    default:
        return {Answers::noteNameIndex(item.note), Answers::chordTypeIndex(item.type)};
    }
}

ReviewItem ReviewDrill::chosenItem(const Choices &chosen) const {
    ReviewItem item = asked;
    switch (asked.exercise) {
    case Exercise::note: {
        const std::int32_t pitch = chosenValue(chosen, 0, 12).value_or(asked.note % 12);
        const std::int32_t octave = chosenValue(chosen, 1, 11).value_or(asked.note / 12);
        item.note = std::clamp(octave * 12 + pitch, 0, 127);
        break;
    }
    case Exercise::scale: {
        item.type = ScaleDrill::chosenType(chosen, asked.type).value_or(asked.type);
        const auto key = chosenValue(chosen, ScaleDrill::keyList, 12);
        item.note = item.type >= tonalScaleCount
                        ? MusicScale::fixedRoots[static_cast<std::size_t>(item.type)]
                    : key ? rootOf(*key)
                          : asked.note;
        break;
    }
    default: {
        if (const auto pitch = chosenValue(chosen, 0, 12))
            item.note = rootOf(*pitch);
        item.type = chosenValue(chosen, 1, MidiChord::chordCount).value_or(asked.type);
        break;
    }
    }
    return item;
}

Choices ReviewDrill::markedAnswer() {
    // The key of a Japanese scale is shown with its answer but not asked, as on the scale page.
    Choices wanted = rightAnswer();
    if (asked.exercise == Exercise::scale && Answers::isJapaneseScale(asked.type))
        wanted[ScaleDrill::keyList] = noChoice;
    return wanted;
}

void ReviewDrill::describe(MarkedQuestion &question) {
    if (asked.exercise == Exercise::note) {
        question.notes = {asked.note};
    } else {
        question.root = asked.note;
        question.type = asked.type;
    }
}

} // namespace miminomi
