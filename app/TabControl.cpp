#include "app/TabControl.h"

#include <QTabBar>

namespace miminomi {

TabControl::TabControl(QWidget *parent) : QTabWidget(parent), tabStyle(new CompactTabStyle) {
    tabStyle->setParent(this);
    tabBar()->setStyle(tabStyle);
    tabBar()->setExpanding(false);
    tabBar()->setElideMode(Qt::ElideNone);
    tabBar()->setUsesScrollButtons(false);
}

int TabControl::CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                             const QWidget *widget) const {
    if (metric == PM_TabBarTabHSpace)
        return 12;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace miminomi
