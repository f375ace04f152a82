#include "RainbowBar.h"

#include "VarnexError.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

void TRainbowStripe::SetColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    if (rgb == m_color) {
        return;
    }
    m_color = rgb;
    Changed();
}

void TRainbowStripe::SetValue(float value) {
    if (value == m_value) {
        return;
    }
    m_value = value;
    Changed();
}

void TRainbowStripe::Changed() {
    if (m_onChange) {
        m_onChange(*this);
    }
}

TRainbowBar::TRainbowBar(QWidget* parent)
    : TKorvexCustomPanel(parent) {
    SetBevelOuter(bvNone);
    SetBorderStyle(bsSingle);
    setBackgroundRole(QPalette::Base);
    for (TRainbowStripe& stripe : m_stripes) {
        stripe.SetOnChange([this](TRainbowStripe&) { StripeChanged(); });
    }
    resize(81, 185);
    ResetStripes();
}

void TRainbowBar::SetNumStripes(std::uint8_t count) {
    count = std::clamp<std::uint8_t>(count, 1, RainbowStripeCount);
    if (count == m_numStripes) {
        return;
    }
    m_numStripes = count;
    ResetStripes();
    StripeChanged();
}

TRainbowStripe& TRainbowBar::Stripes(int index) {
    return const_cast<TRainbowStripe&>(std::as_const(*this).Stripes(index));
}

const TRainbowStripe& TRainbowBar::Stripes(int index) const {
    if (index < 0 || index >= RainbowStripeCount) {
        throw EVarnexError("Array index out of bounds: " + std::to_string(index));
    }
    return m_stripes[index];
}

void TRainbowBar::ResetStripes() {
    const float share = 1.0f / m_numStripes;
    m_notifying = false;
    for (int i = 0; i < m_numStripes; ++i) {
        m_stripes[i].SetColor(QColor::fromRgb(DefaultStripeColors[i]));
        m_stripes[i].SetValue(share);
    }
    m_notifying = true;
    StripeChanged();
}

void TRainbowBar::StripeChanged() {
    if (!m_notifying) {
        return;
    }
    update();
    if (m_onChange) {
        m_onChange(*this);
    }
}

void TRainbowBar::Paint(QPainter& painter) {
    PaintBackground(painter);
    PaintStripes(painter);
    PaintCaption(painter);
}

void TRainbowBar::PaintStripes(QPainter& painter) {
    const QRect inner = GetInnerRect();
    if (inner.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(inner);
    int y = inner.top();
    for (int i = 0; i < m_numStripes; ++i) {
        // Halves go to the even neighbour (the default rounding mode). Negative or undefined
        // shares draw nothing; whatever runs past the bottom is clipped.
        const double rows = std::nearbyint(inner.height() * double(m_stripes[i].Value()));
        if (!(rows > 0.0)) {
            continue;
        }
        const int stripeHeight = int(std::min(rows, double(inner.height())));
        painter.fillRect(inner.left(), y, inner.width(), stripeHeight, m_stripes[i].Color());
        y += stripeHeight;
    }
    painter.restore();
}
