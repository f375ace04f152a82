#include "BetterSpinEdit.h"
#include "IPAddress.h"
#include "Main.h"
#include "QuadrelPanel.h"
#include "SubnetHostTable.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

// Rebuilding the Subnets/Hosts table for class A with 22 subnet bits: 16385 data rows.
class BenchSubnetTable : public QObject {
    Q_OBJECT

    static TIPAddSubnet ClassA22Bits() {
        TIPAddSubnet subnet;
        subnet.SetRFC1878(true);
        subnet.SetByte(0, 10);
        subnet.SetSubnetBits(22);
        return subnet;
    }

private slots:
    // The fill alone, on a grid that already has its rows.
    void fillTable() {
        TSuperStringGrid grid;
        grid.SetColCount(2);
        const TIPAddSubnet subnet = ClassA22Bits();
        FillSubnetHostTable(grid, subnet);
        QBENCHMARK {
            FillSubnetHostTable(grid, subnet);
        }
        QCOMPARE(grid.RowCount(), 16386);
    }

    // The fill from a grid of a few rows, shown on screen and painted once.
    void fillAndShowTable() {
        TSuperStringGrid grid;
        grid.SetColCount(2);
        grid.resize(270, 190);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const TIPAddSubnet subnet = ClassA22Bits();
        TIPAddSubnet small;
        QBENCHMARK {
            FillSubnetHostTable(grid, small);
            FillSubnetHostTable(grid, subnet);
            grid.repaint();
        }
        QCOMPARE(grid.RowCount(), 16386);
    }

    // What the user waits for: ticking RFC 1878 on the Subnets/Hosts page of the main window
    // rebuilds the table (16384 and 16385 rows in turn) and repaints the window.
    void rebuildInMainWindow() {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* pageControl = form.findChild<QTabWidget*>(QStringLiteral("QuadrelPageControl"));
        auto* rfc1878 = form.findChild<QCheckBox*>(QStringLiteral("RFC1878CheckBox"));
        TQuadrelPanel& panel = *form.SubnetCalculator();
        pageControl->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("SubnetHostTab")));
        auto* classA = form.findChild<QAbstractButton*>(QStringLiteral("ClassARadioButton"));
        classA->click();
        form.findChild<TBetterSpinEdit*>(QStringLiteral("BitsSpinEdit"))->SetValue(22);
        QCOMPARE(panel.SubnetModel().SubnetBits(), 22);
        QBENCHMARK {
            rfc1878->click();
        }
        QVERIFY(!panel.SubnetTableStale());
    }
};

VARNEX_TEST_MAIN(BenchSubnetTable)
#include "bench_SubnetTable.moc"
