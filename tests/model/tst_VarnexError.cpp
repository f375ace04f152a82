#include "VarnexError.h"

#include <QTest>

#include <climits>

class TestVarnexError : public QObject {
    Q_OBJECT
private slots:
    void checkedArithmetic_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<int>("result");
        QTest::newRow("max + 1") << INT_MAX << 1 << true << true << 0;
        QTest::newRow("max + 0") << INT_MAX << 0 << true << false << INT_MAX;
        QTest::newRow("min - 1") << INT_MIN << 1 << false << true << 0;
        QTest::newRow("min + 1 - 1") << INT_MIN + 1 << 1 << false << false << INT_MIN;
        QTest::newRow("-1 + min") << -1 << INT_MIN << true << true << 0;
        QTest::newRow("0 - min") << 0 << INT_MIN << false << true << 0;
        QTest::newRow("-1 - max") << -1 << INT_MAX << false << false << INT_MIN;
    }
    void checkedArithmetic() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, add);
        QFETCH(bool, overflows);
        QFETCH(int, result);
        try {
            const std::int32_t computed = add ? CheckedAdd(a, b) : CheckedSub(a, b);
            QVERIFY(!overflows);
            QCOMPARE(computed, result);
        } catch (const EVarnexError& error) {
            QVERIFY(overflows);
            QCOMPARE(QByteArray(error.what()), QByteArray("Integer overflow"));
        }
    }

    void rangeCheckedNarrowing_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("255") << 255 << true;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("256") << 256 << false;
        QTest::newRow("-1") << -1 << false;
    }
    void rangeCheckedNarrowing() {
        QFETCH(int, value);
        QFETCH(bool, fits);
        try {
            QCOMPARE(int(RangeChecked<std::uint8_t>(value)), value);
            QVERIFY(fits);
        } catch (const EVarnexError& error) {
            QVERIFY(!fits);
            QCOMPARE(QByteArray(error.what()), QByteArray("Range check error"));
        }
    }
};

QTEST_APPLESS_MAIN(TestVarnexError)
#include "tst_VarnexError.moc"
