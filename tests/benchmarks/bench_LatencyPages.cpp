#include "../model/LatencyTestChains.h"
#include "LatencyGraphsPage.h"
#include "LatencyStatsPage.h"
#include "VarnexTest.h"

#include <QTest>

// Both latency pages for the longest chain. Two chains with different values take turns, so
// that every refresh really changes the texts, legend and stripes. The repaint is the one the
// event loop makes for what changed, as after a page change.
namespace {

std::vector<TNetworkElement> Variant(int offset) {
    std::vector<TNetworkElement> values = TTestChain::Sixteen();
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        values[i].NetworkButtonKind = static_cast<TNetworkButtonKind>(i);
        values[i].Bandwidth = 0.512 * (i + offset);
        values[i].PropDelay = static_cast<std::int32_t>(3 * i + offset);
        values[i].Label = ElementLabel(values[i]);
    }
    return values;
}

} // namespace

class BenchLatencyPages : public QObject {
    Q_OBJECT

    TTestChain m_first{Variant(0)};
    TTestChain m_second{Variant(7)};

private slots:
    void statsRefill_data() {
        QTest::addColumn<bool>("repainted");
        QTest::newRow("computed and filled") << false;
        QTest::newRow("computed, filled and the repaint it asks for") << true;
    }
    void statsRefill() {
        QFETCH(bool, repainted);
        TLatencyStatsPage page;
        QVERIFY(VarnexTest::ShowActive(page));
        bool second = false;
        QBENCHMARK {
            TTestChain& chain = second ? m_second : m_first;
            second = !second;
            page.FillTable(chain.Span(), chain.Compute());
            if (repainted) {
                QCoreApplication::processEvents();
            }
        }
    }

    void graphsRefresh_data() {
        QTest::addColumn<bool>("repainted");
        QTest::newRow("legend and bars set") << false;
        QTest::newRow("legend and bars set and the repaint they ask for") << true;
    }
    void graphsRefresh() {
        QFETCH(bool, repainted);
        m_first.Compute();
        m_second.Compute();
        TLatencyGraphsPage page;
        QVERIFY(VarnexTest::ShowActive(page));
        bool second = false;
        QBENCHMARK {
            page.ShowGraphs((second ? m_second : m_first).Span());
            second = !second;
            if (repainted) {
                QCoreApplication::processEvents();
            }
        }
    }
};

VARNEX_TEST_MAIN(BenchLatencyPages)
#include "bench_LatencyPages.moc"
