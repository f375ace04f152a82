#include "NetworkKinds.h"

#include <QTest>
#include <algorithm>
#include <vector>

namespace {

bool Offers(TNetworkButtonKind kind, const char* bandwidth) {
    const auto items = BandwidthItems(kind);
    return std::any_of(items.begin(), items.end(), [bandwidth](const char* item) {
        return std::string_view(item) == bandwidth;
    });
}

} // namespace

class TestNetworkKinds : public QObject {
    Q_OBJECT

private slots:
    void listSizes() {
        QCOMPARE(TopologyItems().size(), std::size_t(14));
        QCOMPARE(DesignBandwidthItems().size(), std::size_t(17));
        QCOMPARE(BandwidthItems(nbOther).size(), std::size_t(20));
        QCOMPARE(BandwidthItems(nbTCarrier).size(), std::size_t(9));
        QVERIFY(BandwidthItems(nbISDN).empty());
        QVERIFY(BandwidthItems(nbUnknownNetwork).empty());
        QVERIFY(BandwidthItems(nbDesktopCPU).empty());
    }

    // Every topology item must select a bandwidth its kind's list offers, or nothing is selected.
    void topologyChoices_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index < int(TopologyItems().size()); ++index) {
            QTest::addRow("%s", TopologyItems()[std::size_t(index)]) << index;
        }
    }

    void topologyChoices() {
        QFETCH(int, index);
        const TTopologyChoice choice = TopologyChoice(index);
        QVERIFY(choice.Bandwidth != nullptr);
        QVERIFY2(Offers(choice.Kind, choice.Bandwidth), choice.Bandwidth);
        QVERIFY(!IsNode(choice.Kind));
        QVERIFY(choice.Kind != nbISDN && choice.Kind != nbOther && choice.Kind != nbUnknownNetwork);
    }

    void typedTopologies_data() {
        QTest::addColumn<int>("index");
        QTest::addRow("typing") << -1;
        QTest::addRow("first typed name") << 14;
        QTest::addRow("later typed name") << 30;
    }

    void typedTopologies() {
        QFETCH(int, index);
        const TTopologyChoice choice = TopologyChoice(index);
        QCOMPARE(choice.Kind, nbOther);
        QVERIFY(choice.Bandwidth == nullptr);
    }

    void disabledDelaysAreZero() {
        int disabled = 0;
        for (int kind = 0; kind < NetworkButtonKindCount; ++kind) {
            const auto k = TNetworkButtonKind(kind);
            if (IsPropDelayDisabled(k)) {
                ++disabled;
                QCOMPARE(DefaultPropDelay(k), std::optional<std::int32_t>(0));
                QVERIFY(!IsNode(k));
            }
        }
        QCOMPARE(disabled, 4);
    }

    void findIgnoringCase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addRow("same") << "Ethernet" << 0;
        QTest::addRow("lower") << "ethernet" << 0;
        QTest::addRow("upper, inner blank") << "TOKEN RING" << 2;
        QTest::addRow("first of two") << "t1" << 1;
        QTest::addRow("prefix") << "Eth" << -1;
        QTest::addRow("longer") << "Ethernet " << -1;
        QTest::addRow("empty") << "" << -1;
        QTest::addRow("number") << "44.736" << 4;
        QTest::addRow("non-ASCII exact") << "R\u00e9seau" << 5;
    }

    void findIgnoringCase() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::vector<std::string> items = {"Ethernet", "T1",     "Token Ring",
                                                "T1",       "44.736", "R\u00e9seau"};
        QCOMPARE(FindIgnoringCase(items, text.toStdString()), expected);
    }
};

QTEST_APPLESS_MAIN(TestNetworkKinds)
#include "tst_NetworkKinds.moc"
