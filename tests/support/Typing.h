// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace miminomi::testing {

/// Types into the focused widget as a learner does: ASCII as keys, ↑ ↓ and ⌫ as Up, Down and
/// Backspace, and each run of other characters (kana, kanji) as an input method commits it.
inline void typeText(const QString &keys) {
    const auto special = [](QChar c) { return QStringLiteral("↑↓⌫").contains(c); };
    for (qsizetype k = 0; k < keys.size();) {
        const char16_t c = keys[k].unicode();
        QWidget *focus = QApplication::focusWidget();
        if (special(keys[k])) {
            QTest::keyClick(focus, c == u'↑'   ? Qt::Key_Up
                                   : c == u'↓' ? Qt::Key_Down
                                               : Qt::Key_Backspace);
            ++k;
        } else if (c < 128) {
            QTest::keyClicks(focus, QString(keys[k++]));
        } else {
            QInputMethodEvent commit;
            qsizetype end = k;
            while (end < keys.size() && keys[end].unicode() >= 128 && !special(keys[end]))
                ++end;
            commit.setCommitString(keys.mid(k, end - k));
            QApplication::sendEvent(focus, &commit);
            k = end;
        }
    }
}

} // namespace miminomi::testing
