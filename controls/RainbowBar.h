#pragma once

#include "KorvexPanels.h"

#include <QColor>
#include <array>
#include <cstdint>
#include <functional>

// One coloured stripe of a rainbow bar: its colour and its share of the bar's inner height.
class TRainbowStripe {
public:
    using ChangeHandler = std::function<void(TRainbowStripe& sender)>;

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    // 0.25 is a quarter of the bar.
    float Value() const { return m_value; }
    void SetValue(float value);
    const ChangeHandler& OnChange() const { return m_onChange; }
    void SetOnChange(ChangeHandler handler) { m_onChange = std::move(handler); }

private:
    void Changed();

    QColor m_color;
    float m_value = 0.0f;
    ChangeHandler m_onChange;
};

inline constexpr int RainbowStripeCount = 16;

// Red, yellow, lime, blue, purple, black, maroon, green, olive, navy, teal, gray, silver,
// fuchsia, aqua, white: the colours that ResetStripes gives and the latency legend repeats.
inline constexpr std::array<QRgb, RainbowStripeCount> DefaultStripeColors = {
    qRgb(255, 0, 0),     qRgb(255, 255, 0), qRgb(0, 255, 0),   qRgb(0, 0, 255),
    qRgb(128, 0, 128),   qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),
    qRgb(128, 128, 0),   qRgb(0, 0, 128),   qRgb(0, 128, 128), qRgb(128, 128, 128),
    qRgb(192, 192, 192), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

// A vertical bar of coloured stripes stacked from the top, each as tall as its share of the
// inner height. Sixteen stripes exist; the first NumStripes are drawn.
class TRainbowBar : public TKorvexCustomPanel {
    Q_OBJECT
    Q_PROPERTY(quint8 NumStripes READ NumStripes WRITE SetNumStripes)

public:
    using ChangeHandler = std::function<void(TRainbowBar& sender)>;

    explicit TRainbowBar(QWidget* parent = nullptr);

    std::uint8_t NumStripes() const { return m_numStripes; }
    // Brought into 1..16; a new count resets the stripes to default colours and equal shares.
    void SetNumStripes(std::uint8_t count);
    // Stripes 0 to 15, drawn or not; any other index raises "Array index out of bounds: i".
    TRainbowStripe& Stripes(int index);
    const TRainbowStripe& Stripes(int index) const;
    const ChangeHandler& OnChange() const { return m_onChange; }
    void SetOnChange(ChangeHandler handler) { m_onChange = std::move(handler); }

    // The drawn stripes take the default colours and equal shares.
    void ResetStripes();
    // Repaints and notifies the owner, unless the stripes are being set up.
    void StripeChanged();

protected:
    void Paint(QPainter& painter) override;

private:
    // The bar paints no owner drawing.
    using TKorvexCustomPanel::GenerateOnPaint;
    using TKorvexCustomPanel::OnPaint;
    using TKorvexCustomPanel::SetGenerateOnPaint;
    using TKorvexCustomPanel::SetOnPaint;

    void PaintStripes(QPainter& painter);

    bool m_notifying = false;
    std::uint8_t m_numStripes = 5;
    std::array<TRainbowStripe, RainbowStripeCount> m_stripes;
    ChangeHandler m_onChange;
};
