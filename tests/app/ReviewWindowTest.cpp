// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The review window answered from the keyboard: what it sounds and when, on the virtual clock,
// without holding the keys; the marks at once, a miss asked again, the two-choice drill heard side
// by side, Escape stopping the sound, the answers kept as reviews, the summary.
#include "app/windows/ReviewWindow.h"
#include "app/services/ItemNames.h"
#include "history/History.h"
#include "practice/SoundSchedule.h"
#include "quiz/SharedRandom.h"
#include "sound/MidiSound.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/VirtualClock.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

/// A note begun: when, on which program, which note.
struct Begun {
    std::int64_t atMs;
    int program;
    int note;
    bool operator==(const Begun &) const = default;
};
std::ostream &operator<<(std::ostream &out, const Begun &b) {
    return out << b.atMs << " ms: program " << b.program << ", note " << b.note;
}

/// The notes begun in `sink`'s messages, each with the program last set on its channel.
std::vector<Begun> begun(const RecordingMidiSink &sink) {
    std::vector<Begun> notes;
    int program[16] = {};
    for (const auto &m : sink.sent()) {
        if ((m.bytes[0] & 0xF0) == 0xC0)
            program[m.bytes[0] & 0x0F] = m.bytes[1];
        else if ((m.bytes[0] & 0xF0) == 0x90)
            notes.push_back({m.timeMs, program[m.bytes[0] & 0x0F], m.bytes[1]});
    }
    return notes;
}

} // namespace

TEST(ReviewWindow, ARoundAnsweredByKeysMarksAtOnceAsksAMissAgainAndKeepsReviewsOnly) {
    TemporaryFolder folder;
    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    FixedCalendarClock calendar{1'700'000'000 - 86'400}; // yesterday's practice
    SharedRandom random{calendar};
    MidiSound midi{sink, media, clock, random};
    SoundSchedule sounds{midi, clock};
    auto history = std::make_shared<History>(folder.path() / "history.sqlite3", calendar);
    const auto missed = [&](Exercise exercise, std::int32_t note, std::int32_t type,
                            std::int32_t name, std::int32_t chosenType) {
        StoredQuestion q;
        q.exercise = exercise;
        StoredAnswer a{note,
                       type == -1 ? std::nullopt : std::optional(type),
                       name,
                       exercise == Exercise::note ? std::optional(note / 12) : std::nullopt,
                       chosenType == -1 ? std::nullopt : std::optional(chosenType),
                       false};
        q.answers = {a};
        ASSERT_TRUE(history->add(q));
    };
    missed(Exercise::note, 62, -1, 0, -1); // D4 heard as C, twice
    missed(Exercise::note, 62, -1, 0, -1);
    missed(Exercise::chord, 60, 1, 0, 0); // C minor heard as major
    calendar.seconds += 86'400;

    PracticeSettings quiet;
    quiet.referenceA = false;
    quiet.chordHint = false;
    PracticeSettings settings = quiet;
    ReviewWindow window(history, midi, sounds, clock, calendar, [&] { return settings; });
    window.show();
    QApplication::setActiveWindow(&window);
    const auto text = [&](const char *label) {
        return window.findChild<QLabel *>(QString::fromLatin1(label))->text();
    };
    // Kana as an input method commits them, then keys.
    const auto answer = [&](const QStringList &kana, const QString &keys) {
        sink.clear();
        for (const QString &word : kana) {
            QInputMethodEvent commit;
            commit.setCommitString(word);
            QApplication::sendEvent(window.focusWidget(), &commit);
        }
        QTest::keyClicks(&window, keys);
        QTest::keyClick(&window, Qt::Key_Return); // marked
    };
    // Lets the sound under way play to its end, polling as the main window's timer does.
    const auto played = [&] {
        while (const auto due = sounds.nextDueMs()) {
            clock.Sleep(std::uint32_t(*due - clock.nowMs()));
            sounds.poll();
        }
        return sink.notesPlayed();
    };
    const auto nextSounds = [&] {
        sink.clear();
        QTest::keyClick(&window, Qt::Key_Return); // on to the next question, which sounds
        return played();
    };

    EXPECT_EQ(nextSounds(), (std::vector<int>{62}));
    answer({QStringLiteral("に")}, "4");
    EXPECT_TRUE(text("reviewResult").contains(QStringLiteral("○ 正解です")));

    // The reference A on the piano, then the chord on the instrument chosen, its notes one by one
    // and together; the answer typed at once is marked at once, while the A still sounds.
    settings.referenceA = settings.chordHint = true;
    settings.instrument = 40;
    sink.clear();
    QTest::keyClick(&window, Qt::Key_Return);
    const std::int64_t t = clock.nowMs();
    QTest::keyClicks(&window, QStringLiteral("CM"));
    QTest::keyClick(&window, Qt::Key_Return); // major: wrong
    EXPECT_TRUE(text("reviewResult").contains(QStringLiteral("× 正解は「ハのminor")));
    EXPECT_EQ(begun(sink), (std::vector<Begun>{{t, 0, 69}}));
    played();
    EXPECT_EQ(begun(sink), (std::vector<Begun>{{t, 0, 69},
                                               {t + 2000, 40, 60},
                                               {t + 3000, 40, 63},
                                               {t + 4000, 40, 67},
                                               {t + 5000, 40, 60},
                                               {t + 5000, 40, 63},
                                               {t + 5000, 40, 67}}));
    EXPECT_EQ(sink.sent().back(), shortAt(t + 6000, 0x82, 67, 100));
    EXPECT_EQ(sink.log().back().kind, RecordingMidiSink::Message::Kind::close);
    settings = quiet;
    for (int drill = 0; drill < 2; ++drill) {
        const std::vector<int> heard = nextSounds();
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_TRUE(text("reviewProgress").contains(QStringLiteral("聴き分け")));
        QTest::keyClick(&window, heard[0] == 60 ? Qt::Key_1 : Qt::Key_2);
    }
    sink.clear();
    QTest::keyClick(&window, Qt::Key_F9); // the pair side by side, a pause between
    played();
    const std::int64_t at = begun(sink).at(0).atMs;
    EXPECT_EQ(begun(sink), (std::vector<Begun>{{at, 0, 60}, {at + 1700, 0, 62}}));

    // The miss asked again: a replay cuts the chord, Escape stops it and only then closes.
    setNoteNaming(NoteNaming::english); // kana name the notes in every naming
    sink.clear();
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(text("reviewProgress").contains(QStringLiteral("もう一度")));
    QTest::keyClick(&window, Qt::Key_F6);
    EXPECT_EQ(sink.notesPlayed(), (std::vector<int>{60, 63, 67, 60, 63, 67}));
    EXPECT_EQ(sink.sent().at(7), shortAt(clock.nowMs(), 0x82, 60, 100)) << "cut, then again";
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(sounds.nextDueMs());
    EXPECT_TRUE(window.isVisible());
    answer({QStringLiteral("は"), QStringLiteral("まい"), QStringLiteral("なー")}, {});
    EXPECT_TRUE(text("reviewResult").contains(QStringLiteral("○ 正解です")));
    setNoteNaming(NoteNaming::japanese);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(text("reviewPrompt"), QStringLiteral("5問に答えて，4問正解でした．"));
    EXPECT_TRUE(
        text("reviewResult").startsWith(QStringLiteral("次の復習は，明日に1問，3日後に1問です．")));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    const AnswerLog log = *history->answerLog();
    ASSERT_EQ(log.size(), 3u + 5u);
    for (std::size_t k = 0; k < log.size(); ++k)
        EXPECT_EQ(log[k].review, k >= 3) << k;
}

} // namespace miminomi::testing
