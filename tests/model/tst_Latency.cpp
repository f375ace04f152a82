#include "LatencyTestChains.h"
#include "VarnexError.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr auto Node = &TTestChain::Node;
constexpr auto Network = &TTestChain::Network;

// Every result an element holds, for comparing states.
std::vector<float> Results(const TTestChain& chain) {
    std::vector<float> results;
    for (const TNetworkElement& e : chain.Elements()) {
        results.insert(results.end(), {e.DelayAtoB, e.DelayRoundTrip, e.DelayBtoA, e.ShareAtoB,
                                       e.ShareRoundTrip, e.ShareBtoA});
    }
    return results;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The table's rows as "delay share" pairs for one direction.
QStringList Rows(const TTestChain& chain, TPacketDirection direction) {
    QStringList rows;
    for (const TNetworkElement& e : chain.Elements()) {
        rows << Text(FormatDelay(ElementDelayFor(e, direction)) + " " +
                     FormatShare(ElementShareFor(e, direction)));
    }
    return rows;
}

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EVarnexError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

constexpr const char* GermanLocale = "de_DE.UTF-8";

} // namespace

Q_DECLARE_METATYPE(TNetworkButtonKind)
Q_DECLARE_METATYPE(TPacketDirection)

class TestLatency : public QObject {
    Q_OBJECT

private slots:
    void elementDelay_data() {
        QTest::addColumn<TNetworkButtonKind>("kind");
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<int>("propDelay");
        QTest::addColumn<int>("processTime");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("Ethernet 10 Mbps, 64 bytes")
            << nbEthernet << 10.0 << 0 << 0 << 64 << "0.0000672";
        QTest::newRow("Ethernet 10 Mbps, 1024 bytes")
            << nbEthernet << 10.0 << 0 << 0 << 1024 << "0.0008352";
        QTest::newRow("Ethernet 10 Mbps, 0 bytes: the overhead alone")
            << nbEthernet << 10.0 << 0 << 0 << 0 << "0.0000160";
        QTest::newRow("T1 1.544 Mbps, 5 ms, 64 bytes")
            << nbTCarrier << 1.544 << 5 << 0 << 64 << "0.0053316";
        QTest::newRow("T1, one transfer of both packets")
            << nbTCarrier << 1.544 << 5 << 0 << 1088 << "0.0106373";
        QTest::newRow("Satellite 0.512 Mbps, 270 ms, 64 bytes")
            << nbSatellite << 0.512 << 270 << 0 << 64 << "0.2710000";
        QTest::newRow("Satellite 0.512 Mbps, 270 ms, 1024 bytes")
            << nbSatellite << 0.512 << 270 << 0 << 1024 << "0.2860000";
        QTest::newRow("no overhead on another kind")
            << nbTokenRing << 10.0 << 0 << 0 << 64 << "0.0000512";
        QTest::newRow("bandwidth 0: the propagation delay alone")
            << nbX25 << 0.0 << 10 << 0 << 512 << "0.0100000";
        QTest::newRow("bandwidth 0, size 0 (0 / 0)") << nbATM << 0.0 << 3 << 0 << 0 << "0.0030000";
        QTest::newRow("a transmission time beyond the float range counts as 0")
            << nbOther << 1e-45 << 7 << 0 << 1000 << "0.0070000";
        QTest::newRow("a network's process time plays no part")
            << nbFDDI << 100.0 << 0 << 900 << 125 << "0.0000100";
        QTest::newRow("Node A: its processing time")
            << nbDesktopCPU << 10.0 << 70 << 5 << 64 << "0.0050000";
        QTest::newRow("Node B: the size plays no part")
            << nbTowerCPU << 0.0 << 0 << 20 << 2000000000 << "0.0200000";
        QTest::newRow("largest processing time")
            << nbTowerCPU << 0.0 << 0 << 2147483647 << 0 << "2147484.0000000";
    }
    void elementDelay() {
        QFETCH(TNetworkButtonKind, kind);
        QFETCH(double, bandwidth);
        QFETCH(int, propDelay);
        QFETCH(int, processTime);
        QFETCH(int, size);
        QFETCH(QString, seconds);
        TNetworkElement element;
        element.NetworkButtonKind = kind;
        element.Bandwidth = bandwidth;
        element.PropDelay = propDelay;
        element.ProcessTime = processTime;
        QCOMPARE(Text(FormatDelay(ElementDelay(element, size))), seconds);
    }

    // The delay against the plain formula: bits over bit rate, the Ethernet's 160 bits, the
    // propagation delay. Three roundings to float stay within four float steps of it.
    void elementDelayAgreesWithTheFormula() {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<int> kinds(0, nbX25);
        std::uniform_real_distribution<double> exponents(-3, 4);
        std::uniform_int_distribution<std::int32_t> delays(0, 1000);
        std::uniform_int_distribution<std::int32_t> sizes(0, 100000000);
        for (int i = 0; i < 5000; ++i) {
            TNetworkElement network;
            network.NetworkButtonKind = static_cast<TNetworkButtonKind>(kinds(random));
            network.Bandwidth = std::pow(10.0, exponents(random));
            network.PropDelay = delays(random);
            const std::int32_t size = sizes(random);
            const double bits = 8.0 * size + (network.NetworkButtonKind == nbEthernet ? 160 : 0);
            const double expected = bits / (network.Bandwidth * 1e6) + network.PropDelay / 1000.0;
            const double delay = ElementDelay(network, size);
            if (std::fabs(delay - expected) > 4 * std::ldexp(expected, -24)) {
                QFAIL(qPrintable(QStringLiteral("kind %1, %2 Mbps, %3 ms, %4 bytes: %5, not %6")
                                     .arg(network.NetworkButtonKind)
                                     .arg(network.Bandwidth, 0, 'g', 17)
                                     .arg(network.PropDelay)
                                     .arg(size)
                                     .arg(delay, 0, 'g', 9)
                                     .arg(expected, 0, 'g', 9)));
            }
        }
    }

    void elementDelayErrors_data() {
        QTest::addColumn<TNetworkButtonKind>("kind");
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<QString>("error");
        QTest::newRow("Ethernet at 0 Mbps") << nbEthernet << 0.0 << DivisionByZeroMessage;
        QTest::newRow("Ethernet at -0 Mbps") << nbEthernet << -0.0 << DivisionByZeroMessage;
        QTest::newRow("an overhead beyond the float range")
            << nbEthernet << 1e-300 << FloatOverflowMessage;
        QTest::newRow("an overhead just beyond the float range")
            << nbEthernet << 160 / 1e6 / 3.5e38 << FloatOverflowMessage;
        QTest::newRow("a bandwidth that is not a number")
            << nbEthernet << std::nan("") << InvalidFloatOperationMessage;
    }
    void elementDelayErrors() {
        QFETCH(TNetworkButtonKind, kind);
        QFETCH(double, bandwidth);
        QFETCH(QString, error);
        TNetworkElement element;
        element.NetworkButtonKind = kind;
        element.Bandwidth = bandwidth;
        QCOMPARE(ErrorOf([&] { ElementDelay(element, 64); }), error);
    }

    void exampleChain_data() {
        QTest::addColumn<TPacketDirection>("direction");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("total");
        QTest::newRow("A to B") << pdAtoB
                                << QStringList{"0.0050000 1.8%", "0.0000672 0.0%", "0.0053316 1.9%",
                                               "0.2710000 96.3%", "0.0000000 0.0%"}
                                << "0.2813988";
        QTest::newRow("round trip")
            << pdRoundTrip
            << QStringList{"0.0050000 0.8%", "0.0009024 0.2%", "0.0106373 1.8%", "0.5570000 93.8%",
                           "0.0200000 3.4%"}
            << "0.5935397";
        QTest::newRow("B to A") << pdBtoA
                                << QStringList{"0.0000000 0.0%", "0.0008352 0.3%", "0.0103057 3.2%",
                                               "0.2860000 90.2%", "0.0200000 6.3%"}
                                << "0.3171409";
    }
    void exampleChain() {
        QFETCH(TPacketDirection, direction);
        QFETCH(QStringList, rows);
        QFETCH(QString, total);
        TTestChain chain(TTestChain::Example());
        const TLatencyTotals totals = ComputeDelays(chain.Pointers());
        QCOMPARE(Rows(chain, direction), rows);
        QCOMPARE(Text(FormatDelay(TotalFor(totals, direction))), total);
    }

    void firstExample_data() {
        QTest::addColumn<TPacketDirection>("direction");
        QTest::addColumn<QString>("delay");
        QTest::newRow("A to B") << pdAtoB << "0.0000672";
        QTest::newRow("B to A") << pdBtoA << "0.0008352";
        QTest::newRow("round trip") << pdRoundTrip << "0.0009024";
    }
    void firstExample() {
        QFETCH(TPacketDirection, direction);
        QFETCH(QString, delay);
        TTestChain chain(TTestChain::FirstExample());
        const TLatencyTotals totals = ComputeDelays(chain.Pointers());
        QCOMPARE(Rows(chain, direction),
                 (QStringList{"0.0000000 0.0%", delay + " 100.0%", "0.0000000 0.0%"}));
        QCOMPARE(Text(FormatDelay(TotalFor(totals, direction))), delay);
    }

    // A total of 0 in one case takes every share of every element, even where the other totals
    // are not 0.
    void zeroTotalClearsAllShares() {
        TTestChain chain({Node(nbDesktopCPU, "Node A", 0, 0), Network(nbTCarrier, "T1", 1.544, 0),
                          Network(nbOther, "Lab", 100, 0), Node(nbTowerCPU, "Node B", 1024, 20)});
        const TLatencyTotals totals = ComputeDelays(chain.Pointers());
        QCOMPARE(totals.TotalAtoB, 0.0f);
        QVERIFY(totals.TotalRoundTrip > 0);
        QVERIFY(totals.TotalBtoA > 0);
        for (const TNetworkElement& e : chain.Elements()) {
            QCOMPARE(e.ShareAtoB, 0.0f);
            QCOMPARE(e.ShareRoundTrip, 0.0f);
            QCOMPARE(e.ShareBtoA, 0.0f);
        }
        QCOMPARE(Text(FormatDelay(chain.Elements()[1].DelayBtoA)), QStringLiteral("0.0053057"));
    }

    // The networks are summed before the nodes: a long processing time added first would make
    // each of the later small delays count as a whole float step.
    void totalsSumNetworksBeforeNodes() {
        std::vector<TNetworkElement> values{Node(nbDesktopCPU, "Node A", 0, 16777216)};
        for (int i = 0; i < 14; ++i) {
            values.push_back(Network(nbOther, "Lab", 0, 1));
        }
        values.push_back(Node(nbTowerCPU, "Node B", 0, 0));
        TTestChain chain(std::move(values));
        const TLatencyTotals totals = ComputeDelays(chain.Pointers());
        QCOMPARE(Text(FormatDelay(totals.TotalAtoB)), QStringLiteral("16777.2300000"));
        QCOMPARE(Text(FormatDelay(totals.TotalBtoA)), QStringLiteral("0.0140000"));
    }

    void roundTripTransfers_data() {
        QTest::addColumn<TNetworkButtonKind>("kind");
        QTest::addColumn<QString>("roundTrip");
        // 64 and 1024 bytes at 1 Mbps with 10 ms: two transfers count the 10 ms twice.
        QTest::newRow("Ethernet: two transfers") << nbEthernet << "0.0290240";
        QTest::newRow("Satellite: two transfers") << nbSatellite << "0.0287040";
        QTest::newRow("Frame Relay: one transfer") << nbFrameRelay << "0.0187040";
        QTest::newRow("unknown network: one transfer") << nbUnknownNetwork << "0.0187040";
    }
    void roundTripTransfers() {
        QFETCH(TNetworkButtonKind, kind);
        QFETCH(QString, roundTrip);
        TTestChain chain({Node(nbDesktopCPU, "Node A", 64, 0), Network(kind, "Net", 1, 10),
                          Node(nbTowerCPU, "Node B", 1024, 0)});
        ComputeDelays(chain.Pointers());
        QCOMPARE(Text(FormatDelay(chain.Elements()[1].DelayRoundTrip)), roundTrip);
    }

    void errorsLeaveResultsUnchanged_data() {
        QTest::addColumn<QList<int>>("networks");
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<int>("packetSizeB");
        QTest::addColumn<QString>("error");
        QTest::newRow("Ethernet at 0 Mbps")
            << QList<int>{1} << 0.0 << 1024 << DivisionByZeroMessage;
        QTest::newRow("packet sizes summing above the 32-bit range")
            << QList<int>{} << 0.0 << 2147483647 - 63 << IntegerOverflowMessage;
        QTest::newRow("an Ethernet overhead beyond the float range")
            << QList<int>{1} << 1e-300 << 1024 << FloatOverflowMessage;
        // 2.05e37 s for 64 bytes, 16 times that for 1024: each fits a float, their sum not.
        QTest::newRow("a satellite's round trip beyond the float range")
            << QList<int>{3} << 64 / 125000.0 / 2.05e37 << 1024 << FloatOverflowMessage;
        // 2e38 s for 1024 bytes on the T1 and the satellite: the round-trip total overflows.
        QTest::newRow("a total beyond the float range")
            << QList<int>{2, 3} << 1024 / 125000.0 / 2e38 << 1024 << FloatOverflowMessage;
    }
    void errorsLeaveResultsUnchanged() {
        QFETCH(QList<int>, networks);
        QFETCH(double, bandwidth);
        QFETCH(int, packetSizeB);
        QFETCH(QString, error);
        TTestChain chain(TTestChain::Example());
        const TLatencyTotals totals = ComputeDelays(chain.Pointers());
        const std::vector<float> before = Results(chain);
        for (int index : networks) {
            chain.Elements()[index].Bandwidth = bandwidth;
        }
        chain.Elements().back().PacketSize = packetSizeB;
        QCOMPARE(ErrorOf([&] { ComputeDelays(chain.Pointers()); }), error);
        QCOMPARE(Results(chain), before);
        // Once the input is sound again the same chain computes as before.
        TTestChain sound(TTestChain::Example());
        for (int index : networks) {
            chain.Elements()[index].Bandwidth = sound.Elements()[index].Bandwidth;
        }
        chain.Elements().back().PacketSize = sound.Elements().back().PacketSize;
        QCOMPARE(ComputeDelays(chain.Pointers()), totals);
        QCOMPARE(Results(chain), before);
    }

    void formatFixed_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("delay") << 0.0053316 << 7 << "0.0053316";
        QTest::newRow("trailing zeros kept") << 0.271 << 7 << "0.2710000";
        QTest::newRow("zero") << 0.0 << 7 << "0.0000000";
        QTest::newRow("negative zero has no sign") << -0.0 << 7 << "0.0000000";
        QTest::newRow("negative") << -0.0053316 << 7 << "-0.0053316";
        QTest::newRow("rounded to zero has no sign") << -0.00000004 << 7 << "0.0000000";
        QTest::newRow("below the last decimal, rounded down") << 0.00000004 << 7 << "0.0000000";
        QTest::newRow("half the last decimal, rounded up") << 0.00000005 << 7 << "0.0000001";
        QTest::newRow("share") << 96.3046 << 1 << "96.3";
        QTest::newRow("half up") << 0.05 << 1 << "0.1";
        QTest::newRow("just below half") << 0.04999999 << 1 << "0.0";
        QTest::newRow("seven digits first, then the decimals") << 0.049999999 << 1 << "0.1";
        QTest::newRow("carry into a new digit") << 99.95 << 1 << "100.0";
        QTest::newRow("carry from the seventh digit") << 9.99999951 << 1 << "10.0";
        QTest::newRow("only seven digits are significant") << 1234567.8 << 7 << "1234568.0000000";
        QTest::newRow("seven digits before the point") << 9999999.4 << 1 << "9999999.0";
        QTest::newRow("no decimals") << 123.456789 << 0 << "123";
        QTest::newRow("no decimals, half up") << 0.5 << 0 << "1";
        QTest::newRow("rounds up to eight digits") << 9999999.5 << 7 << "1.000000E+07";
        QTest::newRow("eight digits") << 12345678.0 << 7 << "1.234568E+07";
        QTest::newRow("negative, eight digits") << -12345678.0 << 1 << "-1.234568E+07";
        QTest::newRow("large") << 3.4028234e38 << 7 << "3.402823E+38";
        QTest::newRow("three-digit exponent") << 1e100 << 7 << "1.000000E+100";
    }
    void formatFixed() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(Text(FormatFixed(value, decimals)), text);
    }

    void formatFixedRefusesWhatIsNotFinite_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("inf") << HUGE_VAL;
        QTest::newRow("-inf") << -HUGE_VAL;
        QTest::newRow("nan") << std::nan("");
    }
    void formatFixedRefusesWhatIsNotFinite() {
        QFETCH(double, value);
        QCOMPARE(ErrorOf([&] { FormatFixed(value, 7); }), QString(FloatOverflowMessage));
    }

    void formatShare_data() {
        QTest::addColumn<float>("share");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1.0f << "100.0%";
        QTest::newRow("none") << 0.0f << "0.0%";
        QTest::newRow("a little") << 0.000239f << "0.0%";
        QTest::newRow("most") << 0.9630460f << "96.3%";
        QTest::newRow("half up after the multiplication") << 0.0185f << "1.9%";
    }
    void formatShare() {
        QFETCH(float, share);
        QFETCH(QString, text);
        QCOMPARE(Text(FormatShare(share)), text);
    }

    // Qt sets the C locale from the environment: a German one must not bring decimal commas.
    void formatsIgnoreTheLocale_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("general");
        QTest::addColumn<QString>("fixed");
        const std::vector<std::tuple<double, const char*, const char*>> values = {
            {10, "10", "10.0000000"},
            {0.056, "0.056", "0.0560000"},
            {155.52, "155.52", "155.5200000"},
            {1.544, "1.544", "1.5440000"},
            {0, "0", "0.0000000"},
            {0.5, "0.5", "0.5000000"},
            {123456.7, "123457", "123456.7000000"},
            {999999.5, "1E+06", "999999.5000000"},
            {1500000, "1.5E+06", "1500000.0000000"},
            {0.00001, "0.00001", "0.0000100"},
            {0.000012345, "0.000012345", "0.0000123"},
            {0.0000099, "9.9E-06", "0.0000099"},
            {0.000001, "1E-06", "0.0000010"},
            {-0.25, "-0.25", "-0.2500000"},
            {2.5e10, "2.5E+10", "2.500000E+10"},
        };
        for (const char* locale : {"C", GermanLocale}) {
            for (const auto& [value, general, fixed] : values) {
                QTest::addRow("%s %s", locale, general)
                    << QByteArray(locale) << value << general << fixed;
            }
        }
    }
    void formatsIgnoreTheLocale() {
        QFETCH(QByteArray, locale);
        QFETCH(double, value);
        QFETCH(QString, general);
        QFETCH(QString, fixed);
        if (std::setlocale(LC_ALL, locale.constData()) == nullptr) {
            QSKIP(qPrintable(QStringLiteral("Locale %1 is not installed (scripts/setup.sh "
                                            "generates it)")
                                 .arg(QString::fromLatin1(locale))));
        }
        // The locale really is in force: the C library writes its own decimal separator.
        char probe[8];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        const bool german = locale == GermanLocale;
        const QString generalText = Text(GeneralFormat(value));
        const QString fixedText = Text(FormatFixed(value, 7));
        std::setlocale(LC_ALL, "C");
        QCOMPARE(QString::fromLatin1(probe),
                 german ? QStringLiteral("0,5") : QStringLiteral("0.5"));
        QCOMPARE(generalText, general);
        QCOMPARE(fixedText, fixed);
    }
};

QTEST_APPLESS_MAIN(TestLatency)
#include "tst_Latency.moc"
