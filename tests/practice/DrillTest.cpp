// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What each exercise sounds, byte for byte and on the virtual clock, and how it marks and shows
// its answer.
#include "tests/practice/PracticeRig.h"

#include <gtest/gtest.h>

#include <set>

namespace miminomi::testing {

using Kind = RecordingMidiSink::Message::Kind;
using Command = RecordingMediaControl::Command;

TEST(NoteDrill, SoundsTheReferenceAThenEachNoteForASecondAndReplaysTheNotesAsked) {
    PracticeRig rig;
    rig.practice.next(PracticeSettings{});
    const auto on = rig.sink.notesOn();
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0], std::make_pair(std::int64_t{0}, 69));
    EXPECT_EQ(on[1].first, 2000);
    EXPECT_EQ(rig.sink.sent().back(), shortAt(3000, 0x80, std::uint8_t(on[1].second), 100));
    EXPECT_EQ(rig.sink.log().back().kind, Kind::close);

    // Four notes follow each other a second apart, from the white keys of 60..79.
    const std::vector<int> asked = rig.ask(PracticeRig::notes(4));
    ASSERT_EQ(asked.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(rig.sink.notesOn()[i].first - rig.sink.notesOn()[i - 1].first, 1000);
    for (int note : asked)
        EXPECT_TRUE(note >= 60 && note <= 79 && !(std::set{1, 3, 6, 8, 10}.contains(note % 12)));

    // A replay sounds the notes asked, whatever count and range were chosen since.
    rig.practice.setNoteRange({1, false});
    rig.sink.clear();
    rig.practice.replay(PracticeSettings{});
    std::vector<int> replayed = {69};
    replayed.insert(replayed.end(), asked.begin(), asked.end());
    EXPECT_EQ(rig.sink.notesPlayed(), replayed);
    EXPECT_EQ(rig.practice.drill(Exercise::note).mark({}).notes, asked);

    // Each row is marked by name and octave, in the order played.
    std::vector<int> n = asked;
    while (n[0] == n[1])
        n = rig.ask(PracticeRig::notes(4));
    const auto name = [](int note) { return note % 12 + 1; };
    const auto octave = [](int note) { return note / 12 + 1; };
    const Choices chosen = {name(n[1]), octave(n[1]),     name(n[0]), octave(n[0]), // swapped
                            name(n[2]), octave(n[2]) + 1,                           // wrong octave
                            name(n[3]), octave(n[3])};
    const std::optional<MarkedQuestion> marked = rig.practice.check(chosen);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->rowsRight, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(marked->points, (Tally{1, 3}));
    EXPECT_EQ(rig.score.getScore(Exercise::note, false), 3);
    EXPECT_EQ(rig.practice.drill(Exercise::note).rightAnswer(),
              (Choices{name(n[0]), octave(n[0]), name(n[1]), octave(n[1]), name(n[2]), octave(n[2]),
                       name(n[3]), octave(n[3])}));

    // A one-note question marks one row; the blank item and no choice are wrong.
    rig.ask(PracticeRig::notes(1));
    EXPECT_EQ(rig.practice.check({0, noChoice, 3, 4})->rowsRight, std::vector<bool>{false});
}

TEST(ScaleDrill, SoundsUpAndDownAndNeedsKeyAndTypeOfAWesternScaleTheTypeOfAJapaneseOne) {
    PracticeRig rig;
    rig.practice.selectPage(Exercise::scale);
    Drill &scales = rig.practice.drill(Exercise::scale);
    const std::vector<int> notes = rig.ask();
    ASSERT_TRUE(notes.size() == 15 || notes.size() == 11) << notes.size();
    EXPECT_EQ(notes.front(), notes.back());
    EXPECT_EQ(notes[notes.size() / 2] - notes.front(), 12) << "one octave up, then down";
    EXPECT_EQ(rig.sink.notesOn().back().first, 1000 * std::int64_t(notes.size() - 1));
    rig.sink.clear();
    rig.practice.replay(PracticeRig::quiet());
    EXPECT_EQ(rig.sink.notesPlayed(), notes);

    const int key = notes.front() % 12 + 1;
    const Choices right = scales.rightAnswer();
    ASSERT_EQ(right[0], key);
    ASSERT_GT(right[1], 0) << "family 0 asks Western scales";
    EXPECT_EQ(right[2], noChoice);
    EXPECT_EQ(scales.mark({key, right[1], 5}).points, (Tally{1, 0})) << "the other list is free";
    EXPECT_EQ(scales.mark({key % 12 + 1, right[1], noChoice}).points, (Tally{0, 1}));
    EXPECT_EQ(scales.markOfRow(0), 0u);

    PracticeSettings japanese = PracticeRig::quiet();
    japanese.scaleFamily = 2;
    const int jpKey = rig.ask(japanese).front() % 12 + 1;
    const MarkedQuestion asked = scales.mark({});
    ASSERT_GE(asked.type, 9);
    EXPECT_EQ(scales.rightAnswer(), (Choices{jpKey, noChoice, asked.type - 8}));
    EXPECT_EQ(scales.mark({noChoice, 3, asked.type - 8}).points, (Tally{1, 0}))
        << "the key of a Japanese scale is not asked";
    EXPECT_EQ(scales.markOfRow(0), 1u) << "the Japanese list's mark";

    // A family that names no item asks the same scale again.
    japanese.scaleFamily = noChoice;
    rig.ask(japanese);
    EXPECT_EQ(scales.mark({}).type, asked.type);
}

TEST(ChordDrill, SoundsBrokenFromTheRootThenTogetherThenAllNotesOff) {
    PracticeRig rig;
    rig.practice.selectPage(Exercise::chord);
    rig.ask();
    const auto on = rig.sink.notesOn();
    ASSERT_EQ(on.size() % 2, 0u);
    const std::size_t size = on.size() / 2;
    ASSERT_GE(size, 3u);
    for (std::size_t i = 0; i < size; ++i) {
        EXPECT_EQ(on[i].first, 1000 * std::int64_t(i)) << "broken chord, one a second";
        EXPECT_EQ(on[size + i], std::make_pair(1000 * std::int64_t(size), on[i].second));
        if (i > 0) {
            EXPECT_GT(on[i].second, on[i - 1].second) << "from the root upwards";
        }
    }
    EXPECT_EQ(rig.sink.sent().back(), shortAt(1000 * std::int64_t(size + 1), 0xB0, 0x7B, 0x00));

    const MarkedQuestion asked = rig.practice.drill(Exercise::chord).mark({});
    EXPECT_EQ(asked.root, on[0].second);
    EXPECT_TRUE(asked.type == 0 || asked.type == 1) << "only triads without other types";
    EXPECT_EQ(rig.practice.drill(Exercise::chord).rightAnswer(),
              (Choices{asked.root % 12 + 1, asked.type + 1}));

    // Without the hint only the block chord sounds, for one second.
    PracticeSettings blockOnly = PracticeRig::quiet();
    blockOnly.chordHint = false;
    rig.sink.clear();
    const std::int64_t start = rig.clock.nowMs();
    rig.practice.replay(blockOnly);
    EXPECT_EQ(rig.sink.notesOn().size(), size);
    EXPECT_EQ(rig.sink.sent().back().timeMs - start, 1000);
}

TEST(Drill, AQuestionSoundsOnTheChosenInstrumentTheReferenceAAlwaysOnThePiano) {
    // The program change sent before each note on, as (program, note).
    const auto programs = [](const RecordingMidiSink &sink) {
        std::vector<std::pair<int, int>> pairs;
        int program = -1;
        for (const auto &m : sink.sent())
            if (m.bytes[0] == 0xC0)
                program = m.bytes[1];
            else if (m.bytes[0] == 0x90)
                pairs.emplace_back(program, m.bytes[1]);
        return pairs;
    };
    PracticeRig rig;
    PracticeSettings flute = PracticeRig::notes(1);
    flute.referenceA = true;
    flute.instrument = 73;
    const int note = rig.ask(flute).back();
    EXPECT_EQ(programs(rig.sink), (std::vector<std::pair<int, int>>{{0, 69}, {73, note}}));
    EXPECT_EQ(rig.sink.sent()[1], shortAt(0, 0xC0, 0x00, 0x00)) << "after the reset";

    rig.practice.selectPage(Exercise::chord);
    PracticeSettings organ = PracticeRig::quiet();
    organ.instrument = 19;
    rig.ask(organ);
    for (const auto &[program, played] : programs(rig.sink))
        EXPECT_EQ(program, 19) << "every note of the chord, " << played;
    rig.sink.clear();
    rig.practice.replay(PracticeRig::quiet());
    for (const auto &[program, played] : programs(rig.sink))
        EXPECT_EQ(program, 0) << "the piano again, " << played;
}

TEST(ChordDrill, EachTypeSwitchAllowsItsTypesBesideTheTriads) {
    const auto allowed = [](ChordTypeChoice choice) { // one digit per type code 0..13
        std::string types;
        for (const bool permitted : choice.permittedTypes())
            types += permitted ? '1' : '0';
        return types;
    };
    EXPECT_EQ(allowed({}), "11000000000000");
    EXPECT_EQ(allowed({.sevenths = true, .sixNines = true}), "11111100110000");
    EXPECT_EQ(allowed({.sixths = true, .suspendedFourth = true}), "11000011001000");
    EXPECT_EQ(
        allowed({.seventhSuspendedFourth = true, .diminishedSeventh = true, .augmented = true}),
        "11000000000111");
}

TEST(PieceDrill, ARhythmPlaysFifteenSecondsAMelodyAfterTheReferenceA) {
    PracticeRig rig(secondWhoseFirstDraw(20, 6));
    rig.practice.selectPage(Exercise::risum);
    EXPECT_TRUE(rig.practice.next(PracticeSettings{}));
    EXPECT_EQ(rig.media.log(), (std::vector<Command>{{0, "open ./data/risum7.mid alias music "},
                                                     {0, "play music"},
                                                     {15000, "stop music"},
                                                     {15000, "close music"}}));
    EXPECT_TRUE(rig.sink.log().empty()) << "no reference A before a rhythm";
    EXPECT_EQ(rig.practice.pieceDrill(Exercise::risum).scorePicturePath(), "./data/risum7.bmp");

    // The melody picks anew from the same clock second, after the A on a device closed again.
    rig.practice.selectPage(Exercise::melody);
    rig.practice.next(PracticeSettings{});
    EXPECT_EQ(rig.media.log().at(4), (Command{17000, "open ./data/melody7.mid alias music "}));
    EXPECT_EQ(rig.sink.notesPlayed(), std::vector<int>{69});
    EXPECT_EQ(rig.sink.log().back(), (RecordingMidiSink::Message{Kind::close, 17000, {}}));
    rig.practice.replay(PracticeSettings{});
    EXPECT_EQ(rig.media.log().at(8).text, "open ./data/melody7.mid alias music ");

    // Each grade adds its points; no grade, or an unknown one, adds nothing.
    PieceDrill &melody = rig.practice.pieceDrill(Exercise::melody);
    const std::vector<Tally> points = {{2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 0}, {0, 0}};
    const Choices grades = {0, 1, 2, 3, 4, noChoice, 5};
    for (std::size_t i = 0; i < grades.size(); ++i)
        EXPECT_EQ(melody.mark({grades[i]}).points, points[i]) << grades[i];
    EXPECT_EQ(melody.mark({0}).piece, 7);

    rig.media.failOpens = true;
    const std::int64_t before = rig.clock.nowMs();
    EXPECT_FALSE(rig.practice.next(PracticeRig::quiet())) << "a missing piece";
    EXPECT_EQ(rig.clock.nowMs(), before) << "no fifteen seconds of silence";
}

} // namespace miminomi::testing
