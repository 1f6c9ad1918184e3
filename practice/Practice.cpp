// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/Practice.h"

#include "practice/PieceNotes.h"
#include "quiz/Answers.h"
#include "quiz/SingleNote.h"
#include "records/Score.h"
#include "sound/MidiSound.h"

#include <utility>

namespace miminomi {

Practice::Practice(MidiSound &midi, Wait &wait, SingleNote &singleNote, MusicScale &musicScale,
                   Answers &answers, MidiChord &midiChord, Score &score)
    : midi(midi), singleNote(singleNote), answers(answers), score(score),
      notes(midi, wait, singleNote, answers), scales(midi, wait, musicScale, answers),
      chords(midi, wait, midiChord), rhythms(Exercise::risum, midi, wait),
      melodies(Exercise::melody, midi, wait), game(score), wait(wait), schedule(midi, wait) {
    for (PieceDrill *piece : {&rhythms, &melodies})
        piece->onPlaying = [this](bool playing) {
            if (onPiecePlaying)
                onPiecePlaying(playing);
        };
}

Practice::~Practice() {
    endDictations(true);
}

Drill &Practice::drill(Exercise exercise) {
    switch (exercise) {
    case Exercise::note:
        return notes;
    case Exercise::scale:
        return scales;
    case Exercise::chord:
        return chords;
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return pieceDrill(exercise);
}

PieceDrill &Practice::pieceDrill(Exercise piece) {
    return piece == Exercise::risum ? rhythms : melodies;
}

void Practice::changed() {
    if (onChanged)
        onChanged();
}

Tally Practice::totalsOf(std::optional<Exercise> exercise) const {
    if (!exercise)
        return {score.getGameScore(true), score.getGameScore(false)};
    return {score.getScore(*exercise, true), score.getScore(*exercise, false)};
}

void Practice::selectPage(std::optional<Exercise> page) {
    endDictations(true);
    ++questionId;
    shownPage = page;
    endedWith.reset();
    questionButtons.retry = false;
    questionButtons.showAnswer = false;
    questionButtons.check = false;
    questionButtons.selfCheck = false;
    shownCounters = totalsOf(page);
    game.newGame();
    if (page == Exercise::note)
        singleNote.makeNotes();
}

void Practice::setNoteRange(NoteRange range) {
    // Without a chosen range the pool keeps its range and keys, whatever the boxes show.
    if (range.preset >= 0 && range.preset < static_cast<Choice>(SingleNote::regionPresets.size())) {
        const auto &region = SingleNote::regionPresets[static_cast<std::size_t>(range.preset)];
        singleNote.setRegion(region.lowNote, region.highNote, range.onlyWhiteKeys);
        poolRange = range;
    }
    singleNote.makeNotes();
}

void Practice::resetNoteRange() {
    const auto &first = SingleNote::regionPresets.front();
    singleNote.setRegion(first.lowNote, first.highNote, true);
    poolRange = {};
    singleNote.makeNotes();
}

bool Practice::next(const PracticeSettings &settings) {
    endDictations(true);
    schedule.stop();
    ++questionId;
    if (game.isOver())
        game.newGame();
    questionButtons.retry = true;
    questionButtons.check = true;
    questionButtons.showAnswer = true;
    answers.clear();
    endedWith.reset();
    proposedGrade.reset();
    givenCount.reset();
    asked = settings;
    askedRange = poolRange;
    replays = 0;
    answerSeen = false;
    questionEnded = false;
    changed();
    if (!shownPage)
        return true;

    Drill &asking = drill(*shownPage);
    if (!asking.selfMarked()) {
        if (weakSpots)
            weakSpots->prepare(*shownPage);
        return asking.ask(settings);
    }

    holdButtonsWhilePlaying();
    const bool played = asking.ask(settings);
    questionButtons.retry = played;
    questionButtons.showAnswer = played;
    questionButtons.next = true;
    return played;
}

void Practice::replay(const PracticeSettings &settings) {
    if (!shownPage)
        return;
    ++replays;
    // Tapping along cannot go on while the piece is heard again.
    if (rhythm)
        rhythm->cancel();
    schedule.stop();
    Drill &asked = drill(*shownPage);
    if (!asked.selfMarked()) {
        asked.replay(settings);
        return;
    }
    holdButtonsWhilePlaying();
    asked.replay(settings);
    questionButtons.showAnswer = true;
    questionButtons.next = true;
    questionButtons.retry = true;
}

void Practice::holdButtonsWhilePlaying() {
    // The question buttons wait while the piece sounds; "得点確定" keeps its state.
    questionButtons.next = false;
    questionButtons.retry = false;
    questionButtons.check = false;
    questionButtons.showAnswer = false;
    changed();
}

void Practice::countPoints(Exercise exercise, const Tally &points) {
    for (std::int32_t i = 0; i < points.right; ++i)
        score.addScore(exercise, true);
    for (std::int32_t i = 0; i < points.wrong; ++i)
        score.addScore(exercise, false);
}

void Practice::ended(MarkedQuestion question) {
    questionEnded = true;
    endedWith = question.chosen;
    question.replays = replays;
    question.answerSeen = question.answerSeen || answerSeen;
    question.settings = asked;
    question.range = askedRange;
    question.proposedGrade = std::exchange(proposedGrade, std::nullopt);
    question.givenCount = std::exchange(givenCount, std::nullopt);
    if (onQuestionEnded)
        onQuestionEnded(question);
}

std::optional<MarkedQuestion> Practice::check(const Choices &chosen) {
    std::optional<MarkedQuestion> marked;
    if (shownPage && !drill(*shownPage).selfMarked()) {
        marked = drill(*shownPage).mark(chosen);
        countPoints(*shownPage, marked->points);
        ended(*marked);
    }
    questionButtons.check = false;
    shownCounters = totalsOf(shownPage);
    game.move();
    return marked;
}

Choices Practice::showAnswer(const Choices &chosen) {
    questionButtons.showAnswer = false;
    questionButtons.check = false;
    if (!shownPage)
        return {};
    Drill &shown = drill(*shownPage);
    if (shown.selfMarked()) {
        answerSeen = true;
        questionButtons.selfCheck = true;
        // Marked by the program after the answer was seen, a grade would tell nothing.
        endDictations(false);
        return {};
    }
    if (!questionEnded) {
        // Looked at before it was marked: told, but counted neither right nor wrong.
        MarkedQuestion lookedAt = shown.mark(chosen);
        lookedAt.rowsRight.clear();
        lookedAt.points = {};
        lookedAt.answerSeen = true;
        ended(std::move(lookedAt));
    }
    answerSeen = true;
    return shown.rightAnswer();
}

bool Practice::dictationOpen(Exercise kind) const {
    return shownPage == kind && questionButtons.showAnswer && !answerSeen && !questionEnded;
}

bool Practice::takeProposal(std::uint64_t id, Exercise kind, Choice grade, std::int32_t given) {
    if (id != questionId || shownPage != kind || answerSeen || questionEnded)
        return false;
    proposedGrade = grade;
    givenCount = given;
    if (onGradeProposed)
        onGradeProposed(kind, grade);
    return true;
}

template <class Kind>
std::shared_ptr<Kind> Practice::dictation(std::shared_ptr<Kind> &kept, Exercise kind) {
    if (!kept && dictationOpen(kind)) {
        PieceDrill &piece = pieceDrill(kind);
        kept = std::make_shared<Kind>(
            piece.pieceNumber(), PieceNotes::read(piece.piecePath()),
            [this, id = questionId, kind](Choice grade, std::int32_t given) {
                return takeProposal(id, kind, grade, given);
            },
            schedule, wait);
    }
    return kept;
}

std::shared_ptr<RhythmDictation> Practice::rhythmDictation() {
    return dictation(rhythm, Exercise::risum);
}

std::shared_ptr<MelodyDictation> Practice::melodyDictation() {
    return dictation(melody, Exercise::melody);
}

void Practice::endDictations(bool forget) {
    for (PieceDictation *each : std::initializer_list<PieceDictation *>{rhythm.get(), melody.get()})
        if (each)
            each->disarm();
    if (forget) {
        rhythm.reset();
        melody.reset();
    }
}

MarkedQuestion Practice::selfCheck(Exercise piece, Choice grade) {
    questionButtons.selfCheck = false;
    endDictations(false);
    MarkedQuestion marked = pieceDrill(piece).mark({grade});
    countPoints(piece, marked.points);
    ended(marked);
    shownCounters = totalsOf(piece);
    game.move();
    return marked;
}

void Practice::favourWeakSpots(WeakSpots *weak) {
    weakSpots = weak;
    for (Drill *each : std::initializer_list<Drill *>{&notes, &scales, &chords})
        each->favour(weak);
}

bool Practice::canCompare() {
    return shownPage && endedWith && !drill(*shownPage).selfMarked() &&
           drill(*shownPage).comparable(*endedWith);
}

void Practice::compare(const Drill::CompareCues &cues) {
    schedule.stop();
    if (canCompare())
        drill(*shownPage).compare(*endedWith, asked, cues);
}

void Practice::playReferenceA() {
    if (!shownPage)
        return;
    schedule.stop();
    midi.OpenMidiDevice();
    midi.NoteAPlay(Drill::referenceAMs);
    midi.CloseMidiDevice();
}

void Practice::resetScore() {
    shownCounters = {};
    if (shownPage)
        score.clearScore(*shownPage);
    score.clearTmp();
    game.move();
}

} // namespace miminomi
