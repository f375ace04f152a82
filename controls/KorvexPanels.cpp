#include "KorvexPanels.h"

#include "Feedback.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

// Draws a three-dimensional frame of the given width just inside the rectangle: top and left
// edges in one colour, bottom and right edges (with the top-right and bottom-left corners) in the
// other. Returns the rectangle inside the frame.
QRect PaintFrame3D(QPainter& painter, const QRect& rect, int width, const QColor& topLeft,
                   const QColor& bottomRight) {
    QRect ring = rect;
    for (int i = 0; i < width && !ring.isEmpty(); ++i) {
        painter.fillRect(ring.left(), ring.top(), ring.width() - 1, 1, topLeft);
        painter.fillRect(ring.left(), ring.top(), 1, ring.height() - 1, topLeft);
        painter.fillRect(ring.right(), ring.top(), 1, ring.height(), bottomRight);
        painter.fillRect(ring.left(), ring.bottom(), ring.width(), 1, bottomRight);
        ring.adjust(1, 1, -1, -1);
    }
    return rect.adjusted(width, width, -width, -width);
}

int VerticalFlag(TKorvexCustomPanel::TVerticalAlignment alignment) {
    switch (alignment) {
    case TKorvexCustomPanel::vaBottom:
        return Qt::AlignBottom;
    case TKorvexCustomPanel::vaTop:
        return Qt::AlignTop;
    case TKorvexCustomPanel::vaMiddle:
        break;
    }
    return Qt::AlignVCenter;
}

} // namespace

TKorvexCustomPanel::TKorvexCustomPanel(QWidget* parent)
    : QFrame(parent) {
    setBackgroundRole(QPalette::Button);
}

void TKorvexCustomPanel::SetCaption(const QString& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    update();
}

void TKorvexCustomPanel::SetAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment) {
        return;
    }
    m_alignment = alignment;
    update();
}

void TKorvexCustomPanel::SetBevelInner(TPanelBevel bevel) {
    if (bevel == m_bevelInner) {
        return;
    }
    m_bevelInner = bevel;
    update();
}

void TKorvexCustomPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel == m_bevelOuter) {
        return;
    }
    m_bevelOuter = bevel;
    update();
}

void TKorvexCustomPanel::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (width == m_bevelWidth) {
        return;
    }
    m_bevelWidth = width;
    update();
}

void TKorvexCustomPanel::SetBorderWidth(int width) {
    width = std::max(width, 0);
    if (width == m_borderWidth) {
        return;
    }
    m_borderWidth = width;
    update();
}

void TKorvexCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle) {
        return;
    }
    m_borderStyle = style;
    // A single border is the sunken two-pixel edge of a client area.
    setFrameStyle(style == bsSingle ? (QFrame::WinPanel | QFrame::Sunken) : QFrame::NoFrame);
    update();
}

QColor TKorvexCustomPanel::Color() const {
    return m_color.isValid() ? m_color : palette().color(backgroundRole());
}

void TKorvexCustomPanel::SetColor(const QColor& color) {
    const QColor shown = Color();
    m_color = color;
    if (Color() != shown) {
        update();
    }
}

void TKorvexCustomPanel::SetFullRepaint(bool fullRepaint) {
    setAttribute(Qt::WA_StaticContents, !fullRepaint);
}

void TKorvexCustomPanel::SetCaptionPadding(std::uint16_t padding) {
    if (padding == m_captionPadding) {
        return;
    }
    m_captionPadding = padding;
    update();
}

void TKorvexCustomPanel::SetGenerateOnPaint(bool generate) {
    m_generateOnPaint = generate;
}

void TKorvexCustomPanel::SetVerticalAlignment(TVerticalAlignment alignment) {
    if (alignment == m_verticalAlignment) {
        return;
    }
    m_verticalAlignment = alignment;
    update();
}

void TKorvexCustomPanel::SetVerticalCaptionPadding(std::uint16_t padding) {
    if (padding == m_verticalCaptionPadding) {
        return;
    }
    m_verticalCaptionPadding = padding;
    update();
}

QRect TKorvexCustomPanel::GetInnerRect() const {
    int inset = m_borderWidth;
    if (m_bevelInner != bvNone) {
        inset += m_bevelWidth;
    }
    if (m_bevelOuter != bvNone) {
        inset += m_bevelWidth;
    }
    return contentsRect().adjusted(inset, inset, -inset, -inset);
}

void TKorvexCustomPanel::Paint(QPainter& painter) {
    PaintBackground(painter);
    PaintCaption(painter);
    if (m_generateOnPaint && m_onPaint) {
        m_onPaint(*this, painter);
    }
}

void TKorvexCustomPanel::PaintBackground(QPainter& painter) {
    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const auto paintBevel = [&](const QRect& rect, TPanelBevel bevel) {
        return bevel == bvLowered ? PaintFrame3D(painter, rect, m_bevelWidth, shadow, highlight)
                                  : PaintFrame3D(painter, rect, m_bevelWidth, highlight, shadow);
    };

    QRect area = contentsRect();
    if (m_bevelOuter != bvNone) {
        area = paintBevel(area, m_bevelOuter);
    }
    // The border and the fill share the colour: one fill covers both, the inner bevel goes on top.
    painter.fillRect(area, Color());
    area.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    if (m_bevelInner != bvNone) {
        paintBevel(area, m_bevelInner);
    }
}

void TKorvexCustomPanel::PaintCaption(QPainter& painter) {
    if (m_caption.isEmpty()) {
        return;
    }
    const QRect area = GetInnerRect().adjusted(m_captionPadding, m_verticalCaptionPadding,
                                               -m_captionPadding, -m_verticalCaptionPadding);
    if (area.isEmpty()) {
        return;
    }
    const int flags = int(m_alignment) | VerticalFlag(m_verticalAlignment) | Qt::TextSingleLine |
                      Qt::TextExpandTabs;
    painter.save();
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(foregroundRole()));
    } else {
        // Engraved: a highlight copy one pixel down and right, the shadow copy on top.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, m_caption);
        painter.setPen(palette().color(QPalette::Dark));
    }
    painter.drawText(area, flags, m_caption);
    painter.restore();
}

void TKorvexCustomPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    Feedback::RunPaintGuarded("a panel", [&] { Paint(painter); });
}

TCanvasPanel::TCanvasPanel(QWidget* parent)
    : TKorvexCustomPanel(parent) {}

void TCanvasPanel::Erase() {
    m_erasing = true;
    repaint();
    m_erasing = false;
}

void TCanvasPanel::CopyRectToClipboard(const QRect& rect) {
    QClipboard* clipboard = QApplication::clipboard();
    if (rect.isEmpty()) {
        clipboard->clear();
        return;
    }
    // Parts of the rectangle outside the panel show its colour.
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Color());
    render(&image, QPoint(), QRegion(rect), QWidget::DrawChildren);
    clipboard->setImage(image);
}

void TCanvasPanel::Paint(QPainter& painter) {
    if (!m_erasing) {
        TKorvexCustomPanel::Paint(painter);
        return;
    }
    PaintBackground(painter);
    PaintCaption(painter);
}
