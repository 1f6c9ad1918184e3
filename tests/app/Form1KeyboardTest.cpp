// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: the question keys work with the focus in an answer box, Tab
// goes through the page in reading order to the buttons, Enter presses a focused button, Escape
// closes the statistics window and stops a comparison; notes, scales and chords are answered by
// letters, and types by the first keys of their names.
#include "app/services/WindowWait.h"
#include "app/widgets/Controls.h"
#include "app/windows/StatisticsWindow.h"
#include "tests/support/FormHarness.h"
#include "tests/support/Typing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <tuple>

namespace miminomi::testing {

TEST(Form1Keyboard, QuestionKeysWorkFromAnAnswerBoxTabFollowsReadingOrderEnterPresses) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), h.find("checkBoxStandardA")) << "as on the first run";
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    auto *name = h.find<QComboBox>("comboBoxNoteName0");
    name->setFocus();
    const auto press = [&](QKeySequence key) {
        QTest::keyClick(QApplication::focusWidget(), key[0].key(), key[0].keyboardModifiers());
    };
    press(Qt::Key_F5);
    ASSERT_EQ(h.notesPlayed().size(), 1u) << "F5 asks";
    QTest::keyClicks(QApplication::focusWidget(), "xy"); // other typing stays in the box
    EXPECT_EQ(name->currentText(), "xy");
    h.sink.clear();
    press(Qt::Key_F6);
    EXPECT_EQ(h.notesPlayed().size(), 1u) << "F6 plays it again";
    press(Qt::Key_F7);
    EXPECT_EQ(h.find<QLineEdit>("textBoxFalse")->text(), "1") << "F7 marks";
    press(Qt::Key_F8);
    EXPECT_GT(name->currentIndex(), 0) << "F8 shows the answer";
    press(QKeySequence(Qt::CTRL | Qt::Key_F5));
    EXPECT_EQ(h.find<QLineEdit>("textBoxFalse")->text(), "0") << "Ctrl+F5 resets";
    EXPECT_EQ(h.find("buttonNext")->toolTip(), "新規出題（F5）");

    // Tab from the first name: name, octave, name, octave... then the buttons that can be pressed.
    name->setFocus();
    QStringList visited;
    for (int k = 0; k < 11; ++k) {
        press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              QStringList({"comboBoxNoteHeight0", "comboBoxNoteName1", "comboBoxNoteHeight1",
                           "comboBoxNoteName2", "comboBoxNoteHeight2", "comboBoxNoteName3",
                           "comboBoxNoteHeight3", "buttonNext", "buttonRetry", "button1",
                           "buttonShowRecord"}))
        << "marked and answered: 採点 and 正解を見る are disabled and skipped";
    EXPECT_EQ(h.find("textBoxRight")->focusPolicy(), Qt::NoFocus);

    h.sink.clear();
    h.find("buttonNext")->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(h.notesPlayed().size(), 1u) << "Enter on a focused button presses it";

    press(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    QApplication::setActiveWindow(&h.form);
    press(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    ASSERT_EQ(h.form.findChildren<StatisticsWindow *>().size(), 1)
        << "Shift+F2 opens the statistics, and again brings them forward";
    auto *statistics = h.form.findChild<StatisticsWindow *>();
    QApplication::setActiveWindow(statistics);
    QTest::keyClick(statistics, Qt::Key_Escape);
    EXPECT_FALSE(statistics->isVisible());
}

TEST(Form1Keyboard, FourNotesAreAnsweredByLettersAndDigitsMarkedAndAskedAgainInADozenKeys) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    h.find<QCheckBox>("checkBoxOnlyWhite")->setChecked(false);
    h.select("comboBoxNoteNum", 3);
    const auto type = [](const QString &keys) {
        QTest::keyClicks(QApplication::focusWidget(), keys);
        return keys.size();
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    std::size_t presses = 1;
    const std::vector<int> notes = h.notesPlayed();
    ASSERT_EQ(notes.size(), 4u);
    for (const int note : notes) {
        // A natural by its letter, a sharp by the letter below and #; the octave from C4.
        const QString letters = "c#d#ef#g#a#b";
        const int pitch = note % 12;
        const QString name =
            letters[pitch] == '#' ? QString(letters[pitch - 1]) + "#" : QString(letters[pitch]);
        presses += type(name + QString::number(note / 12 - 1));
    }
    EXPECT_EQ(QApplication::focusWidget(), h.find("buttonCheck"));
    presses += type("\r");
    EXPECT_EQ(h.find<QLineEdit>("textBoxRight")->text(), "4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(h.notesPlayed().size(), 8u);
    EXPECT_LE(++presses, 14u);

    // The digit names the octave of the letter as written: B♯4 is the C above, C♭4 the B below.
    for (const auto &[keys, name, octave] : {std::tuple{"b#4", 1, 7}, {"c-4", 12, 5}}) {
        h.find("comboBoxNoteName0")->setFocus();
        type(keys);
        EXPECT_EQ(
            std::make_pair(h.selected("comboBoxNoteName0"), h.selected("comboBoxNoteHeight0")),
            std::make_pair(name, octave))
            << keys;
    }

    // The other answer boxes take the first keys of their items.
    for (const auto &[tab, box, keys, item] :
         {std::tuple{2, "comboBoxChordType", "m7", 4}, {4, "comboBoxMelodySelfCheck", "よく", 0}}) {
        h.selectTab(tab);
        h.find(box)->setFocus();
        // Letters as keys; kana as an input method commits them.
        typeText(QString::fromUtf8(keys));
        EXPECT_EQ(Controls::shownItem(h.find<QComboBox>(box)), item) << box;
    }
}

TEST(Form1Keyboard, ScalesAndChordsAreAnsweredByTheRootsLettersThenTheFirstKeysOfTheType) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    // Items: roots 1 ハ (C) to 12 ロ (B); Western scales 1 長音階, 2 自然的短音階, 3 和声的,
    // 5 ドリア; Japanese 1 陽音階, 4 民謡音階; chords 1 M, 2 minor, 3 7, 4 m7, 5 maj7, 11 sus4,
    // 13 dim7.
    struct Case {
        int tab;
        const char *keys;
        int root;
        int type;
        const char *focus;
    };
    const Case cases[] = {
        // The root's letter, its accidentals, then the type's first keys, in one go.
        {2, "F#m7", 7, 4, "comboBoxChordType"},
        {2, "B-maj7", 11, 5, "comboBoxChordType"},
        {2, "C+", 2, 0, "comboBoxChordRoot"},
        {2, "c-", 12, 0, "comboBoxChordRoot"},
        // H is B; capitals and small letters count: M the major chord, m the minor ones.
        {2, "HM", 12, 1, "comboBoxChordType"},
        {2, "Am", 10, 2, "comboBoxChordType"},
        {2, "EM7", 5, 5, "comboBoxChordType"},
        {2, "EMAJ", 5, 5, "comboBoxChordType"},
        {2, "Gsus", 8, 11, "comboBoxChordType"},
        // A small letter after the root names a type when it can, else starts the root again; a
        // capital always does.
        {2, "Cdim", 1, 13, "comboBoxChordType"},
        {2, "ce", 5, 0, "comboBoxChordRoot"},
        {2, "CD", 3, 0, "comboBoxChordRoot"},
        // Kana as an input method commits them: hiragana for the katakana of the items.
        {2, "へ", 6, 0, "comboBoxChordRoot"},
        {2, "へんろ", 11, 0, "comboBoxChordRoot"},
        {2, "へ7", 6, 3, "comboBoxChordType"},
        {2, "Cめじゃー", 1, 1, "comboBoxChordType"},
        // What names nothing changes nothing; Up and Down step; Backspace takes a key back.
        {2, "Cmx", 1, 2, "comboBoxChordType"},
        {2, "x", 0, 0, "comboBoxChordRoot"},
        {2, "Cm↓", 1, 3, "comboBoxChordType"},
        {2, "Cm7⌫", 1, 2, "comboBoxChordType"},
        // Scales: Latin names and readings; a Japanese scale needs no root.
        {1, "Dm", 3, 2, "comboBoxScaleType"},
        {1, "E-M", 4, 1, "comboBoxScaleType"},
        {1, "Aわせい", 10, 3, "comboBoxScaleType"},
        {1, "Cどりあ", 1, 5, "comboBoxScaleType"},
        {1, "みんよう", 0, 4, "comboBoxJPScaleType"},
        {1, "Gよう", 8, 1, "comboBoxJPScaleType"},
        {1, "Cq", 1, 0, "comboBoxKey"},
    };
    for (const Case &c : cases) {
        h.selectTab(c.tab);
        const std::vector<const char *> names =
            c.tab == 2 ? std::vector{"comboBoxChordRoot", "comboBoxChordType"}
                       : std::vector{"comboBoxKey", "comboBoxScaleType", "comboBoxJPScaleType"};
        for (const char *name : names)
            h.select(name, 0);
        h.find(names[0])->setFocus();
        typeText(QString::fromUtf8(c.keys));
        const auto shown = [&](const char *name) {
            auto *box = h.find<QComboBox>(name);
            EXPECT_EQ(Controls::shownItem(box), box->currentIndex())
                << c.keys << ": " << name << " shows " << box->currentText().toStdString();
            return box->currentIndex();
        };
        const int chosenType =
            c.tab == 2 ? shown("comboBoxChordType")
                       : std::max(shown("comboBoxScaleType"), shown("comboBoxJPScaleType"));
        EXPECT_EQ(
            std::tuple(shown(names[0]), chosenType, QApplication::focusWidget()->objectName()),
            std::tuple(c.root, c.type, QString(c.focus)))
            << c.keys;
    }
}

TEST(Form1Keyboard, AWrongMarkTellsOfF9AndEscapeStopsTheComparisonEvenThroughTheWindowsWait) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    h.selectTab(1);
    h.click("buttonNext");
    const int asked = h.notesPlayed().front() % 12;
    h.select("comboBoxKey", (asked + 1) % 12 + 1); // a wrong key
    h.select("comboBoxScaleType", 1);
    h.click("buttonCheck");
    EXPECT_EQ(h.find("pictureBoxScaleCheck")->toolTip(),
              "聴き比べる（F9）で，出題とあなたの答えを続けて聴けます．");

    // While the question, then the answer, sounds, a cue says which; it is gone when the sound
    // ends.
    QStringList cues;
    std::function<void()> readCue = [&] {
        const auto *cue = h.form.findChild<QLabel *>("labelCompareCue");
        if (cue && cue->isVisible() && (cues.isEmpty() || cues.back() != cue->text()))
            cues << cue->text();
        h.clock.duringNextWait = readCue;
    };
    h.clock.duringNextWait = readCue;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    h.clock.duringNextWait = nullptr;
    EXPECT_EQ(cues, QStringList({"♪出題 → あなたの答え（Esc で止める）",
                                 "出題 → ♪あなたの答え（Esc で止める）"}));
    EXPECT_FALSE(h.shown("labelCompareCue"));

    // Escape in the second note's wait, with the window's own wait dropping input as it does:
    // the scale stops after that note, and no other key gets through.
    auto *list = h.find<QComboBox>("comboBoxScaleType");
    list->setFocus();
    h.sink.clear();
    h.clock.duringNextWait = [&] {
        h.clock.duringNextWait = [&] {
            // The window's own wait, as it stands during a sound, told what the form asked.
            WindowWait windowWait;
            windowWait.onStopAsked = h.clock.onStopAsked;
            QApplication::instance()->installEventFilter(&windowWait);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Escape);
            QApplication::instance()->removeEventFilter(&windowWait);
        };
    };
    QTest::keyClick(list, Qt::Key_F9);
    EXPECT_EQ(h.notesPlayed().size(), 2u);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_FALSE(h.shown("labelCompareCue"));
}

} // namespace miminomi::testing
