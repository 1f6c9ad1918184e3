// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace miminomi {

void Fonts::installSubstitutions() {
    // The Japanese faces list a Japanese-capable fallback after the first choice, so that no
    // glyph is ever drawn as a blank box even on a machine with only one of the IPA fonts.
    const auto substitute = [](const QString &family, std::initializer_list<const char *> faces) {
        QStringList list;
        for (const char *face : faces)
            list << QString::fromLatin1(face);
        QFont::insertSubstitutions(family, list);
    };
    substitute(uiGothic, {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"});
    substitute(gothic, {"IPAGothic", "IPAPGothic", "Noto Sans Mono CJK JP"});
    substitute(century, {"C059", "DejaVu Serif"});
    substitute(sansSerif, {"DejaVu Sans", "IPAPGothic"});
}

QFont Fonts::make(const QString &family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels(points));
    font.setBold(bold);
    // The Japanese faces hold every character the windows show, Latin ones included, so there is
    // no need to look for fallback faces; that search costs a fontconfig query per face, script
    // and style, a large share of the start-up time. The Latin faces keep their fallbacks for the
    // Japanese words drawn in them.
    const bool japanese = family == uiGothic || family == gothic;
    font.setStyleStrategy(japanese ? QFont::NoFontMerging : QFont::PreferDefault);
    return font;
}

QFont Fonts::notation(bool bold) {
    QFont font(notationFamily);
    font.setPixelSize(100);
    font.setBold(bold);
    // Outlines, never hinted to the pixel grid: the staff draws the glyphs as scaled paths.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool Fonts::hasNotation() {
    return QFontDatabase::families().contains(notationFamily);
}

int Fonts::pixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

} // namespace miminomi
