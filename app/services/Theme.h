// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace miminomi {

/// The look shared by every window: the font substitutions, the application font and the colours
/// of disabled text. Apply once, after the QApplication exists and before any window is built.
class Theme {
public:
    static void apply();
};

} // namespace miminomi
