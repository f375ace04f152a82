#include "BetterSpinEdit.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "VarnexTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

using VarnexTest::Control;

enum class Leave { Tab, Enter, OtherWindowThenTab };

// What ShowElement is given and what the dialog then shows.
struct Shown {
    TNetworkButtonKind kind;
    QString name;
    double bandwidth;
    int topologyIndex;
    int propDelay;
    int height;
    QString bandwidthText;
    int bandwidthItems;
    QString topologyText;
    bool delayEnabled;
};

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items.append(box.itemText(i));
    }
    return items;
}

const QStringList WanList = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                             "1.544", "6.312", "44.736", "274.176"};

const QStringList DesignList = {"0.056",   "0.064",  "0.512", "1.544",  "4",   "6.312",
                                "10",      "16",     "25",    "44.736", "100", "155.52",
                                "274.176", "622.08", "800",   "1000",   "1600"};

bool SameValues(const TNetworkElement& a, const TNetworkElement& b) {
    return a.NetworkButtonKind == b.NetworkButtonKind && a.NetworkName == b.NetworkName &&
           a.Label == b.Label && a.Bandwidth == b.Bandwidth && a.PacketSize == b.PacketSize &&
           a.ProcessTime == b.ProcessTime && a.PropDelay == b.PropDelay &&
           a.TopologyIndex == b.TopologyIndex;
}

QWidget* Focus() {
    return QApplication::focusWidget();
}

} // namespace

Q_DECLARE_METATYPE(Shown)

class TestNetworkButtonForm : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner;
    TNetworkButtonForm* form = nullptr;
    TNetworkButton* network = nullptr;
    int applies = 0;

    QComboBox& Topology() const { return *Control<QComboBox>(*form, "TopologyComboBox"); }
    QComboBox& Bandwidth() const { return *Control<QComboBox>(*form, "BandwidthComboBox"); }
    TBetterSpinEdit& Delay() const { return *Control<TBetterSpinEdit>(*form, "PropDelaySpinEdit"); }

    void Show(TNetworkButton* element) {
        form->ShowElement(element);
        QTRY_COMPARE(QApplication::activeWindow(), form);
    }

    // Into a control by its label's accelerator, all of its text selected, then the keys, all
    // to that control; '\t' is Tab, '\r' Enter and '\b' Backspace.
    void TypeInto(Qt::Key accelerator, const QString& keys) {
        QTest::keyClick(form, accelerator, Qt::AltModifier);
        QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Focus(), keys);
    }

    // Picks an item from the open list with the keyboard.
    void PickTopology(const QString& item) {
        QTest::keyClick(form, Qt::Key_T, Qt::AltModifier);
        const int index = Topology().findText(item);
        QTest::keyClick(&Topology(), Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView* list = Topology().view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(Topology().currentIndex(), index);
    }

    void Click(const char* button) {
        QTest::mouseClick(Control<QPushButton>(*form, QLatin1String(button)), Qt::LeftButton);
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        applies = 0;
        owner = std::make_unique<QWidget>();
        form = new TNetworkButtonForm(owner.get());
        form->SetOnApply([this](TNetworkButtonForm& sender) {
            QCOMPARE(&sender, form);
            ++applies;
        });
        network = new TNetworkButton(owner.get());
    }

    void cleanup() {
        owner.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void showElement_data() {
        QTest::addColumn<Shown>("row");
        QTest::addRow("fresh network") << Shown{nbUnknownNetwork,
                                                "<Unknown Topology>",
                                                0,
                                                -1,
                                                0,
                                                196,
                                                "0",
                                                1,
                                                "<Unknown Topology>",
                                                true};
        QTest::addRow("ATM 155.52")
            << Shown{nbATM, "ATM", 155.52, 1, 1, 196, "155.52", 3, "ATM", true};
        QTest::addRow("Ethernet 10")
            << Shown{nbEthernet, "Ethernet", 10, 4, 0, 196, "10", 3, "Ethernet", false};
        QTest::addRow("T1 0.5, appended")
            << Shown{nbTCarrier, "T1", 0.5, 10, 7, 196, "0.5", 10, "T1", true};
        QTest::addRow("index past the list")
            << Shown{nbOther, "Gone", 2, 40, 10, 196, "2", 21, "<Unknown Topology>", true};
        QTest::addRow("Node B") << Shown{nbTowerCPU,           "Node B", 0, -1, 0, 164, "0", 1,
                                         "<Unknown Topology>", false};
    }

    void showElement() {
        QFETCH(Shown, row);
        network->SetNetworkButtonKind(row.kind);
        network->SetNetworkName(row.name);
        network->Element().Bandwidth = row.bandwidth;
        network->Element().TopologyIndex = std::int16_t(row.topologyIndex);
        network->Element().PropDelay = row.propDelay;
        Show(network);
        QCOMPARE(form->EditedButton(), network);
        QVERIFY(!form->isModal() && form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Control(*form, "StationPanel")->pos(), Control(*form, "NetworkPanel")->pos());
        QCOMPARE(form->CurrentKind(), row.kind);
        QCOMPARE(form->size(), QSize(225, row.height));
        QCOMPARE(Control(*form, "CancelButton")->y(), row.height - 60);
        QCOMPARE(form->windowTitle(), row.name + " Properties");
        QCOMPARE(Bandwidth().currentText(), row.bandwidthText);
        QCOMPARE(Bandwidth().count(), row.bandwidthItems);
        QCOMPARE(Topology().currentText(), row.topologyText);
        QCOMPARE(Delay().Value(), row.propDelay);
        QCOMPARE(Delay().isEnabled(), row.delayEnabled);
        QCOMPARE(Control(*form, "StationPanel")->isVisible(), row.height == 164);
        QCOMPARE(Control(*form, "NetworkPanel")->isVisible(), row.height == 196);
    }

    // Picks from the list; `typed` goes into the bandwidth box (and Enter) before the last pick,
    // to see whether that pick rebuilt the list.
    void topologyPicks_data() {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("bandwidth");
        QTest::addColumn<int>("delay");
        QTest::addRow("T3 after T1 keeps the list")
            << QStringList{"T1", "T3"} << "2.048" << (QStringList(WanList) << "2.048") << "44.736"
            << 5;
        QTest::addRow("Ethernet after Satellite rebuilds")
            << QStringList{"Satellite", "Ethernet"} << "2.048" << QStringList{"10", "100", "1000"}
            << "10" << 0;
        QTest::addRow("B-ISDN keeps the delay")
            << QStringList{"Frame Relay", "B-ISDN"} << "" << QStringList{"25", "155.52", "622.08"}
            << "155.52" << 20;
        QTest::addRow("56-Switched first keeps the design list")
            << QStringList{"56-Switched"} << "" << DesignList << "0.056" << 0;
    }

    void topologyPicks() {
        QFETCH(QStringList, picks);
        QFETCH(QString, typed);
        QFETCH(QStringList, list);
        QFETCH(QString, bandwidth);
        QFETCH(int, delay);
        QVERIFY(VarnexTest::ShowActive(*form));
        for (const QString& pick : picks) {
            if (pick == picks.last() && !typed.isEmpty()) {
                TypeInto(Qt::Key_B, typed + '\r');
            }
            PickTopology(pick);
        }
        QCOMPARE(Items(Bandwidth()), list);
        QCOMPARE(Bandwidth().currentText(), bandwidth);
        QCOMPARE(Delay().Value(), delay);
        // Ethernet disables the delay; 56-Switched as the first pick leaves the created state.
        const bool editable = delay != 0;
        QCOMPARE(Delay().isEnabled(), editable);
        QCOMPARE(Control(*form, "PropDelayLabel")->isEnabled(), editable);
        QCOMPARE(form->windowTitle(), picks.last() + " Properties");
    }

    // A typed name: while typing the kind is other; leaving the box settles the item.
    void typedTopology_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Leave>("leave");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("index");
        QTest::addRow("new name, Tab") << "Carrier Pigeon" << Leave::Tab << "Carrier Pigeon" << 14;
        QTest::addRow("new name, Enter") << "Eth" << Leave::Enter << "Eth" << 14;
        QTest::addRow("known name, other case") << "ethernet" << Leave::Tab << "Ethernet" << 4;
        QTest::addRow("known name, window left first")
            << "Ethernet" << Leave::OtherWindowThenTab << "Ethernet" << 4;
        QTest::addRow("emptied") << "\b" << Leave::Tab << "<Unknown Topology>" << -1;
    }

    void typedTopology() {
        QFETCH(QString, typed);
        QFETCH(Leave, leave);
        QFETCH(QString, shown);
        QFETCH(int, index);
        network->Element().PropDelay = 3;
        Show(network);
        TypeInto(Qt::Key_T, typed);
        QCOMPARE(form->CurrentKind(), nbOther);
        QCOMPARE(Bandwidth().count(), 20);
        QCOMPARE(Bandwidth().currentText(), QStringLiteral("0"));
        QCOMPARE(Delay().Value(), 10);
        QCOMPARE(form->windowTitle(), Topology().currentText() + " Properties");
        if (leave == Leave::OtherWindowThenTab) {
            QLineEdit elsewhere;
            QVERIFY(VarnexTest::ShowActive(elsewhere));
            QCOMPARE(form->CurrentKind(), nbOther);
            form->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), form);
        }
        QTest::keyClick(Focus(), leave == Leave::Enter ? Qt::Key_Return : Qt::Key_Tab);
        QCOMPARE(Topology().currentText(), shown);
        QCOMPARE(Topology().currentIndex(), index);
        QCOMPARE(Topology().count(), index == 14 ? 15 : 14);
        Click("OKButton");
        QVERIFY(!form->isVisible());
        QCOMPARE(network->Label(), shown + " (0 Mbps)");
        QCOMPARE(network->toolTip(), network->Label());
        QCOMPARE(network->NetworkName(), shown);
        QCOMPARE(network->NetworkButtonKind(), nbOther);
        QCOMPARE(int(network->Element().TopologyIndex), index);
        QCOMPARE(network->Element().PropDelay, 10);
        QCOMPARE(applies, 1);
    }

    // Typed into the bandwidth box of an Ethernet, then OK.
    void typedBandwidth_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("items");
        QTest::addRow("0.5 and Enter, not completed") << "0.5\r"
                                                      << "0.5" << 4;
        QTest::addRow("a list item and Tab") << "100\t"
                                             << "100" << 3;
        QTest::addRow("letters and blanks dropped") << "1x. 5e\t"
                                                    << "1.5" << 4;
        QTest::addRow("emptied") << "\b\t"
                                 << "0" << 3;
    }

    void typedBandwidth() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, items);
        network->SetNetworkButtonKind(nbEthernet);
        network->Element().Bandwidth = 10;
        network->Element().TopologyIndex = 4;
        Show(network);
        TypeInto(Qt::Key_B, typed);
        QVERIFY(form->isVisible());
        QCOMPARE(applies, 0);
        QCOMPARE(Bandwidth().currentText(), shown);
        QCOMPARE(Bandwidth().count(), items);
        Click("OKButton");
        QCOMPARE(network->Element().Bandwidth, shown.toDouble());
        QCOMPARE(network->Label(), "Ethernet (" + shown + " Mbps)");
    }

    // Nothing reaches the element: a bandwidth that is no number stops OK and Apply with the
    // error box and the dialog stays; Cancel and Esc store nothing and close it.
    void nothingStored_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<bool>("refused");
        QTest::addRow("1.2.3, OK") << "1.2.3"
                                   << "" << QByteArray("OKButton") << true;
        QTest::addRow("1.2.3, Apply") << "1.2.3"
                                      << "" << QByteArray("ApplyButton") << true;
        QTest::addRow("pasted letters") << ""
                                        << "fast" << QByteArray("OKButton") << true;
        // The message carries what follows a NUL too.
        QTest::addRow("pasted NUL")
            << "1" << QStringLiteral("0%1x5").arg(QChar(0)) << QByteArray("ApplyButton") << true;
        QTest::addRow("Cancel") << "2"
                                << "" << QByteArray("CancelButton") << false;
        QTest::addRow("Esc") << "2"
                             << "" << QByteArray() << false;
    }

    void nothingStored() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QByteArray, button);
        QFETCH(bool, refused);
        Show(network);
        PickTopology(QStringLiteral("Satellite"));
        const TNetworkElement before = network->Element();
        TypeInto(Qt::Key_D, QStringLiteral("33\t"));
        TypeInto(Qt::Key_B, QStringLiteral("\b") + typed);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
        }
        if (button.isEmpty()) {
            QTest::keyClick(Focus(), Qt::Key_Escape);
        } else {
            Click(button.constData());
        }
        const QString error = "'" + typed + QString(pasted).replace(QChar(0), QChar(0x2400)) +
                              "' is not a valid floating point value.";
        QCOMPARE(VarnexTest::Errors(), refused ? QStringList{error} : QStringList());
        VarnexTest::ResetRecorders();
        QVERIFY(SameValues(network->Element(), before));
        QCOMPARE(applies, 0);
        QCOMPARE(form->isVisible(), refused);
    }

    // Every item of the topology list selects a bandwidth its kind's list offers.
    void everyTopologySelectsAListedBandwidth() {
        QVERIFY(VarnexTest::ShowActive(*form));
        for (int i = 0; i < 14; ++i) {
            PickTopology(Topology().itemText(i));
            QVERIFY2(Bandwidth().currentIndex() >= 0, qPrintable(Topology().itemText(i)));
        }
    }

    // Node A: what is typed into a spin edit counts once the spin edit is left, also when OK is
    // reached by its accelerator.
    void nodeProperties_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<bool>("byAccelerator");
        QTest::addRow("OK clicked") << QByteArray("OKButton") << false;
        QTest::addRow("Alt+O") << QByteArray("OKButton") << true;
        QTest::addRow("Apply clicked") << QByteArray("ApplyButton") << false;
    }

    void nodeProperties() {
        QFETCH(QByteArray, button);
        QFETCH(bool, byAccelerator);
        network->SetNetworkButtonKind(nbDesktopCPU);
        network->SetNetworkName(QStringLiteral("Node A"));
        network->Element().PacketSize = 64;
        Show(network);
        QCOMPARE(form->size(), QSize(225, 164));
        QCOMPARE(Control(*form, "OKButton")->y(), 104);
        QCOMPARE(form->windowTitle(), QStringLiteral("Node A Properties"));
        TypeInto(Qt::Key_T, QStringLiteral("7\t"));
        TypeInto(Qt::Key_S, QStringLiteral("100"));
        if (byAccelerator) {
            QTest::keyClick(form, Qt::Key_O, Qt::AltModifier);
            QTRY_COMPARE(applies, 1);
        } else {
            Click(button.constData());
        }
        QCOMPARE(network->Label(), QStringLiteral("Node A (100 bytes)"));
        QCOMPARE(network->Element().PacketSize, 100);
        QCOMPARE(network->Element().ProcessTime, 7);
        QCOMPARE(network->NetworkButtonKind(), nbDesktopCPU);
        QCOMPARE(applies, 1);
        QCOMPARE(form->isVisible(), button == "ApplyButton");
    }

    void destroyedElementIsLetGo() {
        Show(network);
        auto* second = new TNetworkButton(owner.get());
        form->ShowElement(second);
        delete network;
        QVERIFY(form->isVisible());
        QCOMPARE(form->EditedButton(), second);
        delete second;
        QVERIFY(!form->isVisible());
        QVERIFY(form->EditedButton() == nullptr);
    }
};

VARNEX_TEST_MAIN(TestNetworkButtonForm)
#include "tst_NetworkButtonForm.moc"
