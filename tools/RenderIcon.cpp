// Build-time tool: renders an SVG picture into a square PNG of the given size.
// Usage: render_icon SOURCE.svg SIZE TARGET.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    // The build machine may have no display; rendering needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool sizeRead = false;
    const int size = arguments.size() == 4 ? arguments.at(2).toInt(&sizeRead) : 0;
    if (!sizeRead || size <= 0) {
        std::fputs("usage: render_icon SOURCE.svg SIZE TARGET.png\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!image.save(arguments.at(3), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(arguments.at(3)));
        return 1;
    }
    return 0;
}
