#include "PrerenderedPictures.h"

#include <QResource>
#include <QtEndian>
#include <bit>

// The pictures live in the library's code: this pulls them into the program. Outside any
// namespace, as the resource's own initialiser is.
static void LinkPrerenderedPictures() {
    static const bool linked = [] {
        Q_INIT_RESOURCE(prerendered);
        return true;
    }();
    (void)linked;
}

namespace PrerenderedPictures {

QImage Picture(const QString& name) {
    LinkPrerenderedPictures();
    // Two little-endian 32-bit numbers, width and height, then premultiplied ARGB pixels.
    if constexpr (std::endian::native != std::endian::little) {
        return {};
    }
    const QResource resource(QStringLiteral(":/prerendered/") + name);
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

} // namespace PrerenderedPictures
