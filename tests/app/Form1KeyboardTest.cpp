// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: the question keys work with the focus in an answer box, Tab
// goes through the page in reading order to the buttons, Enter presses a focused button, and
// Escape closes the statistics window.
#include "app/widgets/Controls.h"
#include "app/windows/StatisticsWindow.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
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
        if (QString typed = QString::fromUtf8(keys); typed[0].unicode() < 128) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        }
        EXPECT_EQ(Controls::shownItem(h.find<QComboBox>(box)), item) << box;
    }
}

} // namespace miminomi::testing
