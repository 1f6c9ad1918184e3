// Tapping a rhythm back: the count-in at the piece's tempo, taps on the virtual clock, the end by
// Enter or by two silent bars, the grade proposed into the page's self-mark box.
#include "app/RhythmTapWindow.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

TEST(RhythmTapWindow, TapsOnTheOnsetsProposeTheTopGradeAMissedOneLessAnUnreadablePieceNone) {
    const std::string path = std::string(MIMINOMI_SOURCE_DIR) + "/data/risum3.mid";
    const PieceNotes piece = PieceNotes::read(path).value();
    VirtualClock clock;
    std::vector<std::pair<int, int>> countIns;
    const auto countIn = [&](std::int32_t note, std::int32_t beatMs) {
        countIns.emplace_back(note, beatMs);
        clock.Sleep(std::uint32_t(2 * beatMs));
    };
    for (const bool missOne : {false, true}) {
        RhythmTapWindow window(3, path, countIn, [&] { return clock.nowMs(); });
        Choice proposed = noChoice;
        window.onProposal = [&](Choice grade, std::int32_t) { proposed = grade; };
        window.show();
        QApplication::setActiveWindow(&window);
        window.findChild<QPushButton *>("tapStart")->click();
        const std::int64_t heard = clock.nowMs() + 280; // the learner's reaction, and latency
        for (std::size_t k = 0; k < piece.notes.size(); ++k) {
            clock.Sleep(std::uint32_t(heard + piece.notes[k].onsetSeconds * 1000 - clock.nowMs()));
            if (!(missOne && k == 2))
                QTest::keyClick(&window, Qt::Key_Space);
        }
        if (missOne) {
            window.checkSilence();
            EXPECT_EQ(proposed, noChoice) << "still tapping";
            clock.Sleep(std::uint32_t(2 * piece.beatsPerBar * piece.beatSeconds * 1000 + 1));
            window.checkSilence();
        } else {
            QTest::keyClick(&window, Qt::Key_Return);
        }
        EXPECT_EQ(proposed, missOne ? 1 : 0);
    }
    EXPECT_EQ(countIns.front(), std::make_pair(piece.clickPitch, int(piece.beatSeconds * 1000)));

    // Through the main window: after a rhythm has played, the proposal lands in its box.
    FormHarness h;
    EXPECT_FALSE(h.find<QAction>("menuTapRhythm")->isEnabled());
    h.selectTab(3);
    h.click("buttonNext");
    ASSERT_TRUE(h.find<QAction>("menuTapRhythm")->isEnabled());
    h.find<QAction>("menuTapRhythm")->trigger();
    auto *window = h.form.findChild<RhythmTapWindow *>();
    ASSERT_NE(window, nullptr);
    // The working folder holds no pieces: nothing to mark, said calmly, the box left alone.
    EXPECT_FALSE(window->findChild<QPushButton *>("tapStart")->isEnabled());
    EXPECT_TRUE(window->findChild<QLabel *>("tapMessage")->text().contains("自分で採点"));
    h.click("buttonShowAnswer");
    EXPECT_FALSE(h.find<QAction>("menuTapRhythm")->isEnabled()) << "the answer is shown";
}

} // namespace miminomi::testing
