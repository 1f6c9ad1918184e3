// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures compiled into the program: each one drawn for the size its control shows it, and
// the three 550 x 160 panels writing in the Japanese face.
#include "app/services/Pictures.h"
#include "tests/support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace miminomi {

/// Pixels of the area whose opacity is above `alpha`.
int pixelsOver(int alpha, const QImage &image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qAlpha(image.pixel(x, y)) > alpha ? 1 : 0;
    return count;
}

TEST(Pictures, EachIsDrawnForItsSizeFullBleedWhereItFillsItsControlAndClearOfCaptions) {
    const std::pair<const char *, QSize> pictures[] = {
        {"background", {800, 475}},      {"icon32", {32, 32}},         {"icon16", {16, 16}},
        {"buttonNext", {85, 82}},        {"buttonRetry", {85, 85}},    {"buttonCheck", {85, 85}},
        {"buttonSendMidi", {85, 85}},    {"result", {150, 400}},       {"markerRight", {64, 64}},
        {"markerWrong", {64, 64}},       {"gameOverGood", {128, 128}}, {"gameOverBad", {128, 128}},
        {"markRight", {40, 40}},         {"markWrong", {40, 40}},      {"about", {90, 136}},
        {"panelNoMidiData", {550, 160}}, {"panelOpen", {550, 160}},    {"panelInitial", {550, 160}},
    };
    const QStringList fullBleed = {"background",      "result",    "gameOverGood", "gameOverBad",
                                   "panelNoMidiData", "panelOpen", "panelInitial"};
    QStringList expected;
    for (const auto &[name, size] : pictures) {
        SCOPED_TRACE(name);
        expected << QString::fromLatin1(name) + ".svg";
        // A picture drawn for another size would be stretched or squeezed by its control.
        QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(name));
        EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));
        const QImage image =
            Pictures::load(name, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size);
        EXPECT_GT(pixelsOver(0, image, image.rect()), 0);
        if (fullBleed.contains(name)) {
            EXPECT_EQ(pixelsOver(254, image, image.rect()), size.width() * size.height())
                << "the control's own colour shows through";
        }
        // A button writes its caption over the lowest 16 of its 85 pixels.
        const int band = 16 - (85 - size.height()) / 2;
        const bool button = QByteArray(name).startsWith("button");
        EXPECT_TRUE(!button ||
                    pixelsOver(0, image, {0, size.height() - band, size.width(), band}) == 0);
        // The panels write in the Japanese face.
        QFile svg(QStringLiteral(":/assets/%1.svg").arg(name));
        EXPECT_TRUE(!QByteArray(name).startsWith("panel") ||
                    (svg.open(QIODevice::ReadOnly) &&
                     svg.readAll().count("font-family=\"IPAPGothic\"") >= 3));
    }
    // A misspelt name compiles silently and leaves a control without its picture.
    QStringList present = QDir(":/assets").entryList({"*.svg"});
    present.sort();
    expected.sort();
    EXPECT_EQ(present, expected);
    EXPECT_TRUE(Pictures::load("noSuchPicture", QSize(10, 10)).isNull());
}

} // namespace miminomi
