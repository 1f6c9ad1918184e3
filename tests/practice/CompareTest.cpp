// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "聴き比べる", "基準音を鳴らす" and the count-in of a rhythm tapped back: what they sound, when,
// that they change nothing else, and that a comparison stops when asked.
#include "tests/practice/PracticeRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace miminomi::testing {

namespace {

/// The notes sounded, with their onsets counted from the first.
std::vector<std::pair<std::int64_t, int>> fromFirst(const RecordingMidiSink &sink) {
    auto on = sink.notesOn();
    for (auto &[time, note] : on)
        time -= sink.notesOn().front().first;
    return on;
}

} // namespace

TEST(Compare, EachWrongRowSoundsAsAskedAPauseThenAsChosenWhenTheQuestionEnded) {
    PracticeRig rig;
    const std::vector<int> n = rig.ask(PracticeRig::notes(3));
    EXPECT_FALSE(rig.practice.canCompare()) << "not marked yet";
    // Row 1 right; row 2 a semitone up in the name; row 3 nothing chosen.
    const Choices chosen = {n[0] % 12 + 1, n[0] / 12 + 1, (n[1] + 1) % 12 + 1, n[1] / 12 + 1};
    rig.practice.check(chosen);
    rig.practice.showAnswer(chosen); // the lists now show the right answer; the marking counts
    ASSERT_TRUE(rig.practice.canCompare());
    rig.sink.clear();
    rig.practice.compare();
    const int heard = n[1] / 12 * 12 + (n[1] + 1) % 12;
    EXPECT_EQ(fromFirst(rig.sink), (std::vector<std::pair<std::int64_t, int>>{
                                       {0, n[1]}, {Drill::noteMs + Drill::comparePauseMs, heard}}));
    EXPECT_EQ(rig.score.getScore(Exercise::note, false), 2);
    EXPECT_EQ(rig.ended.size(), 1u);

    // Nothing to hear when the wrong rows chose nothing, or before the next question ends.
    rig.ask(PracticeRig::notes(1));
    rig.practice.check({});
    EXPECT_FALSE(rig.practice.canCompare());
    rig.ask(PracticeRig::notes(1));
    EXPECT_FALSE(rig.practice.canCompare());

    // A chord with the hint: broken and together as asked, then as chosen (the other triad).
    rig.practice.selectPage(Exercise::chord);
    rig.ask();
    const Choices right = rig.practice.drill(Exercise::chord).rightAnswer();
    const std::vector<int> asked = rig.sink.notesPlayed();
    rig.practice.showAnswer({right[0], right[1] == 1 ? 2 : 1}); // looked at before marking
    rig.sink.clear();
    rig.practice.compare();
    const auto on = fromFirst(rig.sink);
    ASSERT_EQ(on.size(), 12u);
    const int third = asked[1] + (right[1] == 1 ? -1 : 1);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(on[k], std::make_pair(std::int64_t(k) * 1000, asked[k]));
        EXPECT_EQ(on[6 + k].first, 4000 + Drill::comparePauseMs + std::int64_t(k) * 1000);
    }
    EXPECT_EQ((std::vector{on[6].second, on[7].second, on[8].second}),
              (std::vector{asked[0], third, asked[2]}));
}

TEST(Compare, AScaleHeardAsAJapaneseOneSoundsThatScaleOnItsOwnRootCountInAndReferenceA) {
    PracticeRig rig;
    rig.practice.selectPage(Exercise::scale);
    const std::vector<int> asked = rig.ask();
    rig.practice.check({noChoice, 0, 4}); // 民謡音階, rooted on D
    rig.sink.clear();
    rig.practice.compare();
    std::vector<int> expected = asked;
    for (int step : {0, 3, 5, 7, 10, 12, 10, 7, 5, 3, 0})
        expected.push_back(62 + step);
    EXPECT_EQ(rig.sink.notesPlayed(), expected);

    rig.sink.clear();
    rig.practice.playReferenceA();
    EXPECT_EQ(rig.sink.notesPlayed(), std::vector<int>{69});
    const auto sent = rig.sink.sent();
    EXPECT_NE(std::find(sent.begin(), sent.end(),
                        shortAt(rig.sink.notesOn().front().first + 2000, 0x80, 69, 100)),
              sent.end());
}

TEST(Compare, TellsWhatSoundsAsItBeginsAndAskedToStopEndsWithTheNoteSoundingWithoutThePause) {
    PracticeRig rig;
    rig.practice.selectPage(Exercise::scale);
    const std::vector<int> asked = rig.ask();
    rig.practice.check({(asked.front() + 1) % 12 + 1, 1}); // a wrong key
    std::vector<Drill::Heard> heard;
    Drill::CompareCues cues;
    cues.heard = [&heard](Drill::Heard now) { heard.push_back(now); };
    rig.practice.compare(cues);
    EXPECT_EQ(heard, (std::vector{Drill::Heard::asked, Drill::Heard::chosen}));

    // Asked to stop while the third note sounds: it ends, and nothing more sounds or waits.
    heard.clear();
    rig.sink.clear();
    cues.stopped = [&rig] { return rig.sink.notesOn().size() >= 3; };
    const std::int64_t start = rig.clock.nowMs();
    rig.practice.compare(cues);
    EXPECT_EQ(rig.sink.notesPlayed(), std::vector<int>(asked.begin(), asked.begin() + 3));
    EXPECT_EQ(rig.clock.nowMs() - start, 3 * Drill::noteMs);
    EXPECT_EQ(heard, std::vector{Drill::Heard::asked});
    EXPECT_EQ(rig.sink.log().back().kind, RecordingMidiSink::Message::Kind::close);
    EXPECT_TRUE(rig.practice.canCompare()) << "and can be heard again";
}

} // namespace miminomi::testing
