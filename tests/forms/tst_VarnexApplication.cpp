#include "VarnexError.h"
#include "VarnexTest.h"

#include <QFontInfo>
#include <QTest>
#include <QTimer>

class TestVarnexApplication : public QObject {
    Q_OBJECT

private slots:
    void init() { VarnexTest::ResetRecorders(); }

    // An error no handler caught reaches the box, and the event loop goes on.
    void escapedErrorIsCaughtByTheApplication() {
        bool laterEventRan = false;
        QTimer::singleShot(0, [] { throw EVarnexError("Range check error"); });
        QTimer::singleShot(1, [&] { laterEventRan = true; });
        QTRY_VERIFY(laterEventRan);
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Range check error.")});
    }

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
