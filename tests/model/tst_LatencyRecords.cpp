#include "LatencyRecords.h"

#include <QTest>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

// The records are read and written here by byte offset, independently of the code under test.
namespace {

using TBytes = std::vector<std::uint8_t>;

qint32 Int32At(const std::uint8_t* bytes, int offset) {
    return qFromLittleEndian<qint32>(bytes + offset);
}

double DoubleAt(const std::uint8_t* bytes, int offset) {
    const quint64 bits = qFromLittleEndian<quint64>(bytes + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void PutInt32(TBytes& bytes, int offset, qint32 value) {
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

void PutDouble(TBytes& bytes, int offset, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint64>(bits, bytes.data() + offset);
}

// 1.544 Mbps at (75, 8), T1, 5 ms, with padding bytes that readers must ignore.
TBytes StoredNetwork() {
    TBytes bytes(24, 0xA5);
    PutDouble(bytes, 0, 1.544);
    PutInt32(bytes, 8, 75);
    bytes[12] = nbTCarrier;
    PutInt32(bytes, 16, 5);
    PutInt32(bytes, 20, 8);
    return bytes;
}

const TNetworkRecord Fallback{99.5, -1, nbX25, 77, -2};

} // namespace

Q_DECLARE_METATYPE(TNetworkRecord)

char* toString(const TNetworkRecord& r) {
    return QTest::toString(QStringLiteral("{%1 Mbps, left %2, kind %3, %4 ms, top %5}")
                               .arg(r.Bandwidth, 0, 'g', 17)
                               .arg(r.Left)
                               .arg(r.Kind)
                               .arg(r.PropDelay)
                               .arg(r.Top));
}

char* toString(const TNodeRecord& r) {
    return QTest::toString(
        QStringLiteral("{%1 bytes, %2 ms}").arg(r.PacketSize).arg(r.ProcessTime));
}

class TestLatencyRecords : public QObject {
    Q_OBJECT

private slots:
    void encodeNodeRecord_data() {
        QTest::addColumn<int>("packetSize");
        QTest::addColumn<int>("processTime");
        QTest::newRow("Node A") << 64 << 5;
        QTest::newRow("Node B") << 1024 << 20;
        QTest::newRow("limits") << std::numeric_limits<qint32>::max() << 0;
        QTest::newRow("negative") << -1 << std::numeric_limits<qint32>::min();
    }
    void encodeNodeRecord() {
        QFETCH(int, packetSize);
        QFETCH(int, processTime);
        const auto bytes = EncodeNodeRecord({packetSize, processTime});
        QCOMPARE(bytes.size(), std::size_t(8));
        QCOMPARE(Int32At(bytes.data(), 0), packetSize);
        QCOMPARE(Int32At(bytes.data(), 4), processTime);
        QCOMPARE(DecodeNodeRecord(bytes, {}), (TNodeRecord{packetSize, processTime}));
    }

    void encodeNetworkRecord_data() {
        QTest::addColumn<TNetworkRecord>("record");
        QTest::newRow("T1") << TNetworkRecord{1.544, 75, nbTCarrier, 5, 8};
        QTest::newRow("fresh network") << TNetworkRecord{0, 143, nbUnknownNetwork, 0, 8};
        QTest::newRow("Satellite") << TNetworkRecord{0.512, 210, nbSatellite, 270, 132};
        QTest::newRow("off the grid, negative edges") << TNetworkRecord{10, -37, nbEthernet, 0, -5};
        QTest::newRow("huge bandwidth, highest kind byte")
            << TNetworkRecord{1.7e308, 0x12345678, 255, std::numeric_limits<qint32>::max(),
                              std::numeric_limits<qint32>::min()};
    }
    void encodeNetworkRecord() {
        QFETCH(TNetworkRecord, record);
        const auto bytes = EncodeNetworkRecord(record);
        QCOMPARE(bytes.size(), std::size_t(24));
        QCOMPARE(DoubleAt(bytes.data(), 0), record.Bandwidth);
        QCOMPARE(Int32At(bytes.data(), 8), record.Left);
        QCOMPARE(bytes[12], record.Kind);
        QCOMPARE(bytes[13], std::uint8_t(0));
        QCOMPARE(bytes[14], std::uint8_t(0));
        QCOMPARE(bytes[15], std::uint8_t(0));
        QCOMPARE(Int32At(bytes.data(), 16), record.PropDelay);
        QCOMPARE(Int32At(bytes.data(), 20), record.Top);
        QCOMPARE(DecodeNetworkRecord(bytes, Fallback), record);
    }

    void decodeIgnoresPadding() {
        QCOMPARE(DecodeNetworkRecord(StoredNetwork(), Fallback),
                 (TNetworkRecord{1.544, 75, nbTCarrier, 5, 8}));
    }

    // A field the bytes cut off keeps the fallback's value; bytes past the record are ignored.
    void decodeNetworkOfAnyLength_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<TNetworkRecord>("record");
        QTest::newRow("empty") << 0 << Fallback;
        QTest::newRow("7 bytes: no field") << 7 << Fallback;
        QTest::newRow("8 bytes: the bandwidth") << 8 << TNetworkRecord{1.544, -1, nbX25, 77, -2};
        QTest::newRow("11 bytes") << 11 << TNetworkRecord{1.544, -1, nbX25, 77, -2};
        QTest::newRow("12 bytes: and the left edge")
            << 12 << TNetworkRecord{1.544, 75, nbX25, 77, -2};
        QTest::newRow("13 bytes: and the kind")
            << 13 << TNetworkRecord{1.544, 75, nbTCarrier, 77, -2};
        QTest::newRow("19 bytes") << 19 << TNetworkRecord{1.544, 75, nbTCarrier, 77, -2};
        QTest::newRow("20 bytes: and the delay")
            << 20 << TNetworkRecord{1.544, 75, nbTCarrier, 5, -2};
        QTest::newRow("23 bytes") << 23 << TNetworkRecord{1.544, 75, nbTCarrier, 5, -2};
        QTest::newRow("24 bytes: all") << 24 << TNetworkRecord{1.544, 75, nbTCarrier, 5, 8};
        QTest::newRow("40 bytes: all, the rest ignored")
            << 40 << TNetworkRecord{1.544, 75, nbTCarrier, 5, 8};
    }
    void decodeNetworkOfAnyLength() {
        QFETCH(int, length);
        QFETCH(TNetworkRecord, record);
        TBytes bytes = StoredNetwork();
        bytes.resize(length, 0x5A);
        QCOMPARE(DecodeNetworkRecord(bytes, Fallback), record);
    }

    void decodeNodeOfAnyLength_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("packetSize");
        QTest::addColumn<int>("processTime");
        QTest::newRow("empty") << 0 << 512 << 3;
        QTest::newRow("3 bytes") << 3 << 512 << 3;
        QTest::newRow("4 bytes: the packet size") << 4 << 1024 << 3;
        QTest::newRow("7 bytes") << 7 << 1024 << 3;
        QTest::newRow("8 bytes: both") << 8 << 1024 << 20;
        QTest::newRow("12 bytes: both, the rest ignored") << 12 << 1024 << 20;
    }
    void decodeNodeOfAnyLength() {
        QFETCH(int, length);
        QFETCH(int, packetSize);
        QFETCH(int, processTime);
        TBytes bytes(8);
        PutInt32(bytes, 0, 1024);
        PutInt32(bytes, 4, 20);
        bytes.resize(length, 0xFF);
        QCOMPARE(DecodeNodeRecord(bytes, {512, 3}), (TNodeRecord{packetSize, processTime}));
    }

    void networkKindFromOrdinal_data() {
        QTest::addColumn<int>("ordinal");
        QTest::addColumn<int>("kind");
        for (int ordinal = 0; ordinal <= nbX25; ++ordinal) {
            QTest::addRow("network kind %d", ordinal) << ordinal << ordinal;
        }
        QTest::newRow("Desktop CPU") << int(nbDesktopCPU) << int(nbUnknownNetwork);
        QTest::newRow("Tower CPU") << int(nbTowerCPU) << int(nbUnknownNetwork);
        QTest::newRow("first beyond the kinds") << 18 << int(nbUnknownNetwork);
        QTest::newRow("255") << 255 << int(nbUnknownNetwork);
    }
    void networkKindFromOrdinal() {
        QFETCH(int, ordinal);
        QFETCH(int, kind);
        const TNetworkButtonKind result =
            NetworkKindFromOrdinal(static_cast<std::uint8_t>(ordinal));
        QCOMPARE(int(result), kind);
        QVERIFY(!IsNode(result));
    }

    void sanitisedNetworkRecord_data() {
        QTest::addColumn<TNetworkRecord>("stored");
        QTest::addColumn<TNetworkRecord>("sanitised");
        const TNetworkRecord sound{1.544, 75, nbTCarrier, 5, 8};
        QTest::newRow("sound") << sound << sound;
        QTest::newRow("edges are the caller's") << TNetworkRecord{10, -500, nbEthernet, 0, 100000}
                                                << TNetworkRecord{10, -500, nbEthernet, 0, 100000};
        QTest::newRow("NaN bandwidth") << TNetworkRecord{std::nan(""), 75, nbTCarrier, 5, 8}
                                       << TNetworkRecord{0, 75, nbTCarrier, 5, 8};
        QTest::newRow("infinite bandwidth") << TNetworkRecord{HUGE_VAL, 75, nbTCarrier, 5, 8}
                                            << TNetworkRecord{0, 75, nbTCarrier, 5, 8};
        QTest::newRow("negative bandwidth") << TNetworkRecord{-1.544, 75, nbTCarrier, 5, 8}
                                            << TNetworkRecord{0, 75, nbTCarrier, 5, 8};
        QTest::newRow("-0 bandwidth") << TNetworkRecord{-0.0, 75, nbTCarrier, 5, 8}
                                      << TNetworkRecord{0, 75, nbTCarrier, 5, 8};
        QTest::newRow("negative delay") << TNetworkRecord{1.544, 75, nbTCarrier, -5, 8}
                                        << TNetworkRecord{1.544, 75, nbTCarrier, 0, 8};
        QTest::newRow("node kind") << TNetworkRecord{1.544, 75, nbTowerCPU, 5, 8}
                                   << TNetworkRecord{1.544, 75, nbUnknownNetwork, 5, 8};
        QTest::newRow("everything damaged") << TNetworkRecord{-HUGE_VAL, 75, 200, -1, 8}
                                            << TNetworkRecord{0, 75, nbUnknownNetwork, 0, 8};
    }
    void sanitisedNetworkRecord() {
        QFETCH(TNetworkRecord, stored);
        QFETCH(TNetworkRecord, sanitised);
        const TNetworkRecord result = SanitisedNetworkRecord(stored);
        QCOMPARE(result, sanitised);
        QVERIFY(!std::signbit(result.Bandwidth));
    }

    void sanitisedNodeRecord_data() {
        QTest::addColumn<int>("packetSize");
        QTest::addColumn<int>("processTime");
        QTest::addColumn<int>("sanitisedSize");
        QTest::addColumn<int>("sanitisedTime");
        QTest::newRow("sound") << 64 << 5 << 64 << 5;
        QTest::newRow("zero") << 0 << 0 << 0 << 0;
        QTest::newRow("negative size") << -64 << 5 << 0 << 5;
        QTest::newRow("negative time") << 64 << std::numeric_limits<qint32>::min() << 64 << 0;
        QTest::newRow("largest") << std::numeric_limits<qint32>::max() << 1
                                 << std::numeric_limits<qint32>::max() << 1;
    }
    void sanitisedNodeRecord() {
        QFETCH(int, packetSize);
        QFETCH(int, processTime);
        QFETCH(int, sanitisedSize);
        QFETCH(int, sanitisedTime);
        QCOMPARE(SanitisedNodeRecord({packetSize, processTime}),
                 (TNodeRecord{sanitisedSize, sanitisedTime}));
    }
};

QTEST_APPLESS_MAIN(TestLatencyRecords)
#include "tst_LatencyRecords.moc"
