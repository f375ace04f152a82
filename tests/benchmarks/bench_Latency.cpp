#include "Latency.h"

#include <QTest>

#include <vector>

// The computation behind both latency pages for the longest chain: Node A, 14 networks of
// every sort, Node B.
class BenchLatency : public QObject {
    Q_OBJECT

private slots:
    void computeDelays16() {
        std::vector<TNetworkElement> elements(16);
        elements.front().NetworkButtonKind = nbDesktopCPU;
        elements.front().PacketSize = 64;
        elements.front().ProcessTime = 5;
        elements.back().NetworkButtonKind = nbTowerCPU;
        elements.back().PacketSize = 1024;
        elements.back().ProcessTime = 20;
        for (int i = 1; i < 15; ++i) {
            elements[i].NetworkButtonKind = static_cast<TNetworkButtonKind>(i);
            elements[i].Bandwidth = 0.512 * i;
            elements[i].PropDelay = 3 * i;
        }
        std::vector<TNetworkElement*> chain;
        for (TNetworkElement& element : elements) {
            chain.push_back(&element);
        }
        TLatencyTotals totals;
        QBENCHMARK {
            totals = ComputeDelays(chain);
        }
        QVERIFY(totals.TotalRoundTrip > 0);
    }
};

QTEST_APPLESS_MAIN(BenchLatency)
#include "bench_Latency.moc"
