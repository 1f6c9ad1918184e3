// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace miminomi::ChartStyle {

// The calm colours the statistics charts share: a light panel, soft grid lines, green for right
// answers and coral for wrong ones.
inline const QColor panel(251, 252, 253);
inline const QColor grid(216, 221, 228);
inline const QColor axisText(110, 118, 130);
inline const QColor text(45, 52, 62);
inline const QColor right(67, 160, 100);
inline const QColor wrong(238, 128, 110);
inline const QColor trendLine(140, 200, 160);
/// The day points of the trend; no other part of a chart is drawn in it.
inline const QColor trendPoint(32, 120, 70);
inline const QColor countBar(190, 203, 220);

} // namespace miminomi::ChartStyle
