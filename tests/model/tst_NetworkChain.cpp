#include "NetworkChain.h"

#include <QTest>
#include <algorithm>
#include <climits>
#include <random>

using namespace NetworkChain;

namespace {

using Chain = TNetworkChain<int>;
constexpr int NodeA = -1;
constexpr int NodeB = -2;

// Row-major index of a slot, -1 when the position is no slot.
int SlotIndex(TSlot slot) {
    const auto column = std::find(SlotLefts.begin(), SlotLefts.end(), slot.Left);
    const auto row = std::find(SlotTops.begin(), SlotTops.end(), slot.Top);
    if (column == SlotLefts.end() || row == SlotTops.end()) {
        return -1;
    }
    return int(row - SlotTops.begin()) * 4 + int(column - SlotLefts.begin());
}

bool IsNetwork(const Chain& chain, int element) {
    return element != chain.NodeA() && element != chain.NodeB();
}

// The chain's invariants and its enabling rules, stated over elements rather than positions.
void CheckInvariants(const Chain& chain) {
    const std::vector<int> elements = chain.Elements();
    QVERIFY(elements.size() >= 3 && elements.size() <= MaxElements);
    QCOMPARE(elements.front(), NodeA);
    QCOMPARE(elements.back(), NodeB);
    QCOMPARE(chain.Position(NodeA), NodeASlot);
    QCOMPARE(chain.Position(NodeB), NodeBSlot);
    std::vector<int> sorted = elements;
    std::sort(sorted.begin(), sorted.end());
    QVERIFY(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
    for (const TSlot slot : chain.Positions()) {
        QVERIFY(SlotIndex(slot) >= 0);
    }
    const auto selected = std::find(elements.begin(), elements.end(), chain.Selected());
    QVERIFY(selected != elements.end());

    QCOMPARE(chain.InsertEnabled(), elements.size() < 16);
    QCOMPARE(chain.RemoveEntriesVisible(), elements.size() > 3);
    const bool network = IsNetwork(chain, *selected);
    QCOMPARE(chain.MoveLeftEnabled(), network && IsNetwork(chain, *(selected - 1)));
    QCOMPARE(chain.MoveRightEnabled(), network && IsNetwork(chain, *(selected + 1)));
}

std::vector<int> Without(std::vector<int> elements, int element) {
    std::erase(elements, element);
    return elements;
}

// A chain that holds Node A, the networks 1..count and Node B, inserted before Node B.
Chain ChainOf(int count) {
    Chain chain(NodeA, NodeB);
    for (int network = 1; network <= count; ++network) {
        chain.Select(NodeB);
        chain.Insert(network);
    }
    return chain;
}

} // namespace

class TestNetworkChain : public QObject {
    Q_OBJECT

private slots:
    void snapToGrid_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("edge");
        const auto row = [](int v, bool horizontal, int edge) {
            QTest::addRow("%s %d", horizontal ? "x" : "y", v) << v << horizontal << edge;
        };
        for (const auto& [v, edge] : std::vector<std::pair<int, int>>{{0, 8},
                                                                      {66, 8},
                                                                      {67, 75},
                                                                      {133, 75},
                                                                      {134, 143},
                                                                      {200, 143},
                                                                      {201, 210},
                                                                      {267, 210},
                                                                      {-1, 210},
                                                                      {INT_MIN, 210},
                                                                      {INT_MAX, 210}}) {
            row(v, true, edge);
        }
        for (const auto& [v, edge] : std::vector<std::pair<int, int>>{{0, 8},
                                                                      {64, 8},
                                                                      {65, 72},
                                                                      {129, 72},
                                                                      {130, 136},
                                                                      {194, 136},
                                                                      {195, 200},
                                                                      {256, 200},
                                                                      {-1, 200},
                                                                      {INT_MIN, 200}}) {
            row(v, false, edge);
        }
    }
    void snapToGrid() {
        QFETCH(int, v);
        QFETCH(bool, horizontal);
        QFETCH(int, edge);
        QCOMPARE(SnapToGrid(v, horizontal ? TAxis::Horizontal : TAxis::Vertical), edge);
    }

    void removeEntryCaption_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::newRow("first") << 0 << "Ethernet (10 Mbps)"
                               << "1.  Ethernet (10 Mbps)";
        QTest::newRow("fourteenth") << 13 << "<Unknown Topology>"
                                    << "14.  <Unknown Topology>";
    }
    void removeEntryCaption() {
        QFETCH(int, entry);
        QFETCH(QString, label);
        QFETCH(QString, caption);
        QCOMPARE(QString::fromStdString(RemoveEntryCaption(entry, label.toStdString())), caption);
    }

    // 14 networks inserted before Node B fill the slots row by row around the nodes' slots.
    void insertsFillSlotsRowByRow() {
        const std::vector<TSlot> expected{{75, 8},    {143, 8},  {210, 8},  {8, 72},   {75, 72},
                                          {143, 72},  {210, 72}, {8, 136},  {75, 136}, {143, 136},
                                          {210, 136}, {8, 200},  {75, 200}, {143, 200}};
        const Chain chain = ChainOf(14);
        for (int network = 1; network <= 14; ++network) {
            QCOMPARE(chain.Position(network), expected[network - 1]);
            QCOMPARE(chain.At(network), network);
        }
        QVERIFY(!chain.InsertEnabled());
    }

    void insertIntoFullChainFails() {
        Chain chain = ChainOf(14);
        QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Insert(15));
        QCOMPARE(chain.Count(), 16u);
    }

    void freeSlotOfFullSurfaceFails() {
        std::vector<TSlot> all;
        for (const int top : SlotTops) {
            for (const int left : SlotLefts) {
                all.push_back({left, top});
            }
        }
        QVERIFY_THROWS_EXCEPTION(EVarnexError, FreeSlot(all));
        all.pop_back();
        QCOMPARE(FreeSlot(all), (TSlot{210, 200}));
    }

    void insertPosition_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("position");
        QTest::newRow("Node A") << NodeA << 1;
        QTest::newRow("first network") << 1 << 1;
        QTest::newRow("last network") << 3 << 3;
        QTest::newRow("Node B") << NodeB << 4;
    }
    void insertPosition() {
        QFETCH(int, selected);
        QFETCH(int, position);
        Chain chain = ChainOf(3);
        chain.Select(selected);
        QCOMPARE(chain.Insert(10), std::size_t(position));
        QCOMPARE(chain.At(position), 10);
        QCOMPARE(chain.Selected(), 10);
    }

    void removalSelectsFollower_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("selected one") << 2 << 2 << 3;
        QTest::newRow("other one") << NodeA << 2 << 3;
        QTest::newRow("last network") << 1 << 3 << NodeB;
    }
    void removalSelectsFollower() {
        QFETCH(int, selected);
        QFETCH(int, removed);
        QFETCH(int, selectedAfter);
        Chain chain = ChainOf(3);
        chain.Select(selected);
        QCOMPARE(chain.Remove(removed), std::optional<std::size_t>(removed));
        QCOMPARE(chain.Selected(), selectedAfter);
    }

    void refusedRemovals_data() {
        QTest::addColumn<int>("networks");
        QTest::addColumn<int>("removed");
        QTest::newRow("sole network") << 1 << 1;
        QTest::newRow("Node A") << 2 << NodeA;
        QTest::newRow("Node B") << 2 << NodeB;
    }
    void refusedRemovals() {
        QFETCH(int, networks);
        QFETCH(int, removed);
        Chain chain = ChainOf(networks);
        const std::vector<int> before = chain.Elements();
        QCOMPARE(chain.Remove(removed), std::nullopt);
        QCOMPARE(chain.Elements(), before);
    }

    void removalOfStrangerFails() {
        Chain chain = ChainOf(2);
        QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Remove(7));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Select(7));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.At(4));
    }

    void dragOntoNodeB() {
        Chain chain = ChainOf(2);
        QVERIFY(chain.DragTo(1, 240, 230));
        QCOMPARE(chain.Position(1), NodeBSlot);
        QCOMPARE(chain.Position(NodeB), NodeBSlot);
        QCOMPARE(chain.Elements(), (std::vector<int>{NodeA, 1, 2, NodeB}));
        QVERIFY(!chain.DragTo(NodeA, 100, 100));
        QCOMPARE(chain.Position(NodeA), NodeASlot);
    }

    void resetPlacesFreshNetwork_data() {
        QTest::addColumn<int>("oldX");
        QTest::addColumn<int>("oldY");
        QTest::addColumn<TSlot>("fresh");
        QTest::newRow("old on 75, 8") << 75 << 8 << TSlot{143, 8};
        QTest::newRow("old on 143, 8") << 143 << 8 << TSlot{75, 8};
        QTest::newRow("old on Node B") << 210 << 200 << TSlot{75, 8};
    }
    void resetPlacesFreshNetwork() {
        QFETCH(int, oldX);
        QFETCH(int, oldY);
        QFETCH(TSlot, fresh);
        Chain chain = ChainOf(1);
        chain.DragTo(1, oldX, oldY);
        QCOMPARE(chain.Reset(2), std::vector<int>{1});
        QCOMPARE(chain.Elements(), (std::vector<int>{NodeA, 2, NodeB}));
        QCOMPARE(chain.Position(2), fresh);
        QCOMPARE(chain.Selected(), 2);
    }

    // Random edits, each checked against what it must do, and the invariants after every one.
    void randomEditsKeepInvariants_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 40; ++seed) {
            QTest::addRow("seed %u", seed) << seed;
        }
    }
    void randomEditsKeepInvariants() {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        Chain chain(NodeA, NodeB);
        chain.Insert(1);
        int next = 2;
        CheckInvariants(chain);
        for (int step = 0; step < 400; ++step) {
            const std::vector<int> before = chain.Elements();
            const std::vector<TSlot> positionsBefore = chain.Positions();
            const int selectedBefore = chain.Selected();
            // Inserts weigh most, so that every sequence also meets the full chain.
            switch (pick(8)) {
            case 0:
            case 1:
            case 2: {
                const int fresh = next++;
                if (!chain.InsertEnabled()) {
                    QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Insert(fresh));
                    QCOMPARE(chain.Elements(), before);
                    break;
                }
                const std::size_t position = chain.Insert(fresh);
                QCOMPARE(Without(chain.Elements(), fresh), before);
                QCOMPARE(chain.Selected(), fresh);
                const int follower = chain.At(position + 1);
                QCOMPARE(follower, selectedBefore == NodeA ? before[1] : selectedBefore);
                const int slot = SlotIndex(chain.Position(fresh));
                for (int earlier = 0; earlier <= slot; ++earlier) {
                    const TSlot s{SlotLefts[earlier % 4], SlotTops[earlier / 4]};
                    QCOMPARE(IsSlotTaken(positionsBefore, s), earlier != slot);
                }
                break;
            }
            case 3: {
                const int victim = before[pick(before.size())];
                const std::size_t at =
                    std::find(before.begin(), before.end(), victim) - before.begin();
                const auto removed = chain.Remove(victim);
                const bool refused = victim == NodeA || victim == NodeB || before.size() == 3;
                QCOMPARE(removed.has_value(), !refused);
                if (refused) {
                    QCOMPARE(chain.Elements(), before);
                    QCOMPARE(chain.Selected(), selectedBefore);
                } else {
                    QCOMPARE(chain.Elements(), Without(before, victim));
                    QCOMPARE(chain.Selected(), before[at + 1]);
                }
                break;
            }
            case 4:
            case 5: {
                const bool left = pick(2) == 0;
                const auto at = std::size_t(
                    std::find(before.begin(), before.end(), selectedBefore) - before.begin());
                const std::size_t neighbour = left ? at - 1 : at + 1;
                const bool allowed = selectedBefore != NodeA && selectedBefore != NodeB &&
                                     before[neighbour] != NodeA && before[neighbour] != NodeB;
                const auto moved = chain.Move(left ? TDirection::Left : TDirection::Right);
                QCOMPARE(moved.has_value(), allowed);
                std::vector<int> expected = before;
                std::vector<TSlot> expectedPositions = positionsBefore;
                if (allowed) {
                    QCOMPARE(*moved, before[neighbour]);
                    std::swap(expected[at], expected[neighbour]);
                }
                QCOMPARE(chain.Elements(), expected);
                QCOMPARE(chain.Positions(), expectedPositions);
                QCOMPARE(chain.Selected(), selectedBefore);
                break;
            }
            case 6: {
                const int element = before[pick(before.size())];
                const int x = std::uniform_int_distribution<int>(-50, 300)(random);
                const int y = std::uniform_int_distribution<int>(-50, 300)(random);
                const TSlot old = chain.Position(element);
                chain.DragTo(element, x, y);
                const bool node = element == NodeA || element == NodeB;
                QCOMPARE(chain.Position(element), node ? old : SnapToGrid(x, y));
                QCOMPARE(chain.Elements(), before);
                break;
            }
            default:
                if (pick(8) == 0) {
                    const int fresh = next++;
                    std::vector<TSlot> lastOld{NodeASlot, NodeBSlot, positionsBefore.end()[-2]};
                    QCOMPARE(chain.Reset(fresh),
                             std::vector<int>(before.begin() + 1, before.end() - 1));
                    QCOMPARE(chain.Elements(), (std::vector<int>{NodeA, fresh, NodeB}));
                    QCOMPARE(chain.Selected(), fresh);
                    QCOMPARE(chain.Position(fresh), FreeSlot(lastOld));
                } else {
                    chain.Select(before[pick(before.size())]);
                    QCOMPARE(chain.Elements(), before);
                }
                break;
            }
            CheckInvariants(chain);
            if (QTest::currentTestFailed()) {
                qWarning("after step %d", step);
                return;
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestNetworkChain)
#include "tst_NetworkChain.moc"
