#include "SvgImage.h"

#include "PrerenderedPictures.h"

#include <QMouseEvent>
#include <QPainter>

TSvgImage::TSvgImage(QWidget* parent)
    : QWidget(parent) {}

void TSvgImage::SetPicture(const QString& resourcePath) {
    if (resourcePath == m_picture) {
        return;
    }
    m_picture = resourcePath;
    m_renderer.reset();
    m_prerendered =
        resourcePath.isEmpty() ? QImage() : PrerenderedPictures::Picture(resourcePath.mid(2));
    updateGeometry();
    update();
}

QSvgRenderer& TSvgImage::Renderer() const {
    if (m_renderer == nullptr) {
        m_renderer = m_picture.isEmpty() ? std::make_unique<QSvgRenderer>()
                                         : std::make_unique<QSvgRenderer>(m_picture);
    }
    return *m_renderer;
}

// The build renders a picture at the vectors' own size.
QSize TSvgImage::PictureSize() const {
    if (!m_prerendered.isNull()) {
        return m_prerendered.size();
    }
    return Renderer().isValid() ? Renderer().defaultSize() : QSize(0, 0);
}

QSize TSvgImage::sizeHint() const {
    return PictureSize();
}

void TSvgImage::paintEvent(QPaintEvent*) {
    const QSizeF picture = PictureSize();
    if (picture.isEmpty()) {
        return;
    }
    const QRectF target(QPointF((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                        picture);
    QPainter painter(this);
    if (!m_prerendered.isNull() && devicePixelRatio() == 1.0 &&
        target.topLeft() == target.topLeft().toPoint()) {
        painter.drawImage(target.topLeft(), m_prerendered);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    Renderer().render(&painter, target);
}

void TSvgImage::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TSvgImage::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: the click counts when the button is let go over the picture.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

void TSvgImage::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click makes no click of its own (the base class would pass it
    // on as a press).
    m_pressed = false;
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    event->accept();
}
