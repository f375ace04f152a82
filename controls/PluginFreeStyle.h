#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The application's style, unchanged in looks, without the image reads that load every
// image-format plugin at start-up: the menu bar's extension icon is read from the style only when
// first drawn (the menu bar asks for it as it is made), the Fusion style's group-box frame is
// drawn from pixels taken from the style at build time, and a tab widget's frame is drawn without
// waking Qt's painting threads.
class TPluginFreeStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps the style of that name (the one the application would use).
    explicit TPluginFreeStyle(const QString& baseStyleName);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    // Draws what the base style draws, a band of rows at a time.
    void DrawInBands(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const;

    // The Fusion style's group-box frame, or a null pixmap where the base style draws its own.
    QPixmap m_groupBoxFrame;
};
