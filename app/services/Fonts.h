// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace miminomi {

/// The window fonts: the Windows family names the layout tables use, mapped once to the installed
/// Japanese, serif and sans faces, and sized in pixels so the layout is the same at every DPI.
class Fonts {
public:
    static inline const QString uiGothic = QStringLiteral("MS UI Gothic");
    static inline const QString gothic = QStringLiteral("ＭＳ ゴシック");
    static inline const QString century = QStringLiteral("Century");
    static inline const QString sansSerif = QStringLiteral("Microsoft Sans Serif");

    /// Maps the Windows family names to the installed faces; call once before any window exists.
    static void installSubstitutions();

    /// A font of `family` at `points`, converted to pixels at 96 dots per inch.
    static QFont make(const QString &family, double points, bool bold = false);
    static QFont ui(double points, bool bold = false) { return make(uiGothic, points, bold); }
    static QFont mono(double points, bool bold = false) { return make(gothic, points, bold); }

    /// Pixel size of a point size at 96 dots per inch, rounded.
    static int pixels(double points);

    /// The face of the staff notation: FreeSerif, whose Musical Symbols (U+1D100...) and the
    /// signs of U+266D...U+266F draw clefs, noteheads, flags, accidentals and rests, and whose
    /// bold figures write time signatures. Set at a 100-pixel reference size that the staff
    /// scales to its own.
    static inline const QString notationFamily = QStringLiteral("FreeSerif");
    static QFont notation(bool bold = false);
    /// Whether the notation face is installed; without it the staff draws with whatever face
    /// holds the symbols.
    static bool hasNotation();
};

} // namespace miminomi
