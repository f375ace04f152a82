#include "NetworkChain.h"

#include <QTest>
#include <algorithm>
#include <climits>
#include <random>
#include <set>

using namespace NetworkChain;

namespace {

using Chain = TNetworkChain<int>;
constexpr int NodeA = -1;
constexpr int NodeB = -2;

bool IsNetwork(int element) {
    return element != NodeA && element != NodeB;
}

std::size_t IndexIn(const std::vector<int>& elements, int element) {
    return std::size_t(std::find(elements.begin(), elements.end(), element) - elements.begin());
}

// The invariants and the enabling rules, stated over the elements rather than positions.
void CheckInvariants(const Chain& chain) {
    const std::vector<int> elements = chain.Elements();
    QVERIFY(elements.size() >= 3 && elements.size() <= MaxElements);
    QVERIFY(elements.front() == NodeA && elements.back() == NodeB);
    QCOMPARE(std::set<int>(elements.begin(), elements.end()).size(), elements.size());
    QCOMPARE(chain.Position(NodeA), NodeASlot);
    QCOMPARE(chain.Position(NodeB), NodeBSlot);
    for (const TSlot slot : chain.Positions()) {
        QCOMPARE(SnapToGrid(slot.Left, slot.Top), slot);
    }
    const std::size_t selected = IndexIn(elements, chain.Selected());
    QVERIFY(selected < elements.size());
    QCOMPARE(chain.InsertEnabled(), elements.size() < 16);
    QCOMPARE(chain.RemoveEntriesVisible(), elements.size() > 3);
    const bool network = IsNetwork(elements[selected]);
    QCOMPARE(chain.MoveLeftEnabled(), network && IsNetwork(elements[selected - 1]));
    QCOMPARE(chain.MoveRightEnabled(), network && IsNetwork(elements[selected + 1]));
}

} // namespace

class TestNetworkChain : public QObject {
    Q_OBJECT

private slots:
    void snapToGrid_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        // Each edge value and its neighbours on both axes.
        constexpr int Cases[][3] = {
            {0, 8, 8},       {64, 8, 8},      {65, 8, 72},     {66, 8, 72},
            {67, 75, 72},    {129, 75, 72},   {130, 75, 136},  {133, 75, 136},
            {134, 143, 136}, {194, 143, 136}, {195, 143, 200}, {200, 143, 200},
            {201, 210, 200}, {267, 210, 200}, {-1, 210, 200},  {INT_MIN, 210, 200}};
        for (const auto& [v, x, y] : Cases) {
            QTest::addRow("%d", v) << v << x << y;
        }
    }
    void snapToGrid() {
        QFETCH(int, v);
        QFETCH(int, x);
        QFETCH(int, y);
        QCOMPARE(SnapToGrid(v, TAxis::Horizontal), x);
        QCOMPARE(SnapToGrid(v, TAxis::Vertical), y);
    }

    // Random edits, each checked against what it must do, and the invariants after every one.
    void randomEditsKeepInvariants_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 30; ++seed) {
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
        for (int fresh = 2; fresh < 400 && !QTest::currentTestFailed(); ++fresh) {
            const std::vector<int> before = chain.Elements();
            const std::vector<TSlot> slotsBefore = chain.Positions();
            const int selected = chain.Selected();
            const int any = before[pick(before.size())];
            // What the edit must leave: the order and the selection.
            std::vector<int> order = before;
            int selection = selected;
            // Inserts weigh most, so that every sequence also meets the full chain.
            switch (pick(8)) {
            case 0:
            case 1:
            case 2:
                if (!chain.InsertEnabled()) {
                    QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Insert(fresh));
                    break;
                }
                chain.Insert(fresh);
                // Before the selected element, after Node A when Node A is selected.
                order.insert(order.begin() + std::ptrdiff_t(IndexIn(
                                                 order, selected == NodeA ? before[1] : selected)),
                             fresh);
                selection = fresh;
                // The first free slot, rows top to bottom and columns left to right.
                {
                    const TSlot slot = chain.Position(fresh);
                    QVERIFY(!IsSlotTaken(slotsBefore, slot));
                    for (const int top : SlotTops) {
                        for (const int left : SlotLefts) {
                            if (top < slot.Top || (top == slot.Top && left < slot.Left)) {
                                QVERIFY(IsSlotTaken(slotsBefore, {left, top}));
                            }
                        }
                    }
                }
                break;
            case 3:
                if (chain.Remove(any)) {
                    QVERIFY(IsNetwork(any) && before.size() > 3);
                    selection = before[IndexIn(before, any) + 1];
                    std::erase(order, any);
                } else {
                    QVERIFY(!IsNetwork(any) || before.size() == 3);
                }
                break;
            case 4: {
                const std::size_t at = IndexIn(before, selected);
                const std::size_t neighbour = pick(2) == 0 ? at - 1 : at + 1;
                const auto moved =
                    chain.Move(neighbour < at ? TDirection::Left : TDirection::Right);
                if (IsNetwork(selected) && IsNetwork(before[neighbour])) {
                    QCOMPARE(moved, std::optional<int>(before[neighbour]));
                    std::swap(order[at], order[neighbour]);
                } else {
                    QCOMPARE(moved, std::nullopt);
                }
                // The two exchange their slots too.
                QCOMPARE(chain.Positions(), slotsBefore);
                break;
            }
            case 5: {
                const int x = std::uniform_int_distribution<int>(-50, 300)(random);
                const int y = std::uniform_int_distribution<int>(-50, 300)(random);
                const TSlot old = chain.Position(any);
                chain.DragTo(any, x, y);
                QCOMPARE(chain.Position(any), IsNetwork(any) ? SnapToGrid(x, y) : old);
                break;
            }
            case 6:
                if (pick(4) == 0) {
                    // Placed while the last old network still takes its slot.
                    const std::vector<TSlot> kept{NodeASlot, NodeBSlot, slotsBefore.end()[-2]};
                    QCOMPARE(chain.Reset(fresh),
                             std::vector<int>(before.begin() + 1, before.end() - 1));
                    QCOMPARE(chain.Position(fresh), FreeSlot(kept));
                    order = {NodeA, fresh, NodeB};
                    selection = fresh;
                }
                break;
            default:
                chain.Select(any);
                selection = any;
                break;
            }
            QCOMPARE(chain.Elements(), order);
            QCOMPARE(chain.Selected(), selection);
            CheckInvariants(chain);
        }
    }
};

QTEST_APPLESS_MAIN(TestNetworkChain)
#include "tst_NetworkChain.moc"
