// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/Theme.h"

#include <QApplication>

#include <cstdlib>

namespace miminomi::bench {

/// The application on Qt's offscreen platform at scale 1, with the program's look, so that a
/// window's painting is timed alike on every machine.
class OffscreenApplication {
public:
    explicit OffscreenApplication(char *program)
        : arguments{program, nullptr},
          application((setenv("QT_QPA_PLATFORM", "offscreen", 1), unsetenv("QT_SCALE_FACTOR"),
                       unsetenv("QT_FONT_DPI"), count),
                      arguments) {
        Theme::apply();
    }

private:
    int count = 1;
    char *arguments[2];
    QApplication application;
};

} // namespace miminomi::bench
