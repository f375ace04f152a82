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

    // The pixel layout relies on this font; a missing one would fall back silently. The
    // application was built while the font configuration was read ahead, as the program's is.
    void compactFontAtElevenPixels() {
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.pixelSize(), 11);
    }

    void fontConfigReaderEnds_data() {
        QTest::addColumn<bool>("waited");
        QTest::newRow("waited on") << true;
        QTest::newRow("destroyed while reading") << false;
    }
    void fontConfigReaderEnds() {
        QFETCH(bool, waited);
        const int threadsBefore = VarnexTest::ThreadCount();
        {
            TFontConfigWarmUp warmUp;
            if (waited) {
                warmUp.Wait();
                QCOMPARE(VarnexTest::ThreadCount(), threadsBefore);
            }
        }
        QCOMPARE(VarnexTest::ThreadCount(), threadsBefore);
    }
};

VARNEX_TEST_MAIN(TestVarnexApplication)
#include "tst_VarnexApplication.moc"
