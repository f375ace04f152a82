#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "NetworkSetupEditor.h"
#include "VarnexTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

QString StoreFile() {
    return VarnexTest::SettingsFolder() + QStringLiteral("/Korvex Group/Varnex.conf");
}

// The store as another process sees it: the file, read by its own QSettings.
std::unique_ptr<QSettings> OpenStore() {
    auto settings = std::make_unique<QSettings>(StoreFile(), QSettings::IniFormat);
    settings->beginGroup(QStringLiteral("2.11"));
    return settings;
}

void ClearStore() {
    QDir(StoreFile()).removeRecursively();
    OpenStore()->clear();
    QSettings(StoreFile(), QSettings::IniFormat).sync();
}

// Little-endian fields read by byte offset, independently of the program's own decoding.
qint32 Int32At(const QByteArray& bytes, int offset) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    }
    return static_cast<qint32>(value);
}

double DoubleAt(const QByteArray& bytes, int offset) {
    quint64 value = 0;
    for (int i = 7; i >= 0; --i) {
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    }
    double result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

QByteArray NodeBytes(qint32 packetSize, qint32 processTime) {
    QByteArray bytes(8, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((static_cast<quint32>(packetSize) >> (8 * i)) & 0xFF);
        bytes[4 + i] = static_cast<char>((static_cast<quint32>(processTime) >> (8 * i)) & 0xFF);
    }
    return bytes;
}

QByteArray NetworkBytes(double bandwidth, qint32 left, quint8 kind, qint32 delay, qint32 top) {
    QByteArray bytes(24, '\x55');
    quint64 bits;
    std::memcpy(&bits, &bandwidth, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    const auto putInt = [&bytes](int offset, qint32 value) {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>((static_cast<quint32>(value) >> (8 * i)) & 0xFF);
        }
    };
    putInt(8, left);
    bytes[12] = static_cast<char>(kind);
    putInt(16, delay);
    putInt(20, top);
    return bytes;
}

QList<TNetworkButton*> Chain(TMainForm& form) {
    return form.LatencyCalculator()->NetworkList();
}

using VarnexTest::ShownCalculators;

// What a store written by the program must hold, whatever it read.
void VerifyWellFormedStore() {
    const auto store = OpenStore();
    bool ok = false;
    const int count = store->value(QStringLiteral("NumNetworks")).toInt(&ok);
    QVERIFY(ok);
    QVERIFY(count >= 1 && count <= 14);
    for (const char* node : {"NodeA", "NodeB"}) {
        const QByteArray bytes = store->value(QString::fromLatin1(node)).toByteArray();
        QCOMPARE(bytes.size(), 8);
        QVERIFY(Int32At(bytes, 0) >= 0 && Int32At(bytes, 4) >= 0);
    }
    for (int i = 1; i <= count; ++i) {
        const QByteArray bytes = store->value(QStringLiteral("Network%1").arg(i)).toByteArray();
        QCOMPARE(bytes.size(), 24);
        QVERIFY(std::isfinite(DoubleAt(bytes, 0)) && DoubleAt(bytes, 0) >= 0);
        QVERIFY(static_cast<quint8>(bytes[12]) < 16);
        QCOMPARE(bytes.mid(13, 3), QByteArray(3, '\0'));
        QVERIFY(Int32At(bytes, 16) >= 0);
        QVERIFY(Int32At(bytes, 8) >= 0 && Int32At(bytes, 20) >= 0);
    }
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ClearStore();
        VarnexTest::ResetRecorders();
    }

    void firstRunShowsDefaultsAndWritesTheChain() {
        {
            TMainForm form;
            QCOMPARE(ShownCalculators(form), QStringLiteral("QuadrelPanel"));
            const QList<TNetworkButton*> chain = Chain(form);
            QCOMPARE(chain.size(), 3);
            QCOMPARE(chain.front()->Element().PacketSize, 64);
            QCOMPARE(chain.back()->Element().PacketSize, 1024);
            QVERIFY(form.close());
        }
        const auto store = OpenStore();
        QCOMPARE(store->value(QStringLiteral("Calculator")).toInt(), 1);
        QCOMPARE(store->value(QStringLiteral("NumNetworks")).toInt(), 1);
        const QByteArray network = store->value(QStringLiteral("Network1")).toByteArray();
        QCOMPARE(network.size(), 24);
        QCOMPARE(DoubleAt(network, 0), 0.0);
        QCOMPARE(Int32At(network, 8), 75);
        QCOMPARE(static_cast<int>(network[12]), 14);
        QCOMPARE(Int32At(network, 20), 8);
        QCOMPARE(store->value(QStringLiteral("Network1Name")).toString(),
                 QStringLiteral("<Unknown Topology>"));
        QCOMPARE(Int32At(store->value(QStringLiteral("NodeA")).toByteArray(), 0), 64);
        QCOMPARE(Int32At(store->value(QStringLiteral("NodeB")).toByteArray(), 0), 1024);
    }

    void storedCalculatorComesBack_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("numora") << QVariant(0) << QStringLiteral("NumoraCalcPanel");
        QTest::newRow("latency") << QVariant(2) << QStringLiteral("LatencyCalcPageControl");
        QTest::newRow("latency as text")
            << QVariant(QStringLiteral("2")) << QStringLiteral("LatencyCalcPageControl");
        QTest::newRow("unknown number") << QVariant(3) << QStringLiteral("QuadrelPanel");
    }

    void storedCalculatorComesBack() {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        OpenStore()->setValue(QStringLiteral("Calculator"), stored);
        TMainForm form;
        QCOMPARE(ShownCalculators(form), shown);
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    // A calculator built when first chosen looks as it would had it been built at start, the
    // stored chain included; only the chosen one is built at start, and nothing of the others.
    void calculatorBuiltWhenChosenShowsWhatItShowsBuiltAtStart_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QKeySequence>("choice");
        QTest::newRow("numora") << "NumoraCalcPanel" << QKeySequence(QStringLiteral("Ctrl+H"));
        QTest::newRow("subnet") << "QuadrelPanel" << QKeySequence(QStringLiteral("Ctrl+I"));
        QTest::newRow("latency") << "LatencyCalcPageControl"
                                 << QKeySequence(QStringLiteral("Ctrl+L"));
    }
    void calculatorBuiltWhenChosenShowsWhatItShowsBuiltAtStart() {
        QFETCH(QString, panel);
        QFETCH(QKeySequence, choice);
        const auto look = [&](bool builtAtStart, QImage& shown) {
            ClearStore();
            {
                const auto store = OpenStore();
                // Started on another calculator than the one chosen.
                store->setValue(QStringLiteral("Calculator"), panel == u"NumoraCalcPanel" ? 1 : 0);
                store->setValue(QStringLiteral("NumNetworks"), 2);
                store->setValue(QStringLiteral("Network1"), NetworkBytes(1.544, 75, 12, 5, 8));
                store->setValue(QStringLiteral("Network1Name"), QStringLiteral("T1"));
                store->setValue(QStringLiteral("Network2"), NetworkBytes(10, 143, 4, 0, 72));
            }
            TMainForm form;
            if (builtAtStart) {
                VarnexTest::BuildCalculators(form);
            } else {
                int built = 0;
                for (const char* name : VarnexTest::CalculatorPanels) {
                    built += form.findChild<QWidget*>(QLatin1String(name)) != nullptr ? 1 : 0;
                }
                QCOMPARE(built, 1);
                QCOMPARE(form.findChild<QWidget*>(panel), nullptr);
            }
            QVERIFY(VarnexTest::ShowActive(form));
            QTest::keySequence(&form, choice);
            QCOMPARE(ShownCalculators(form), panel);
            shown = form.grab().toImage();
        };
        QImage builtAtStart;
        QImage builtWhenChosen;
        look(true, builtAtStart);
        look(false, builtWhenChosen);
        if (!QTest::currentTestFailed()) {
            QCOMPARE(builtWhenChosen, builtAtStart);
        }
    }

    void networksComeBackInOrderWithTheirValues() {
        {
            const auto store = OpenStore();
            store->setValue(QStringLiteral("Calculator"), 2);
            store->setValue(QStringLiteral("NodeA"), NodeBytes(100, 5));
            store->setValue(QStringLiteral("NodeB"), NodeBytes(2000, 20));
            store->setValue(QStringLiteral("NumNetworks"), QStringLiteral("3"));
            store->setValue(QStringLiteral("Network1"), NetworkBytes(1.544, 100, 12, 5, 30));
            store->setValue(QStringLiteral("Network1Name"), QStringLiteral("T1"));
            store->setValue(QStringLiteral("Network2"), NetworkBytes(10, 143, 4, 0, 72));
            store->setValue(QStringLiteral("Network2Name"), QStringLiteral("ethernet"));
            store->setValue(QStringLiteral("Network3"), NetworkBytes(2, 8, 9, 10, 136));
            store->setValue(QStringLiteral("Network3Name"), QStringLiteral("Campus link"));
        }
        TMainForm form;
        const QList<TNetworkButton*> chain = Chain(form);
        QCOMPARE(chain.size(), 5);
        QCOMPARE(chain[0]->Label(), QStringLiteral("Node A (100 bytes)"));
        QCOMPARE(chain[0]->Element().ProcessTime, 5);
        QCOMPARE(chain[4]->Label(), QStringLiteral("Node B (2000 bytes)"));
        QCOMPARE(chain[1]->Label(), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(chain[1]->toolTip(), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(chain[1]->NetworkButtonKind(), nbTCarrier);
        QCOMPARE(chain[1]->Element().PropDelay, 5);
        // Off the grid, as stored.
        QCOMPARE(chain[1]->pos(), QPoint(100, 30));
        QCOMPARE(chain[2]->Label(), QStringLiteral("ethernet (10 Mbps)"));
        QCOMPARE(chain[2]->pos(), QPoint(143, 72));
        QVERIFY(chain[1]->RemoveItemsVisible() && chain[2]->RemoveItemsVisible());
        // The topology choice is found again from the names, a typed one offered in the list.
        QCOMPARE(chain[1]->Element().TopologyIndex, 10);
        QCOMPARE(chain[2]->Element().TopologyIndex, 4);
        QCOMPARE(chain[3]->Element().TopologyIndex, 14);
        auto* topologies = VarnexTest::Control<QComboBox>(
            form.LatencyCalculator()->NetworkButtonForm(), "TopologyComboBox");
        QCOMPARE(topologies->itemText(14), QStringLiteral("Campus link"));
    }

    void fewerNetworksLeaveTheOlderValuesInPlace() {
        {
            TMainForm form;
            TLatencyCalcPanel& panel = *form.LatencyCalculator();
            for (int i = 0; i < 4; ++i) {
                panel.NewNetworkButtonClick();
            }
            QCOMPARE(Chain(form).size(), 7);
            QVERIFY(form.close());
        }
        {
            TMainForm form;
            QCOMPARE(Chain(form).size(), 7);
            TLatencyCalcPanel& panel = *form.LatencyCalculator();
            panel.SelectNetwork(*Chain(form)[1]);
            for (int i = 0; i < 3; ++i) {
                QTest::mouseClick(VarnexTest::Control<QAbstractButton>(form, "NewNetworkButton"),
                                  Qt::LeftButton);
            }
            QCOMPARE(Chain(form).size(), 10);
            for (int i = 0; i < 6; ++i) {
                panel.NetworkSetupEditor().NetworkButtonRemove(*Chain(form)[1]);
            }
            QCOMPARE(Chain(form).size(), 4);
            QVERIFY(form.close());
        }
        const auto store = OpenStore();
        QCOMPARE(store->value(QStringLiteral("NumNetworks")).toInt(), 2);
        for (int i = 3; i <= 5; ++i) {
            QCOMPARE(store->value(QStringLiteral("Network%1").arg(i)).toByteArray().size(), 24);
            QVERIFY(store->contains(QStringLiteral("Network%1Name").arg(i)));
        }
        TMainForm form;
        QCOMPARE(Chain(form).size(), 4);
    }

    void damagedStoreStartsSoundly_data() {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<int>("networks");
        QTest::addColumn<int>("packetSizeA");
        QTest::addColumn<int>("processTimeA");
        // Checked on network 1.
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("delay");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("name");

        const QByteArray sound = NetworkBytes(10, 75, 4, 0, 8);
        const auto with = [&](QVariantMap values) {
            QVariantMap all{{"Calculator", 1},
                            {"NodeA", NodeBytes(64, 0)},
                            {"NodeB", NodeBytes(1024, 0)},
                            {"NumNetworks", 1},
                            {"Network1", sound},
                            {"Network1Name", QStringLiteral("Ethernet")}};
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                if (it.value().isValid()) {
                    all.insert(it.key(), it.value());
                } else {
                    all.remove(it.key());
                }
            }
            return all;
        };
        const QString ethernet = QStringLiteral("Ethernet");
        const QPoint slot(75, 8);
        QTest::newRow("calculator missing") << with({{"Calculator", QVariant()}}) << 1 << 64 << 0
                                            << 10.0 << 4 << 0 << slot << ethernet;
        QTest::newRow("calculator not a number")
            << with({{"Calculator", QStringLiteral("abc")}}) << 1 << 64 << 0 << 10.0 << 4 << 0
            << slot << ethernet;
        QTest::newRow("count missing: one fresh network")
            << with({{"NumNetworks", QVariant()}}) << 1 << 64 << 0 << 0.0 << 14 << 0 << slot
            << QStringLiteral("<Unknown Topology>");
        QTest::newRow("count not a number")
            << with({{"NumNetworks", QStringLiteral("many")}}) << 1 << 64 << 0 << 0.0 << 14 << 0
            << slot << QStringLiteral("<Unknown Topology>");
        QTest::newRow("count negative") << with({{"NumNetworks", -3}}) << 1 << 64 << 0 << 0.0 << 14
                                        << 0 << slot << QStringLiteral("<Unknown Topology>");
        QVariantMap many{{"NumNetworks", 20}};
        QVariantMap wrapping{{"NumNetworks", QStringLiteral("4294967311")}};
        for (int i = 1; i <= 20; ++i) {
            many.insert(QStringLiteral("Network%1").arg(i), sound);
            wrapping.insert(QStringLiteral("Network%1").arg(i), sound);
        }
        QTest::newRow("count above 14")
            << with(many) << 14 << 64 << 0 << 10.0 << 4 << 0 << slot << ethernet;
        QTest::newRow("count beyond 32 bits")
            << with(wrapping) << 14 << 64 << 0 << 10.0 << 4 << 0 << slot << ethernet;
        QTest::newRow("node record missing: first-run size")
            << with({{"NodeA", QVariant()}}) << 1 << 64 << 0 << 10.0 << 4 << 0 << slot << ethernet;
        QTest::newRow("node record short: the fields it holds")
            << with({{"NodeA", NodeBytes(300, 7).left(6)}}) << 1 << 300 << 0 << 10.0 << 4 << 0
            << slot << ethernet;
        QTest::newRow("node record long: its first 8 bytes")
            << with({{"NodeA", NodeBytes(300, 7) + QByteArray(5, 'x')}}) << 1 << 300 << 7 << 10.0
            << 4 << 0 << slot << ethernet;
        QTest::newRow("node values negative") << with({{"NodeA", NodeBytes(-64, -5)}}) << 1 << 0
                                              << 0 << 10.0 << 4 << 0 << slot << ethernet;
        QTest::newRow("network record missing: a fresh network with its name")
            << with({{"Network1", QVariant()}}) << 1 << 64 << 0 << 0.0 << 14 << 0 << slot
            << ethernet;
        QTest::newRow("network record short: bandwidth and left edge")
            << with({{"Network1", NetworkBytes(2.5, 100, 12, 9, 100).left(12)}}) << 1 << 64 << 0
            << 2.5 << 14 << 0 << QPoint(100, 8) << ethernet;
        QTest::newRow("kind beyond the kinds")
            << with({{"Network1", NetworkBytes(10, 75, 200, 3, 8)}}) << 1 << 64 << 0 << 10.0 << 14
            << 3 << slot << ethernet;
        QTest::newRow("node kind in a network record")
            << with({{"Network1", NetworkBytes(10, 75, 17, 3, 8)}}) << 1 << 64 << 0 << 10.0 << 14
            << 3 << slot << ethernet;
        QTest::newRow("bandwidth not a number")
            << with({{"Network1", NetworkBytes(std::nan(""), 75, 4, 0, 8)}}) << 1 << 64 << 0 << 0.0
            << 4 << 0 << slot << ethernet;
        QTest::newRow("bandwidth infinite")
            << with({{"Network1", NetworkBytes(HUGE_VAL, 75, 4, 0, 8)}}) << 1 << 64 << 0 << 0.0 << 4
            << 0 << slot << ethernet;
        QTest::newRow("bandwidth negative")
            << with({{"Network1", NetworkBytes(-10, 75, 12, -5, 8)}}) << 1 << 64 << 0 << 0.0 << 12
            << 0 << slot << ethernet;
        QTest::newRow("position off the surface")
            << with({{"Network1", NetworkBytes(10, -500, 4, 0, 9999)}}) << 1 << 64 << 0 << 10.0 << 4
            << 0 << QPoint(0, 207) << ethernet;
        QTest::newRow("name not a string") << with({{"Network1Name", QByteArray("\x01\x02")}}) << 1
                                           << 64 << 0 << 10.0 << 4 << 0 << slot << QString();
    }

    void damagedStoreStartsSoundly() {
        QFETCH(QVariantMap, values);
        QFETCH(int, networks);
        QFETCH(int, packetSizeA);
        QFETCH(int, processTimeA);
        QFETCH(double, bandwidth);
        QFETCH(int, kind);
        QFETCH(int, delay);
        QFETCH(QPoint, position);
        QFETCH(QString, name);
        {
            const auto store = OpenStore();
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                store->setValue(it.key(), it.value());
            }
        }
        {
            TMainForm form;
            QVERIFY(VarnexTest::Errors().isEmpty());
            QCOMPARE(ShownCalculators(form), QStringLiteral("QuadrelPanel"));
            const QList<TNetworkButton*> chain = Chain(form);
            QCOMPARE(chain.size(), networks + 2);
            QCOMPARE(chain.front()->NetworkButtonKind(), nbDesktopCPU);
            QCOMPARE(chain.back()->NetworkButtonKind(), nbTowerCPU);
            QCOMPARE(chain.front()->Element().PacketSize, packetSizeA);
            QCOMPARE(chain.front()->Element().ProcessTime, processTimeA);
            const TNetworkButton& network = *chain[1];
            QCOMPARE(network.Element().Bandwidth, bandwidth);
            QCOMPARE(static_cast<int>(network.NetworkButtonKind()), kind);
            QCOMPARE(network.Element().PropDelay, delay);
            QCOMPARE(network.pos(), position);
            QCOMPARE(network.NetworkName(), name);
            // A sole network never offers its own removal.
            QCOMPARE(network.RemoveItemsVisible(), networks > 1);
            QVERIFY(form.close());
        }
        VerifyWellFormedStore();
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void unwritableStoreIsReportedOnceAndTheProgramEnds() {
        // A folder where the file should be: neither readable nor writable as a file.
        QVERIFY(QFile::remove(StoreFile()));
        QVERIFY(QDir().mkpath(StoreFile()));
        {
            TMainForm form;
            QVERIFY(VarnexTest::Errors().isEmpty());
            QCOMPARE(Chain(form).size(), 3);
            QVERIFY(form.close());
            QVERIFY(!form.isVisible());
        }
        QCOMPARE(VarnexTest::Errors().size(), 1);
        QVERIFY(VarnexTest::Errors().front().contains(StoreFile()));
        QDir(StoreFile()).removeRecursively();
    }

    void terminationSignalSaves() {
        const QString program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../varnex");
        QVERIFY(QFile::exists(program));
        {
            const auto store = OpenStore();
            store->setValue(QStringLiteral("Calculator"), 0);
            store->setValue(QStringLiteral("NumNetworks"), 2);
            store->setValue(QStringLiteral("Network2"), NetworkBytes(44.736, 210, 12, 5, 72));
            store->setValue(QStringLiteral("Network2Name"), QStringLiteral("T3"));
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), VarnexTest::SettingsFolder());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
        // The program has read the store once its window exists; give it that time.
        QTest::qWait(1500);
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);

        QSettings written(StoreFile(), QSettings::IniFormat);
        written.beginGroup(QStringLiteral("2.11"));
        // Another process writes integers as text.
        QCOMPARE(written.value(QStringLiteral("Calculator")).toString(), QStringLiteral("0"));
        QCOMPARE(written.value(QStringLiteral("NumNetworks")).toString(), QStringLiteral("2"));
        const QByteArray network = written.value(QStringLiteral("Network2")).toByteArray();
        QCOMPARE(DoubleAt(network, 0), 44.736);
        QCOMPARE(Int32At(network, 8), 210);
        QCOMPARE(Int32At(network, 20), 72);
        QCOMPARE(written.value(QStringLiteral("Network2Name")).toString(), QStringLiteral("T3"));
        // Values only the program wrote.
        QCOMPARE(Int32At(written.value(QStringLiteral("NodeA")).toByteArray(), 0), 64);
        QCOMPARE(written.value(QStringLiteral("Network1")).toByteArray().size(), 24);
    }
};

VARNEX_TEST_MAIN(TestSettings)
#include "tst_Settings.moc"
