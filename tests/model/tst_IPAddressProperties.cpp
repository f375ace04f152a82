#include "IPAddress.h"
#include "IPAddressTestSupport.h"

#include <QTest>
#include <algorithm>
#include <random>

using namespace IPAddressTest;
using namespace Qt::StringLiterals;

namespace {

// Everything below is computed from the prefix length N + S alone, without the model's masks.

std::uint32_t PrefixMask(unsigned prefix) {
    return prefix == 0 ? 0 : ~std::uint32_t{0} << (32 - prefix);
}

unsigned ClassfulBits(std::uint32_t address) {
    const unsigned firstOctet = address >> 24;
    return firstOctet < 128 ? 8 : firstOctet < 192 ? 16 : 24;
}

std::uint8_t NarrowedFirstOctet(unsigned firstOctet) {
    if (firstOctet == 0) {
        return 1;
    }
    if (firstOctet == 127) {
        return 126;
    }
    return static_cast<std::uint8_t>(std::min(firstOctet, 223u));
}

struct Expectation {
    std::uint32_t address;
    unsigned networkBits;
    unsigned subnetBits;
    bool rfc1878;

    unsigned HostBits() const { return 32 - networkBits - subnetBits; }
    std::uint32_t Span() const { return std::uint32_t{1} << HostBits(); }
    std::uint32_t ClassNetwork() const { return address & PrefixMask(networkBits); }
    std::uint32_t FirstUsableSubnet() const { return rfc1878 ? 0 : 1; }
    std::uint32_t LastUsableSubnet() const {
        return (std::uint32_t{1} << subnetBits) - (rfc1878 ? 1 : 2);
    }
    std::uint32_t FirstAllocatable() const {
        return ClassNetwork() + FirstUsableSubnet() * Span() + 1;
    }
    std::uint32_t LastAllocatable() const {
        return ClassNetwork() + LastUsableSubnet() * Span() + Span() - 2;
    }

    // The address after a write that clamps: low bits kept, first octet narrowed, bits capped.
    static Expectation AfterWrite(std::uint32_t written, unsigned subnetBits, bool rfc1878) {
        Expectation after{(std::uint32_t{NarrowedFirstOctet(written >> 24)} << 24) |
                              (written & 0x00FFFFFFu),
                          0, subnetBits, rfc1878};
        after.networkBits = ClassfulBits(after.address);
        after.subnetBits = std::min(subnetBits, 30 - after.networkBits);
        after.Clamp();
        return after;
    }

    void Clamp() {
        if (rfc1878) {
            return;
        }
        address = std::max(address, FirstAllocatable());
        address = std::min(address, LastAllocatable());
    }
};

TIPClassType ClassOf(const Expectation& e) {
    return static_cast<TIPClassType>(e.networkBits / 8 - 1);
}

Expectation Observed(const TIPAddSubnet& subnet) {
    return {subnet.Address(), subnet.NetworkBits(), subnet.SubnetBits(), subnet.RFC1878()};
}

std::string ExpectedBitMap(const Expectation& e) {
    std::string bits;
    const unsigned classPrefix = e.networkBits / 8; // the leading "0", "10" or "110"
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (bit < classPrefix) {
            bits += (e.address >> (31 - bit)) & 1 ? '1' : '0';
        } else {
            bits += bit < e.networkBits ? 'n' : bit < e.networkBits + e.subnetBits ? 's' : 'h';
        }
        if (bit % 8 == 7 && bit != 31) {
            bits += '.';
        }
    }
    return bits;
}

// The first disagreement between the subnet's figures and the prefix arithmetic, or empty.
QString PrefixDisagreement(const TIPAddSubnet& subnet) {
    const Expectation e = Observed(subnet);
    const unsigned firstOctet = e.address >> 24;
    if (firstOctet == 0 || firstOctet == 127 || firstOctet > 223) {
        return u"first octet %1"_s.arg(firstOctet);
    }
    if (subnet.NetworkBits() != ClassfulBits(e.address) ||
        subnet.GetClassLetter() != "ABC"[subnet.NetworkBits() / 8 - 1]) {
        return u"class %1 with %2 network bits"_s.arg(subnet.GetClassLetter())
            .arg(subnet.NetworkBits());
    }
    if (e.subnetBits < 1 || e.subnetBits > 30 - e.networkBits) {
        return u"subnet bits %1"_s.arg(e.subnetBits);
    }
    const std::uint32_t mask = PrefixMask(e.networkBits + e.subnetBits);
    const std::uint32_t classMask = PrefixMask(e.networkBits);
    const std::uint32_t network = e.address & mask;
    const struct {
        const char* name;
        std::int64_t actual;
        std::int64_t expected;
    } figures[] = {
        {"HostBits", subnet.HostBits(), e.HostBits()},
        {"MaxHosts", subnet.MaxHosts(), (std::int64_t{1} << e.HostBits()) - 2},
        {"MaxSubnets", subnet.MaxSubnets(),
         (std::int64_t{1} << e.subnetBits) - (e.rfc1878 ? 0 : 2)},
        {"ClassMask", subnet.ClassMask().Address(), classMask},
        {"FullMask", subnet.FullMask().Address(), mask},
        {"BitsMask", subnet.BitsMask().Address(), mask & ~classMask},
        {"NetworkID", subnet.NetworkID().Address(), network},
        {"SubnetID", subnet.SubnetID().Address(), network & ~classMask},
        {"HostID", subnet.HostID().Address(), e.address & ~mask},
        {"SubnetFirstHost", subnet.SubnetFirstHost().Address(), network + 1},
        {"SubnetLastHost", subnet.SubnetLastHost().Address(), network + e.Span() - 2},
        {"FirstAllocatable", subnet.FirstAllocatable().Address(), e.FirstAllocatable()},
        {"LastAllocatable", subnet.LastAllocatable().Address(), e.LastAllocatable()},
    };
    for (const auto& figure : figures) {
        if (figure.actual != figure.expected) {
            return u"%1 is %2, expected %3"_s.arg(QLatin1StringView(figure.name))
                .arg(figure.actual)
                .arg(figure.expected);
        }
    }
    if (subnet.BitMap() != ExpectedBitMap(e)) {
        return u"bit map %1"_s.arg(QString::fromStdString(subnet.BitMap()));
    }
    return {};
}

QString Describe(const TIPAddSubnet& subnet) {
    return u"%1 class %2 S=%3 R=%4"_s.arg(Dotted(subnet))
        .arg(subnet.GetClassLetter())
        .arg(subnet.SubnetBits())
        .arg(subnet.RFC1878());
}

bool SameState(const Expectation& a, const Expectation& b) {
    return a.address == b.address && a.networkBits == b.networkBits &&
           a.subnetBits == b.subnetBits && a.rfc1878 == b.rfc1878;
}

// One random operation on the subnet, through the network reference where it is virtual, and
// what the state must be afterwards. Returns a description of the operation.
class RandomStep {
public:
    explicit RandomStep(std::mt19937& random)
        : random_(random) {}

    QString Apply(TIPAddSubnet& subnet, bool& mayLieOutsideRange) {
        TIPAddNetwork& network = subnet;
        const Expectation before = Observed(subnet);
        switch (Pick(0, 4)) {
        case 0: {
            const auto value = static_cast<std::uint32_t>(random_());
            network.SetAddress(value);
            expected_ = Expectation::AfterWrite(value, before.subnetBits, before.rfc1878);
            mayLieOutsideRange = false;
            return u"SetAddress(%1)"_s.arg(Dotted(value));
        }
        case 1: {
            const auto index = static_cast<std::uint8_t>(Pick(0, 3));
            const unsigned shift = 24 - 8 * index;
            // Now and then the octet it already holds, which must change nothing.
            const auto value = static_cast<std::uint8_t>(
                Pick(0, 7) == 0 ? (before.address >> shift) & 0xFF : Pick(0, 255));
            network.SetByte(index, value);
            const std::uint32_t written =
                (before.address & ~(0xFFu << shift)) | (std::uint32_t{value} << shift);
            if (written == before.address) {
                expected_ = before;
            } else {
                expected_ = Expectation::AfterWrite(written, before.subnetBits, before.rfc1878);
                mayLieOutsideRange = false;
            }
            return u"SetByte(%1, %2)"_s.arg(index).arg(value);
        }
        case 2: {
            // Values past ctClassE too: a network turns them into class C without an error.
            const auto value = static_cast<TIPClassType>(Pick(0, 6));
            network.SetClassType(value);
            expected_ = before;
            const TIPClassType target = std::min(value, ctClassC);
            if (target != ClassOf(before)) {
                expected_.address = (std::uint32_t{IPClassTable[target].AssignedFirstOctet} << 24) |
                                    (before.address & 0x00FFFFFFu);
                expected_.networkBits = IPClassTable[target].NetworkBits;
                expected_.subnetBits = std::min(before.subnetBits, 30 - expected_.networkBits);
                mayLieOutsideRange = true;
            }
            return u"SetClassType(%1)"_s.arg(int(value));
        }
        case 3: {
            const auto value = static_cast<std::uint8_t>(Pick(0, 30));
            subnet.SetSubnetBits(value);
            const unsigned bits = std::clamp(unsigned{value}, 1u, 22u);
            expected_ = before;
            if (bits != before.subnetBits) {
                if (bits > before.subnetBits && bits > 30 - before.networkBits) {
                    const TIPClassType target = bits <= 14 ? ctClassB : ctClassA;
                    expected_.address =
                        (std::uint32_t{IPClassTable[target].AssignedFirstOctet} << 24) |
                        (before.address & 0x00FFFFFFu);
                    expected_.networkBits = IPClassTable[target].NetworkBits;
                }
                expected_.subnetBits = bits;
                expected_.Clamp();
                mayLieOutsideRange = false;
            }
            return u"SetSubnetBits(%1)"_s.arg(value);
        }
        default: {
            const bool value = Pick(0, 1) == 1;
            subnet.SetRFC1878(value);
            expected_ = before;
            expected_.rfc1878 = value;
            expected_.Clamp();
            mayLieOutsideRange = false;
            return u"SetRFC1878(%1)"_s.arg(value);
        }
        }
    }

    const Expectation& Expected() const { return expected_; }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::mt19937& random_;
    Expectation expected_{};
};

} // namespace

class TestIPAddressProperties : public QObject {
    Q_OBJECT

private slots:
    void randomOperationsAgreeWithPrefixArithmetic() {
        std::mt19937 random(20240611);
        for (int walk = 0; walk < 200; ++walk) {
            TIPAddSubnet subnet;
            // A new subnet is the one state allowed outside the allocation range.
            bool mayLieOutsideRange = true;
            RandomStep step(random);
            QString history;
            for (int count = 0; count < 500; ++count) {
                const QString before = Describe(subnet);
                const QString operation = step.Apply(subnet, mayLieOutsideRange);
                history = before + u" -> "_s + operation + u" -> "_s + Describe(subnet);
                const QString problem = PrefixDisagreement(subnet);
                QVERIFY2(problem.isEmpty(), qPrintable(history + u": "_s + problem));
                QVERIFY2(SameState(Observed(subnet), step.Expected()),
                         qPrintable(history + u": expected "_s + Dotted(step.Expected().address) +
                                    u" S="_s + QString::number(step.Expected().subnetBits)));
                const Expectation now = Observed(subnet);
                if (!now.rfc1878 && !mayLieOutsideRange) {
                    const bool inRange = now.subnetBits == 1
                                             ? now.address == now.LastAllocatable()
                                             : now.address >= now.FirstAllocatable() &&
                                                   now.address <= now.LastAllocatable();
                    QVERIFY2(inRange, qPrintable(history + u": outside the allocation range"_s));
                }
            }
        }
    }

    void subnetWalkMatchesEnumeration_data() {
        QTest::addColumn<QString>("network");
        QTest::addColumn<int>("subnetBits");
        QTest::addColumn<bool>("rfc1878");
        std::mt19937 random(1878);
        const auto randomOctet = [&] { return QString::number(random() % 256); };
        const struct {
            QStringList networks;
            int maxBits;
        } classes[] = {
            {{u"192.0.0.0"_s, u"223.255.255.0"_s,
              u"200."_s + randomOctet() + u'.' + randomOctet() + u".0"_s},
             6},
            {{u"128.0.0.0"_s, u"191.255.0.0"_s, u"172."_s + randomOctet() + u".0.0"_s}, 14},
            {{u"1.0.0.0"_s, u"126.0.0.0"_s, u"10.0.0.0"_s}, 12},
        };
        for (const auto& networkClass : classes) {
            for (const QString& network : networkClass.networks) {
                for (int bits = 1; bits <= networkClass.maxBits; ++bits) {
                    for (const bool rfc1878 : {false, true}) {
                        QTest::addRow("%s S=%d R=%d", qPrintable(network), bits, rfc1878)
                            << network << bits << rfc1878;
                    }
                }
            }
        }
    }
    void subnetWalkMatchesEnumeration() {
        QFETCH(QString, network);
        QFETCH(int, subnetBits);
        QFETCH(bool, rfc1878);
        TIPAddSubnet displayed;
        displayed.SetRFC1878(rfc1878);
        // Any address of the network: the rows depend on its network part only.
        displayed.SetAddress(Ip(network) | (0x00123456u & ~PrefixMask(ClassfulBits(Ip(network)))));
        displayed.SetSubnetBits(static_cast<std::uint8_t>(subnetBits));
        QCOMPARE(displayed.NetworkBits(), ClassfulBits(Ip(network)));
        QCOMPARE(int(displayed.SubnetBits()), subnetBits);
        QCOMPARE(displayed.ClassMask().Address() & displayed.Address(), Ip(network));

        QString mismatch;
        std::int32_t rows = 0;
        ForEachSubnetHostRange(displayed, displayed.MaxSubnets() + 1,
                               [&](std::int32_t row, std::uint32_t first, std::uint32_t last) {
                                   ++rows;
                                   const QString problem =
                                       RowDisagreement(displayed, row, first, last);
                                   if (mismatch.isEmpty() && !problem.isEmpty()) {
                                       mismatch = problem;
                                   }
                               });
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        const std::int32_t allSubnets = std::int32_t{1} << subnetBits;
        QCOMPARE(rows, rfc1878 ? allSubnets : allSubnets - 2);
    }

    void subnetWalkOfClassA22Bits_data() {
        QTest::addColumn<bool>("rfc1878");
        QTest::addColumn<QString>("row16384");
        QTest::addColumn<QString>("lastRow");
        QTest::newRow("RFC 1878") << true << u"10.1.0.1 - 10.1.0.2"_s
                                  << u"10.255.255.253 - 10.255.255.254"_s;
        QTest::newRow("without RFC 1878")
            << false << u"10.1.0.5 - 10.1.0.6"_s << u"10.255.255.249 - 10.255.255.250"_s;
    }
    void subnetWalkOfClassA22Bits() {
        QFETCH(bool, rfc1878);
        QFETCH(QString, row16384);
        QFETCH(QString, lastRow);
        TIPAddSubnet displayed;
        displayed.SetRFC1878(rfc1878);
        displayed.SetAddress(Ip(u"10.0.0.1"_s));
        displayed.SetSubnetBits(22);
        QCOMPARE(displayed.IPClass(), ctClassA);
        const std::int32_t rowCount = displayed.MaxSubnets();
        QCOMPARE(rowCount, rfc1878 ? 4194304 : 4194302);

        QString mismatch;
        QStringList shown;
        ForEachSubnetHostRange(
            displayed, rowCount, [&](std::int32_t row, std::uint32_t first, std::uint32_t last) {
                const QString problem = RowDisagreement(displayed, row, first, last);
                if (mismatch.isEmpty() && !problem.isEmpty()) {
                    mismatch = problem;
                }
                if (row < 50 || row >= rowCount - 50 || row == 16384) {
                    shown << u"%1: %2 - %3"_s.arg(row).arg(Dotted(first), Dotted(last));
                }
            });
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(shown.size(), 101);
        QCOMPARE(shown.first(),
                 rfc1878 ? u"0: 10.0.0.1 - 10.0.0.2"_s : u"0: 10.0.0.5 - 10.0.0.6"_s);
        QCOMPARE(shown[50], u"16384: "_s + row16384);
        QCOMPARE(shown.last(), u"%1: "_s.arg(rowCount - 1) + lastRow);
    }

private:
    // The row as the walk gives it against the enumeration formula: usable subnet j = k, or
    // k + 1 without RFC 1878, at (network and class mask) or j * 2^H.
    static QString RowDisagreement(const TIPAddSubnet& displayed, std::int32_t row,
                                   std::uint32_t first, std::uint32_t last) {
        const std::uint32_t span = std::uint32_t{1} << displayed.HostBits();
        const std::uint32_t subnet =
            static_cast<std::uint32_t>(row) + (displayed.RFC1878() ? 0 : 1);
        const std::uint32_t address =
            (displayed.Address() & PrefixMask(displayed.NetworkBits())) + subnet * span;
        if (first == address + 1 && last == address + span - 2) {
            return {};
        }
        return u"row %1 shows %2 - %3, expected %4 - %5"_s.arg(row).arg(
            Dotted(first), Dotted(last), Dotted(address + 1), Dotted(address + span - 2));
    }
};

QTEST_APPLESS_MAIN(TestIPAddressProperties)
#include "tst_IPAddressProperties.moc"
