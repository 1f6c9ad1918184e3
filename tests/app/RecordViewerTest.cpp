// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record viewer: its window, and the graph checked pixel by pixel at the coordinates of its
// axes, ticks and points.
#include "app/windows/Record.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TemporaryFolder.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace miminomi::testing {

const QColor black(0, 0, 0), green(0, 128, 0), white(255, 255, 255);

/// Whether a pixel within one pixel of each of eleven points along the line from (x1, y1) to
/// (x2, y2) has exactly `colour`, allowing for the rounding of a slanted line.
bool lineDrawn(const QImage &image, int x1, int y1, int x2, int y2, QColor colour) {
    for (int step = 0; step <= 10; ++step) {
        const int x = x1 + (x2 - x1) * step / 10, y = y1 + (y2 - y1) * step / 10;
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                found = found || (image.rect().contains(x + dx, y + dy) &&
                                  image.pixelColor(x + dx, y + dy) == colour);
        if (!found)
            return false;
    }
    return true;
}

/// Number of pixels in the rectangle whose colour satisfies `wanted`.
template <typename Wanted> int countPixels(const QImage &image, QRect area, Wanted wanted) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

const auto isRed = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
const auto isDark = [](QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; };
const auto isGreen = [](QColor c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; };

class RecordViewerTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::string path = folder.filePath("record.txt");

    /// The viewer over `records` (no file when absent) with the current run's tallies.
    std::unique_ptr<Record> open(const char *records, const Tallies &current = {}) {
        if (records)
            std::ofstream(path, std::ios::binary) << records;
        return std::make_unique<Record>(current, nullptr, path);
    }
    /// A run that answered single notes only.
    static Tallies notes(std::int32_t right, std::int32_t wrong) {
        Tallies current;
        current[Exercise::note] = {right, wrong};
        return current;
    }
    static QTabWidget *tabs(Record &viewer) {
        return viewer.findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    }
    /// The graph of the selected page, as drawn inside the graph box's border.
    static QImage graph(const Record &viewer) {
        QImage image(446, 296, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        viewer.drawGraph(painter);
        return image;
    }
};

TEST_F(RecordViewerTest, AViewerOnTopWithFivePagesUnderTheGraphTellsAMissingFileAndClosesWhenLeft) {
    QPointer<Record> viewer = open(nullptr).release();
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("過去の成績"));
    EXPECT_EQ(viewer->size(), QSize(480, 349));
    EXPECT_TRUE(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose)) << "closing must not end the program";

    viewer->show();
    QTabWidget *pages = tabs(*viewer);
    EXPECT_EQ(pages->geometry(), QRect(8, 8, 464, 336));
    EXPECT_EQ(pages->tabText(4), QStringLiteral("メロディ"));
    const QWidget *page = pages->currentWidget();
    EXPECT_EQ(QRect(page->mapTo(pages, QPoint()), page->size()), QRect(4, 25, 456, 307));
    EXPECT_EQ(viewer->childAt(200, 200)->geometry(), QRect(14, 38, 450, 300)) << "the graph";
    EXPECT_LT(pages->y() + pages->tabBar()->geometry().bottom(), 38) << "captions stay clickable";

    // Without a file: three red lines at y 20, 50, 80 and three black ones at 150, 170, 190.
    pages->setCurrentIndex(3);
    const QImage message = graph(*viewer);
    for (int y : {20, 50, 80, 150, 170, 190})
        EXPECT_GT(countPixels(message, {10, y, 300, 16}, y < 100 ? isRed : isDark), 50) << y;
    EXPECT_EQ(countPixels(message, {0, 210, 446, 86}, [](QColor c) { return c != white; }), 0)
        << "no axes, labels or lines";

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(viewer, &deactivate);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer.isNull());
}

TEST_F(RecordViewerTest, AxesLabelsAndRecordsFromX30ToTheCurrentRunAtX410) {
    // Single notes: 2 of 3 right (66 %, y 110; count 3, the top of the scale: y 25), then 0 of 1
    // (y 275; count y 192). The current run's 2 of 3 comes straight from its counts: y 109.
    Tallies current = notes(2, 1);
    current[Exercise::risum] = {6, 0};
    auto viewer = open("2006/04/01,2,1,0,0,0,0,0,0,0,0\r\n"
                       "2006/04/02,0,1,40000,2,0,0,0,0,2,2\r\n",
                       current);
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(viewer->getCountTop(Exercise(page)), (std::array{3, 40002, 1, 6, 4})[page]);
    const QImage note = graph(*viewer);
    // Axes and ticks: percentage and time in black, count in green; labels in their colours.
    for (auto [x, y] : {std::pair{25, 25}, {25, 282}, {414, 282}, {26, 150}, {30, 281}})
        EXPECT_EQ(note.pixelColor(x, y), black) << x << "," << y;
    for (auto [x, y] : {std::pair{415, 25}, {415, 281}, {410, 275}})
        EXPECT_EQ(note.pixelColor(x, y), green) << x << "," << y;
    EXPECT_GT(countPixels(note, {0, 1, 100, 18}, isDark), 30) << "正解率（％）";
    EXPECT_GT(countPixels(note, {350, 1, 90, 18}, isGreen), 30) << "回答数（問）";
    EXPECT_EQ(note.pixelColor(30, 110), black);
    EXPECT_EQ(note.pixelColor(30, 109), white);
    EXPECT_TRUE(lineDrawn(note, 30, 110, 220, 275, black));
    EXPECT_TRUE(lineDrawn(note, 30, 25, 220, 192, green));
    EXPECT_EQ(note.pixelColor(410, 109), black);

    // Melodies: none, then 2 of 4 right (y 150); the box paints the selected page.
    tabs(*viewer)->setCurrentIndex(4);
    const QImage melody = graph(*viewer);
    EXPECT_TRUE(lineDrawn(melody, 30, 275, 220, 150, black));
    auto *box = viewer->findChild<QFrame *>(QStringLiteral("pictureBoxGraph"));
    EXPECT_EQ(box->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 446, 296),
              melody);

    // Without records the lines start at the origin; the largest counts do not overflow.
    EXPECT_TRUE(lineDrawn(graph(*open("", notes(1, 1))), 25, 275, 410, 150, black));
    const QImage largest =
        graph(*open("2006/04/01,2147483647,2147483647,0,0,0,0,0,0,0,0\r\n", notes(2147483647, 0)));
    EXPECT_EQ(largest.pixelColor(30, 150), black) << "50 %";
    EXPECT_TRUE(lineDrawn(largest, 30, 25, 410, 150, green)) << "from the largest count to half";

    viewer = open("2006/04/01,3,5,0,0,0,0,0,0,0,0\r\n\r\n2006/04/03,100,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_TRUE(viewer->getIsNoRecord()) << "a blank line";
    EXPECT_EQ(viewer->getCountTop(Exercise::note), 8) << "from the record before it";
}

} // namespace miminomi::testing
