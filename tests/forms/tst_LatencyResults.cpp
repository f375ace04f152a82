#include "../model/LatencyTestChains.h"
#include "LatencyCalcPanel.h"
#include "LatencyGraphsPage.h"
#include "Main.h"
#include "NetworkButton.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

// The latency calculator's answer in the main window: the chain laid out with the setup
// editor's own buttons, its values given as the properties dialog gives them, the results
// read on the two pages and through Edit > Copy.
namespace {

using VarnexTest::Control;

} // namespace

class TestLatencyResults : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    TLatencyCalcPanel& Panel() const { return *form->LatencyCalculator(); }
    QList<TNetworkButton*> Chain() const { return Panel().NetworkList(); }
    TSuperStringGrid& Grid() const {
        return *Control<TSuperStringGrid>(*form, "LatencyStatsStringGrid");
    }
    QAction& CopyMenuItem() const { return *Control<QAction>(*form, "CopyMenuItem"); }
    const TLatencyGraphsPage& Graphs() const {
        return *Control<TLatencyGraphsPage>(*form, "LatencyGraphsTabSheet");
    }

    void ShowPage(const char* name) {
        const int index = Panel().indexOf(Control(*form, QLatin1String(name)));
        QTabBar* tabs = Panel().tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QCOMPARE(Panel().currentIndex(), index);
    }

    void Click(const char* name) {
        auto* control = Control(*form, QLatin1String(name));
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
    }

    void InsertNetwork() { QTest::mouseClick(Control(*form, "NewNetworkButton"), Qt::LeftButton); }

    // What OK in the properties dialog stores, and its OnApply.
    void ApplyNode(TNetworkButton* node, std::int32_t packetSize, std::int32_t processTime) {
        node->Element().PacketSize = packetSize;
        node->SetLabel(QString::fromStdString(
            NodeLabel(node->Element().NetworkName, node->Element().PacketSize)));
        node->Element().ProcessTime = processTime;
        Panel().SetLatencyDirty(true);
    }
    void ApplyNetwork(TNetworkButton* network, TNetworkButtonKind kind, const char* name,
                      double bandwidth, std::int32_t propDelay) {
        network->Element().Bandwidth = bandwidth;
        network->SetNetworkButtonKind(kind);
        network->SetNetworkName(QString::fromLatin1(name));
        network->SetLabel(QString::fromStdString(NetworkLabel(name, bandwidth)));
        network->Element().PropDelay = propDelay;
        Panel().SetLatencyDirty(true);
    }

    // Node A 64 bytes 5 ms, Ethernet 10 Mbps, T1 1.544 Mbps 5 ms, Satellite 0.512 Mbps 270 ms,
    // Node B 1024 bytes 20 ms: two more networks inserted before the first-run one.
    void BuildExampleChain() {
        InsertNetwork();
        InsertNetwork();
        QCOMPARE(Chain().size(), 5);
        ApplyNode(Chain()[0], 64, 5);
        ApplyNetwork(Chain()[1], nbEthernet, "Ethernet", 10, 0);
        ApplyNetwork(Chain()[2], nbTCarrier, "T1", 1.544, 5);
        ApplyNetwork(Chain()[3], nbSatellite, "Satellite", 0.512, 270);
        ApplyNode(Chain()[4], 1024, 20);
    }

    QString CopiedTable() {
        QHeaderView* header = Grid().horizontalHeader();
        const auto centre = [header](int section) {
            return QPoint(header->sectionViewportPosition(section) +
                              header->sectionSize(section) / 2,
                          header->height() / 2);
        };
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre(0));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2));
        QGuiApplication::clipboard()->clear();
        [&] { QVERIFY(CopyMenuItem().isEnabled()); }();
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    QString TotalsRow() const {
        const int row = Grid().RowCount() - 1;
        return Grid().Cells(0, row) + '|' + Grid().Cells(1, row) + '|' + Grid().Cells(2, row);
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(Panel().isVisible());
    }

    void cleanup() {
        form.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    // The first start: every delay 0, so every share 0; three legend rows.
    void firstRunChain() {
        QVERIFY(Panel().LatencyDirty());
        ShowPage("LatencyStatsTabSheet");
        QVERIFY(!Panel().LatencyDirty());
        QCOMPARE(CopiedTable(), QStringLiteral("Network Element\tDelay (sec)\tPercent\r\n"
                                               "Node A (64 bytes)\t0.0000000\t0.0%\r\n"
                                               "<Unknown Topology>\t0.0000000\t0.0%\r\n"
                                               "Node B (1024 bytes)\t0.0000000\t0.0%\r\n"
                                               "Totals:\t0.0000000\t100.0%\r\n"));
        ShowPage("LatencyGraphsTabSheet");
        for (int i = 0; i < LegendPairCount; ++i) {
            QCOMPARE(Graphs().LegendList()[i].Label->isVisible(), i < 3);
        }
        QCOMPARE(Graphs().LegendList()[1].Label->text(), QStringLiteral("<Unknown Topology>"));
    }

    void exampleTables_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("table");
        QTest::newRow("A to B") << "AtoBRadioButton" << ExampleTableAtoB;
        QTest::newRow("B to A") << "BtoARadioButton" << ExampleTableBtoA;
        QTest::newRow("round trip") << "RoundTripRadioButton" << ExampleTableRoundTrip;
    }
    void exampleTables() {
        QFETCH(QString, radio);
        QFETCH(QString, table);
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        Click(qPrintable(radio));
        QCOMPARE(CopiedTable(), table);
    }

    // A direction refills from the stored results; only a change recomputes them.
    void directionRefillsWithoutRecomputing() {
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        Chain()[2]->Element().PropDelay = 105;
        Click("BtoARadioButton");
        QCOMPARE(Grid().Cells(1, 3), QStringLiteral("0.0103057"));
        Panel().SetLatencyDirty(true);
        Click("RoundTripRadioButton");
        QCOMPARE(Grid().Cells(1, 3), QStringLiteral("0.1106373"));
        QVERIFY(!Panel().LatencyDirty());
    }

    // An error is shown once, leaves the table and the bars as they were and the results
    // stale, and the next visit after the fix computes.
    void errorsKeepThePreviousResults_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("packetSizeB");
        QTest::addColumn<QString>("error");
        QTest::newRow("Ethernet at 0 Mbps, statistics")
            << "LatencyStatsTabSheet" << 1 << 1024 << "Floating point division by zero.";
        QTest::newRow("Ethernet at 0 Mbps, graphs")
            << "LatencyGraphsTabSheet" << 1 << 1024 << "Floating point division by zero.";
        QTest::newRow("packet sizes above the 32-bit range, statistics")
            << "LatencyStatsTabSheet" << -1 << 2147483647 - 63 << "Integer overflow.";
        QTest::newRow("packet sizes above the 32-bit range, graphs")
            << "LatencyGraphsTabSheet" << -1 << 2147483647 - 63 << "Integer overflow.";
    }
    void errorsKeepThePreviousResults() {
        QFETCH(QString, page);
        QFETCH(int, position);
        QFETCH(int, packetSizeB);
        QFETCH(QString, error);
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        ShowPage("LatencyGraphsTabSheet");
        const QImage bars = Control(*form, "RainbowBarA")->grab().toImage();
        ShowPage("NetworkSetupTabSheet");
        if (position > 0) {
            ApplyNetwork(Chain()[position], nbEthernet, "Ethernet", 0, 0);
        }
        ApplyNode(Chain()[4], packetSizeB, 20);

        ShowPage(qPrintable(page));
        QCOMPARE(VarnexTest::Errors(), QStringList{error});
        VarnexTest::ResetRecorders();
        QVERIFY(Panel().LatencyDirty());
        QCOMPARE(TotalsRow(), QStringLiteral("Totals:|0.2813988|100.0%"));
        QCOMPARE(Control(*form, "RainbowBarA")->grab().toImage(), bars);
        // Edit > Copy serves the page shown, not the setup left behind.
        if (page == QLatin1String("LatencyStatsTabSheet")) {
            QCOMPARE(CopiedTable().split("\r\n").last(2).first(),
                     QStringLiteral("Totals:\t0.2813988\t100.0%"));
        } else {
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(268, 285));
        }

        ShowPage("NetworkSetupTabSheet");
        if (position > 0) {
            ApplyNetwork(Chain()[position], nbEthernet, "Ethernet", 100, 0);
        }
        ApplyNode(Chain()[4], 1024, 20);
        ShowPage("LatencyStatsTabSheet");
        QVERIFY(!Panel().LatencyDirty());
        QCOMPARE(TotalsRow(), position > 0 ? QStringLiteral("Totals:|0.2813383|100.0%")
                                           : QStringLiteral("Totals:|0.2813988|100.0%"));
    }

    void exampleGraphs() {
        BuildExampleChain();
        ShowPage("LatencyGraphsTabSheet");
        const QStringList labels = {"Node A (64 bytes)", "Ethernet (10 Mbps)", "T1 (1.544 Mbps)",
                                    "Satellite (0.512 Mbps)", "Node B (1024 bytes)"};
        for (int i = 0; i < LegendPairCount; ++i) {
            QCOMPARE(Graphs().LegendList()[i].Label->isVisible(), i < 5);
            if (i < 5) {
                QCOMPARE(Graphs().LegendList()[i].Label->text(), labels[i]);
            }
        }
        QGuiApplication::clipboard()->clear();
        QVERIFY(CopyMenuItem().isEnabled());
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(268, 285));
    }

    // Moving a network along the chain recomputes nothing but hands out the colours anew.
    void reorderingMovesTheColours() {
        BuildExampleChain();
        ShowPage("LatencyGraphsTabSheet");
        ShowPage("NetworkSetupTabSheet");
        QTest::mouseClick(Chain()[1], Qt::LeftButton, {}, QPoint(25, 25));
        QTest::mouseClick(Control(*form, "MoveNetworkRightButton"), Qt::LeftButton);
        QVERIFY(!Panel().LatencyDirty());
        ShowPage("LatencyGraphsTabSheet");
        QCOMPARE(Graphs().LegendList()[1].Label->text(), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(Graphs().LegendList()[2].Label->text(), QStringLiteral("Ethernet (10 Mbps)"));
        ShowPage("LatencyStatsTabSheet");
        QCOMPARE(Grid().Cells(0, 2), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(Grid().Cells(1, 2), QStringLiteral("0.0053316"));
    }

    // Selecting the calculator again runs the enter action of the page it shows.
    void selectingTheCalculatorRefreshesItsPage() {
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(!Panel().isVisible());
        ApplyNode(Chain()[0], 64, 105);
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(TotalsRow(), QStringLiteral("Totals:|0.3813988|100.0%"));
        QVERIFY(CopyMenuItem().isEnabled());
    }

    // The longest chain, inserted with the editor: 16 elements, "Totals:" in row 17.
    void sixteenElements() {
        while (Chain().size() < 16) {
            InsertNetwork();
        }
        ShowPage("LatencyStatsTabSheet");
        QCOMPARE(Grid().RowCount(), 18);
        QCOMPARE(Grid().Cells(0, 16), QStringLiteral("Node B (1024 bytes)"));
        QCOMPARE(TotalsRow(), QStringLiteral("Totals:|0.0000000|100.0%"));
        ShowPage("LatencyGraphsTabSheet");
        QVERIFY(Graphs().LegendList()[15].Label->isVisible());
        QCOMPARE(Graphs().LegendList()[15].Label->text(), QStringLiteral("Node B (1024 bytes)"));
    }
};

VARNEX_TEST_MAIN(TestLatencyResults)
#include "tst_LatencyResults.moc"
