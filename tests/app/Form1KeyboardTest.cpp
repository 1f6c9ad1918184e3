// The main window from the keyboard: the question keys work with the focus in an answer box, Tab
// goes through the page in reading order to the buttons, Enter presses a focused button, and
// Escape closes the statistics window.
#include "app/StatisticsWindow.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

TEST(Form1Keyboard, QuestionKeysWorkFromAnAnswerBoxTabFollowsReadingOrderEnterPresses) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    auto *name = h.find<QComboBox>("comboBoxNoteName0");
    name->setFocus();
    const auto press = [&](QKeySequence key) {
        QTest::keyClick(QApplication::focusWidget(), key[0].key(), key[0].keyboardModifiers());
    };
    press(Qt::Key_F5);
    ASSERT_EQ(h.notesPlayed().size(), 1u) << "F5 asks";
    QTest::keyClicks(QApplication::focusWidget(), "ab"); // typing stays in the box
    EXPECT_EQ(name->currentText(), "ab");
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
    auto *statistics = h.form.findChild<StatisticsWindow *>();
    ASSERT_NE(statistics, nullptr) << "Shift+F2 opens the statistics";
    QApplication::setActiveWindow(statistics);
    QTest::keyClick(statistics, Qt::Key_Escape);
    EXPECT_FALSE(statistics->isVisible());
}

} // namespace miminomi::testing
