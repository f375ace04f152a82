#include "AddressText.h"

#include <QTest>

class TestAddressText : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QByteArray>("text");
        // "a.b.c.d/p", "a.b.c.d" without a prefix, empty when the text is no address.
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("plain") << QByteArray("10.1.2.3") << QByteArray("10.1.2.3");
        QTest::newRow("blanks and line end")
            << QByteArray(" \t192.168.0.1 \r\n") << QByteArray("192.168.0.1");
        QTest::newRow("prefix") << QByteArray("10.0.0.0/8") << QByteArray("10.0.0.0/8");
        QTest::newRow("blanks round the slash")
            << QByteArray("10.0.0.0 / 32") << QByteArray("10.0.0.0/32");
        QTest::newRow("extremes") << QByteArray("0.0.0.255/0") << QByteArray("0.0.0.255/0");
        QTest::newRow("leading zeros") << QByteArray("010.001.002.003") << QByteArray("10.1.2.3");
        QTest::newRow("octet beyond 255") << QByteArray("10.1.2.256") << QByteArray();
        QTest::newRow("four digits") << QByteArray("1000.1.2.3") << QByteArray();
        QTest::newRow("three octets") << QByteArray("10.1.2") << QByteArray();
        QTest::newRow("five octets") << QByteArray("10.1.2.3.4") << QByteArray();
        QTest::newRow("empty octet") << QByteArray("10..2.3") << QByteArray();
        QTest::newRow("trailing dot") << QByteArray("10.1.2.3.") << QByteArray();
        QTest::newRow("prefix beyond 32") << QByteArray("10.1.2.3/33") << QByteArray();
        QTest::newRow("empty prefix") << QByteArray("10.1.2.3/") << QByteArray();
        QTest::newRow("sign") << QByteArray("+10.1.2.3") << QByteArray();
        QTest::newRow("blank inside") << QByteArray("10.1 .2.3") << QByteArray();
        QTest::newRow("nothing") << QByteArray("  ") << QByteArray();
    }
    void parse() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, address);
        const std::optional<TDottedAddress> parsed = ParseDottedAddress(text.toStdString());
        QByteArray shown;
        if (parsed) {
            QByteArrayList octets;
            for (const std::uint8_t octet : parsed->octets) {
                octets.append(QByteArray::number(octet));
            }
            shown = octets.join('.');
            if (parsed->prefixLength) {
                shown += '/' + QByteArray::number(*parsed->prefixLength);
            }
        }
        QCOMPARE(shown, address);
    }
};

QTEST_APPLESS_MAIN(TestAddressText)
#include "tst_AddressText.moc"
