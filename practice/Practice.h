#pragma once

#include "practice/ChordDrill.h"
#include "practice/MarkedQuestion.h"
#include "practice/NoteDrill.h"
#include "practice/PieceDrill.h"
#include "practice/QuestionButtons.h"
#include "practice/Race.h"
#include "practice/ScaleDrill.h"

#include <functional>
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
/// generators, answer sheet and tallies, and holds one drill per exercise and the race.
class Practice {
public:
    Practice(MidiSound &midi, Wait &wait, SingleNote &singleNote, MusicScale &musicScale,
             Answers &answers, MidiChord &midiChord, Score &score);

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
    /// The program marked the piece on show from the learner's `given` taps or notes and proposed
    /// `grade`; kept with the question when it is self-marked.
    void proposeGrade(Choice grade, std::int32_t given);
    /// "右の成績欄をリセット": the page's totals and the game back to zero.
    void resetScore();
    /// Whether "聴き比べる" has something to sound: the page's last question has ended (marked,
    /// or its answer looked at) with a wrong answer row in which something was chosen.
    bool canCompare();
    /// "聴き比べる": sounds each such row as it was asked, then as it was chosen when the question
    /// ended. Changes no tally, answer or history.
    void compare();
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

private:
    void changed();
    void holdButtonsWhilePlaying();
    void countPoints(Exercise exercise, const Tally &points);
    void ended(MarkedQuestion question);
    Tally totalsOf(std::optional<Exercise> exercise) const;

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

    std::optional<Exercise> shownPage = Exercise::note;
    QuestionButtons questionButtons;
    Tally shownCounters;
    NoteRange noteRange;

    /// The question on show: how it was asked, how often replayed, whether its answer was seen,
    /// and whether it has ended (so that it is told once).
    PracticeSettings asked;
    /// What the lists showed when the question on show ended.
    std::optional<Choices> endedWith;
    std::optional<Choice> proposedGrade;
    std::optional<std::int32_t> givenCount;
    int replays = 0;
    bool answerSeen = false;
    bool questionEnded = false;
};

} // namespace miminomi
