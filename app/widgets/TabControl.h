// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>
#include <QTabWidget>

namespace miminomi {

/// A tab control laid out as the layout tables give it: every page at (4, 25) inside the control,
/// 8 pixels narrower and 29 lower than it, whatever the style and the caption font; tabs only as
/// wide as their caption plus a small margin, so that six captions fit side by side.
class TabControl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr QPoint pageOrigin{4, 25};
    /// The room around the pages: left and right, and above and below together.
    static constexpr QSize pageMargins{8, 29};

    explicit TabControl(QWidget *parent = nullptr);

private:
    /// The widget style with tabs that fit above the pages and narrow horizontal padding.
    class CompactTabStyle : public QProxyStyle {
    public:
        int pixelMetric(PixelMetric metric, const QStyleOption *option,
                        const QWidget *widget) const override;
        QRect subElementRect(SubElement element, const QStyleOption *option,
                             const QWidget *widget) const override;
    };

    CompactTabStyle *tabStyle;
};

} // namespace miminomi
