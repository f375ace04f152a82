#include "KorvexGlobal.h"

#include <QTest>

class TestKorvexGlobal : public QObject {
    Q_OBJECT

private slots:
    void characterTests_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("binary");
        QTest::addColumn<bool>("control");
        QTest::addColumn<bool>("decimal");
        QTest::addColumn<bool>("hex");
        QTest::newRow("0") << int('0') << true << false << true << true;
        QTest::newRow("1") << int('1') << true << false << true << true;
        QTest::newRow("2") << int('2') << false << false << true << true;
        QTest::newRow("9") << int('9') << false << false << true << true;
        QTest::newRow("/") << int('/') << false << false << false << false;
        QTest::newRow(":") << int(':') << false << false << false << false;
        QTest::newRow("A") << int('A') << false << false << false << true;
        QTest::newRow("F") << int('F') << false << false << false << true;
        QTest::newRow("G") << int('G') << false << false << false << false;
        QTest::newRow("@") << int('@') << false << false << false << false;
        QTest::newRow("a") << int('a') << false << false << false << true;
        QTest::newRow("f") << int('f') << false << false << false << true;
        QTest::newRow("g") << int('g') << false << false << false << false;
        QTest::newRow("`") << int('`') << false << false << false << false;
        QTest::newRow("NUL") << 0 << false << true << false << false;
        QTest::newRow("backspace") << 8 << false << true << false << false;
        QTest::newRow("unit separator") << 31 << false << true << false << false;
        QTest::newRow("space") << 32 << false << false << false << false;
        QTest::newRow("DEL") << 127 << false << false << false << false;
        QTest::newRow("128") << 128 << false << false << false << false;
        QTest::newRow("255") << 255 << false << false << false << false;
    }
    void characterTests() {
        QFETCH(int, code);
        QFETCH(bool, binary);
        QFETCH(bool, control);
        QFETCH(bool, decimal);
        QFETCH(bool, hex);
        const char c = static_cast<char>(code);
        QCOMPARE(IsBinaryDigit(c), binary);
        QCOMPARE(IsControlChar(c), control);
        QCOMPARE(IsDecimalDigit(c), decimal);
        QCOMPARE(IsHexDigit(c), hex);
    }

    // Every single-byte character, so that a high byte taken as negative cannot slip through.
    void membersAmongAllCharacters() {
        int binary = 0, control = 0, decimal = 0, hex = 0;
        for (int code = 0; code < 256; ++code) {
            const char c = static_cast<char>(code);
            binary += IsBinaryDigit(c);
            control += IsControlChar(c);
            decimal += IsDecimalDigit(c);
            hex += IsHexDigit(c);
        }
        QCOMPARE(binary, 2);
        QCOMPARE(control, 32);
        QCOMPARE(decimal, 10);
        QCOMPARE(hex, 22);
    }
};

QTEST_APPLESS_MAIN(TestKorvexGlobal)
#include "tst_KorvexGlobal.moc"
