#include "CompactTabStyle.h"

int TCompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace) {
        return TabCaptionSpace;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}
