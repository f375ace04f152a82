#pragma once

#include <QProxyStyle>

// Tabs as narrow as their captions allow: the subnet calculator's four page captions then fit
// side by side into the panel's width, without scroll buttons.
class TCompactTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Space left and right of a tab's caption, together.
    static constexpr int TabCaptionSpace = 8;

    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
