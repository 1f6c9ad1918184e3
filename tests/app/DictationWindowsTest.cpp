// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows that answer a piece, through the main window: each bound to its question and one of
// each kind at a time, taps taken while the count-in sounds, notes entered without holding the
// window, the main window's F7 and F8 at hand, and the windows placed beside the score picture.
#include "app/windows/MelodyEntryWindow.h"
#include "app/windows/RhythmTapWindow.h"
#include "app/windows/WindowPlacement.h"
#include "tests/support/FormHarness.h"
#include "tests/support/TemporaryFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

const std::string pieces = std::string(MIMINOMI_SOURCE_DIR) + "/data/";

template <class Window> std::vector<Window *> shownWindows(FormHarness &h) {
    std::vector<Window *> shown;
    for (Window *window : h.form.findChildren<Window *>())
        if (window->isVisible())
            shown.push_back(window);
    return shown;
}

/// The piece a window answers, from its title "…（第N曲）".
PieceNotes pieceOf(const QWidget *window, const char *kind) {
    const auto number = QRegularExpression("第(\\d+)曲").match(window->windowTitle()).captured(1);
    return PieceNotes::read(pieces + kind + number.toStdString() + ".mid").value();
}

} // namespace

TEST(DictationWindows, ATapWindowEndsWithItsQuestionTapsDuringTheCountInCountAndF7F8Work) {
    TemporaryFolder learner;
    FormHarness h(1'000'000, FileLocations(pieces, learner.path().string() + "/"));
    h.selectTab(3);
    auto *menu = h.find<QAction>("menuTapRhythm");
    EXPECT_FALSE(menu->isEnabled()) << "nothing has played";
    h.click("buttonNext");
    menu->trigger();
    menu->trigger();
    ASSERT_EQ(shownWindows<RhythmTapWindow>(h).size(), 1u) << "the menu brings it forward";
    const QPointer<RhythmTapWindow> left = shownWindows<RhythmTapWindow>(h).front();
    h.click("buttonNext");
    EXPECT_FALSE(left && left->isVisible()) << "a new question closes the last one's window";

    menu->trigger();
    RhythmTapWindow *window = shownWindows<RhythmTapWindow>(h).at(0);
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(window->findChild<QLabel *>("tapMessage")->text().contains("タイ"));
    const PieceNotes piece = pieceOf(window, "risum");
    const std::size_t waitsBefore = h.clock.waits().size();
    window->findChild<QPushButton *>("tapStart")->click();
    const std::int64_t origin = h.clock.nowMs() + RhythmDictation::leadMs;
    for (std::size_t k = 0; k < piece.notes.size(); ++k) {
        // The first tap 40 ms early, while the count-in is still sounding.
        const std::int64_t at = origin + std::llround(piece.notes[k].onsetSeconds * 1000);
        h.clock.Sleep(std::uint32_t(at - (k == 0 ? 40 : 0) - h.clock.nowMs()));
        QTest::keyClick(window, Qt::Key_Space);
    }
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(h.clock.waits().size(), waitsBefore + piece.notes.size()) << "only the test waited";
    EXPECT_EQ(h.selected("comboBoxRisumSelfCheck"), 0) << "よくできた proposed";
    const QString result = window->findChild<QLabel *>("tapMessage")->text();
    EXPECT_TRUE(result.contains("自己採点の欄に入れました")) << result.toStdString();

    // Closed and opened again for the same question, it shows its last result.
    QTest::keyClick(window, Qt::Key_Escape);
    menu->trigger();
    window = shownWindows<RhythmTapWindow>(h).at(0);
    EXPECT_EQ(window->findChild<QLabel *>("tapMessage")->text(), result);
    QApplication::setActiveWindow(window);
    QTest::keyClick(window, Qt::Key_F8);
    EXPECT_TRUE(h.enabled("buttonSelfcheckRisum")) << "F8 showed the answer";
    QTest::keyClick(window, Qt::Key_F7);
    EXPECT_EQ(h.find<QLineEdit>("textBoxRight")->text(), "2") << "F7 confirmed よくできた";
    h.selectTab(4);
    EXPECT_TRUE(shownWindows<RhythmTapWindow>(h).empty()) << "another page closes it";
}

TEST(DictationWindows, NotesEnteredSoundWithoutHoldingTheWindowAndAMissedOneIsProposedOneStepDown) {
    TemporaryFolder learner;
    FormHarness h(1'000'000, FileLocations(pieces, learner.path().string() + "/"));
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    h.selectTab(4);
    h.click("buttonNext");
    h.find<QAction>("menuEnterMelody")->trigger();
    MelodyEntryWindow *window = shownWindows<MelodyEntryWindow>(h).at(0);
    QApplication::setActiveWindow(window);
    const PieceNotes piece = pieceOf(window, "melody");
    const std::size_t waitsBefore = h.clock.waits().size();

    // A click on the lowest key, a C, sounds it; Backspace takes it back.
    h.sink.clear();
    auto *keyboard = window->findChild<QWidget *>("melodyKeyboard");
    QTest::mouseClick(keyboard, Qt::LeftButton, {}, QPoint(5, 60)); // low on the white key
    ASSERT_EQ(h.notesPlayed().size(), 1u);
    EXPECT_EQ(h.notesPlayed()[0] % 12, 0);
    QTest::keyClick(window, Qt::Key_Backspace);

    // The melody typed but its second note: each sounds as entered.
    const QString letters = "c#d#ef#g#a#b";
    for (std::size_t k = 0; k < piece.notes.size(); ++k) {
        const int pitch = piece.notes[k].pitch, pc = pitch % 12;
        const QString name =
            letters[pc] == '#' ? QString(letters[pc - 1]) + "#" : QString(letters[pc]);
        if (k != 1)
            QTest::keyClicks(window, name + QString::number(pitch / 12 - 1));
    }
    EXPECT_EQ(h.notesPlayed().size(), piece.notes.size());
    EXPECT_EQ(h.clock.waits().size(), waitsBefore) << "no note held the window";
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(h.selected("comboBoxMelodySelfCheck"), 1) << "どっちかというと正解 proposed";
}

TEST(DictationWindows, AWindowGoesBesideTheMainWindowOrElseWhereItLeavesThePictureInView) {
    const QSize size(600, 300);
    const QRect wide(0, 0, 1920, 1080), narrow(0, 0, 1024, 768), picture(30, 100, 550, 160);
    EXPECT_EQ(WindowPlacement::beside(size, picture, QRect(0, 0, 800, 420), wide), QPoint(808, 0));
    EXPECT_EQ(WindowPlacement::beside(size, picture, QRect(0, 0, 800, 420), narrow), QPoint(0, 428))
        << "no room on either side: below the main window";
    const QPoint over = WindowPlacement::beside(size, picture, narrow, narrow);
    EXPECT_FALSE(QRect(over, size).intersects(picture)) << "a main window filling the screen";
    const QRect tall(0, 150, 1024, 400);
    const QRect least(WindowPlacement::beside(size, tall, narrow, narrow), size);
    EXPECT_EQ(least.intersected(tall).height(), 82) << "nothing fits: what covers least";
}

} // namespace miminomi::testing
