#include "PluginFreeStyle.h"

#include "PrerenderedPictures.h"

#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <optional>
#include <qdrawutil.h>

namespace {

// An icon that is the style's standard icon, asked for when first needed.
class TDeferredIconEngine : public QIconEngine {
public:
    TDeferredIconEngine(QStyle* style, QStyle::StandardPixmap standardIcon)
        : m_style(style)
        , m_standardIcon(standardIcon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // Asked by a button as its icon is set: answering must not read the icon yet.
    bool isNull() override { return m_icon ? m_icon->isNull() : false; }
    QString key() const override { return QStringLiteral("TDeferredIconEngine"); }
    QIconEngine* clone() const override { return new TDeferredIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (!m_icon) {
            // A style replaced since leaves no icon to read.
            m_icon = m_style != nullptr ? m_style->standardIcon(m_standardIcon) : QIcon();
        }
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_standardIcon;
    std::optional<QIcon> m_icon;
};

} // namespace

TPluginFreeStyle::TPluginFreeStyle(const QString& baseStyleName)
    : QProxyStyle(QStyleFactory::create(baseStyleName)) {
    if (baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
        m_groupBoxFrame =
            QPixmap::fromImage(PrerenderedPictures::Picture(QStringLiteral("FUSIONGROUPBOX")));
    }
}

QIcon TPluginFreeStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                     const QWidget* widget) const {
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new TDeferredIconEngine(baseStyle(), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void TPluginFreeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameTabWidget) {
        DrawInBands(element, option, painter, widget);
        return;
    }
    if (element != PE_FrameGroupBox || m_groupBoxFrame.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Placed as Fusion places its frame: below the title, or near the top without one.
    constexpr int TopMargin = 3;
    const auto* groupBox = qobject_cast<const QGroupBox*>(widget);
    const int top =
        groupBox != nullptr && !groupBox->isCheckable() && groupBox->title().isEmpty()
            ? TopMargin
            : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                  TopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                      m_groupBoxFrame);
}

void TPluginFreeStyle::DrawInBands(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    // Qt hands a fill of 96 rows or more to a thread pool, started on its first use: a window's
    // first paint would wait for new threads. Bands of fewer rows (also at a pixel ratio of 2)
    // stay on this thread; each pixel is still drawn once, so the result is the same.
    constexpr int BandRows = 32;
    const QRect& rect = option->rect;
    for (int top = rect.top(); top <= rect.bottom(); top += BandRows) {
        painter->save();
        painter->setClipRect(QRect(rect.left(), top, rect.width(), BandRows), Qt::IntersectClip);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->restore();
    }
}
