// The record viewer: its window, and the graph checked pixel by pixel at the coordinates of its
// axes, ticks and points.
#include "records/Record.h"

#include "app/Fonts.h"

#include <QApplication>
#include <QFontMetrics>
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
#include <vector>

using miminomi::Record;

namespace {

const QColor black(0, 0, 0);
const QColor green(0, 128, 0);
const QColor white(255, 255, 255);

/// The ten tallies of the current run, single note right first.
using Tallies = std::array<std::int32_t, 10>;

class RecordViewerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path = folder.filePath(QStringLiteral("record.txt")).toStdString();

    void writeRecords(const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

    std::unique_ptr<Record> open(const Tallies &t = {}) {
        return std::make_unique<Record>(t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9],
                                        nullptr, path);
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

QColor at(const QImage &image, int x, int y) {
    return image.pixelColor(x, y);
}

/// Whether a pixel within one pixel of (x, y) has exactly `colour`, allowing for the rounding of
/// a slanted line.
bool near(const QImage &image, int x, int y, QColor colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.rect().contains(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}

/// Whether the line from (x1, y1) to (x2, y2) is drawn in `colour` along its whole length.
bool lineDrawn(const QImage &image, int x1, int y1, int x2, int y2, QColor colour) {
    for (int step = 0; step <= 10; ++step) {
        const int x = x1 + (x2 - x1) * step / 10;
        const int y = y1 + (y2 - y1) * step / 10;
        if (!near(image, x, y, colour))
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

bool isRed(QColor c) {
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool isDark(QColor c) {
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}
bool isGreen(QColor c) {
    return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
}
bool isInk(QColor c) {
    return c != white;
}

// --- The window ------------------------------------------------------------------------------

TEST_F(RecordViewerTest, WindowIsTheFixedModelessAlwaysOnTopViewer) {
    auto viewer = open();
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("過去の成績"));
    EXPECT_EQ(viewer->size(), QSize(480, 349));
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize());
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_TRUE(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(viewer->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose))
        << "closing it must not end the program";
    const QList<QSize> iconSizes = viewer->windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((viewer->geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST_F(RecordViewerTest, FivePagesWithTheGraphBoxInFrontBelowTheCaptions) {
    auto viewer = open();
    auto *tabs = viewer->findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->geometry(), QRect(8, 8, 464, 336));
    EXPECT_EQ(tabs->font().pixelSize(), 16);
    ASSERT_EQ(tabs->count(), 5);
    const char *names[] = {"tabPageNote", "tabPageScale", "tabPageChord", "tabPageRisum",
                           "tabPageMelody"};
    const QString captions[] = {QStringLiteral("単音"), QStringLiteral("スケール"),
                                QStringLiteral("和音"), QStringLiteral("リズム"),
                                QStringLiteral("メロディ")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs->widget(i)->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(tabs->tabText(i), captions[i]);
    }
    EXPECT_EQ(tabs->currentIndex(), 0);

    auto *graphBox = viewer->findChild<QFrame *>(QStringLiteral("pictureBoxGraph"));
    ASSERT_TRUE(graphBox);
    EXPECT_EQ(graphBox->geometry(), QRect(14, 38, 450, 300));
    EXPECT_EQ(graphBox->contentsRect(), QRect(2, 2, 446, 296)) << "a sunken 3-D border";
    EXPECT_EQ(viewer->childAt(200, 200), graphBox);
    // Every caption can still be clicked above the graph box.
    for (int i = 0; i < 5; ++i) {
        const QRect caption =
            tabs->tabBar()->tabRect(i).translated(tabs->tabBar()->pos() + tabs->pos());
        EXPECT_LT(caption.center().y(), 38) << i;
        EXPECT_NE(viewer->childAt(caption.center()), graphBox) << i;
    }
}

TEST_F(RecordViewerTest, ClosesAndIsReleasedWhenItStopsBeingActive) {
    QPointer<Record> viewer = new Record(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, path);
    viewer->show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(viewer, &deactivate);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer.isNull());
}

// --- Reading ---------------------------------------------------------------------------------

TEST_F(RecordViewerTest, CountScaleTopIsTheLargestRunAndAtLeastOne) {
    writeRecords("2006/04/01,3,1,0,0,0,0,0,0,0,0\r\n"
                 "2006/04/02,0,0,40000,2,0,0,0,0,0,0\r\n");
    auto viewer = open({1, 1, 0, 0, 0, 0, 6, 0, 0, 0});
    EXPECT_FALSE(viewer->getIsNoRecord()) << "a count above 32767 reads back";
    EXPECT_EQ(viewer->getRecordList().items().size(), 2u);
    EXPECT_EQ(viewer->getCountTop(0), 4);
    EXPECT_EQ(viewer->getCountTop(1), 40002);
    EXPECT_EQ(viewer->getCountTop(2), 1);
    EXPECT_EQ(viewer->getCountTop(3), 6) << "the current run counts too";
    EXPECT_EQ(viewer->getCountTop(4), 1);
}

TEST_F(RecordViewerTest, BadLineKeepsTheRecordsBeforeItAndTheirScale) {
    writeRecords("2006/04/01,3,5,0,0,0,0,0,0,0,0\r\n"
                 "\r\n"
                 "2006/04/03,100,0,0,0,0,0,0,0,0,0\r\n");
    auto viewer = open();
    EXPECT_TRUE(viewer->getIsNoRecord());
    EXPECT_EQ(viewer->getRecordList().items().size(), 1u);
    EXPECT_EQ(viewer->getCountTop(0), 8);
}

// --- Painting --------------------------------------------------------------------------------

TEST_F(RecordViewerTest, WithoutAFileOnlyTheMessageLinesAreShownOnEveryPage) {
    auto viewer = open({5, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(viewer->getIsNoRecord());
    auto *tabs = viewer->findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    for (int page = 0; page < 5; ++page) {
        tabs->setCurrentIndex(page);
        const QImage image = graph(*viewer);
        // Three red lines at y 20, 50, 80 and three black ones at 150, 170, 190, from x 10.
        for (int y : {20, 50, 80})
            EXPECT_GT(countPixels(image, {10, y, 300, 16}, isRed), 50) << y;
        for (int y : {150, 170, 190}) {
            EXPECT_GT(countPixels(image, {10, y, 300, 16}, isDark), 50) << y;
            EXPECT_EQ(countPixels(image, {10, y, 300, 16}, isRed), 0) << y;
        }
        EXPECT_EQ(countPixels(image, {0, 0, 446, 20}, isInk), 0) << "nothing above the first line";
        EXPECT_EQ(countPixels(image, {0, 210, 446, 86}, isInk), 0) << "no axes, labels or lines";
        EXPECT_EQ(countPixels(image, {0, 0, 10, 296}, isInk), 0) << "no percentage axis";
    }
}

TEST_F(RecordViewerTest, AxesTicksAndScaleLabelsAreAtTheirCoordinates) {
    writeRecords("");
    auto viewer = open();
    const QImage image = graph(*viewer);
    // Percentage axis and time axis in black, count axis in green, end points included.
    for (int y : {25, 100, 200, 282})
        EXPECT_EQ(at(image, 25, y), black) << y;
    for (int x : {25, 200, 414})
        EXPECT_EQ(at(image, x, 282), black) << x;
    for (int y : {25, 100, 200, 281})
        EXPECT_EQ(at(image, 415, y), green) << y;
    // Percentage ticks at 0, 50 and 100; count ticks at 0 and the top; time ticks.
    for (int y : {150, 25})
        for (int x = 25; x <= 30; ++x)
            EXPECT_EQ(at(image, x, y), black) << x << "," << y;
    for (int y : {275, 25})
        for (int x = 410; x < 415; ++x)
            EXPECT_EQ(at(image, x, y), green) << x << "," << y;
    for (int y = 277; y < 282; ++y) {
        EXPECT_EQ(at(image, 30, y), black) << y;
        EXPECT_EQ(at(image, 410, y), black) << y;
    }
    // Nothing is drawn beside the axes where no label lies.
    EXPECT_EQ(at(image, 24, 100), white);
    EXPECT_EQ(at(image, 26, 100), white);
    EXPECT_EQ(at(image, 416, 100), white);
    EXPECT_EQ(at(image, 200, 283), white);

    // Labels: black on the left and at the bottom, green on the right.
    EXPECT_GT(countPixels(image, {0, 1, 100, 18}, isDark), 30) << "正解率（％）";
    EXPECT_GT(countPixels(image, {10, 265, 12, 14}, isDark), 5) << "0";
    EXPECT_GT(countPixels(image, {5, 143, 18, 14}, isDark), 5) << "50";
    EXPECT_GT(
        countPixels(image, {0, 20, 24, 4}, isDark) + countPixels(image, {0, 24, 24, 10}, isDark), 5)
        << "100";
    EXPECT_GT(countPixels(image, {350, 1, 90, 18}, isGreen), 30) << "回答数（問）";
    EXPECT_GT(countPixels(image, {430, 265, 12, 14}, isGreen), 5) << "0";
    EXPECT_GT(countPixels(image, {0, 284, 80, 12}, isDark), 20) << "一番古い記録";
    EXPECT_GT(countPixels(image, {390, 284, 50, 12}, isDark), 20) << "今の記録";
    EXPECT_GT(countPixels(image, {125, 2, 240, 12}, isDark), 30) << "record count line";
    EXPECT_EQ(countPixels(image, {0, 40, 24, 100}, isInk), 0) << "between the 100 and 50 labels";
}

TEST_F(RecordViewerTest, EmptyFileDrawsLinesFromTheOriginToTheCurrentRun) {
    writeRecords("");
    // Single notes: 1 right, 1 wrong: 50 % (y 150) and the top of the count scale (y 25).
    auto viewer = open({1, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_FALSE(viewer->getIsNoRecord());
    const QImage image = graph(*viewer);
    EXPECT_EQ(at(image, 410, 150), black);
    EXPECT_EQ(at(image, 410, 25), green);
    EXPECT_TRUE(lineDrawn(image, 25, 275, 410, 150, black));
    EXPECT_TRUE(lineDrawn(image, 25, 275, 410, 25, green));
    EXPECT_EQ(countPixels(image, {417, 22, 29, 14}, isGreen), 0) << "no scale top without records";
}

TEST_F(RecordViewerTest, OneRecordLiesAtX30AndTheLargestCountOnTheTopOfTheScale) {
    // 3 of 4 right: 75 % (y 88), 4 answers: the largest count (y 25).
    writeRecords("2006/04/01,3,1,0,0,0,0,0,0,0,0\r\n");
    // The current run: 1 of 1 right (y 25); 1 answer of 4 (y 275 − 62 = 213).
    auto viewer = open({1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QImage image = graph(*viewer);
    EXPECT_EQ(at(image, 30, 88), black);
    EXPECT_EQ(at(image, 30, 25), green);
    EXPECT_TRUE(lineDrawn(image, 30, 88, 410, 25, black));
    EXPECT_TRUE(lineDrawn(image, 30, 25, 410, 213, green));
    // No line joins the origin to the first record (the 50 % tick lies between).
    EXPECT_EQ(countPixels(image, {26, 30, 3, 120}, isInk), 0);
    EXPECT_EQ(countPixels(image, {26, 151, 3, 120}, isInk), 0);
    EXPECT_GT(countPixels(image, {417, 22, 29, 14}, isGreen), 5) << "the scale top, 4";
}

TEST_F(RecordViewerTest, TwoRecordsLieAtX30And220) {
    // 1 of 1 right (y 25, count 1 of 4: y 213), then 0 of 4 right (y 275, count y 25).
    writeRecords("2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n"
                 "2006/04/02,0,4,0,0,0,0,0,0,0,0\r\n");
    auto viewer = open();
    const QImage image = graph(*viewer);
    EXPECT_TRUE(lineDrawn(image, 30, 25, 220, 275, black));
    EXPECT_TRUE(lineDrawn(image, 30, 213, 220, 25, green));
    // A current run without answers: both of its points at y 275.
    EXPECT_TRUE(lineDrawn(image, 220, 275, 410, 275, black));
    EXPECT_TRUE(lineDrawn(image, 220, 25, 410, 275, green));
}

TEST_F(RecordViewerTest, StoredRecordGoesThroughTheWholePercentageTheCurrentRunDoesNot) {
    // 2 of 3 right: 66 % gives y 110 for a record; straight from the counts, y 109.
    writeRecords("2006/04/01,2,1,0,0,0,0,0,0,0,0\r\n");
    auto viewer = open({2, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    const QImage image = graph(*viewer);
    EXPECT_EQ(at(image, 30, 110), black);
    EXPECT_EQ(at(image, 30, 109), white);
    EXPECT_EQ(at(image, 410, 109), black);
}

TEST_F(RecordViewerTest, LargestCountsDoNotOverflowThePoints) {
    writeRecords("2006/04/01,2147483647,2147483647,0,0,0,0,0,0,0,0\r\n");
    auto viewer = open({2147483647, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QImage image = graph(*viewer);
    EXPECT_EQ(at(image, 30, 150), black) << "50 %";
    EXPECT_EQ(at(image, 30, 25), green) << "the largest count";
    EXPECT_EQ(at(image, 410, 25), black) << "100 % of the current run";
    EXPECT_TRUE(lineDrawn(image, 30, 25, 410, 150, green)) << "half the largest count";
}

TEST_F(RecordViewerTest, PageSwitchShowsThatExerciseAndRepaintsTheBox) {
    writeRecords("2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n"
                 "2006/04/02,0,1,0,0,0,0,0,0,2,2\r\n");
    auto viewer = open({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    auto *tabs = viewer->findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    auto *graphBox = viewer->findChild<QFrame *>(QStringLiteral("pictureBoxGraph"));

    // Melody: 0 answers then 2 of 4 right (y 150), scale top 4.
    tabs->setCurrentIndex(4);
    const QImage melody = graph(*viewer);
    EXPECT_TRUE(lineDrawn(melody, 30, 275, 220, 150, black));
    EXPECT_TRUE(lineDrawn(melody, 30, 275, 220, 25, green));

    // The box paints the selected page, inside its border.
    const QImage painted = graphBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted.copy(2, 2, 446, 296), melody);

    tabs->setCurrentIndex(0);
    const QImage note = graph(*viewer);
    EXPECT_TRUE(lineDrawn(note, 30, 25, 220, 275, black));
    EXPECT_NE(note, melody);
}

TEST_F(RecordViewerTest, LongHistoryCoversExactlyThePixelsOfEverySegment) {
    // 2000 records: several in each pixel column, where the drawing may join segments.
    std::string text;
    std::vector<std::pair<int, int>> tallies;
    std::uint32_t state = 7;
    for (int i = 0; i < 2000; ++i) {
        state = state * 214013u + 2531011u;
        const int right = static_cast<int>((state >> 16) % 40);
        const int wrong = static_cast<int>((state >> 8) % 40);
        tallies.emplace_back(right, wrong);
        text += "2006/04/01," + std::to_string(right) + "," + std::to_string(wrong) +
                ",0,0,0,0,0,0,0,0\r\n";
    }
    writeRecords(text);
    auto viewer = open({3, 4, 0, 0, 0, 0, 0, 0, 0, 0});
    const QImage image = graph(*viewer);

    // Every segment between consecutive points drawn on its own, as the points are defined.
    QImage expected(446, 296, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setPen(QPen(Qt::black, 1));
    const std::int64_t n = 2000;
    const std::int64_t top = viewer->getCountTop(0);
    QPoint ratio, count;
    for (std::int64_t i = 0; i <= n; ++i) {
        QPoint nextRatio, nextCount;
        if (i < n) {
            const auto [right, wrong] = tallies[static_cast<std::size_t>(i)];
            const int x = static_cast<int>(i * 380 / n + 30);
            const int percent = (right + wrong) == 0 ? 0 : right * 100 / (right + wrong);
            nextRatio = {x, 275 - percent * 250 / 100};
            nextCount = {x, static_cast<int>(275 - (right + wrong) * 250 / top)};
        } else {
            nextRatio = {410, 275 - 3 * 250 / 7};
            nextCount = {410, static_cast<int>(275 - 7 * 250 / top)};
        }
        if (i > 0) {
            painter.drawLine(ratio, nextRatio);
            painter.drawLine(count, nextCount);
        }
        ratio = nextRatio;
        count = nextCount;
    }
    painter.end();

    // Inside the axes, the same pixels are inked.
    int differing = 0;
    for (int y = 26; y <= 274; ++y)
        for (int x = 31; x <= 409; ++x)
            differing += (image.pixelColor(x, y) != white) != (expected.pixelColor(x, y) != white);
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(near(image, 410, 275 - 3 * 250 / 7, black));
}

TEST_F(RecordViewerTest, LongRecordCountDoesNotRunIntoTheWordsAfterIt) {
    std::string text;
    for (int i = 0; i < 12345; ++i)
        text += "2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n";
    writeRecords(text);
    const QImage image = graph(*open());
    // The count alone, as the record count line draws it.
    QImage alone(446, 296, QImage::Format_RGB32);
    alone.fill(Qt::white);
    QPainter painter(&alone);
    const QFont font = miminomi::Fonts::make(miminomi::Fonts::century, 8);
    painter.setFont(font);
    painter.drawText(QPoint(177, 2 + QFontMetrics(font).ascent()), QStringLiteral("12345"));
    painter.end();
    const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("12345"));
    ASSERT_GT(177 + width, 200) << "the count is long enough to reach the words";
    EXPECT_EQ(image.copy(177, 0, width, 20), alone.copy(177, 0, width, 20));
}

} // namespace
