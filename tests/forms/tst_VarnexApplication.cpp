#include "VarnexTest.h"

#include <QFontInfo>
#include <QTest>

class TestVarnexApplication : public QObject {
    Q_OBJECT

private slots:
    void identity() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Varnex"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Korvex Group"));
    }

    // The pixel layout relies on this font; a missing one would fall back silently.
    void compactFontAtElevenPixels() {
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.pixelSize(), 11);
    }
};

VARNEX_TEST_MAIN(TestVarnexApplication)
#include "tst_VarnexApplication.moc"
