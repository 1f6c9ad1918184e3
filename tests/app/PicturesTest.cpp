// The pictures compiled into the program: each one loads at the size its control shows it,
// and the three 550 x 160 panels carry their words, whole and legible.
#include "app/Pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace miminomi {
namespace {

struct PictureCase {
    const char *name;
    QSize size;
    bool coversWholeArea; // drawn edge to edge, with no transparent gaps
    bool isButton;        // the button writes its caption over the bottom of the picture
};

void PrintTo(const PictureCase &c, std::ostream *os) {
    *os << c.name;
}

// clang-format off
const std::vector<PictureCase> kPictures = {
    {"background",      {800, 475}, true,  false},
    {"icon32",          {32, 32},   false, false},
    {"icon16",          {16, 16},   false, false},
    {"buttonNext",      {85, 82},   false, true},
    {"buttonRetry",     {85, 85},   false, true},
    {"buttonCheck",     {85, 85},   false, true},
    {"buttonSendMidi",  {85, 85},   false, true},
    {"result",          {150, 400}, true,  false},
    {"markerRight",     {64, 64},   false, false},
    {"markerWrong",     {64, 64},   false, false},
    {"gameOverGood",    {128, 128}, true,  false},
    {"gameOverBad",     {128, 128}, true,  false},
    {"markRight",       {40, 40},   false, false},
    {"markWrong",       {40, 40},   false, false},
    {"panelNoMidiData", {550, 160}, true,  false},
    {"panelOpen",       {550, 160}, true,  false},
    {"panelInitial",    {550, 160}, true,  false},
    {"about",           {90, 136},  false, false},
};
// clang-format on

// Buttons are 85 px tall; their caption takes the lowest 16 px. A shorter picture is centred.
constexpr int kButtonHeight = 85;
constexpr int kCaptionBand = 16;

QImage loadImage(const PictureCase &c) {
    return Pictures::load(QString::fromLatin1(c.name), c.size)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int countPixels(const QImage &image, QRect area, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool isVisible(QRgb p) {
    return qAlpha(p) > 0;
}
bool isNotOpaque(QRgb p) {
    return qAlpha(p) < 255;
}

class EveryPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(EveryPicture, LoadsFromTheProgramAtItsSizeWithSomethingDrawn) {
    const PictureCase &c = GetParam();
    const QImage image = loadImage(c);

    ASSERT_FALSE(image.isNull()) << c.name << " is missing from the compiled-in pictures";
    EXPECT_EQ(image.size(), c.size);
    EXPECT_GT(countPixels(image, image.rect(), isVisible), 0) << c.name << " renders empty";
}

TEST_P(EveryPicture, IsDrawnForExactlyThatSize) {
    // A picture drawn for another size would be stretched or squeezed by the control.
    const PictureCase &c = GetParam();
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(QString::fromLatin1(c.name)));

    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), c.size);
    EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(c.size)));
}

TEST_P(EveryPicture, FullBleedPicturesLeaveNoGapAndButtonsLeaveTheirCaptionClear) {
    const PictureCase &c = GetParam();
    const QImage image = loadImage(c);
    ASSERT_FALSE(image.isNull());

    if (c.coversWholeArea) {
        EXPECT_EQ(countPixels(image, image.rect(), isNotOpaque), 0)
            << c.name << " lets the control's own colour show through";
    }
    if (c.isButton) {
        const int band = kCaptionBand - (kButtonHeight - c.size.height()) / 2;
        const QRect caption(0, c.size.height() - band, c.size.width(), band);
        EXPECT_EQ(countPixels(image, caption, isVisible), 0)
            << c.name << " draws into the band where the button writes its caption";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, ::testing::ValuesIn(kPictures),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PictureResources, HoldExactlyThePicturesTheWindowsAskFor) {
    // A misspelt file name compiles silently and leaves a control without its picture.
    QStringList expected;
    for (const PictureCase &c : kPictures)
        expected << QString::fromLatin1(c.name) + QStringLiteral(".svg");
    expected.sort();

    QStringList present = QDir(QStringLiteral(":/assets")).entryList({QStringLiteral("*.svg")});
    present.sort();

    EXPECT_EQ(present, expected);
}

TEST(PictureResources, AnUnknownNameGivesANullPicture) {
    EXPECT_TRUE(Pictures::load(QStringLiteral("noSuchPicture"), QSize(10, 10)).isNull());
}

// --- The three panels of the rhythm and melody pages -----------------------------------------

struct TextLine {
    QString text;
    QString fill;
    QString fontFamily;
};

std::vector<TextLine> textLines(const QString &name) {
    QFile file(QStringLiteral(":/assets/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<TextLine> lines;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("text"))
            continue;
        const auto attributes = xml.attributes();
        TextLine line{{},
                      attributes.value(QLatin1String("fill")).toString(),
                      attributes.value(QLatin1String("font-family")).toString()};
        line.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        lines.push_back(line);
    }
    EXPECT_FALSE(xml.hasError()) << name.toStdString() << ": " << xml.errorString().toStdString();
    return lines;
}

QStringList texts(const std::vector<TextLine> &lines) {
    QStringList out;
    for (const TextLine &line : lines)
        out << line.text;
    return out;
}

const QStringList kNoMidiDataWords = {
    QStringLiteral("MIDIファイルが見つかりません．"),
    QStringLiteral("以下のことを確認して下さい"),
    QStringLiteral("1.Dataフォルダは正しい位置にあるか？"),
    QStringLiteral("2.Dataフォルダに，正しい名前の40個のファイルがあるか？"),
};

const QString kCountInLine =
    QStringLiteral("予備拍が，２つ入ります（弱起のときは，２つめの予備拍とかぶることがあります）");

const QStringList kStaffPaperWords = {
    QStringLiteral("五線紙を用意して下さい．"),
    QStringLiteral("解答は，用意した五線紙に手書きして下さい．"),
    QStringLiteral("（都合により，音は15秒再生されます．曲が短かろうか長かろうが...）"),
};

TEST(PanelWords, MissingFilesPanelShowsTheChecklistLineByLine) {
    EXPECT_EQ(texts(textLines(QStringLiteral("panelNoMidiData"))), kNoMidiDataWords);
}

TEST(PanelWords, QuestionOpenedPanelStartsWithTheCountInLine) {
    EXPECT_EQ(texts(textLines(QStringLiteral("panelOpen"))),
              QStringList{kCountInLine} + kStaffPaperWords);
}

TEST(PanelWords, InitialPanelIsTheQuestionOpenedPanelWithoutTheCountInLine) {
    EXPECT_EQ(texts(textLines(QStringLiteral("panelInitial"))), kStaffPaperWords);
}

TEST(PanelWords, OnlyTheHeadingOfTheMissingFilesPanelIsRed) {
    const auto lines = textLines(QStringLiteral("panelNoMidiData"));
    ASSERT_EQ(lines.size(), 4u);
    auto isRed = [](const QString &fill) {
        const QColor c = QColor::fromString(fill).toHsv();
        return c.isValid() && (c.hue() <= 15 || c.hue() >= 345) && c.saturation() > 150 &&
               c.value() > 150;
    };
    EXPECT_TRUE(isRed(lines[0].fill)) << lines[0].fill.toStdString();
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_FALSE(isRed(lines[i].fill)) << "line " << i + 1;
}

class EveryPanel : public ::testing::TestWithParam<const char *> {};

TEST_P(EveryPanel, UsesTheInstalledJapaneseGothicFace) {
    const auto lines = textLines(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(lines.empty());
    for (const TextLine &line : lines)
        EXPECT_EQ(line.fontFamily, QStringLiteral("IPAPGothic")) << line.text.toStdString();
    EXPECT_TRUE(QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")))
        << "the IPA P Gothic font is not installed; the panels fall back to another face";
}

TEST_P(EveryPanel, DrawsNothingBeyondItsEdges) {
    // Render onto a larger canvas: a line too long for the panel shows up outside it
    // (and would be cut off in the program).
    constexpr int margin = 60;
    const QSize panel(550, 160);
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(QString::fromLatin1(GetParam())));
    ASSERT_TRUE(renderer.isValid());
    renderer.setViewBox(
        QRectF(-margin, -margin, panel.width() + 2 * margin, panel.height() + 2 * margin));
    QImage canvas(panel + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        renderer.render(&painter);
    }

    const int inside = countPixels(canvas, QRect(QPoint(margin, margin), panel), isVisible);
    const int everywhere = countPixels(canvas, canvas.rect(), isVisible);
    EXPECT_EQ(everywhere - inside, 0) << "something is drawn outside the panel";
}

INSTANTIATE_TEST_SUITE_P(Panels, EveryPanel,
                         ::testing::Values("panelNoMidiData", "panelOpen", "panelInitial"),
                         [](const auto &info) { return std::string(info.param); });

} // namespace
} // namespace miminomi
