#pragma once

#include <QFrame>
#include <cstdint>
#include <functional>

class QPainter;

// A panel that paints its own bevels, fill and caption, places the caption by horizontal and
// vertical alignment and padding, and then hands the painted surface to its owner's OnPaint.
// Coordinates are the widget's own; the single border style is a frame outside the client area.
class TKorvexCustomPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool FullRepaint READ FullRepaint WRITE SetFullRepaint)
    Q_PROPERTY(quint16 CaptionPadding READ CaptionPadding WRITE SetCaptionPadding)
    Q_PROPERTY(bool GenerateOnPaint READ GenerateOnPaint WRITE SetGenerateOnPaint)
    Q_PROPERTY(
        TVerticalAlignment VerticalAlignment READ VerticalAlignment WRITE SetVerticalAlignment)
    Q_PROPERTY(
        quint16 VerticalCaptionPadding READ VerticalCaptionPadding WRITE SetVerticalCaptionPadding)

public:
    enum TPanelBevel { bvNone, bvLowered, bvRaised };
    Q_ENUM(TPanelBevel)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
    enum TVerticalAlignment { vaBottom, vaMiddle, vaTop };
    Q_ENUM(TVerticalAlignment)

    using PaintHandler = std::function<void(TKorvexCustomPanel& sender, QPainter& painter)>;

    explicit TKorvexCustomPanel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    // Only the horizontal part counts: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel bevel);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Follows the palette's background role until a colour is set; an invalid colour returns
    // to the palette.
    QColor Color() const;
    void SetColor(const QColor& color);
    // False keeps what is already painted when the panel grows and paints only the new parts.
    bool FullRepaint() const { return !testAttribute(Qt::WA_StaticContents); }
    void SetFullRepaint(bool fullRepaint);

    std::uint16_t CaptionPadding() const { return m_captionPadding; }
    void SetCaptionPadding(std::uint16_t padding);
    bool GenerateOnPaint() const { return m_generateOnPaint; }
    void SetGenerateOnPaint(bool generate);
    TVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment alignment);
    std::uint16_t VerticalCaptionPadding() const { return m_verticalCaptionPadding; }
    void SetVerticalCaptionPadding(std::uint16_t padding);
    const PaintHandler& OnPaint() const { return m_onPaint; }
    void SetOnPaint(PaintHandler handler) { m_onPaint = std::move(handler); }

    // The client rectangle less the border and the bevels.
    QRect GetInnerRect() const;

protected:
    // Background, caption, then OnPaint while GenerateOnPaint holds.
    virtual void Paint(QPainter& painter);
    virtual void PaintBackground(QPainter& painter);
    virtual void PaintCaption(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TPanelBevel m_bevelInner = bvNone;
    TPanelBevel m_bevelOuter = bvLowered;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
    QColor m_color;
    std::uint16_t m_captionPadding = 2;
    bool m_generateOnPaint = true;
    TVerticalAlignment m_verticalAlignment = vaMiddle;
    std::uint16_t m_verticalCaptionPadding = 2;
    PaintHandler m_onPaint;
};

// A drawing surface: its owner draws in OnPaint, can wipe that drawing at once and can put any
// rectangle of what the panel shows on the clipboard as a picture.
class TCanvasPanel : public TKorvexCustomPanel {
    Q_OBJECT

public:
    explicit TCanvasPanel(QWidget* parent = nullptr);

    // Repaints background and caption now, without OnPaint, wiping what the owner drew.
    void Erase();
    // The pixels the panel (children included) shows inside the rectangle, in widget
    // coordinates, as an image of the rectangle's size in place of the clipboard's content.
    void CopyRectToClipboard(const QRect& rect);

protected:
    void Paint(QPainter& painter) override;

private:
    bool m_erasing = false;
};
