#include "../model/LatencyTestChains.h"
#include "LatencyCalcPanel.h"
#include "LatencyGraphsPage.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

// The latency calculator's answer in the main window: the chain laid out with the setup
// editor's own buttons and its values typed into the properties dialog, the results read on
// the two pages and through Edit > Copy.
namespace {

using VarnexTest::Control;

} // namespace

class TestLatencyResults : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    TNetworkButtonForm* dialog = nullptr;

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

    // "Properties..." by Enter on the element the user clicked; then into the dialog.
    void OpenProperties(TNetworkButton* element) {
        QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(25, 25));
        QTest::keyClick(element, Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->EditedButton(), element);
        QVERIFY(VarnexTest::ShowActive(*dialog));
        QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                    QApplication::focusWidget()->window() == dialog);
    }

    // Into a dialog control by its label's accelerator, all of its text replaced.
    void TypeInto(Qt::Key accelerator, const QString& text) {
        QTest::keyClick(dialog, accelerator, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }

    // Picks an item from the open topology list with the keyboard.
    void PickTopology(const QString& item) {
        auto& topology = *Control<QComboBox>(*dialog, "TopologyComboBox");
        QTest::keyClick(dialog, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(&topology, Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView* list = topology.view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < topology.findText(item); ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(topology.currentText(), item);
    }

    // OK closes the dialog; the user is back in the main window.
    void ClickOK() {
        QTest::mouseClick(Control<QPushButton>(*dialog, "OKButton"), Qt::LeftButton);
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(VarnexTest::ShowActive(*form));
        QTRY_COMPARE(QApplication::activeWindow(), form.get());
    }

    void EditNode(TNetworkButton* node, const QString& packetSize, const QString& processTime) {
        OpenProperties(node);
        TypeInto(Qt::Key_S, packetSize);
        TypeInto(Qt::Key_T, processTime);
        ClickOK();
    }

    // The topology brings its bandwidth and delay; a bandwidth given replaces that one.
    void EditNetwork(TNetworkButton* network, const QString& topology,
                     const QString& bandwidth = {}) {
        OpenProperties(network);
        PickTopology(topology);
        if (!bandwidth.isEmpty()) {
            TypeInto(Qt::Key_B, bandwidth);
        }
        ClickOK();
    }

    // Node A 64 bytes 5 ms, Ethernet 10 Mbps, T1 1.544 Mbps 5 ms, Satellite 0.512 Mbps 270 ms,
    // Node B 1024 bytes 20 ms: two more networks inserted before the first-run one.
    void BuildExampleChain() {
        InsertNetwork();
        InsertNetwork();
        QCOMPARE(Chain().size(), 5);
        EditNode(Chain()[0], "64", "5");
        EditNetwork(Chain()[1], "Ethernet");
        EditNetwork(Chain()[2], "T1");
        EditNetwork(Chain()[3], "Satellite");
        EditNode(Chain()[4], "1024", "20");
        QCOMPARE(Chain()[3]->Label(), QStringLiteral("Satellite (0.512 Mbps)"));
    }

    QString CopiedTable() {
        VarnexTest::SelectRowsByHeader(Grid(), 2);
        EditCopy();
        return QGuiApplication::clipboard()->text();
    }

    // Edit > Copy by its shortcut in the main window.
    void EditCopy() {
        QVERIFY(VarnexTest::ShowActive(*form));
        QGuiApplication::clipboard()->clear();
        QVERIFY(CopyMenuItem().isEnabled());
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
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
        dialog = &Panel().NetworkButtonForm();
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

    // A direction refills from the stored results; only a change recomputes them. A value
    // changed behind the calculator's back shows whether it recomputed.
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
        QTest::addColumn<QString>("packetSizeB");
        QTest::addColumn<QString>("error");
        QTest::newRow("Ethernet at 0 Mbps, statistics") << "LatencyStatsTabSheet" << 1 << "1024"
                                                        << "Floating point division by zero.";
        QTest::newRow("Ethernet at 0 Mbps, graphs") << "LatencyGraphsTabSheet" << 1 << "1024"
                                                    << "Floating point division by zero.";
        // 64 + 2147483584 is one above the largest 32-bit integer.
        QTest::newRow("packet sizes above the 32-bit range, statistics")
            << "LatencyStatsTabSheet" << -1 << "2147483584"
            << "Integer overflow.";
        QTest::newRow("packet sizes above the 32-bit range, graphs")
            << "LatencyGraphsTabSheet" << -1 << "2147483584"
            << "Integer overflow.";
    }
    void errorsKeepThePreviousResults() {
        QFETCH(QString, page);
        QFETCH(int, position);
        QFETCH(QString, packetSizeB);
        QFETCH(QString, error);
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        ShowPage("LatencyGraphsTabSheet");
        const QImage bars = Control(*form, "RainbowBarA")->grab().toImage();
        ShowPage("NetworkSetupTabSheet");
        if (position > 0) {
            EditNetwork(Chain()[position], "Ethernet", "0");
        }
        EditNode(Chain()[4], packetSizeB, "20");

        ShowPage(qPrintable(page));
        QCOMPARE(VarnexTest::Errors(), QStringList{error});
        VarnexTest::ResetRecorders();
        QVERIFY(Panel().LatencyDirty());
        QCOMPARE(TotalsRow(), QStringLiteral("Totals:|0.2813988|100.0%"));
        QCOMPARE(Control(*form, "RainbowBarA")->grab().toImage(), bars);
        // Edit > Copy serves the page shown, not the setup left behind.
        if (page == QLatin1String("LatencyStatsTabSheet")) {
            QVERIFY(CopiedTable().endsWith(QStringLiteral("Totals:\t0.2813988\t100.0%\r\n")));
        } else {
            EditCopy();
            QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(268, 285));
        }

        ShowPage("NetworkSetupTabSheet");
        if (position > 0) {
            EditNetwork(Chain()[position], "Ethernet", "100");
        }
        EditNode(Chain()[4], "1024", "20");
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
        EditCopy();
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

    // Selecting the calculator again runs the enter action of the page it shows. The change
    // made while another calculator shows is made behind the dialog's back, which cannot be
    // reached then.
    void selectingTheCalculatorRefreshesItsPage() {
        BuildExampleChain();
        ShowPage("LatencyStatsTabSheet");
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(!Panel().isVisible());
        Chain()[0]->Element().ProcessTime = 105;
        Panel().SetLatencyDirty(true);
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
