// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exam's schedule of playings on the virtual clock: cadence, the nine playings in their
// order, the pauses and the final time, in every metre; playing on demand; pause and skip.
#include "practice/ExamSchedule.h"

#include "music/Performance.h"
#include "tests/music/ScoreText.h"
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <sstream>

namespace miminomi::testing {

namespace {

using music::Metre;

/// Runs the driver to its end as the program's timer does, polling when it says, and writes
/// down every cue as "label@ms" ("cadence@3000", "2/9 前半 1回目@34000", "end@159000").
std::string run(ExamDriver &driver, VirtualClock &clock) {
    std::ostringstream cues;
    driver.start();
    while (const auto due = driver.nextDueMs()) {
        clock.Sleep(static_cast<std::uint32_t>(*due - clock.nowMs()));
        for (const ExamCue &cue : driver.poll()) {
            constexpr const char *kinds[] = {"lead", "cadence", "", "pause", "final"};
            const ExamStep *step = cue.finished ? nullptr : &driver.plan().steps[cue.step];
            cues << (!step                                 ? "end"
                     : step->kind == ExamStepKind::playing ? step->playing.label()
                                                           : kinds[static_cast<int>(step->kind)])
                 << "@" << cue.atMs << " ";
        }
    }
    return cues.str();
}

std::vector<int> pitchesOf(const ExamStep &step) {
    std::vector<int> pitches;
    for (const ExamNote &note : step.notes)
        pitches.push_back(note.note);
    return pitches;
}

const ExamTiming shortPauses{.tempo = 60, .pauseSeconds = 5, .finalSeconds = 10, .leadSeconds = 3};

} // namespace

TEST(ExamSchedule, NinePlayingsInTheExamOrderWithPausesThenTheFinalTime) {
    // GIVEN four bars of 4/4 at ♩ = 60: a bar is 4 s, a half 8 s, the cadence 10 s.
    const auto item = scoreOf({}, {4, 4}, "C5:w | D5:w | E5:w | C5:w");
    VirtualClock clock;
    clock.Sleep(500);
    ExamDriver driver(examPlan(item, shortPauses, false), clock);
    EXPECT_EQ(run(driver, clock),
              "lead@500 cadence@3500 1/9 全体 1回目@13500 pause@29500 2/9 前半 1回目@34500 "
              "pause@42500 3/9 前半 2回目@47500 pause@55500 4/9 前半 3回目@60500 pause@68500 "
              "5/9 全体 2回目@73500 pause@89500 6/9 後半 1回目@94500 pause@102500 "
              "7/9 後半 2回目@107500 pause@115500 8/9 後半 3回目@120500 pause@128500 "
              "9/9 全体 3回目@133500 final@149500 end@159500 ");
    EXPECT_EQ(driver.status().state, ExamState::finished);
    EXPECT_EQ(driver.status().heard, 9);

    // The cadence is four chords of four notes, a half note each; the halves play their bars.
    const ExamPlan plan = examPlan(item, shortPauses, false);
    ASSERT_EQ(plan.steps[1].notes.size(), 16u);
    EXPECT_EQ(plan.steps[1].notes.back().atMs, 6000);
    EXPECT_EQ(pitchesOf(plan.steps[2]), (std::vector<int>{72, 74, 76, 72}));
    EXPECT_EQ(pitchesOf(plan.steps[4]), (std::vector<int>{72, 74}));
    EXPECT_EQ(pitchesOf(plan.steps[12]), (std::vector<int>{76, 72}));
    EXPECT_EQ(plan.steps[12].notes[1].atMs, 4000);
}

TEST(ExamSchedule, EveryMetreSplitsAtTheMiddleBarLineAndARhythmItemCountsIn) {
    struct Case {
        Metre metre;
        const char *bars;
        bool rhythmOnly;
        // The whole, the first half and the second half, and where the first note of the whole
        // and of the second half sound, in seconds.
        double whole, first, second, wholeStarts, secondStarts;
    };
    const Case cases[] = {
        {{2, 4}, "C5:h | D5:h | E5:h | C5:h", false, 8, 4, 4, 0, 0},
        {{3, 4}, "C5:h. | D5:h. | E5:h. | C5:h.", false, 12, 6, 6, 0, 0},
        {{4, 4}, "C5:w | D5:w | E5:w", false, 12, 8, 4, 0, 0},
        // An eighth's upbeat, so the last bar is an eighth short; two dotted-quarter clicks.
        {{6, 8}, "^ C5:e | C5:h. | C5:h. | C5:h. | C5:q. C5:q", true, 14.5, 9, 8.5, 2.5, 3},
    };
    for (const Case &c : cases) {
        const auto item = scoreOf({}, c.metre, c.bars);
        const ExamPlan plan = examPlan(item, shortPauses, c.rhythmOnly);
        const std::size_t first = c.rhythmOnly ? 1 : 2; // after the lead (and the cadence)
        const std::size_t clicks = c.rhythmOnly ? 2 : 0;
        SCOPED_TRACE(c.bars);
        ASSERT_EQ(plan.steps.size(), first + 18);
        EXPECT_EQ(plan.steps[first].lengthMs, c.whole * 1000);
        EXPECT_EQ(plan.steps[first + 2].lengthMs, c.first * 1000);
        EXPECT_EQ(plan.steps[first + 10].lengthMs, c.second * 1000);
        EXPECT_EQ(plan.steps[first].notes[clicks].atMs, c.wholeStarts * 1000);
        EXPECT_EQ(plan.steps[first + 10].notes[clicks].atMs, c.secondStarts * 1000);
        EXPECT_EQ(plan.steps[first].notes[0].channel,
                  c.rhythmOnly ? music::Performance::clickChannel : 0);
        EXPECT_EQ(plan.lengthMs(), plan.steps[first - 1].endMs() +
                                       1000 * (3 * c.whole + 3 * c.first + 3 * c.second) +
                                       8 * 5000 + 10000);
    }
}

TEST(ExamSchedule, OnDemandEachPlayingIsCountedAndCutsOffTheOneUnderWay) {
    const auto item = scoreOf({}, {3, 4}, "C5:h. | D5:h. | E5:h. | F5:h.");
    VirtualClock clock;
    ExamDriver driver(practicePlan(item, shortPauses, false), clock);
    driver.start();
    clock.Sleep(20000);
    EXPECT_EQ(driver.poll().size(), 2u); // lead and cadence, then nothing until asked
    EXPECT_EQ(driver.nextDueMs(), std::nullopt);

    const struct {
        ExamPassage passage;
        int bar;
        std::uint32_t after;
        const char *label;
        std::vector<int> notes;
    } asks[] = {
        {ExamPassage::secondHalf, 0, 1000, "後半 1回目", {76, 77}},
        {ExamPassage::bar, 1, 2000, "2小節目 1回目", {74}},
        {ExamPassage::secondHalf, 0, 0, "後半 2回目", {76, 77}},
        {ExamPassage::whole, 0, 15000, "全体 1回目", {72, 74, 76, 77}},
    };
    for (const auto &ask : asks) {
        driver.playNow(ask.passage, ask.bar);
        const auto cues = driver.poll();
        ASSERT_EQ(cues.size(), 1u);
        EXPECT_EQ(cues[0].atMs, clock.nowMs());
        const ExamStep &step = driver.plan().steps[cues[0].step];
        EXPECT_EQ(step.playing.label(), ask.label);
        EXPECT_EQ(pitchesOf(step), ask.notes);
        EXPECT_TRUE(driver.status().sounding);
        clock.Sleep(ask.after);
        // The playing before was cut where the next began.
        if (cues[0].step > 2) {
            EXPECT_LE(driver.plan().steps[cues[0].step - 1].endMs(), step.startMs);
        }
    }
    EXPECT_FALSE(driver.status().sounding); // the whole (12 s) is over
    EXPECT_EQ(driver.status().heard, 4);
    EXPECT_EQ(driver.timesPlayed(ExamPassage::secondHalf), 2);
    EXPECT_EQ(driver.timesPlayed(ExamPassage::bar, 1), 1);
    EXPECT_EQ(driver.timesPlayed(ExamPassage::bar, 2), 0);
}

TEST(ExamSchedule, PauseHoldsTheCountdownReplaysACutPlayingAndSkipMovesOn) {
    const auto item = scoreOf({}, {2, 4}, "C5:h | D5:h | E5:h | C5:h");
    VirtualClock clock;
    ExamDriver driver(examPlan(item, shortPauses, false), clock);
    driver.start();
    clock.Sleep(13000 + 8000 + 2000); // 2 s into the pause after the first playing
    driver.poll();
    EXPECT_EQ(driver.status().toNextMs, 3000);
    driver.pause();
    clock.Sleep(60000);
    EXPECT_EQ(driver.poll().size(), 0u);
    EXPECT_EQ(driver.nextDueMs(), std::nullopt);
    EXPECT_EQ(driver.status().toNextMs, 3000);
    driver.resume();
    clock.Sleep(2200);
    EXPECT_EQ(driver.status().secondsToNext(), 1); // 0.8 s left, rounded up
    EXPECT_EQ(driver.status().playing->label(), "1/9 全体 1回目");

    driver.skip(); // the pause's rest is skipped: the second playing starts now
    auto cues = driver.poll();
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].atMs, clock.nowMs());
    EXPECT_EQ(driver.status().playing->label(), "2/9 前半 1回目");

    clock.Sleep(1500); // pausing within a playing plays it again from its start, counted once
    driver.pause();
    clock.Sleep(10000);
    driver.resume();
    cues = driver.poll();
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].atMs, clock.nowMs());
    EXPECT_EQ(driver.status().heard, 2);

    driver.skip(); // out of the playing into the pause after it
    cues = driver.poll();
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(driver.plan().steps[cues[0].step].kind, ExamStepKind::pause);
    EXPECT_EQ(driver.status().toNextMs, 5000);

    driver.stop();
    clock.Sleep(1000000);
    EXPECT_TRUE(driver.poll().empty());
    EXPECT_EQ(driver.status().state, ExamState::stopped);
}

} // namespace miminomi::testing
