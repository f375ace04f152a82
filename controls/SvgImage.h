#pragma once

#include <QImage>
#include <QString>
#include <QSvgRenderer>
#include <QWidget>
#include <memory>

// A picture drawn from an SVG resource at its own size, centred in the control. It is drawn as
// vectors at paint time, so it stays sharp at any device pixel ratio; where the build pre-rendered
// the picture and it lands on whole pixels at a ratio of 1, those pixels are drawn instead, the
// same pixels at a fraction of the cost. Clicks and double-clicks are reported, as the logos and
// the about picture react to them.
class TSvgImage : public QWidget {
    Q_OBJECT
public:
    explicit TSvgImage(QWidget* parent = nullptr);

    // The resource path of the picture shown, such as ":/QUADRELLOGO"; empty shows nothing.
    QString Picture() const { return m_picture; }
    void SetPicture(const QString& resourcePath);

    QSize sizeHint() const override;

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The vectors, read when first needed: a pre-rendered picture needs them only where its pixels
    // do not fit.
    QSvgRenderer& Renderer() const;
    QSize PictureSize() const;

    QString m_picture;
    mutable std::unique_ptr<QSvgRenderer> m_renderer;
    QImage m_prerendered;
    bool m_pressed = false;
};
