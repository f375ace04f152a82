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
        for (const auto& [v, x, y] : std::vector<std::tuple<int, int, int>>{{0, 8, 8},
                                                                            {64, 8, 8},
                                                                            {65, 8, 72},
                                                                            {66, 8, 72},
                                                                            {67, 75, 72},
                                                                            {129, 75, 72},
                                                                            {130, 75, 136},
                                                                            {133, 75, 136},
                                                                            {134, 143, 136},
                                                                            {194, 143, 136},
                                                                            {195, 143, 200},
                                                                            {200, 143, 200},
                                                                            {201, 210, 200},
                                                                            {267, 210, 200},
                                                                            {-1, 210, 200},
                                                                            {INT_MIN, 210, 200}}) {
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
        int fresh = 2;
        for (int step = 0; step < 400 && !QTest::currentTestFailed(); ++step) {
            const std::vector<int> before = chain.Elements();
            const std::vector<TSlot> slotsBefore = chain.Positions();
            const int selected = chain.Selected();
            const std::size_t at = IndexIn(before, selected);
            const int any = before[pick(before.size())];
            std::vector<int> rest = before;
            std::erase(rest, any);
            // Inserts weigh most, so that every sequence also meets the full chain.
            switch (pick(8)) {
            case 0:
            case 1:
            case 2:
                if (!chain.InsertEnabled()) {
                    QVERIFY_THROWS_EXCEPTION(EVarnexError, chain.Insert(fresh));
                } else {
                    const std::size_t position = chain.Insert(fresh);
                    std::vector<int> others = chain.Elements();
                    std::erase(others, fresh);
                    QCOMPARE(others, before);
                    QCOMPARE(chain.At(position + 1), selected == NodeA ? before[1] : selected);
                    QCOMPARE(chain.Selected(), fresh);
                    // The first free slot, rows top to bottom and columns left to right.
                    const TSlot slot = chain.Position(fresh);
                    QVERIFY(!IsSlotTaken(slotsBefore, slot));
                    for (const int top : SlotTops) {
                        for (const int left : SlotLefts) {
                            QVERIFY(top > slot.Top || (top == slot.Top && left >= slot.Left) ||
                                    IsSlotTaken(slotsBefore, {left, top}));
                        }
                    }
                }
                ++fresh;
                break;
            case 3:
                if (!IsNetwork(any) || before.size() == 3) {
                    QCOMPARE(chain.Remove(any), std::nullopt);
                    QCOMPARE(chain.Elements(), before);
                } else {
                    QCOMPARE(chain.Remove(any), IndexIn(before, any));
                    QCOMPARE(chain.Elements(), rest);
                    QCOMPARE(chain.Selected(), before[IndexIn(before, any) + 1]);
                }
                break;
            case 4: {
                const bool left = pick(2) == 0;
                const std::size_t neighbour = left ? at - 1 : at + 1;
                const bool allowed = IsNetwork(selected) && IsNetwork(before[neighbour]);
                const auto moved = chain.Move(left ? TDirection::Left : TDirection::Right);
                std::vector<int> expected = before;
                if (allowed) {
                    QCOMPARE(moved, std::optional<int>(before[neighbour]));
                    std::swap(expected[at], expected[neighbour]);
                } else {
                    QCOMPARE(moved, std::nullopt);
                }
                QCOMPARE(chain.Elements(), expected);
                QCOMPARE(chain.Positions(), slotsBefore);
                QCOMPARE(chain.Selected(), selected);
                break;
            }
            case 5: {
                const int x = std::uniform_int_distribution<int>(-50, 300)(random);
                const int y = std::uniform_int_distribution<int>(-50, 300)(random);
                const TSlot old = chain.Position(any);
                chain.DragTo(any, x, y);
                QCOMPARE(chain.Position(any), IsNetwork(any) ? SnapToGrid(x, y) : old);
                QCOMPARE(chain.Elements(), before);
                break;
            }
            case 6:
                if (pick(4) == 0) {
                    // The fresh network is placed while the last old one still takes its slot.
                    const std::vector<TSlot> kept{NodeASlot, NodeBSlot, slotsBefore.end()[-2]};
                    QCOMPARE(chain.Reset(fresh),
                             std::vector<int>(before.begin() + 1, before.end() - 1));
                    QCOMPARE(chain.Elements(), (std::vector<int>{NodeA, fresh, NodeB}));
                    QCOMPARE(chain.Selected(), fresh);
                    QCOMPARE(chain.Position(fresh), FreeSlot(kept));
                    ++fresh;
                }
                break;
            default:
                chain.Select(any);
                QCOMPARE(chain.Elements(), before);
                break;
            }
            CheckInvariants(chain);
        }
    }
};

QTEST_APPLESS_MAIN(TestNetworkChain)
#include "tst_NetworkChain.moc"
