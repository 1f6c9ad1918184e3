#pragma once

#include <QProxyStyle>
#include <QTabWidget>

namespace miminomi {

/// A tab control whose tabs are as wide as their caption plus a small margin, so that the six
/// captions of the main window fit side by side in its fixed width.
class TabControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget *parent = nullptr);

private:
    /// The widget style with narrow horizontal padding inside each tab.
    class CompactTabStyle : public QProxyStyle {
    public:
        int pixelMetric(PixelMetric metric, const QStyleOption *option,
                        const QWidget *widget) const override;
    };

    CompactTabStyle *tabStyle;
};

} // namespace miminomi
