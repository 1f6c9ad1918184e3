// Entering a melody heard: by letters and digits or by the keyboard's keys, each sounded,
// Backspace taking one back, and "答え合わせ" proposing the grade.
#include "app/MelodyEntryWindow.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

TEST(MelodyEntryWindow, NotesTypedOrClickedSoundBackspaceTakesOneBackAndTheMelodyAsPlayedIsTop) {
    const std::string path = std::string(MIMINOMI_SOURCE_DIR) + "/data/melody5.mid";
    const PieceNotes piece = PieceNotes::read(path).value();
    std::vector<std::int32_t> sounded;
    MelodyEntryWindow window(5, path, [&](std::int32_t pitch) { sounded.push_back(pitch); });
    std::pair<Choice, std::int32_t> proposed{noChoice, 0};
    window.onProposal = [&](Choice grade, std::int32_t notes) { proposed = {grade, notes}; };
    window.show();
    QApplication::setActiveWindow(&window);

    // A click on the lowest key (a C) enters it; Backspace takes it back.
    auto *keyboard = window.findChild<QWidget *>("melodyKeyboard");
    QTest::mouseClick(keyboard, Qt::LeftButton, {}, QPoint(5, keyboard->height() - 5));
    ASSERT_EQ(window.entered().size(), 1u);
    EXPECT_EQ(window.entered()[0] % 12, 0);
    QTest::keyClick(&window, Qt::Key_Backspace);
    EXPECT_TRUE(window.entered().empty());

    const QString letters = "c#d#ef#g#a#b";
    std::vector<std::int32_t> pitches;
    for (const PieceNotes::Note &note : piece.notes) {
        const int pc = note.pitch % 12;
        const QString name =
            letters[pc] == '#' ? QString(letters[pc - 1]) + "#" : QString(letters[pc]);
        QTest::keyClicks(&window, name + QString::number(note.pitch / 12 - 1));
        pitches.push_back(note.pitch);
    }
    EXPECT_EQ(window.entered(), pitches);
    EXPECT_EQ(std::vector(sounded.begin() + 1, sounded.end()), pitches) << "each sounds";
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(proposed, std::make_pair(0, std::int32_t(pitches.size())));
}

} // namespace miminomi::testing
