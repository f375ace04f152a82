#include "../model/LatencyTestChains.h"
#include "LatencyStatsPage.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

using VarnexTest::Control;

QString RowText(const TSuperStringGrid& grid, int row) {
    return grid.Cells(0, row) + QLatin1Char('|') + grid.Cells(1, row) + QLatin1Char('|') +
           grid.Cells(2, row);
}

} // namespace

class TestLatencyStatsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TLatencyStatsPage> page;
    std::unique_ptr<TTestChain> chain;
    TLatencyTotals totals;
    int refills = 0;

    TSuperStringGrid& Grid() const {
        return *Control<TSuperStringGrid>(*page, "LatencyStatsStringGrid");
    }
    QToolButton& CopyButton() const {
        return *Control<QToolButton>(*page, "CopyLatencyStatsButton");
    }

    // The owner's part: compute once, refill on every click of a direction.
    void UseChain(std::vector<TNetworkElement> values) {
        chain = std::make_unique<TTestChain>(std::move(values));
        totals = chain->Compute();
        page->FillTable(chain->Span(), totals);
    }

    void ClickRadio(const char* name) {
        auto* radio = Control<QRadioButton>(*page, QLatin1String(name));
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        QVERIFY(radio->isChecked());
    }

    void SelectWholeTableByHeader() {
        VarnexTest::SelectRowsByHeader(Grid(), 2);
        QCOMPARE(Grid().Selection(), (TGridRect{0, 1, 2, Grid().RowCount() - 1}));
    }

    QString CopiedTable() {
        SelectWholeTableByHeader();
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(&CopyButton(), Qt::LeftButton);
        return QGuiApplication::clipboard()->text();
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        refills = 0;
        page = std::make_unique<TLatencyStatsPage>();
        page->SetOnPacketDirRadioGroupClick([this] {
            ++refills;
            page->FillTable(chain->Span(), totals);
        });
        QVERIFY(VarnexTest::ShowActive(*page));
        UseChain(TTestChain::Example());
    }

    void cleanup() {
        page.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void layout_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checked");
        QTest::newRow("group") << "PacketDirRadioGroup"
                               << "Packet Direction" << false;
        QTest::newRow("A to B") << "AtoBRadioButton"
                                << "Node &A   --> Node B" << true;
        QTest::newRow("B to A") << "BtoARadioButton"
                                << "Node A <--   Node &B" << false;
        QTest::newRow("round trip") << "RoundTripRadioButton"
                                    << "&Node A <--> Node B" << false;
        QTest::newRow("copy") << "CopyLatencyStatsButton"
                              << "Copy latancy statistics table to clipboard" << false;
    }
    void layout() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, checked);
        QCOMPARE(page->objectName(), QStringLiteral("LatencyStatsTabSheet"));
        QWidget* widget = Control(*page, control);
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(group->title(), text);
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            QCOMPARE(radio->text(), text);
            QCOMPARE(radio->isChecked(), checked);
            QCOMPARE(radio->parentWidget()->objectName(), QStringLiteral("PacketDirRadioGroup"));
        } else {
            auto* button = qobject_cast<QToolButton*>(widget);
            QCOMPARE(button->toolTip(), text);
            QCOMPARE(button->size(), QSize(25, 25));
            QVERIFY(!button->icon().isNull());
            const QRect group = Control(*page, "PacketDirRadioGroup")->geometry();
            QVERIFY(button->x() > group.right());
        }
    }

    void gridSettings() {
        QCOMPARE(Grid().ColCount(), 3);
        QCOMPARE(Grid().FixedRows(), 1);
        QCOMPARE(Grid().FixedCols(), 0);
        QCOMPARE(RowText(Grid(), 0), QStringLiteral("Network Element|Delay (sec)|Percent"));
        QCOMPARE(Grid().ColAlignment(0), TSuperStringGrid::taLeftJustify);
        QCOMPARE(Grid().ColAlignment(1), TSuperStringGrid::taRightJustify);
        QCOMPARE(Grid().ColAlignment(2), TSuperStringGrid::taRightJustify);
        QVERIFY(Grid().Options().testFlag(TSuperStringGrid::goColSizing));
        QVERIFY(Grid().Options().testFlag(TSuperStringGrid::goRangeSelect));
    }

    // The table fills the page below the radio group at any size.
    void gridFillsTheBottom_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("tab size") << QSize(268, 285);
        QTest::newRow("larger") << QSize(400, 500);
    }
    void gridFillsTheBottom() {
        QFETCH(QSize, size);
        page->resize(size);
        const QRect grid = Grid().geometry();
        QCOMPARE(grid.left(), 0);
        QCOMPARE(grid.right(), size.width() - 1);
        QCOMPARE(grid.bottom(), size.height() - 1);
        QVERIFY(grid.top() > Control(*page, "PacketDirRadioGroup")->geometry().bottom());
    }

    // The table of each direction, byte for byte through the clipboard after real clicks.
    void copiedTable_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("table");
        QTest::newRow("A to B, as filled") << QString() << ExampleTableAtoB;
        QTest::newRow("B to A") << "BtoARadioButton" << ExampleTableBtoA;
        QTest::newRow("round trip") << "RoundTripRadioButton" << ExampleTableRoundTrip;
        QTest::newRow("back to A to B") << "AtoBRadioButton" << ExampleTableAtoB;
    }
    void copiedTable() {
        QFETCH(QString, radio);
        QFETCH(QString, table);
        if (!radio.isEmpty()) {
            if (radio == QLatin1String("AtoBRadioButton")) {
                ClickRadio("RoundTripRadioButton");
            }
            ClickRadio(qPrintable(radio));
        }
        QCOMPARE(CopiedTable(), table);
        QCOMPARE(Grid().RowCount(), 7);
    }

    // The accelerators of the three items pick the direction and refill at once, like a click,
    // before the next key is handled.
    void acceleratorsRefill_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("total");
        QTest::newRow("Alt+B") << int(Qt::Key_B) << "0.3171409";
        QTest::newRow("Alt+N") << int(Qt::Key_N) << "0.5935397";
        QTest::newRow("Alt+A") << int(Qt::Key_A) << "0.2813988";
    }
    void acceleratorsRefill() {
        QFETCH(int, key);
        QFETCH(QString, total);
        if (key == Qt::Key_A) {
            ClickRadio("BtoARadioButton");
        }
        const int before = refills;
        QTest::keyClick(page.get(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(refills, before + 1);
        QCOMPARE(RowText(Grid(), 6),
                 QStringLiteral("Totals:|") + total + QStringLiteral("|100.0%"));
    }

    void sixteenElements() {
        UseChain(TTestChain::Sixteen());
        QCOMPARE(Grid().RowCount(), 18);
        QCOMPARE(RowText(Grid(), 1), QStringLiteral("Node A (64 bytes)|0.0100000|6.7%"));
        QCOMPARE(RowText(Grid(), 15), QStringLiteral("Net14 (0 Mbps)|0.0100000|6.7%"));
        QCOMPARE(RowText(Grid(), 16), QStringLiteral("Node B (1024 bytes)|0.0000000|0.0%"));
        QCOMPARE(RowText(Grid(), 17), QStringLiteral("Totals:|0.1500000|100.0%"));
        ClickRadio("RoundTripRadioButton");
        QCOMPARE(RowText(Grid(), 16), QStringLiteral("Node B (1024 bytes)|0.0100000|6.3%"));
        QCOMPARE(RowText(Grid(), 17), QStringLiteral("Totals:|0.1600000|100.0%"));
    }

    // Every delay 0: every share 0, the totals row still says 100.0%.
    void zeroTotal() {
        UseChain(TTestChain::Default());
        QCOMPARE(Grid().RowCount(), 5);
        QCOMPARE(RowText(Grid(), 1), QStringLiteral("Node A (64 bytes)|0.0000000|0.0%"));
        QCOMPARE(RowText(Grid(), 2), QStringLiteral("<Unknown Topology>|0.0000000|0.0%"));
        QCOMPARE(RowText(Grid(), 3), QStringLiteral("Node B (1024 bytes)|0.0000000|0.0%"));
        QCOMPARE(RowText(Grid(), 4), QStringLiteral("Totals:|0.0000000|100.0%"));
    }

    // A shorter chain leaves no stale rows, and the columns fit the new texts, narrower too.
    void refillFitsColumns() {
        const int wide = Grid().ColWidths(0);
        const QFontMetrics metrics(Grid().font());
        QVERIFY(wide >= metrics.horizontalAdvance(QStringLiteral("Satellite (0.512 Mbps)")) + 4);
        UseChain({TTestChain::Node(nbDesktopCPU, "A", 1, 0), TTestChain::Network(nbX25, "X", 1, 0),
                  TTestChain::Node(nbTowerCPU, "B", 1, 0)});
        QCOMPARE(Grid().RowCount(), 5);
        QVERIFY(Grid().ColWidths(0) < wide);
        QCOMPARE(CopiedTable(), QStringLiteral("Network Element\tDelay (sec)\tPercent\r\n"
                                               "A (1 bytes)\t0.0000000\t0.0%\r\n"
                                               "X (1 Mbps)\t0.0000080\t100.0%\r\n"
                                               "B (1 bytes)\t0.0000000\t0.0%\r\n"
                                               "Totals:\t0.0000080\t100.0%\r\n"));
        for (int col = 0; col < 3; ++col) {
            for (int row = 0; row < Grid().RowCount(); ++row) {
                const QFontMetrics cellMetrics(row == 0 ? Grid().FixedFont() : Grid().font());
                QVERIFY(Grid().ColWidths(col) >=
                        cellMetrics.horizontalAdvance(Grid().Cells(col, row)) + 4);
            }
        }
    }
};

VARNEX_TEST_MAIN(TestLatencyStatsPage)
#include "tst_LatencyStatsPage.moc"
