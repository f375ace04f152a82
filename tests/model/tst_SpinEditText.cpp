#include "SpinEditText.h"

#include <QTest>

class TestSpinEditText : public QObject {
    Q_OBJECT
private slots:
    // Held value 7 throughout.
    void textValue_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("empty: the held value") << QByteArray("") << 7;
        QTest::newRow("digits") << QByteArray("22") << 22;
        QTest::newRow("leading minus") << QByteArray("-5") << -5;
        QTest::newRow("stray minus signs") << QByteArray("1-2-") << 12;
        QTest::newRow("minus signs only after the first") << QByteArray("--3") << -3;
        QTest::newRow("lone minus") << QByteArray("-") << 0;
        QTest::newRow("minus signs only") << QByteArray("---") << 0;
        QTest::newRow("blanks around") << QByteArray(" 12\t") << 12;
        QTest::newRow("blank before the minus") << QByteArray(" -12") << 12;
        QTest::newRow("plus") << QByteArray("+4") << 4;
        QTest::newRow("letters") << QByteArray("1a") << 0;
        QTest::newRow("int maximum") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("int minimum") << QByteArray("-2147483648") << int(-2147483648LL);
        QTest::newRow("beyond int") << QByteArray("2147483648") << 0;
        QTest::newRow("NUL") << QByteArray("1\0"
                                           "2",
                                           3)
                             << 0;
    }
    void textValue() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(SpinEditTextValue(text.toStdString(), 7), value);
    }
};

QTEST_APPLESS_MAIN(TestSpinEditText)
#include "tst_SpinEditText.moc"
