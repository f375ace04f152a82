#include "DisplayTyping.h"

#include <QTest>

class TestDisplayTyping : public QObject {
    Q_OBJECT
private slots:
    void typing_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<char>("key");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("valueIsZero");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("typed");
        QTest::newRow("digit appended")
            << QByteArray("12") << '3' << 3 << false << false << QByteArray("123");
        QTest::newRow("digit after zero")
            << QByteArray("0") << '7' << 3 << true << false << QByteArray("07");
        QTest::newRow("full") << QByteArray("255") << '1' << 3 << false << true << QByteArray();
        QTest::newRow("full, leading zero shifts")
            << QByteArray("012") << '5' << 3 << false << false << QByteArray("125");
        QTest::newRow("full negative")
            << QByteArray("-12") << '3' << 3 << false << true << QByteArray();
        QTest::newRow("backspace")
            << QByteArray("123") << DisplayBackspace << 3 << false << false << QByteArray("12");
        QTest::newRow("backspace on zero")
            << QByteArray("0") << DisplayBackspace << 3 << true << false << QByteArray("0");
        QTest::newRow("backspace on empty")
            << QByteArray("") << DisplayBackspace << 3 << false << false << QByteArray("");
        QTest::newRow("minus negates")
            << QByteArray("42") << '-' << 3 << false << false << QByteArray("-42");
        QTest::newRow("minus on full display")
            << QByteArray("255") << '-' << 3 << false << false << QByteArray("-255");
        QTest::newRow("minus toggles back")
            << QByteArray("-42") << '-' << 3 << false << false << QByteArray("42");
        QTest::newRow("minus on zero")
            << QByteArray("0") << '-' << 3 << true << false << QByteArray("0");
        QTest::newRow("plus drops sign")
            << QByteArray("-42") << '+' << 3 << false << false << QByteArray("42");
        QTest::newRow("plus on positive")
            << QByteArray("42") << '+' << 3 << false << false << QByteArray("42");
        QTest::newRow("hex digit")
            << QByteArray("F") << 'A' << 2 << false << false << QByteArray("FA");
    }
    void typing() {
        QFETCH(QByteArray, text);
        QFETCH(char, key);
        QFETCH(int, maxLength);
        QFETCH(bool, valueIsZero);
        QFETCH(bool, refused);
        QFETCH(QByteArray, typed);
        const std::optional<std::string> result = TypedDisplayText(
            text.toStdString(), key, static_cast<std::size_t>(maxLength), valueIsZero);
        QCOMPARE(!result.has_value(), refused);
        if (result) {
            QCOMPARE(QByteArray::fromStdString(*result), typed);
        }
    }

    // Where pasted text stops being a number of the display's base; the digits' value is the
    // number's own reading.
    void pasting_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("read");
        const int dec = int(TDisplayBase::Decimal);
        const int hex = int(TDisplayBase::Hexadecimal);
        const int bin = int(TDisplayBase::Binary);
        QTest::newRow("grouped decimal")
            << dec << QByteArray(" -1,234 567\n") << QByteArray("-1234567");
        QTest::newRow("plus sign") << dec << QByteArray("+7") << QByteArray("7");
        QTest::newRow("sign alone") << dec << QByteArray("-") << QByteArray();
        QTest::newRow("sign inside") << dec << QByteArray("1-2") << QByteArray();
        QTest::newRow("blank") << dec << QByteArray(" \t") << QByteArray();
        QTest::newRow("eight hex digits after zeros")
            << hex << QByteArray("0X000012345678") << QByteArray("000012345678");
        QTest::newRow("nine hex digits") << hex << QByteArray("1 2345 6789") << QByteArray();
        QTest::newRow("hex lower case") << hex << QByteArray("be ef") << QByteArray("BEEF");
        QTest::newRow("comma in hex") << hex << QByteArray("1,000") << QByteArray();
        QTest::newRow("32 binary digits")
            << bin << QByteArray("0b11111111 11111111 11111111 11111111")
            << QByteArray("11111111111111111111111111111111");
        QTest::newRow("33 binary digits")
            << bin << QByteArray("1 00000000 00000000 00000000 00000000") << QByteArray();
        QTest::newRow("0x in binary") << bin << QByteArray("0x1") << QByteArray();
    }
    void pasting() {
        QFETCH(int, base);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, read);
        const std::optional<std::string> result =
            PastedDisplayText(text.toStdString(), static_cast<TDisplayBase>(base));
        QCOMPARE(result ? QByteArray::fromStdString(*result) : QByteArray(), read);
    }
};

QTEST_APPLESS_MAIN(TestDisplayTyping)
#include "tst_DisplayTyping.moc"
