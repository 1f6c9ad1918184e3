// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/Theme.h"

#include "app/services/Fonts.h"

#include <QApplication>
#include <QPalette>

namespace miminomi {

void Theme::apply() {
    Fonts::installSubstitutions();
    // Menus and dialogs without a font of their own use the Japanese UI face at the usual size.
    QApplication::setFont(Fonts::ui(9));

    // Disabled captions in a mid grey that stays readable on the grey buttons of the window.
    QPalette palette = QApplication::palette();
    const QColor grayText(109, 109, 109);
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, grayText);
    QApplication::setPalette(palette);
}

} // namespace miminomi
