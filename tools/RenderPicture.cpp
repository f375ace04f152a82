// Build-time tool: renders an SVG picture at its own size, or reads an image file (a style's
// picture from Qt's resources too), into a PNG file (a TARGET ending in ".png": the installed
// icons) or into raw pixels that the program draws without decoding: two little-endian 32-bit
// numbers, width and height, then the rows of premultiplied ARGB pixels, each a little-endian
// 32-bit number.
// Usage: render_picture SOURCE TARGET [SIZE]  (SIZE: an SVG rendered into a square of that side)
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>

namespace {

void AppendNumber(QByteArray& bytes, quint32 number) {
    const quint32 stored = qToLittleEndian(number);
    bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

bool WriteRawPixels(const QImage& image, const QString& fileName) {
    QByteArray bytes;
    AppendNumber(bytes, static_cast<quint32>(image.width()));
    AppendNumber(bytes, static_cast<quint32>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            AppendNumber(bytes, row[x]);
        }
    }
    QFile target(fileName);
    return target.open(QIODevice::WriteOnly) && target.write(bytes) == bytes.size();
}

// As the picture control draws the vectors: antialiased, at the picture's own size unless a
// square side is given.
QImage Rendered(const QString& svg, int size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        return {};
    }
    const QSize imageSize = size > 0 ? QSize(size, size) : renderer.defaultSize();
    QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), imageSize));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    // The build machine may have no display; rendering needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The widgets library holds the styles' pictures.
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool sizeRead = arguments.size() == 3;
    const int size = arguments.size() == 4 ? arguments.at(3).toInt(&sizeRead) : 0;
    if (!sizeRead || size < 0) {
        std::fputs("usage: render_picture SOURCE TARGET [SIZE]\n", stderr);
        return 2;
    }
    const QImage image =
        arguments.at(1).endsWith(QLatin1String(".svg"))
            ? Rendered(arguments.at(1), size)
            : QImage(arguments.at(1)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "render_picture: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }

    const QString& target = arguments.at(2);
    const bool written = target.endsWith(QLatin1String(".png")) ? image.save(target, "PNG")
                                                                : WriteRawPixels(image, target);
    if (!written) {
        std::fprintf(stderr, "render_picture: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
