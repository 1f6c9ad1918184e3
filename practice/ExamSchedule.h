// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace miminomi {

class SteadyClock;

/// What one playing of a dictation item sounds.
enum class ExamPassage : std::uint8_t { whole, firstHalf, secondHalf, bar };

/// One playing of an item, as the learner is told of it.
struct ExamPlaying {
    ExamPassage passage = ExamPassage::whole;
    /// For ExamPassage::bar: the bar's index in the score's bars (an upbeat is bar 0 when there is
    /// one).
    int bar = 0;
    /// The how-manieth time this passage sounds (1 for "前半 1回目").
    int repeat = 1;
    /// The how-manieth playing of the item, from 1.
    int number = 1;
    /// How many playings the schedule has (9 in the exam); 0 where they are played on demand.
    int count = 0;

    /// "1/9 全体 1回目", "2/9 前半 1回目", "6/9 後半 1回目"; on demand, without the count:
    /// "前半 2回目", "3小節目 1回目" (bars counted from 1, an upbeat being bar 1).
    std::string label() const;
    bool operator==(const ExamPlaying &) const = default;
};

/// The settings of an item's schedule.
struct ExamTiming {
    /// Quarter notes a minute, 60 to 100 (in 6/8 too, as music::Score counts its tempo).
    int tempo = 76;
    /// The silence between two playings, 5 to 30 s.
    int pauseSeconds = 20;
    /// The time to finish writing after the last playing; marking is due when it is over.
    int finalSeconds = 60;
    /// The time to read what is given (key, metre, the empty bars) before the cadence sounds.
    int leadSeconds = 3;
};

/// A note of a step, timed from the step's start in milliseconds.
struct ExamNote {
    std::int64_t atMs = 0;
    std::int32_t lengthMs = 0;
    std::uint8_t channel = 0;
    std::uint8_t note = 60;
    std::uint8_t velocity = 80;
    bool operator==(const ExamNote &) const = default;
};

enum class ExamStepKind : std::uint8_t {
    /// Silence while the learner reads what is given.
    lead,
    /// I-IV-V-I of the key (a melody), then a half note's silence; a rhythm item has none (its
    /// playings each begin with a count-in instead).
    cadence,
    /// One playing of the item (a rhythm item's after two clicks a beat apart).
    playing,
    /// The silence between two playings.
    pause,
    /// The time to finish writing after the last playing.
    finalTime,
};

/// One step of an item's schedule.
struct ExamStep {
    ExamStepKind kind = ExamStepKind::lead;
    /// From the schedule's start, in milliseconds.
    std::int64_t startMs = 0;
    std::int64_t lengthMs = 0;
    /// A playing step's playing; a pause's or the final time's is the playing just heard.
    ExamPlaying playing;
    /// What sounds in a cadence or a playing, in onset order, timed from startMs.
    std::vector<ExamNote> notes;

    std::int64_t endMs() const { return startMs + lengthMs; }
};

/// An item's whole schedule in time order, each step beginning where the one before ends.
struct ExamPlan {
    std::vector<ExamStep> steps;
    /// Playings in it.
    int playings = 0;
    /// What it plays, and how: what playings on demand are made of.
    music::Score item;
    int tempo = 76;
    bool rhythmOnly = false;

    std::int64_t lengthMs() const { return steps.empty() ? 0 : steps.back().endMs(); }
};

/// The bars of a passage of `item` as indexes into its bars, [first, last): the halves split at the
/// middle bar line of the full bars, each half beginning on its bar's downbeat; an upbeat belongs
/// to the first half, and with an odd count of full bars the first half holds the middle bar.
std::pair<std::size_t, std::size_t> examBars(const music::Score &item, ExamPassage passage,
                                             int bar = 0);

/// The notes of a playing of `item` at `tempo`, timed from its start, and its length (the written
/// length of its bars, with a rhythm item's count-in before them). A note tied over the end of a
/// half sounds to the half's end; one tied into a half's first bar is struck there.
ExamStep examPlayingStep(const music::Score &item, const ExamPlaying &playing, int tempo,
                         bool rhythmOnly);

/// The exam's schedule of `item`: lead, cadence (none for a rhythm item), then nine playings
/// with a pause after each but the last: whole; first half three times; whole; second half
/// three times; whole; then the final time.
ExamPlan examPlan(const music::Score &item, const ExamTiming &timing, bool rhythmOnly);

/// The schedule for playing on demand: lead and cadence only; the playings are asked for with
/// ExamDriver::playNow().
ExamPlan practicePlan(const music::Score &item, const ExamTiming &timing, bool rhythmOnly);

/// A step that has become due, as ExamDriver::poll() tells it.
struct ExamCue {
    /// Its index in the driver's plan; the plan's size when the schedule is over (the final time
    /// has run out and marking is due).
    std::size_t step = 0;
    /// When it was due on the clock. Plan a step's notes from here (atMs + note.atMs), not from
    /// the moment it was told, so that a late poll does not shift them.
    std::int64_t atMs = 0;
    bool finished = false;
    bool operator==(const ExamCue &) const = default;
};

enum class ExamState : std::uint8_t { ready, running, paused, stopped, finished };

/// What the window shows of the schedule: "2/9 前半 2回目 ・ 次まで 18 秒".
struct ExamStatus {
    ExamState state = ExamState::ready;
    /// The step under way (the plan's size once finished).
    std::size_t step = 0;
    ExamStepKind kind = ExamStepKind::lead;
    /// The playing under way or last heard; nothing before the first.
    std::optional<ExamPlaying> playing;
    /// Milliseconds until the next playing begins, or in the final time until marking is due;
    /// nothing when neither is planned (on demand, or after stop()).
    std::optional<std::int64_t> toNextMs;
    /// Playings begun so far.
    int heard = 0;
    /// A cadence or a playing is sounding now.
    bool sounding = false;

    /// toNextMs in whole seconds, rounded up (18 while 17.2 s remain); 0 without it.
    int secondsToNext() const;
};

/// Runs a plan on the clock: its owner polls it when nextDueMs() says (a timer in the program,
/// the virtual clock in the tests) and sounds the steps that poll() returns. Pausing holds the
/// schedule; a playing that was under way then starts again from its beginning on resume (and
/// counts once). The owner silences what it planned when it pauses, stops or skips.
class ExamDriver {
public:
    ExamDriver(ExamPlan plan, const SteadyClock &clock);

    const ExamPlan &plan() const { return schedule; }

    /// Starts the schedule now.
    void start();
    /// The steps that have become due since the last call, in order; a step passed over whole
    /// by a late poll is still told, with the time it was due.
    std::vector<ExamCue> poll();
    /// When poll() is next due on the clock; nothing while paused, stopped or finished.
    std::optional<std::int64_t> nextDueMs() const;
    ExamStatus status() const;

    void pause();
    void resume();
    /// Ends the schedule where it stands; marking is not made due.
    void stop();
    /// Moves to the next step now: from a pause to the next playing, from a playing to the pause
    /// after it, from the final time to its end.
    void skip();
    /// On demand: plays `passage` (or `bar`) from now, after what is under way is cut off (and what
    /// was still to come is dropped); the playing is counted and told by the next poll(). Meant
    /// for a practicePlan's driver; a paused or stopped one goes on running.
    void playNow(ExamPassage passage, int bar = 0);
    /// How often `passage` (or `bar`) has been played.
    int timesPlayed(ExamPassage passage, int bar = 0) const;

private:
    std::int64_t scheduleNow() const;
    bool endsInFinalTime() const;

    ExamPlan schedule;
    const SteadyClock &clock;
    ExamState state = ExamState::ready;
    /// The clock's time of the schedule's 0 while it runs.
    std::int64_t originMs = 0;
    /// The schedule's time at which it was paused, stopped or finished.
    std::int64_t pausedAt = 0;
    /// The next step to tell; those before it have been told.
    std::size_t nextStep = 0;
};

} // namespace miminomi
