// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QStringList>

#include <ostream>

// How GoogleTest prints Qt values in a failure: as text, not as bytes.
inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &texts, std::ostream *out) {
    *out << '{' << texts.join("\", \"").prepend('"').append('"').toStdString() << '}';
}
inline void PrintTo(const QRect &rect, std::ostream *out) {
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}
