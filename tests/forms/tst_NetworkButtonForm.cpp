#include "BetterSpinEdit.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "VarnexTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

using VarnexTest::Control;

enum class Leave { Tab, Enter, OtherWindowThenTab };

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items.append(box.itemText(i));
    }
    return items;
}

const QStringList WanList = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                             "1.544", "6.312", "44.736", "274.176"};

bool SameValues(const TNetworkElement& a, const TNetworkElement& b) {
    return a.NetworkButtonKind == b.NetworkButtonKind && a.NetworkName == b.NetworkName &&
           a.Label == b.Label && a.Bandwidth == b.Bandwidth && a.PacketSize == b.PacketSize &&
           a.ProcessTime == b.ProcessTime && a.PropDelay == b.PropDelay &&
           a.TopologyIndex == b.TopologyIndex;
}

} // namespace

class TestNetworkButtonForm : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner;
    TNetworkButtonForm* form = nullptr;
    TNetworkButton* network = nullptr;
    TNetworkButton* nodeA = nullptr;
    int applies = 0;

    QComboBox& Topology() const { return *Control<QComboBox>(*form, "TopologyComboBox"); }
    QComboBox& Bandwidth() const { return *Control<QComboBox>(*form, "BandwidthComboBox"); }
    TBetterSpinEdit& Spin(const char* name) const {
        return *Control<TBetterSpinEdit>(*form, QLatin1String(name));
    }
    QPushButton& Button(const char* name) const {
        return *Control<QPushButton>(*form, QLatin1String(name));
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }

    void Show(TNetworkButton* element) {
        form->ShowElement(element);
        QTRY_COMPARE(QApplication::activeWindow(), form);
    }

    // Into a control by its label's accelerator, all of its text selected, then the keys;
    // '\t' is Tab, '\r' Enter and '\b' Backspace.
    void TypeInto(Qt::Key accelerator, const QString& keys) {
        QTest::keyClick(form, accelerator, Qt::AltModifier);
        QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : keys) {
            switch (c.unicode()) {
            case u'\t':
                QTest::keyClick(Focus(), Qt::Key_Tab);
                break;
            case u'\r':
                QTest::keyClick(Focus(), Qt::Key_Return);
                break;
            case u'\b':
                QTest::keyClick(Focus(), Qt::Key_Backspace);
                break;
            default:
                QTest::keyClick(Focus(), c.toLatin1());
                break;
            }
        }
    }

    // Picks an item from the open list with the keyboard, as a user does.
    void PickTopology(const QString& item) {
        QTest::keyClick(form, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(Focus(), &Topology());
        const int index = Topology().findText(item);
        QVERIFY(index >= 0);
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

    void Click(const char* buttonName) { QTest::mouseClick(&Button(buttonName), Qt::LeftButton); }

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
        nodeA = new TNetworkButton(owner.get());
        nodeA->SetNetworkButtonKind(nbDesktopCPU);
        nodeA->SetNetworkName(QStringLiteral("Node A"));
        nodeA->Element().PacketSize = 64;
    }

    void cleanup() {
        owner.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void createdState() {
        QCOMPARE(form->size(), QSize(225, 196));
        QCOMPARE(form->windowTitle(), QStringLiteral("Properties"));
        QVERIFY(!form->isModal());
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form->CurrentKind(), nb56Switched);
        QCOMPARE(Topology().count(), 14);
        QCOMPARE(Topology().currentText(), QStringLiteral("<Unknown Topology>"));
        QCOMPARE(Topology().currentIndex(), -1);
        QCOMPARE(Bandwidth().count(), 17);
        QCOMPARE(Bandwidth().currentText(), QStringLiteral("0"));
        QVERIFY(!Spin("PropDelaySpinEdit").isEnabled());
        QVERIFY(!Control(*form, "PropDelayLabel")->isEnabled());
        QCOMPARE(Spin("PacketSizeSpinEdit").Value(), 512);
        QCOMPARE(Spin("ProcessTimeSpinEdit").MaxValue(), 2147483647);
        QVERIFY(Control(*form, "StationPanel")->isHidden());
        QCOMPARE(Control(*form, "StationPanel")->pos(), Control(*form, "NetworkPanel")->pos());
        QVERIFY(Button("OKButton").isDefault());
        QVERIFY(form->EditedButton() == nullptr);
    }

    void showElement_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<int>("topologyIndex");
        QTest::addColumn<int>("propDelay");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("bandwidthText");
        QTest::addColumn<int>("bandwidthItems");
        QTest::addColumn<QString>("topologyText");
        QTest::addColumn<bool>("delayEnabled");
        QTest::addRow("fresh network") << int(nbUnknownNetwork) << "<Unknown Topology>" << 0.0 << -1
                                       << 0 << 196 << "0" << 1 << "<Unknown Topology>" << true;
        QTest::addRow("ATM 155.52")
            << int(nbATM) << "ATM" << 155.52 << 1 << 1 << 196 << "155.52" << 3 << "ATM" << true;
        QTest::addRow("Ethernet 10") << int(nbEthernet) << "Ethernet" << 10.0 << 4 << 0 << 196
                                     << "10" << 3 << "Ethernet" << false;
        QTest::addRow("T1 0.5, appended")
            << int(nbTCarrier) << "T1" << 0.5 << 10 << 7 << 196 << "0.5" << 10 << "T1" << true;
        QTest::addRow("index past the list") << int(nbOther) << "Gone" << 2.0 << 40 << 10 << 196
                                             << "2" << 21 << "<Unknown Topology>" << true;
        QTest::addRow("Node B") << int(nbTowerCPU) << "Node B" << 0.0 << -1 << 0 << 164 << "0" << 1
                                << "<Unknown Topology>" << false;
    }

    void showElement() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(double, bandwidth);
        QFETCH(int, topologyIndex);
        QFETCH(int, propDelay);
        QFETCH(int, height);
        QFETCH(QString, bandwidthText);
        QFETCH(int, bandwidthItems);
        QFETCH(QString, topologyText);
        QFETCH(bool, delayEnabled);
        network->SetNetworkButtonKind(TNetworkButtonKind(kind));
        network->SetNetworkName(name);
        network->Element().Bandwidth = bandwidth;
        network->Element().TopologyIndex = std::int16_t(topologyIndex);
        network->Element().PropDelay = propDelay;
        Show(network);
        QCOMPARE(form->EditedButton(), network);
        QCOMPARE(form->CurrentKind(), TNetworkButtonKind(kind));
        QCOMPARE(form->size(), QSize(225, height));
        QCOMPARE(Button("CancelButton").y(), height - 60);
        QCOMPARE(form->windowTitle(), name + " Properties");
        QCOMPARE(Bandwidth().currentText(), bandwidthText);
        QCOMPARE(Bandwidth().count(), bandwidthItems);
        QCOMPARE(Topology().currentText(), topologyText);
        QCOMPARE(Spin("PropDelaySpinEdit").Value(), propDelay);
        QCOMPARE(Spin("PropDelaySpinEdit").isEnabled(), delayEnabled);
        QCOMPARE(Control(*form, "StationPanel")->isVisible(), height == 164);
        QCOMPARE(Control(*form, "NetworkPanel")->isVisible(), height == 196);
    }

    // Picks from the list; `typed` is typed into the bandwidth box (and Enter) before the last
    // pick, to see whether that pick rebuilt the list.
    void topologyPicks_data() {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("bandwidth");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("delayEnabled");
        QTest::addRow("T3 after T1 keeps the list")
            << QStringList{"T1", "T3"} << "2.048" << (QStringList(WanList) << "2.048") << "44.736"
            << 5 << true;
        QTest::addRow("Ethernet after Satellite rebuilds")
            << QStringList{"Satellite", "Ethernet"} << "2.048" << QStringList{"10", "100", "1000"}
            << "10" << 0 << false;
        QTest::addRow("Satellite")
            << QStringList{"Satellite"} << "" << WanList << "0.512" << 270 << true;
        QTest::addRow("B-ISDN keeps the delay")
            << QStringList{"Frame Relay", "B-ISDN"} << "" << QStringList{"25", "155.52", "622.08"}
            << "155.52" << 20 << true;
        QTest::addRow("Token Ring") << QStringList{"X.25", "Token Ring"} << ""
                                    << QStringList{"4", "16"} << "16" << 0 << false;
        QTest::addRow("56-Switched first keeps the design list")
            << QStringList{"56-Switched"} << ""
            << QStringList{"0.056",   "0.064",  "0.512", "1.544",  "4",   "6.312",
                           "10",      "16",     "25",    "44.736", "100", "155.52",
                           "274.176", "622.08", "800",   "1000",   "1600"}
            << "0.056" << 0 << false;
    }

    void topologyPicks() {
        QFETCH(QStringList, picks);
        QFETCH(QString, typed);
        QFETCH(QStringList, list);
        QFETCH(QString, bandwidth);
        QFETCH(int, delay);
        QFETCH(bool, delayEnabled);
        network->SetNetworkButtonKind(nb56Switched);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        for (int i = 0; i < picks.size(); ++i) {
            if (i == picks.size() - 1 && !typed.isEmpty()) {
                TypeInto(Qt::Key_B, typed + '\r');
            }
            PickTopology(picks.at(i));
        }
        QCOMPARE(Items(Bandwidth()), list);
        QCOMPARE(Bandwidth().currentText(), bandwidth);
        QCOMPARE(Spin("PropDelaySpinEdit").Value(), delay);
        QCOMPARE(Spin("PropDelaySpinEdit").isEnabled(), delayEnabled);
        QCOMPARE(Control(*form, "PropDelayLabel")->isEnabled(), delayEnabled);
        QCOMPARE(form->windowTitle(), picks.last() + " Properties");
    }

    // A typed name: while typing the kind is other; leaving the box settles the item.
    void typedTopology_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Leave>("leave");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("label");
        QTest::addRow("new name, Tab") << "Carrier Pigeon" << Leave::Tab << "Carrier Pigeon" << 14
                                       << "Carrier Pigeon (0 Mbps)";
        QTest::addRow("new name, Enter") << "Eth" << Leave::Enter << "Eth" << 14 << "Eth (0 Mbps)";
        QTest::addRow("known name, other case")
            << "ethernet" << Leave::Tab << "Ethernet" << 4 << "Ethernet (0 Mbps)";
        QTest::addRow("known name, window left first")
            << "Ethernet" << Leave::OtherWindowThenTab << "Ethernet" << 4 << "Ethernet (0 Mbps)";
        QTest::addRow("emptied") << "\b" << Leave::Tab << "<Unknown Topology>" << -1
                                 << "<Unknown Topology> (0 Mbps)";
    }

    void typedTopology() {
        QFETCH(QString, typed);
        QFETCH(Leave, leave);
        QFETCH(QString, shown);
        QFETCH(int, index);
        QFETCH(QString, label);
        network->Element().PropDelay = 3;
        Show(network);
        TypeInto(Qt::Key_T, typed);
        QCOMPARE(form->CurrentKind(), nbOther);
        QCOMPARE(Bandwidth().count(), 20);
        QCOMPARE(Bandwidth().currentText(), QStringLiteral("0"));
        QCOMPARE(Spin("PropDelaySpinEdit").Value(), 10);
        QCOMPARE(form->windowTitle(), Topology().currentText() + " Properties");
        if (leave == Leave::OtherWindowThenTab) {
            QLineEdit elsewhere;
            QVERIFY(VarnexTest::ShowActive(elsewhere));
            QCOMPARE(form->CurrentKind(), nbOther);
            QCOMPARE(Topology().currentIndex(), -1);
            form->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), form);
            QCOMPARE(Focus(), &Topology());
        }
        QTest::keyClick(Focus(), leave == Leave::Enter ? Qt::Key_Return : Qt::Key_Tab);
        QCOMPARE(Topology().currentText(), shown);
        QCOMPARE(Topology().currentIndex(), index);
        QCOMPARE(Topology().count(), index == 14 ? 15 : 14);
        QCOMPARE(form->CurrentKind(), nbOther);
        Click("OKButton");
        QVERIFY(!form->isVisible());
        QCOMPARE(network->Label(), label);
        QCOMPARE(network->toolTip(), label);
        QCOMPARE(network->NetworkName(), shown);
        QCOMPARE(network->NetworkButtonKind(), nbOther);
        QCOMPARE(int(network->Element().TopologyIndex), index);
        QCOMPARE(network->Element().PropDelay, 10);
        QCOMPARE(applies, 1);
    }

    void typedNamesStayForTheRun() {
        Show(network);
        TypeInto(Qt::Key_T, QStringLiteral("Carrier Pigeon\t"));
        Click("OKButton");
        auto* other = new TNetworkButton(owner.get());
        // The user works in the main window, then opens the next element's properties.
        QVERIFY(VarnexTest::ShowActive(*owner));
        Show(other);
        TypeInto(Qt::Key_T, QStringLiteral("CARRIER PIGEON\t"));
        QCOMPARE(Topology().count(), 15);
        QCOMPARE(Topology().currentIndex(), 14);
        QCOMPARE(Topology().currentText(), QStringLiteral("Carrier Pigeon"));
    }

    // Typed into the bandwidth box of an Ethernet, then `leave`, then OK.
    void typedBandwidth_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("items");
        QTest::addColumn<double>("stored");
        QTest::addRow("0.5 and Enter, not completed") << "0.5\r"
                                                      << "0.5" << 4 << 0.5;
        QTest::addRow("a list item and Tab") << "100\t"
                                             << "100" << 3 << 100.0;
        QTest::addRow("letters and blanks dropped") << "1x. 5e\t"
                                                    << "1.5" << 4 << 1.5;
        QTest::addRow("emptied") << "\b\t"
                                 << "0" << 3 << 0.0;
    }

    void typedBandwidth() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, items);
        QFETCH(double, stored);
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
        QCOMPARE(network->Element().Bandwidth, stored);
        QCOMPARE(network->Label(), "Ethernet (" + shown + " Mbps)");
    }

    void composedBandwidthIsFiltered() {
        Show(network);
        TypeInto(Qt::Key_B, QStringLiteral("\b"));
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("4a4.7x"));
        QApplication::sendEvent(Focus(), &composed);
        QCOMPARE(Bandwidth().currentText(), QStringLiteral("44.7"));
    }

    void badBandwidthStoresNothing_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("error");
        QTest::addRow("1.2.3, OK")
            << ""
            << "1.2.3" << QByteArray("OKButton") << "'1.2.3' is not a valid floating point value.";
        QTest::addRow("1.2.3, Apply") << ""
                                      << "1.2.3" << QByteArray("ApplyButton")
                                      << "'1.2.3' is not a valid floating point value.";
        QTest::addRow("a lone point")
            << ""
            << "." << QByteArray("OKButton") << "'.' is not a valid floating point value.";
        QTest::addRow("pasted letters")
            << "fast"
            << "" << QByteArray("OKButton") << "'fast' is not a valid floating point value.";
    }

    void badBandwidthStoresNothing() {
        QFETCH(QString, pasted);
        QFETCH(QString, typed);
        QFETCH(QByteArray, button);
        QFETCH(QString, error);
        Show(network);
        PickTopology(QStringLiteral("Satellite"));
        const TNetworkElement before = network->Element();
        TypeInto(Qt::Key_B, QStringLiteral("\b") + typed);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
        }
        Click(button.constData());
        QCOMPARE(VarnexTest::Errors(), QStringList{error});
        VarnexTest::ResetRecorders();
        QVERIFY(SameValues(network->Element(), before));
        QCOMPARE(network->NetworkButtonKind(), nbUnknownNetwork);
        QCOMPARE(applies, 0);
        QVERIFY(form->isVisible());
    }

    void cancelStoresNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::addRow("Cancel clicked") << false;
        QTest::addRow("Esc") << true;
    }

    void cancelStoresNothing() {
        QFETCH(bool, escape);
        Show(network);
        PickTopology(QStringLiteral("T1"));
        TypeInto(Qt::Key_D, QStringLiteral("33\t"));
        const TNetworkElement before = network->Element();
        if (escape) {
            QTest::keyClick(Focus(), Qt::Key_Escape);
        } else {
            Click("CancelButton");
        }
        QVERIFY(!form->isVisible());
        QVERIFY(SameValues(network->Element(), before));
        QCOMPARE(applies, 0);
    }

    // Node A: the packet size typed into its spin edit counts once the spin edit is left.
    void nodeProperties_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<bool>("byAccelerator");
        QTest::addColumn<bool>("visibleAfter");
        QTest::addRow("OK clicked") << QByteArray("OKButton") << false << false;
        QTest::addRow("Alt+O") << QByteArray("OKButton") << true << false;
        QTest::addRow("Apply clicked") << QByteArray("ApplyButton") << false << true;
    }

    void nodeProperties() {
        QFETCH(QByteArray, button);
        QFETCH(bool, byAccelerator);
        QFETCH(bool, visibleAfter);
        Show(nodeA);
        QCOMPARE(form->size(), QSize(225, 164));
        QCOMPARE(Button("OKButton").y(), 104);
        QCOMPARE(form->windowTitle(), QStringLiteral("Node A Properties"));
        QCOMPARE(Spin("PacketSizeSpinEdit").Value(), 64);
        TypeInto(Qt::Key_T, QStringLiteral("7\t"));
        TypeInto(Qt::Key_S, QStringLiteral("100"));
        if (byAccelerator) {
            QTest::keyClick(form, Qt::Key_O, Qt::AltModifier);
            QTRY_COMPARE(applies, 1);
        } else {
            Click(button.constData());
        }
        QCOMPARE(nodeA->Label(), QStringLiteral("Node A (100 bytes)"));
        QCOMPARE(nodeA->Element().PacketSize, 100);
        QCOMPARE(nodeA->Element().ProcessTime, 7);
        QCOMPARE(nodeA->NetworkButtonKind(), nbDesktopCPU);
        QCOMPARE(applies, 1);
        QCOMPARE(form->isVisible(), visibleAfter);
    }

    void destroyedElementIsLetGo() {
        Show(network);
        auto* second = new TNetworkButton(owner.get());
        form->ShowElement(second);
        delete network;
        network = nullptr;
        QVERIFY(form->isVisible());
        QCOMPARE(form->EditedButton(), second);
        delete second;
        QVERIFY(!form->isVisible());
        QVERIFY(form->EditedButton() == nullptr);
    }
};

VARNEX_TEST_MAIN(TestNetworkButtonForm)
#include "tst_NetworkButtonForm.moc"
