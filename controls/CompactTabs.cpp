#include "CompactTabs.h"

#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>

namespace {

class TCompactTabStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) {
            return 12;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

void UseCompactTabs(QTabWidget* pageControl) {
    QTabBar* tabs = pageControl->tabBar();
    // A style set on a widget is not owned by it: the tab bar's parent keeps it.
    auto* style = new TCompactTabStyle();
    style->setParent(tabs);
    tabs->setStyle(style);
}
