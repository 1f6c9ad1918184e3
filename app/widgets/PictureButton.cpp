// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/PictureButton.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <utility>

namespace miminomi {

namespace {

enum class Script { hiragana, katakana, kanji, other };

Script scriptOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0x3040 && u <= 0x309F)
        return Script::hiragana;
    if (u >= 0x30A0 && u <= 0x30FF)
        return Script::katakana;
    if (u >= 0x4E00 && u <= 0x9FFF)
        return Script::kanji;
    return Script::other;
}

/// How good a line break before text[split] reads in Japanese: after a particle best (0), at
/// another change of script next (1), between two characters of one word last (2).
int breakQuality(const QString &text, int split) {
    const Script before = scriptOf(text[split - 1]);
    const Script after = scriptOf(text[split]);
    if (before == Script::hiragana && after != Script::hiragana)
        return 0;
    return before != after ? 1 : 2;
}

/// The text broken into two lines when it is too wide for one: at the most natural place where
/// both lines fit, the more even split among equally natural ones; left whole when it fits.
QString twoLines(const QString &text, const QFontMetrics &metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    int best = -1;
    std::pair<int, int> bestRank{3, 0}; // quality, then width of the wider line
    for (int split = 1; split < text.size(); ++split) {
        const int widest = std::max(metrics.horizontalAdvance(text.left(split)),
                                    metrics.horizontalAdvance(text.mid(split)));
        const std::pair<int, int> rank{widest <= width ? breakQuality(text, split) : 3, widest};
        if (best < 0 || rank < bestRank) {
            best = split;
            bestRank = rank;
        }
    }
    return text.left(best) + QLatin1Char('\n') + text.mid(best);
}

} // namespace

PictureButton::PictureButton(const QString &text, const QPixmap &picture, QWidget *parent)
    : QPushButton(text, parent), image(picture) {}

void PictureButton::setPicture(const QPixmap &picture) {
    image = picture;
    greyed = QPixmap();
    update();
}

void PictureButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    if (!image.isNull()) {
        if (!isEnabled() && greyed.isNull())
            greyed = QIcon(image).pixmap(image.size(), QIcon::Disabled);
        const QPixmap &shown = isEnabled() ? image : greyed;
        const QPoint topLeft((width() - image.width()) / 2, (height() - image.height()) / 2);
        painter.drawPixmap(topLeft, shown);
    }

    if (image.isNull()) {
        const QRect textArea = rect().adjusted(3, 2, -3, -2);
        painter.drawItemText(textArea, Qt::AlignCenter, palette(), isEnabled(),
                             twoLines(text(), fontMetrics(), textArea.width()),
                             QPalette::ButtonText);
    } else {
        painter.drawItemText(rect().adjusted(2, 2, -2, -4), Qt::AlignHCenter | Qt::AlignBottom,
                             palette(), isEnabled(), text(), QPalette::ButtonText);
    }
}

} // namespace miminomi
