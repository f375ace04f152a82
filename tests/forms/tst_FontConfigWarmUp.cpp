#include "FontConfigWarmUp.h"
#include "VarnexApplication.h"
#include "VarnexTest.h"

#include <QFontInfo>
#include <QTest>

class TestFontConfigWarmUp : public QObject {
    Q_OBJECT

private slots:
    // The application below was built while the configuration was read, as the program starts:
    // Qt takes the configuration read, with its fonts.
    void programFontIsFoundInTheConfigurationReadAhead() {
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.pixelSize(), 11);
    }

    void readerThreadEnds_data() {
        QTest::addColumn<bool>("waited");
        QTest::newRow("waited on") << true;
        QTest::newRow("destroyed while reading") << false;
    }

    void readerThreadEnds() {
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

int main(int argc, char** argv) {
    VarnexTest::UseOffscreenUnlessSet();
    TFontConfigWarmUp warmUp;
    VarnexApplication app(argc, argv);
    warmUp.Wait();
    TestFontConfigWarmUp test;
    return VarnexTest::Run(test, argc, argv);
}

#include "tst_FontConfigWarmUp.moc"
