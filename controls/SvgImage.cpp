#include "SvgImage.h"

#include <QMouseEvent>
#include <QPainter>

TSvgImage::TSvgImage(QWidget* parent)
    : QWidget(parent) {}

void TSvgImage::SetPicture(const QString& resourcePath) {
    if (resourcePath == m_picture) {
        return;
    }
    m_picture = resourcePath;
    if (resourcePath.isEmpty()) {
        m_renderer.load(QByteArray());
    } else {
        m_renderer.load(resourcePath);
    }
    updateGeometry();
    update();
}

QSize TSvgImage::sizeHint() const {
    return m_renderer.isValid() ? m_renderer.defaultSize() : QSize(0, 0);
}

void TSvgImage::paintEvent(QPaintEvent*) {
    if (!m_renderer.isValid()) {
        return;
    }
    const QSizeF picture = m_renderer.defaultSize();
    const QRectF target(QPointF((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                        picture);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, target);
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
