// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/TabControl.h"

#include <QStyleOption>
#include <QTabBar>

#include <algorithm>

namespace miminomi {

namespace {

/// Height of a tab: the row of tabs then ends just above the pages' frame.
constexpr int tabHeight = 23;

} // namespace

TabControl::TabControl(QWidget *parent) : QTabWidget(parent), tabStyle(new CompactTabStyle) {
    tabStyle->setParent(this);
    setStyle(tabStyle);
    tabBar()->setStyle(tabStyle);
    tabBar()->setExpanding(false);
    tabBar()->setElideMode(Qt::ElideNone);
    tabBar()->setUsesScrollButtons(false);
}

int TabControl::CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                             const QWidget *widget) const {
    if (metric == PM_TabBarTabHSpace)
        return 12;
    if (metric == PM_TabBarTabVSpace && widget)
        return std::max(2, tabHeight - widget->fontMetrics().height());
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect TabControl::CompactTabStyle::subElementRect(SubElement element, const QStyleOption *option,
                                                  const QWidget *widget) const {
    if (element == SE_TabWidgetTabContents && qobject_cast<const TabControl *>(widget))
        return QRect(pageOrigin, option->rect.size() - pageMargins);
    return QProxyStyle::subElementRect(element, option, widget);
}

} // namespace miminomi
