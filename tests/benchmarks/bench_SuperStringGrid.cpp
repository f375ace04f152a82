#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

// The subnet table at its largest: a title row and 16385 data rows of two texts. The texts are
// made in advance, so that the figures are the grid's own.
namespace {

constexpr int TableRows = 16386;

QStringList TableTexts() {
    QStringList texts;
    for (int row = 1; row < TableRows; ++row) {
        texts << QString::number(row - 1)
              << QStringLiteral("10.%1.0.1 - 10.%1.255.254").arg(row % 256);
    }
    return texts;
}

void FillTable(TSuperStringGrid& grid, const QStringList& texts, bool batched) {
    grid.SetRowCount(TableRows);
    if (batched) {
        grid.BeginUpdate();
    }
    for (int row = 1; row < TableRows; ++row) {
        grid.SetCells(0, row, texts[2 * (row - 1)]);
        grid.SetCells(1, row, texts[2 * (row - 1) + 1]);
    }
    if (batched) {
        grid.EndUpdate();
    }
}

void SetUpTable(TSuperStringGrid& grid) {
    grid.SetColCount(2);
    grid.SetColWidths(0, 71);
    grid.SetColWidths(1, 176);
    grid.SetCells(0, 0, QStringLiteral("Subnet"));
    grid.SetCells(1, 0, QStringLiteral("Host Range"));
    grid.SetColAlignment(0, TSuperStringGrid::taRightJustify);
    grid.SetColAlignment(1, TSuperStringGrid::taCenter);
}

} // namespace

class BenchSuperStringGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_texts = TableTexts(); }

    void fill_data() {
        QTest::addColumn<bool>("batched");
        QTest::addColumn<bool>("repainted");
        QTest::newRow("BeginUpdate/EndUpdate") << true << false;
        QTest::newRow("cell by cell") << false << false;
        // What the subnet panel pays on a rebuild: count, texts and the repaint that shows them.
        QTest::newRow("rebuild and repaint") << true << true;
    }
    void fill() {
        QFETCH(bool, batched);
        QFETCH(bool, repainted);
        TSuperStringGrid grid;
        SetUpTable(grid);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QBENCHMARK {
            grid.SetRowCount(2);
            FillTable(grid, m_texts, batched);
            if (repainted) {
                grid.repaint();
            }
        }
    }

    void createFillAndShow() {
        QBENCHMARK {
            TSuperStringGrid grid;
            SetUpTable(grid);
            FillTable(grid, m_texts, true);
            grid.show();
            grid.repaint();
        }
    }

    void copyWholeTable() {
        TSuperStringGrid grid;
        SetUpTable(grid);
        FillTable(grid, m_texts, true);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.SetSelection({0, 1, 1, TableRows - 1});
        QBENCHMARK {
            grid.CopyToClipboard();
        }
        QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), TableRows);
    }

private:
    QStringList m_texts;
};

VARNEX_TEST_MAIN(BenchSuperStringGrid)
#include "bench_SuperStringGrid.moc"
