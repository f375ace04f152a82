#include "PluginFreeStyle.h"
#include "VarnexTest.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <memory>

namespace {

QImage TabWidgetFrame(const QStyle& style, QSize size, QTabBar::Shape shape, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QStyleOptionTabWidgetFrame option;
    option.rect = QRect(QPoint(0, 0), size);
    option.palette = QApplication::palette();
    option.shape = shape;
    QPainter painter(&image);
    style.drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter);
    return image;
}

} // namespace

class TestPluginFreeStyle : public QObject {
    Q_OBJECT
private slots:
    // A window's first paint would otherwise wait for Qt's painting threads to start.
    void tallTabWidgetFrameIsDrawnWithoutStartingThreads() {
        const TPluginFreeStyle style(QStringLiteral("fusion"));
        const int threadsBefore = VarnexTest::ThreadCount();
        TabWidgetFrame(style, QSize(276, 600), QTabBar::RoundedNorth, 1.0);
        QCOMPARE(VarnexTest::ThreadCount(), threadsBefore);
    }

    void tabWidgetFrameLooksAsTheBaseStyleDrawsIt_data() {
        QTest::addColumn<QString>("styleName");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QTabBar::Shape>("shape");
        QTest::addColumn<qreal>("pixelRatio");
        for (const QString& styleName : {QStringLiteral("fusion"), QStringLiteral("windows")}) {
            for (const qreal pixelRatio : {1.0, 1.5, 2.0}) {
                const QByteArray tag =
                    styleName.toLatin1() + " at " + QByteArray::number(pixelRatio);
                QTest::newRow(tag + ", the subnet pages")
                    << styleName << QSize(276, 290) << QTabBar::RoundedNorth << pixelRatio;
                QTest::newRow(tag + ", tabs below, rows not a multiple of a band")
                    << styleName << QSize(131, 97) << QTabBar::RoundedSouth << pixelRatio;
                QTest::newRow(tag + ", lower than a band")
                    << styleName << QSize(40, 9) << QTabBar::RoundedNorth << pixelRatio;
            }
        }
    }
    void tabWidgetFrameLooksAsTheBaseStyleDrawsIt() {
        QFETCH(QString, styleName);
        QFETCH(QSize, size);
        QFETCH(QTabBar::Shape, shape);
        QFETCH(qreal, pixelRatio);
        const std::unique_ptr<QStyle> base(QStyleFactory::create(styleName));
        const TPluginFreeStyle style(styleName);
        QCOMPARE(TabWidgetFrame(style, size, shape, pixelRatio),
                 TabWidgetFrame(*base, size, shape, pixelRatio));
    }
};

VARNEX_TEST_MAIN(TestPluginFreeStyle)
#include "tst_PluginFreeStyle.moc"
