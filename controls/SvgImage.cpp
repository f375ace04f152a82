#include "SvgImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QtEndian>
#include <bit>

namespace {

// The pixels the build rendered from the picture of that resource path, or none: two
// little-endian 32-bit numbers, width and height, then premultiplied ARGB pixels, which are used
// in place where the machine keeps numbers the same way.
QImage PrerenderedPicture(const QString& resourcePath) {
    if constexpr (std::endian::native != std::endian::little) {
        return {};
    }
    const QResource resource(QStringLiteral(":/prerendered/") + resourcePath.mid(2));
    constexpr qint64 HeaderSize = 8;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < HeaderSize) {
        return {};
    }
    const uchar* bytes = resource.data();
    const auto width = qFromLittleEndian<quint32>(bytes);
    const auto height = qFromLittleEndian<quint32>(bytes + 4);
    if (width > 4096 || height > 4096 ||
        resource.size() != HeaderSize + qint64(width) * qint64(height) * 4) {
        return {};
    }
    return QImage(bytes + HeaderSize, int(width), int(height), int(width) * 4,
                  QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TSvgImage::TSvgImage(QWidget* parent)
    : QWidget(parent) {
    // The pre-rendered pictures live in the library's code: this pulls them into the program.
    static const bool prerenderedPictures = [] {
        Q_INIT_RESOURCE(prerendered);
        return true;
    }();
    (void)prerenderedPictures;
}

void TSvgImage::SetPicture(const QString& resourcePath) {
    if (resourcePath == m_picture) {
        return;
    }
    m_picture = resourcePath;
    if (resourcePath.isEmpty()) {
        m_renderer.load(QByteArray());
        m_prerendered = QImage();
    } else {
        m_renderer.load(resourcePath);
        m_prerendered = PrerenderedPicture(resourcePath);
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
    if (!m_prerendered.isNull() && devicePixelRatio() == 1.0 &&
        QSizeF(m_prerendered.size()) == picture && target.topLeft() == target.topLeft().toPoint()) {
        painter.drawImage(target.topLeft(), m_prerendered);
        return;
    }
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
