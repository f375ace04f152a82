#include "IPAddress.h"
#include "IPAddressTestSupport.h"
#include "VarnexError.h"

#include <QMap>
#include <QTest>
#include <memory>
#include <stdexcept>

using namespace IPAddressTest;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<TIPAddress> Make(const QString& kind) {
    if (kind == u"address") {
        return std::make_unique<TIPAddress>();
    }
    if (kind == u"class") {
        return std::make_unique<TIPAddClass>();
    }
    if (kind == u"mask") {
        return std::make_unique<TIPAddMask>();
    }
    if (kind == u"network") {
        return std::make_unique<TIPAddNetwork>();
    }
    if (kind == u"subnet") {
        return std::make_unique<TIPAddSubnet>();
    }
    if (kind == u"supernet") {
        return std::make_unique<TIPAddSupernet>();
    }
    throw std::invalid_argument("unknown kind " + kind.toStdString());
}

// A letter, or a number for values outside the enumeration.
TIPClassType ClassArgument(const QString& text) {
    const int letter = QStringLiteral("ABCDE").indexOf(text);
    return static_cast<TIPClassType>(letter >= 0 ? letter : text.toInt());
}

std::uint8_t Byte(const QString& text) {
    return static_cast<std::uint8_t>(text.toUInt());
}

// Steps separated by ";": addr=a.b.c.d, byteN=v, class=X, bits=n, rfc=0|1, prefix=n. Every step
// goes through the base-class reference, as the panel's callers would.
void RunScript(TIPAddress& target, const QString& script) {
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
        const QString operation = step.section(u'=', 0, 0);
        const QString argument = step.section(u'=', 1);
        if (operation == u"addr") {
            target.SetAddress(Ip(argument));
        } else if (operation.startsWith(u"byte")) {
            target.SetByte(Byte(operation.mid(4)), Byte(argument));
        } else if (operation == u"class") {
            dynamic_cast<TIPAddClass&>(target).SetClassType(ClassArgument(argument));
        } else if (operation == u"bits") {
            dynamic_cast<TIPAddSubnet&>(target).SetSubnetBits(Byte(argument));
        } else if (operation == u"rfc") {
            dynamic_cast<TIPAddSubnet&>(target).SetRFC1878(argument == u"1");
        } else if (operation == u"prefix") {
            dynamic_cast<TIPAddSupernet&>(target).SetSupernetBits(Byte(argument));
        } else {
            throw std::invalid_argument("unknown step " + step.toStdString());
        }
    }
}

QString Hex(const TIPAddress& address) {
    return QString::fromStdString(address.AsHexString());
}

QString Range(const TIPAddress& first, const TIPAddress& last) {
    return Dotted(first) + u" - "_s + Dotted(last);
}

// Every figure the object answers, by name.
QMap<QString, QString> Figures(const TIPAddress& address) {
    QMap<QString, QString> figures;
    figures[u"address"_s] = Dotted(address);
    figures[u"hex"_s] = Hex(address);
    QStringList octets;
    for (std::uint8_t index = 0; index < 4; ++index) {
        octets << QString::number(address.GetByte(index));
    }
    figures[u"octets"_s] = octets.join(u',');
    if (const auto* classed = dynamic_cast<const TIPAddClass*>(&address)) {
        figures[u"class"_s] = QChar::fromLatin1(classed->GetClassLetter());
        figures[u"N"_s] = QString::number(classed->NetworkBits());
    }
    if (const auto* masked = dynamic_cast<const TIPAddMask*>(&address)) {
        figures[u"classMask"_s] = Dotted(masked->ClassMask());
        figures[u"classMaskHex"_s] = Hex(masked->ClassMask());
        figures[u"bitsMask"_s] = Dotted(masked->BitsMask());
        figures[u"bitsMaskHex"_s] = Hex(masked->BitsMask());
    }
    if (const auto* subnet = dynamic_cast<const TIPAddSubnet*>(&address)) {
        figures[u"S"_s] = QString::number(subnet->SubnetBits());
        figures[u"H"_s] = QString::number(subnet->HostBits());
        figures[u"R"_s] = QString::number(subnet->RFC1878());
        figures[u"subnets"_s] = QString::number(subnet->MaxSubnets());
        figures[u"hosts"_s] = QString::number(subnet->MaxHosts());
        figures[u"bitmap"_s] = QString::fromStdString(subnet->BitMap());
        figures[u"fullMask"_s] = Dotted(subnet->FullMask());
        figures[u"fullMaskHex"_s] = Hex(subnet->FullMask());
        figures[u"allocation"_s] = Range(subnet->FirstAllocatable(), subnet->LastAllocatable());
        figures[u"subnetHosts"_s] = Range(subnet->SubnetFirstHost(), subnet->SubnetLastHost());
        figures[u"networkID"_s] = Dotted(subnet->NetworkID());
        figures[u"subnetID"_s] = Dotted(subnet->SubnetID());
        figures[u"hostID"_s] = Dotted(subnet->HostID());
    }
    if (const auto* supernet = dynamic_cast<const TIPAddSupernet*>(&address)) {
        figures[u"P"_s] = QString::number(supernet->SupernetBits());
        figures[u"networks"_s] = QString::number(supernet->MaxSupernets());
        figures[u"route"_s] = Dotted(supernet->Route());
        figures[u"range"_s] = Range(supernet->Route(), supernet->LastSupernetAddress());
    }
    return figures;
}

QString Snapshot(const TIPAddress& address) {
    QStringList entries;
    const auto figures = Figures(address);
    for (auto it = figures.begin(); it != figures.end(); ++it) {
        entries << it.key() + u'=' + it.value();
    }
    return entries.join(u' ');
}

QString ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const EVarnexError& error) {
        return QString::fromLatin1(error.what());
    }
    return {};
}

} // namespace

class TestIPAddress : public QObject {
    Q_OBJECT

private:
    // Rows: kind, script, expected "name=value" figures.
    static void AddScenarioColumns() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
    }

    static void CheckScenario() {
        QFETCH(QString, kind);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        const auto object = Make(kind);
        RunScript(*object, script);
        const auto figures = Figures(*object);
        for (const QString& entry : expected) {
            const QString name = entry.section(u'=', 0, 0);
            QCOMPARE(name + u'=' + figures.value(name, u"<none>"_s), entry);
        }
    }

private slots:
    void dottedForms_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("hex");
        QTest::newRow("zero") << 0u << "0.0.0.0"
                              << "00.00.00.00";
        QTest::newRow("all ones") << 0xFFFFFFFFu << "255.255.255.255"
                                  << "FF.FF.FF.FF";
        QTest::newRow("10.0.0.1") << 0x0A000001u << "10.0.0.1"
                                  << "0A.00.00.01";
        QTest::newRow("3232235778") << 3232235778u << "192.168.1.2"
                                    << "C0.A8.01.02";
        QTest::newRow("class B mask") << 0xFFFF0000u << "255.255.0.0"
                                      << "FF.FF.00.00";
        QTest::newRow("mixed digits") << 0x7B2C0D9Fu << "123.44.13.159"
                                      << "7B.2C.0D.9F";
    }
    void dottedForms() {
        QFETCH(quint32, value);
        QFETCH(QString, decimal);
        QFETCH(QString, hex);
        QCOMPARE(QString::fromStdString(DottedDecimal(value)), decimal);
        QCOMPARE(QString::fromStdString(DottedHex(value)), hex);
        const TIPAddress address(value);
        QCOMPARE(QString::fromStdString(address.AsDecimalString()), decimal);
        QCOMPARE(QString::fromStdString(address.AsHexString()), hex);
        QCOMPARE(address.GetAddress(), value);
    }

    void makeMask_data() {
        QTest::addColumn<int>("startBit");
        QTest::addColumn<int>("numBits");
        QTest::addColumn<QString>("mask");
        QTest::newRow("class A") << 31 << 8 << "255.0.0.0";
        QTest::newRow("class C") << 31 << 24 << "255.255.255.0";
        QTest::newRow("8 subnet bits of class A") << 23 << 8 << "0.255.0.0";
        QTest::newRow("2 bits at the bottom octet") << 7 << 2 << "0.0.0.192";
        QTest::newRow("prefix 23") << 31 << 23 << "255.255.254.0";
        QTest::newRow("22 subnet bits of class A") << 23 << 22 << "0.255.255.252";
        QTest::newRow("no bits") << 31 << 0 << "0.0.0.0";
        QTest::newRow("no bits at bit 0") << 0 << 0 << "0.0.0.0";
        QTest::newRow("lowest bit") << 0 << 1 << "0.0.0.1";
        QTest::newRow("all 32 bits") << 31 << 32 << "255.255.255.255";
        QTest::newRow("run cut at bit 0") << 3 << 8 << "0.0.0.15";
        QTest::newRow("start bit 32") << 32 << 1 << "error";
        QTest::newRow("33 bits") << 31 << 33 << "error";
        QTest::newRow("start bit 255") << 255 << 0 << "error";
    }
    void makeMask() {
        QFETCH(int, startBit);
        QFETCH(int, numBits);
        QFETCH(QString, mask);
        std::uint32_t result = 0;
        const QString error = ErrorOf([&] {
            result = TIPAddMask::MakeMask(static_cast<std::uint8_t>(startBit),
                                          static_cast<std::uint8_t>(numBits));
        });
        if (mask == u"error") {
            QCOMPARE(error, u"Invalid TIPAddMask StartBit or NumBits Value"_s);
        } else {
            QCOMPARE(error, QString());
            QCOMPARE(Dotted(result), mask);
        }
    }

    void addresses_data() {
        AddScenarioColumns();
        QTest::newRow("new address") << "address"
                                     << "" << QStringList{"address=0.0.0.0"};
        QTest::newRow("octets") << "address"
                                << "addr=192.168.1.200" << QStringList{"octets=192,168,1,200"};
        QTest::newRow("octet 2") << "address"
                                 << "addr=192.168.1.200;byte2=7"
                                 << QStringList{"address=192.168.7.200", "octets=192,168,7,200"};
        QTest::newRow("octet 0, plain address")
            << "address"
            << "addr=192.168.1.200;byte0=0" << QStringList{"address=0.168.1.200"};
        QTest::newRow("octet 3") << "address"
                                 << "byte3=255" << QStringList{"address=0.0.0.255"};
        QTest::newRow("new class") << "class"
                                   << "" << QStringList{"class=A", "N=8"};
        QTest::newRow("130 is B") << "class"
                                  << "byte0=130" << QStringList{"class=B", "N=16"};
        QTest::newRow("130 twice")
            << "class"
            << "byte0=130;byte0=130" << QStringList{"address=130.0.0.0", "class=B"};
        QTest::newRow("239 is D") << "class"
                                  << "byte0=130;byte0=239" << QStringList{"class=D", "N=0"};
        QTest::newRow("240 is E") << "class"
                                  << "byte0=239;byte0=240" << QStringList{"class=E", "N=0"};
        const struct {
            const char* name;
            const char* script;
            const char* letter;
            const char* bits;
            const char* classMask;
        } boundaries[] = {
            {"127 is A", "byte0=127", "A", "8", "255.0.0.0"},
            {"128 is B", "byte0=128", "B", "16", "255.255.0.0"},
            {"191 is B", "byte0=191", "B", "16", "255.255.0.0"},
            {"192 is C", "byte0=192", "C", "24", "255.255.255.0"},
            {"223 is C", "byte0=223", "C", "24", "255.255.255.0"},
            {"224 is D", "byte0=224", "D", "0", "0.0.0.0"},
            {"255 is E", "byte0=255", "E", "0", "0.0.0.0"},
            {"back to A", "byte0=255;byte0=0", "A", "8", "255.0.0.0"},
            {"address classifies", "addr=172.16.0.1", "B", "16", "255.255.0.0"},
            {"address of D", "addr=230.0.0.1", "D", "0", "0.0.0.0"},
            {"other octet keeps class", "byte0=192;byte1=10", "C", "24", "255.255.255.0"},
        };
        for (const auto& row : boundaries) {
            QTest::newRow(row.name)
                << "mask" << row.script
                << QStringList{u"class="_s + row.letter, u"N="_s + row.bits,
                               u"classMask="_s + row.classMask, "bitsMask=0.0.0.0"};
        }
        QTest::newRow("new mask") << "mask"
                                  << ""
                                  << QStringList{"address=0.0.0.0", "classMask=255.0.0.0",
                                                 "classMaskHex=FF.00.00.00", "bitsMask=0.0.0.0"};
        QTest::newRow("class C on A")
            << "class"
            << "addr=10.1.2.3;class=C" << QStringList{"address=192.1.2.3", "class=C", "N=24"};
        QTest::newRow("class C on A, mask")
            << "mask"
            << "addr=10.1.2.3;class=C"
            << QStringList{"address=192.1.2.3", "classMask=255.255.255.0"};
        QTest::newRow("same class")
            << "mask"
            << "addr=130.1.2.3;class=B" << QStringList{"address=130.1.2.3", "class=B"};
        QTest::newRow("same class keeps octet 0")
            << "class"
            << "addr=0.1.2.3;class=A" << QStringList{"address=0.1.2.3", "class=A"};
        QTest::newRow("class A writes 1")
            << "mask"
            << "addr=200.1.2.3;class=A"
            << QStringList{"address=1.1.2.3", "N=8", "classMask=255.0.0.0"};
        QTest::newRow("class D") << "mask"
                                 << "addr=10.1.2.3;class=D"
                                 << QStringList{"address=224.1.2.3", "class=D", "N=0",
                                                "classMask=0.0.0.0"};
        QTest::newRow("class E") << "class"
                                 << "addr=10.1.2.3;class=E"
                                 << QStringList{"address=240.1.2.3", "class=E", "N=0"};
    }
    void addresses() { CheckScenario(); }

    void networks_data() {
        AddScenarioColumns();
        const auto row = [](const char* name, const char* steps, const char* address,
                            const char* letter) {
            QTest::newRow(name) << "network" << u"addr=10.20.30.40;"_s + steps
                                << QStringList{u"address="_s + address, u"class="_s + letter};
        };
        row("first octet 0", "byte0=0", "1.20.30.40", "A");
        row("first octet 127", "byte0=127", "126.20.30.40", "A");
        row("first octet 255", "byte0=255", "223.20.30.40", "C");
        row("first octet 224", "byte0=224", "223.20.30.40", "C");
        row("first octet 223", "byte0=223", "223.20.30.40", "C");
        row("first octet 128", "byte0=128", "128.20.30.40", "B");
        row("octet 1 of 0", "byte1=0", "10.0.30.40", "A");
        row("octet 3 of 255", "byte3=255", "10.20.30.255", "A");
        row("address above 223", "addr=240.0.0.1", "223.0.0.1", "C");
        row("address of 0", "addr=0.1.2.3", "0.1.2.3", "A");
        row("address of 127", "addr=127.0.0.1", "127.0.0.1", "A");
        row("class E", "class=E", "192.20.30.40", "C");
        row("class D", "class=D", "192.20.30.40", "C");
        row("class beyond E", "class=9", "192.20.30.40", "C");
        row("class B", "class=B", "128.20.30.40", "B");
        QTest::newRow("class mask follows")
            << "network"
            << "byte0=150" << QStringList{"classMask=255.255.0.0", "N=16"};
    }
    void networks() { CheckScenario(); }

    void subnets_data() {
        AddScenarioColumns();
        QTest::newRow("new") << "subnet"
                             << "" << QStringList{"address=128.0.0.1",
                                                  "class=B",
                                                  "N=16",
                                                  "S=8",
                                                  "R=0",
                                                  "bitsMask=0.0.255.0",
                                                  "fullMask=255.255.255.0"};
        QTest::newRow("RFC 1878") << "subnet"
                                  << "rfc=1"
                                  << QStringList{"address=128.0.0.1",
                                                 "class=B",
                                                 "S=8",
                                                 "H=8",
                                                 "R=1",
                                                 "subnets=256",
                                                 "hosts=254",
                                                 "bitmap=10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh",
                                                 "classMask=255.255.0.0",
                                                 "classMaskHex=FF.FF.00.00",
                                                 "fullMask=255.255.255.0",
                                                 "fullMaskHex=FF.FF.FF.00",
                                                 "bitsMask=0.0.255.0",
                                                 "allocation=128.0.0.1 - 128.0.255.254",
                                                 "subnetHosts=128.0.0.1 - 128.0.0.254",
                                                 "networkID=128.0.0.0",
                                                 "subnetID=0.0.0.0",
                                                 "hostID=0.0.0.1"};
        QTest::newRow("RFC 1878 off clamps") << "subnet"
                                             << "rfc=1;rfc=0"
                                             << QStringList{"address=128.0.1.1",
                                                            "subnets=254",
                                                            "hosts=254",
                                                            "allocation=128.0.1.1 - 128.0.254.254",
                                                            "subnetHosts=128.0.1.1 - 128.0.1.254",
                                                            "networkID=128.0.1.0",
                                                            "subnetID=0.0.1.0",
                                                            "hostID=0.0.0.1"};
        QTest::newRow("RFC 1878 off on a new subnet clamps")
            << "subnet"
            << "rfc=0" << QStringList{"address=128.0.1.1"};
        QTest::newRow("first octet 192")
            << "subnet"
            << "rfc=1;rfc=0;byte0=192"
            << QStringList{"address=192.0.1.5",
                           "class=C",
                           "S=6",
                           "H=2",
                           "subnets=62",
                           "hosts=2",
                           "bitmap=110nnnnn.nnnnnnnn.nnnnnnnn.sssssshh",
                           "classMask=255.255.255.0",
                           "fullMask=255.255.255.252",
                           "fullMaskHex=FF.FF.FF.FC",
                           "bitsMask=0.0.0.252",
                           "allocation=192.0.1.5 - 192.0.1.250",
                           "subnetHosts=192.0.1.5 - 192.0.1.6",
                           "networkID=192.0.1.4",
                           "subnetID=0.0.0.4",
                           "hostID=0.0.0.1"};
        QTest::newRow("then 2 bits") << "subnet"
                                     << "rfc=1;rfc=0;byte0=192;bits=2"
                                     << QStringList{"address=192.0.1.65",
                                                    "S=2",
                                                    "H=6",
                                                    "subnets=2",
                                                    "hosts=62",
                                                    "bitmap=110nnnnn.nnnnnnnn.nnnnnnnn.sshhhhhh",
                                                    "fullMask=255.255.255.192",
                                                    "fullMaskHex=FF.FF.FF.C0",
                                                    "bitsMask=0.0.0.192",
                                                    "allocation=192.0.1.65 - 192.0.1.190",
                                                    "subnetHosts=192.0.1.65 - 192.0.1.126",
                                                    "networkID=192.0.1.64",
                                                    "subnetID=0.0.0.64",
                                                    "hostID=0.0.0.1"};
        QTest::newRow("class C, 1 bit, RFC 1878")
            << "subnet"
            << "rfc=1;addr=200.0.0.1;bits=1"
            << QStringList{"address=200.0.0.1",
                           "class=C",
                           "S=1",
                           "H=7",
                           "subnets=2",
                           "hosts=126",
                           "bitmap=110nnnnn.nnnnnnnn.nnnnnnnn.shhhhhhh",
                           "fullMask=255.255.255.128",
                           "bitsMask=0.0.0.128",
                           "allocation=200.0.0.1 - 200.0.0.254",
                           "subnetHosts=200.0.0.1 - 200.0.0.126",
                           "networkID=200.0.0.0"};
        QTest::newRow("class C, 1 bit, no usable subnet")
            << "subnet"
            << "rfc=1;addr=200.0.0.1;bits=1;rfc=0"
            << QStringList{"address=200.0.0.126",
                           "subnets=0",
                           "hosts=126",
                           "allocation=200.0.0.129 - 200.0.0.126",
                           "subnetHosts=200.0.0.1 - 200.0.0.126",
                           "hostID=0.0.0.126"};
        QTest::newRow("class A, 22 bits, RFC 1878")
            << "subnet"
            << "rfc=1;addr=10.0.0.1;bits=22"
            << QStringList{"address=10.0.0.1",
                           "class=A",
                           "S=22",
                           "H=2",
                           "subnets=4194304",
                           "hosts=2",
                           "bitmap=0nnnnnnn.ssssssss.ssssssss.sssssshh",
                           "classMask=255.0.0.0",
                           "classMaskHex=FF.00.00.00",
                           "fullMask=255.255.255.252",
                           "bitsMask=0.255.255.252",
                           "bitsMaskHex=00.FF.FF.FC",
                           "allocation=10.0.0.1 - 10.255.255.254",
                           "subnetHosts=10.0.0.1 - 10.0.0.2",
                           "networkID=10.0.0.0",
                           "subnetID=0.0.0.0",
                           "hostID=0.0.0.1"};
        QTest::newRow("class A, 22 bits") << "subnet"
                                          << "addr=10.0.0.1;bits=22"
                                          << QStringList{"address=10.1.0.1",
                                                         "subnets=4194302",
                                                         "allocation=10.0.0.5 - 10.255.255.250",
                                                         "subnetHosts=10.1.0.1 - 10.1.0.2",
                                                         "networkID=10.1.0.0",
                                                         "subnetID=0.1.0.0"};
        QTest::newRow("15 bits make class A")
            << "subnet"
            << "bits=15"
            << QStringList{"address=1.0.2.1",
                           "class=A",
                           "S=15",
                           "H=9",
                           "subnets=32766",
                           "hosts=510",
                           "bitmap=0nnnnnnn.ssssssss.sssssssh.hhhhhhhh",
                           "classMask=255.0.0.0",
                           "fullMask=255.255.254.0",
                           "bitsMask=0.255.254.0",
                           "allocation=1.0.2.1 - 1.255.253.254",
                           "subnetHosts=1.0.2.1 - 1.0.3.254"};
        QTest::newRow("7 bits make class C into B")
            << "subnet"
            << "addr=200.0.0.1;bits=7"
            << QStringList{"address=128.0.2.1",
                           "class=B",
                           "S=7",
                           "subnets=126",
                           "hosts=510",
                           "bitmap=10nnnnnn.nnnnnnnn.sssssssh.hhhhhhhh",
                           "fullMask=255.255.254.0",
                           "bitsMask=0.0.254.0",
                           "allocation=128.0.2.1 - 128.0.253.254"};
        QTest::newRow("7 bits keep class A")
            << "subnet"
            << "addr=10.0.0.1;bits=3;bits=7" << QStringList{"address=10.32.0.1", "class=A", "S=7"};
        QTest::newRow("lowering keeps class A")
            << "subnet"
            << "bits=20;bits=3" << QStringList{"address=1.32.0.1", "class=A", "S=3"};
        QTest::newRow("0 bits become 1")
            << "subnet"
            << "bits=0"
            << QStringList{"address=128.0.127.254",
                           "class=B",
                           "S=1",
                           "H=15",
                           "subnets=0",
                           "hosts=32766",
                           "bitmap=10nnnnnn.nnnnnnnn.shhhhhhh.hhhhhhhh",
                           "fullMask=255.255.128.0",
                           "fullMaskHex=FF.FF.80.00",
                           "bitsMask=0.0.128.0",
                           "allocation=128.0.128.1 - 128.0.127.254",
                           "subnetHosts=128.0.0.1 - 128.0.127.254",
                           "hostID=0.0.127.254"};
        QTest::newRow("30 bits become 22")
            << "subnet"
            << "bits=30"
            << QStringList{"address=1.0.0.5", "class=A", "S=22", "subnets=4194302",
                           "allocation=1.0.0.5 - 1.255.255.250"};
        // 128.0.1.1 is allocatable with 10 bits; as 192.0.1.1 it lies in the unusable subnet 0.
        const QString outside = u"bits=10;addr=128.0.1.1;class=C"_s;
        QTest::newRow("class C caps the bits, no clamp")
            << "subnet" << outside
            << QStringList{"address=192.0.1.1",
                           "class=C",
                           "S=6",
                           "H=2",
                           "subnets=62",
                           "fullMask=255.255.255.252",
                           "bitsMask=0.0.0.252",
                           "allocation=192.0.1.5 - 192.0.1.250"};
        QTest::newRow("same octet does nothing")
            << "subnet" << outside + u";byte3=1"_s << QStringList{"address=192.0.1.1"};
        QTest::newRow("other octet clamps")
            << "subnet" << outside + u";byte3=2"_s << QStringList{"address=192.0.1.5"};
        QTest::newRow("same bits do nothing")
            << "subnet" << outside + u";bits=6"_s << QStringList{"address=192.0.1.1", "S=6"};
        QTest::newRow("same class does nothing")
            << "subnet" << outside + u";class=C"_s << QStringList{"address=192.0.1.1"};
        QTest::newRow("same address clamps")
            << "subnet" << outside + u";addr=192.0.1.1"_s << QStringList{"address=192.0.1.5"};
        QTest::newRow("RFC 1878 setter clamps")
            << "subnet" << outside + u";rfc=0"_s << QStringList{"address=192.0.1.5"};
        QTest::newRow("class E becomes C")
            << "subnet"
            << "class=E"
            << QStringList{"address=192.0.0.1", "class=C", "S=6", "classMask=255.255.255.0",
                           "fullMask=255.255.255.252"};
        QTest::newRow("address with octet 0")
            << "subnet"
            << "rfc=1;addr=0.2.3.4" << QStringList{"address=1.2.3.4", "class=A"};
        QTest::newRow("address with octet 127")
            << "subnet"
            << "rfc=1;addr=127.0.0.1" << QStringList{"address=126.0.0.1", "class=A"};
        QTest::newRow("address above 223")
            << "subnet"
            << "rfc=1;addr=240.1.2.3" << QStringList{"address=223.1.2.3", "class=C", "S=6"};
        QTest::newRow("octet 0 of 0")
            << "subnet"
            << "rfc=1;byte0=0" << QStringList{"address=1.0.0.1", "class=A", "S=8"};
        QTest::newRow("octet 0 of 255")
            << "subnet"
            << "rfc=1;byte0=255" << QStringList{"address=223.0.0.1", "class=C", "S=6"};
        QTest::newRow("class B caps 22 bits")
            << "subnet"
            << "rfc=1;bits=22;byte0=130"
            << QStringList{"address=130.0.0.1", "class=B", "S=14", "fullMask=255.255.255.252"};
    }
    void subnets() { CheckScenario(); }

    void supernets_data() {
        AddScenarioColumns();
        QTest::newRow("new") << "supernet"
                             << ""
                             << QStringList{"address=192.0.0.1",
                                            "class=C",
                                            "classMask=255.255.255.0",
                                            "P=23",
                                            "networks=2",
                                            "route=192.0.0.0",
                                            "bitsMask=255.255.254.0",
                                            "bitsMaskHex=FF.FF.FE.00",
                                            "range=192.0.0.0 - 192.0.1.255"};
        QTest::newRow("24") << "supernet"
                            << "prefix=24"
                            << QStringList{"class=C", "P=24", "networks=1",
                                           "range=192.0.0.0 - 192.0.0.255"};
        QTest::newRow("16 keeps class C")
            << "supernet"
            << "prefix=16"
            << QStringList{"class=C", "P=16", "networks=256", "bitsMask=255.255.0.0",
                           "range=192.0.0.0 - 192.0.255.255"};
        QTest::newRow("2 makes class B")
            << "supernet"
            << "prefix=2" << QStringList{"address=128.0.0.1",  "class=B",
                                         "networks=16384",     "route=128.0.0.0",
                                         "bitsMask=192.0.0.0", "range=128.0.0.0 - 191.255.255.255"};
        QTest::newRow("then 1 makes class A")
            << "supernet"
            << "prefix=2;prefix=1"
            << QStringList{"address=1.0.0.1",    "class=A",
                           "networks=128",       "route=0.0.0.0",
                           "bitsMask=128.0.0.0", "range=0.0.0.0 - 127.255.255.255"};
        QTest::newRow("then 12 makes class B") << "supernet"
                                               << "prefix=2;prefix=1;prefix=12"
                                               << QStringList{"address=128.0.0.1",
                                                              "class=B",
                                                              "P=12",
                                                              "networks=16",
                                                              "bitsMask=255.240.0.0",
                                                              "range=128.0.0.0 - 128.15.255.255"};
        QTest::newRow("class A") << "supernet"
                                 << "class=A"
                                 << QStringList{"address=1.0.0.1",
                                                "class=A",
                                                "P=7",
                                                "networks=2",
                                                "bitsMask=254.0.0.0",
                                                "range=0.0.0.0 - 1.255.255.255"};
        QTest::newRow("octet 0 of 10")
            << "supernet"
            << "byte0=10"
            << QStringList{"address=10.0.0.1", "class=A",        "P=7",
                           "networks=2",       "route=10.0.0.0", "bitsMask=254.0.0.0"};
        QTest::newRow("address 10.0.0.1")
            << "supernet"
            << "addr=10.0.0.1"
            << QStringList{"class=A", "P=7", "networks=2", "range=10.0.0.0 - 11.255.255.255"};
        QTest::newRow("0 becomes 1") << "supernet"
                                     << "prefix=0" << QStringList{"class=A", "P=1", "networks=128"};
        QTest::newRow("99 becomes 24")
            << "supernet"
            << "prefix=99" << QStringList{"class=C", "P=24", "networks=1"};
        QTest::newRow("P = N in class A")
            << "supernet"
            << "prefix=1;prefix=8"
            << QStringList{"class=A", "P=8", "networks=1", "range=1.0.0.0 - 1.255.255.255"};
        QTest::newRow("9 makes class A into B")
            << "supernet"
            << "prefix=1;prefix=9"
            << QStringList{"address=128.0.0.1", "class=B", "networks=128", "bitsMask=255.128.0.0"};
        QTest::newRow("raising from B to 24 makes class C")
            << "supernet"
            << "prefix=2;prefix=24" << QStringList{"address=192.0.0.1", "class=C", "networks=1"};
        QTest::newRow("raising to 10 makes class C into B")
            << "supernet"
            << "prefix=5;prefix=10"
            << QStringList{"address=128.0.0.1", "class=B", "P=10", "networks=64"};
        QTest::newRow("lowering to 3 keeps the class")
            << "supernet"
            << "prefix=1;prefix=5;prefix=3"
            << QStringList{"class=A", "P=3", "networks=32", "range=0.0.0.0 - 31.255.255.255"};
        QTest::newRow("octet 0 of 130 caps P")
            << "supernet"
            << "prefix=24;byte0=130"
            << QStringList{"class=B", "P=15", "networks=2", "range=130.0.0.0 - 130.1.255.255"};
        QTest::newRow("new class with room keeps P")
            << "supernet"
            << "prefix=5;addr=130.0.0.1"
            << QStringList{"class=B", "P=5", "networks=2048", "range=128.0.0.0 - 135.255.255.255"};
        QTest::newRow("other octet keeps P")
            << "supernet"
            << "prefix=24;byte3=7"
            << QStringList{"address=192.0.0.7", "P=24", "range=192.0.0.0 - 192.0.0.255"};
        QTest::newRow("same class through octet 0 keeps P")
            << "supernet"
            << "prefix=24;byte0=200" << QStringList{"class=C", "P=24"};
        QTest::newRow("same class does nothing") << "supernet"
                                                 << "prefix=24;class=C" << QStringList{"P=24"};
        QTest::newRow("class D caps P for class C")
            << "supernet"
            << "prefix=24;class=D" << QStringList{"address=192.0.0.1", "class=C", "P=23"};
        QTest::newRow("address above 223")
            << "supernet"
            << "addr=255.0.0.1" << QStringList{"address=223.0.0.1", "class=C"};
        QTest::newRow("octet 0 of 127") << "supernet"
                                        << "byte0=127" << QStringList{"address=126.0.0.1", "P=7"};
        QTest::newRow("address 127.0.0.1 kept")
            << "supernet"
            << "addr=127.0.0.1" << QStringList{"address=127.0.0.1", "class=A"};
        QTest::newRow("address 0.0.0.0 kept")
            << "supernet"
            << "addr=0.0.0.0" << QStringList{"address=0.0.0.0", "class=A", "P=7", "route=0.0.0.0"};
    }
    void supernets() { CheckScenario(); }

    void subnetRows_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("class C, 2 bits")
            << "rfc=1;rfc=0;byte0=192;bits=2"
            << QStringList{"192.0.1.65 - 192.0.1.126", "192.0.1.129 - 192.0.1.190"};
        QTest::newRow("class C, 1 bit, RFC 1878")
            << "rfc=1;addr=200.0.0.1;bits=1"
            << QStringList{"200.0.0.1 - 200.0.0.126", "200.0.0.129 - 200.0.0.254"};
        QTest::newRow("class C, 1 bit") << "rfc=1;addr=200.0.0.1;bits=1;rfc=0" << QStringList{};
        // The change of class leaves 192.0.64.1 in the unusable subnet 0.
        QTest::newRow("address outside the range")
            << "bits=2;addr=128.0.64.1;class=C"
            << QStringList{"192.0.64.65 - 192.0.64.126", "192.0.64.129 - 192.0.64.190"};
    }
    void subnetRows() {
        QFETCH(QString, script);
        QFETCH(QStringList, rows);
        TIPAddSubnet displayed;
        RunScript(displayed, script);
        QStringList walked;
        ForEachSubnetHostRange(displayed, displayed.MaxSubnets(),
                               [&](std::int32_t, std::uint32_t first, std::uint32_t last) {
                                   walked << Range(TIPAddress(first), TIPAddress(last));
                               });
        QCOMPARE(walked, rows);
    }

    void errorsLeaveStateUnchanged_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("message");
        const QString byteIndex = u"Invalid TIPAddress Byte Index"_s;
        for (const char* kind : {"address", "class", "mask", "network", "subnet", "supernet"}) {
            for (const char* operation : {"GetByte(4)", "SetByte(4)", "SetByte(255)"}) {
                QTest::addRow("%s %s", kind, operation) << kind << operation << byteIndex;
            }
        }
        for (const char* kind : {"class", "mask"}) {
            for (const char* operation : {"SetClassType(5)", "SetClassType(255)"}) {
                QTest::addRow("%s %s", kind, operation)
                    << kind << operation << u"Invalid TIPAddClass Class Type"_s;
            }
        }
    }
    void errorsLeaveStateUnchanged() {
        QFETCH(QString, kind);
        QFETCH(QString, operation);
        QFETCH(QString, message);
        const auto object = Make(kind);
        object->SetAddress(Ip(u"150.1.2.3"_s));
        const QString before = Snapshot(*object);
        const std::uint8_t argument = Byte(operation.section(u'(', 1).chopped(1));
        const QString error = ErrorOf([&] {
            if (operation.startsWith(u"GetByte")) {
                object->GetByte(argument);
            } else if (operation.startsWith(u"SetByte")) {
                object->SetByte(argument, 0);
            } else {
                dynamic_cast<TIPAddClass&>(*object).SetClassType(
                    static_cast<TIPClassType>(argument));
            }
        });
        QCOMPARE(error, message);
        QCOMPARE(Snapshot(*object), before);
    }

    void networkReferenceRunsSubnetRules() {
        TIPAddSubnet subnet;
        TIPAddNetwork& network = subnet;
        network.SetByte(0, 192);
        QCOMPARE(subnet.SubnetBits(), 6);
        QCOMPARE(Dotted(subnet), u"192.0.0.5"_s);
        network.SetClassType(ctClassA);
        QCOMPARE(Dotted(subnet), u"1.0.0.5"_s);
        QCOMPARE(Dotted(subnet.FullMask()), u"255.252.0.0"_s);
        network.SetAddress(Ip(u"10.0.0.1"_s));
        QCOMPARE(Dotted(subnet), u"10.4.0.1"_s);
        TIPAddress& address = subnet;
        address.SetByte(0, 0);
        QCOMPARE(Dotted(subnet), u"1.4.0.1"_s);
        TIPAddClass& classed = subnet;
        classed.SetClassType(ctClassE);
        QCOMPARE(subnet.IPClass(), ctClassC);
        QCOMPARE(subnet.SubnetBits(), 6);
        QCOMPARE(Dotted(subnet.BitsMask()), u"0.0.0.252"_s);
    }

    void networkReferenceRunsSupernetRules() {
        TIPAddSupernet supernet;
        TIPAddNetwork& network = supernet;
        network.SetByte(0, 10);
        QCOMPARE(supernet.SupernetBits(), 7);
        QCOMPARE(Dotted(supernet.BitsMask()), u"254.0.0.0"_s);
        network.SetClassType(ctClassC);
        QCOMPARE(supernet.SupernetBits(), 7);
        QCOMPARE(Dotted(supernet), u"192.0.0.1"_s);
        TIPAddress& address = supernet;
        address.SetAddress(Ip(u"130.0.0.1"_s));
        QCOMPARE(supernet.IPClass(), ctClassB);
        QCOMPARE(supernet.MaxSupernets(), 512);
    }

    void classReferenceToNetworkNarrowsClass() {
        TIPAddNetwork network;
        TIPAddClass& classed = network;
        classed.SetClassType(static_cast<TIPClassType>(7));
        QCOMPARE(network.IPClass(), ctClassC);
        QCOMPARE(Dotted(network.ClassMask()), u"255.255.255.0"_s);
    }
};

QTEST_APPLESS_MAIN(TestIPAddress)
#include "tst_IPAddress.moc"
