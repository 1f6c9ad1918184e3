// The record viewer: its window, and the graph checked pixel by pixel at the coordinates of its
// axes, ticks and points.
#include "app/Record.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>

using miminomi::Record;

namespace {

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
const auto isInk = [](QColor c) { return c != white; };

class RecordViewerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path = folder.filePath(QStringLiteral("record.txt")).toStdString();

    /// The viewer over `records` (no file when absent) with the current run's tallies.
    std::unique_ptr<Record> open(const char *records, const miminomi::Tallies &current = {}) {
        if (records)
            std::ofstream(path, std::ios::binary) << records;
        return std::make_unique<Record>(current, nullptr, path);
    }
    /// A run that answered single notes only.
    static miminomi::Tallies notes(std::int32_t right, std::int32_t wrong) {
        miminomi::Tallies current;
        current[miminomi::Exercise::note] = {right, wrong};
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

TEST_F(RecordViewerTest, WindowIsTheFixedCentredAlwaysOnTopViewerWithFivePagesAndTheGraph) {
    auto viewer = open(nullptr);
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("過去の成績"));
    EXPECT_EQ(viewer->size(), QSize(480, 349));
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize());
    EXPECT_TRUE(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose)) << "closing must not end the program";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((viewer->geometry().center() - screen.center()).manhattanLength(), 2);

    QTabWidget *pages = tabs(*viewer);
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->geometry(), QRect(8, 8, 464, 336));
    const QString captions[] = {QStringLiteral("単音"), QStringLiteral("スケール"),
                                QStringLiteral("和音"), QStringLiteral("リズム"),
                                QStringLiteral("メロディ")};
    ASSERT_EQ(pages->count(), 5);
    auto *graphBox = viewer->findChild<QFrame *>(QStringLiteral("pictureBoxGraph"));
    ASSERT_TRUE(graphBox);
    EXPECT_EQ(graphBox->geometry(), QRect(14, 38, 450, 300));
    EXPECT_EQ(graphBox->contentsRect(), QRect(2, 2, 446, 296)) << "a sunken 3-D border";
    EXPECT_EQ(viewer->childAt(200, 200), graphBox);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_LT(pages->y() + pages->tabBar()->geometry().bottom(), 38) << "captions stay clickable";
}

TEST_F(RecordViewerTest, ClosesAndIsReleasedWhenItStopsBeingActive) {
    QPointer<Record> viewer = open(nullptr).release();
    viewer->show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(viewer, &deactivate);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer.isNull());
}

TEST_F(RecordViewerTest, CountScaleTopIsTheLargestRunAndAtLeastOne) {
    auto viewer = open("2006/04/01,3,1,0,0,0,0,0,0,0,0\r\n"
                       "2006/04/02,0,0,40000,2,0,0,0,0,0,0\r\n",
                       [] {
                           miminomi::Tallies current = notes(1, 1);
                           current[miminomi::Exercise::risum] = {6, 0};
                           return current;
                       }());
    EXPECT_FALSE(viewer->getIsNoRecord()) << "a count above 32767 reads back";
    EXPECT_EQ(viewer->getRecordList().items().size(), 2u);
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(viewer->getCountTop(miminomi::Exercise(page)),
                  (std::array{4, 40002, 1, 6, 1})[page])
            << page;

    viewer = open("2006/04/01,3,5,0,0,0,0,0,0,0,0\r\n\r\n2006/04/03,100,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_TRUE(viewer->getIsNoRecord()) << "a blank line";
    EXPECT_EQ(viewer->getCountTop(miminomi::Exercise::note), 8) << "from the record before it";
}

TEST_F(RecordViewerTest, WithoutAFileOnlyTheMessageLinesAreShownOnEveryPage) {
    auto viewer = open(nullptr, notes(5, 0));
    ASSERT_TRUE(viewer->getIsNoRecord());
    for (int page = 0; page < 5; ++page) {
        tabs(*viewer)->setCurrentIndex(page);
        const QImage image = graph(*viewer);
        // Three red lines at y 20, 50, 80 and three black ones at 150, 170, 190, from x 10.
        for (int y : {20, 50, 80})
            EXPECT_GT(countPixels(image, {10, y, 300, 16}, isRed), 50) << y;
        for (int y : {150, 170, 190}) {
            EXPECT_GT(countPixels(image, {10, y, 300, 16}, isDark), 50) << y;
            EXPECT_EQ(countPixels(image, {10, y, 300, 16}, isRed), 0) << y;
        }
        EXPECT_EQ(countPixels(image, {0, 210, 446, 86}, isInk), 0) << "no axes, labels or lines";
    }
}

TEST_F(RecordViewerTest, AxesTicksAndScaleLabelsAreAtTheirCoordinates) {
    const QImage image = graph(*open(""));
    // Percentage axis and time axis in black, count axis in green, end points included.
    for (int y : {25, 100, 282})
        EXPECT_EQ(image.pixelColor(25, y), black) << y;
    for (int x : {25, 200, 414})
        EXPECT_EQ(image.pixelColor(x, 282), black) << x;
    for (int y : {25, 100, 281})
        EXPECT_EQ(image.pixelColor(415, y), green) << y;
    // Percentage ticks at 100 and 50 %, count ticks at the top and 0, time ticks at both ends.
    for (int d = 0; d < 5; ++d) {
        for (int y : {25, 150})
            EXPECT_EQ(image.pixelColor(26 + d, y), black) << d << "," << y;
        for (int y : {25, 275})
            EXPECT_EQ(image.pixelColor(410 + d, y), green) << d << "," << y;
        for (int x : {30, 410})
            EXPECT_EQ(image.pixelColor(x, 277 + d), black) << x << "," << d;
    }
    for (auto [x, y] : {std::pair{24, 100}, {26, 100}, {416, 100}, {200, 283}})
        EXPECT_EQ(image.pixelColor(x, y), white) << x << "," << y;
    // Labels: black on the left and at the bottom, green on the right.
    EXPECT_GT(countPixels(image, {0, 1, 100, 18}, isDark), 30) << "正解率（％）";
    EXPECT_GT(countPixels(image, {350, 1, 90, 18}, isGreen), 30) << "回答数（問）";
    EXPECT_GT(countPixels(image, {390, 284, 50, 12}, isDark), 20) << "今の記録";
    EXPECT_GT(countPixels(image, {125, 2, 240, 12}, isDark), 30) << "record count line";
}

TEST_F(RecordViewerTest, WithoutRecordsTheLinesRunFromTheOriginToTheCurrentRun) {
    // 1 of 2 right: 50 % (y 150); 2 answers: the top of the count scale (y 25), left unlabelled.
    const QImage image = graph(*open("", notes(1, 1)));
    EXPECT_EQ(image.pixelColor(410, 150), black);
    EXPECT_EQ(image.pixelColor(410, 25), green);
    EXPECT_TRUE(lineDrawn(image, 25, 275, 410, 150, black));
    EXPECT_TRUE(lineDrawn(image, 25, 275, 410, 25, green));
    EXPECT_EQ(countPixels(image, {417, 22, 29, 14}, isGreen), 0);
}

TEST_F(RecordViewerTest, OneRecordLiesAtX30AndTheLargestCountOnTheTopOfTheScale) {
    // 3 of 4 right: 75 % (y 88) and the largest count (y 25); the run 1 of 1 right (y 25) with
    // 1 answer of 4 (y 275 − 62 = 213).
    const QImage image = graph(*open("2006/04/01,3,1,0,0,0,0,0,0,0,0\r\n", notes(1, 0)));
    EXPECT_EQ(image.pixelColor(30, 88), black);
    EXPECT_EQ(image.pixelColor(30, 25), green);
    EXPECT_TRUE(lineDrawn(image, 30, 88, 410, 25, black));
    EXPECT_TRUE(lineDrawn(image, 30, 25, 410, 213, green));
    EXPECT_EQ(countPixels(image, {26, 30, 3, 120}, isInk) +
                  countPixels(image, {26, 151, 3, 120}, isInk),
              0)
        << "no line from the origin to the first record";
    EXPECT_GT(countPixels(image, {417, 22, 29, 14}, isGreen), 5) << "the scale top, 4";
}

TEST_F(RecordViewerTest, RecordPercentagesAreWholeAndLargestCountsDoNotOverflow) {
    // A record's 2 of 3 is 66 % (y 110); the run's point comes straight from the counts (y 109).
    QImage image = graph(*open("2006/04/01,2,1,0,0,0,0,0,0,0,0\r\n", notes(2, 1)));
    EXPECT_EQ(image.pixelColor(30, 110), black);
    EXPECT_EQ(image.pixelColor(30, 109), white);
    EXPECT_EQ(image.pixelColor(410, 109), black);

    image =
        graph(*open("2006/04/01,2147483647,2147483647,0,0,0,0,0,0,0,0\r\n", notes(2147483647, 0)));
    EXPECT_EQ(image.pixelColor(30, 150), black) << "50 %";
    EXPECT_EQ(image.pixelColor(410, 25), black) << "100 % of the current run";
    EXPECT_TRUE(lineDrawn(image, 30, 25, 410, 150, green)) << "from the largest count to half";
}

TEST_F(RecordViewerTest, TwoRecordsLieAtX30And220AndTheGraphFollowsThePage) {
    // Single notes: 1 of 1 right (y 25, count 1 of 4: y 213), then 0 of 4 right (y 275, count
    // y 25). Melodies: none, then 2 of 4 right (y 150). The current run has no answers (y 275).
    auto viewer = open("2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n"
                       "2006/04/02,0,4,0,0,0,0,0,0,2,2\r\n");
    const QImage note = graph(*viewer);
    EXPECT_TRUE(lineDrawn(note, 30, 25, 220, 275, black));
    EXPECT_TRUE(lineDrawn(note, 30, 213, 220, 25, green));
    EXPECT_TRUE(lineDrawn(note, 220, 275, 410, 275, black));
    EXPECT_TRUE(lineDrawn(note, 220, 25, 410, 275, green));

    tabs(*viewer)->setCurrentIndex(4);
    const QImage melody = graph(*viewer);
    EXPECT_TRUE(lineDrawn(melody, 30, 275, 220, 150, black));
    EXPECT_TRUE(lineDrawn(melody, 30, 275, 220, 25, green));
    // The box paints the selected page, inside its border.
    auto *box = viewer->findChild<QFrame *>(QStringLiteral("pictureBoxGraph"));
    EXPECT_EQ(box->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 446, 296),
              melody);
}

} // namespace
