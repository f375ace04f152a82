#include "TextConversion.h"
#include "VarnexError.h"

#include <QTest>

class TestTextConversion : public QObject {
    Q_OBJECT
private slots:
    void integers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << QByteArray("192") << true << 192;
        QTest::newRow("leading zeros") << QByteArray("010") << true << 10;
        QTest::newRow("plus") << QByteArray("+7") << true << 7;
        QTest::newRow("minus") << QByteArray("-3") << true << -3;
        QTest::newRow("blanks around") << QByteArray(" \t12\n ") << true << 12;
        QTest::newRow("int maximum") << QByteArray("2147483647") << true << 2147483647;
        QTest::newRow("int minimum") << QByteArray("-2147483648") << true << int(-2147483648LL);
        QTest::newRow("empty") << QByteArray("") << false << 0;
        QTest::newRow("blanks only") << QByteArray("   ") << false << 0;
        QTest::newRow("blank between digits") << QByteArray("1 2") << false << 0;
        QTest::newRow("sign alone") << QByteArray("-") << false << 0;
        QTest::newRow("two signs") << QByteArray("+-5") << false << 0;
        QTest::newRow("blank after sign") << QByteArray("+ 5") << false << 0;
        QTest::newRow("above int") << QByteArray("2147483648") << false << 0;
        QTest::newRow("below int") << QByteArray("-2147483649") << false << 0;
        QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0;
        QTest::newRow("exponent") << QByteArray("1e3") << false << 0;
        QTest::newRow("trailing letter") << QByteArray("12a") << false << 0;
        QTest::newRow("decimal point") << QByteArray("1.0") << false << 0;
        QTest::newRow("NUL between digits") << QByteArray("1\0"
                                                          "2",
                                                          3)
                                            << false << 0;
        QTest::newRow("NUL after digits") << QByteArray("12\0", 3) << false << 0;
    }
    void integers() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::string typed = text.toStdString();
        if (valid) {
            QCOMPARE(StrToInt(typed), value);
            return;
        }
        try {
            StrToInt(typed);
            QFAIL("no error raised");
        } catch (const EVarnexError& error) {
            QCOMPARE(QByteArray::fromStdString(error.Message()),
                     "'" + text + "' is not a valid integer value");
        }
    }

    void floats_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("fraction") << QByteArray("1.5") << true << 1.5;
        QTest::newRow("negative") << QByteArray("-2") << true << -2.0;
        QTest::newRow("no integer part") << QByteArray(".5") << true << 0.5;
        QTest::newRow("exponent") << QByteArray("1E3") << true << 1000.0;
        QTest::newRow("blanks around") << QByteArray(" 10 ") << true << 10.0;
        QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
        QTest::newRow("point alone") << QByteArray(".") << false << 0.0;
        QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
        QTest::newRow("empty") << QByteArray("") << false << 0.0;
        QTest::newRow("beyond double") << QByteArray("1e400") << false << 0.0;
        QTest::newRow("infinity") << QByteArray("inf") << false << 0.0;
        QTest::newRow("not a number") << QByteArray("nan") << false << 0.0;
        QTest::newRow("decimal comma") << QByteArray("1,5") << false << 0.0;
        QTest::newRow("NUL in the fraction") << QByteArray("1.\0"
                                                           "5",
                                                           4)
                                             << false << 0.0;
    }
    void floats() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const std::string typed = text.toStdString();
        if (valid) {
            QCOMPARE(StrToFloat(typed), value);
            return;
        }
        try {
            StrToFloat(typed);
            QFAIL("no error raised");
        } catch (const EVarnexError& error) {
            QCOMPARE(QByteArray::fromStdString(error.Message()),
                     "'" + text + "' is not a valid floating point value");
        }
    }
};

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_TextConversion.moc"
