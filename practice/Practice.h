// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/ChordDrill.h"
#include "practice/MarkedQuestion.h"
#include "practice/MelodyDictation.h"
#include "practice/NoteDrill.h"
#include "practice/PieceDrill.h"
#include "practice/QuestionButtons.h"
#include "practice/Race.h"
#include "practice/RhythmDictation.h"
#include "practice/ScaleDrill.h"
#include "practice/SoundSchedule.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace miminomi {

class Answers;
class MidiChord;
class MidiSound;
class MusicScale;
class Score;
class SingleNote;
class Wait;

/// The question cycle of the main window without the window: which page is on show, the question
/// buttons ("新規出題", "もう一度", "採点", "正解を見る", "得点確定") and the reset of the
/// tallies, each answered with what the window is to show. It uses the window's sound device,
/// generators, answer sheet and tallies, and holds one drill per exercise, the race, and the
/// dictation of the piece on show. Each question has an identity of its own, so that what is
/// proposed for one question never lands in another.
class Practice {
public:
    /// Sounds through `midi`, waiting (and timing taps) on `wait`.
    Practice(MidiSound &midi, Wait &wait, SingleNote &singleNote, MusicScale &musicScale,
             Answers &answers, MidiChord &midiChord, Score &score);
    ~Practice();
    Practice(const Practice &) = delete;
    Practice &operator=(const Practice &) = delete;

    /// Another page is on show (nothing for the MIDI test page): its last question can no longer
    /// be played or marked, the counters show its totals (the test page those of the game as it
    /// stood), a new game starts, and the single-note page draws a new note pool.
    void selectPage(std::optional<Exercise> page);
    std::optional<Exercise> page() const { return shownPage; }
    /// Applies the single-note range, when one is chosen, and draws a new note pool.
    void setNoteRange(NoteRange range);
    /// Back to the range the program starts with (none chosen: the first range, white keys
    /// only), drawing a new note pool.
    void resetNoteRange();

    /// "新規出題": starts a new game when the last one has ended and asks a new question on the
    /// page, sounding it. False when a piece could not be played (its file is missing).
    bool next(const PracticeSettings &settings);
    /// "もう一度": sounds the question again.
    void replay(const PracticeSettings &settings);
    /// "採点": marks the choices of the page's answer lists; the question as marked, or nothing
    /// on a page the program does not mark.
    std::optional<MarkedQuestion> check(const Choices &chosen);
    /// "正解を見る": the right answer to show in the page's lists (nothing for a piece, whose
    /// score picture is its answer). `chosen` is what the lists showed until then.
    Choices showAnswer(const Choices &chosen);
    /// "得点確定" of a piece page: adds the points of the grade.
    MarkedQuestion selfCheck(Exercise piece, Choice grade);
    /// Tapping back the rhythm on show, once it has played and until its answer is shown; made at
    /// its first use for the question and kept with it, so that it shows its last result again.
    /// Nothing on another page or before a rhythm has played.
    std::shared_ptr<RhythmDictation> rhythmDictation();
    /// Entering the melody on show, likewise.
    std::shared_ptr<MelodyDictation> melodyDictation();
    /// What sounds without holding the window: the count-in and the notes entered.
    SoundSchedule &sounds() { return schedule; }
    /// "右の成績欄をリセット": the page's totals and the game back to zero.
    void resetScore();
    /// Whether "聴き比べる" has something to sound: the page's last question has ended (marked,
    /// or its answer looked at) with a wrong answer row in which something was chosen.
    bool canCompare();
    /// "聴き比べる": sounds each such row as it was asked, then as it was chosen when the question
    /// ended, telling `cues` what sounds and asking them whether to stop. Changes no tally, answer
    /// or history.
    void compare(const Drill::CompareCues &cues = {});
    /// "基準音を鳴らす": the A of 440 Hz for two seconds, on the exercise pages.
    void playReferenceA();
    /// Leans the note, scale and chord questions towards weak items from the next one on, or
    /// draws them as the generators do (nullptr).
    void favourWeakSpots(WeakSpots *weak);

    const QuestionButtons &buttons() const { return questionButtons; }
    /// What the right and wrong counters show.
    Tally counters() const { return shownCounters; }
    const Race &race() const { return game; }
    Drill &drill(Exercise exercise);
    PieceDrill &pieceDrill(Exercise piece);

    /// Told when the buttons or the race change in the middle of an action (before a question
    /// sounds, while a piece plays), so that the window can show them at once.
    std::function<void()> onChanged;
    /// Told true when a piece starts playing and false when it has ended.
    std::function<void(bool playing)> onPiecePlaying;
    /// Told every question as it ends: marked, self-marked, or its answer looked at first.
    std::function<void(const MarkedQuestion &)> onQuestionEnded;
    /// Told the grade the program proposes for the piece on show, to put in its self-mark list.
    std::function<void(Exercise piece, Choice grade)> onGradeProposed;

private:
    void changed();
    void holdButtonsWhilePlaying();
    void countPoints(Exercise exercise, const Tally &points);
    void ended(MarkedQuestion question);
    Tally totalsOf(std::optional<Exercise> exercise) const;
    /// Whether the piece `kind` on show can be answered by the program: played, answer not seen.
    bool dictationOpen(Exercise kind) const;
    /// Takes a grade proposed for question `id`, unless that question has ended or moved on.
    bool takeProposal(std::uint64_t id, Exercise kind, Choice grade, std::int32_t given);
    /// Disarms the dictations of the question on show; `forget` drops them too.
    void endDictations(bool forget);
    template <class Kind>
    std::shared_ptr<Kind> dictation(std::shared_ptr<Kind> &kept, Exercise kind);

    MidiSound &midi;
    SingleNote &singleNote;
    Answers &answers;
    Score &score;
    NoteDrill notes;
    ScaleDrill scales;
    ChordDrill chords;
    PieceDrill rhythms;
    PieceDrill melodies;
    Race game;
    WeakSpots *weakSpots = nullptr;
    Wait &wait;
    SoundSchedule schedule;

    std::optional<Exercise> shownPage = Exercise::note;
    QuestionButtons questionButtons;
    Tally shownCounters;
    /// The single-note range last applied to the note pool (none chosen: the first range, white
    /// keys only); the boxes may show another until a range is chosen.
    NoteRange poolRange;

    /// The identity of the question on show; every new question and every page shown takes the
    /// next.
    std::uint64_t questionId = 0;
    std::shared_ptr<RhythmDictation> rhythm;
    std::shared_ptr<MelodyDictation> melody;
    /// The question on show: how it was asked and from which note pool, how often replayed,
    /// whether its answer was seen, and whether it has ended (so that it is told once).
    PracticeSettings asked;
    NoteRange askedRange;
    /// What the lists showed when the question on show ended.
    std::optional<Choices> endedWith;
    std::optional<Choice> proposedGrade;
    std::optional<std::int32_t> givenCount;
    int replays = 0;
    bool answerSeen = false;
    bool questionEnded = false;
};

} // namespace miminomi
