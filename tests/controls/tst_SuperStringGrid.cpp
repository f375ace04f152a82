#include "SuperStringGrid.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using Grid = TSuperStringGrid;

char* toString(const TGridRect& rect) {
    return QTest::toString(QStringLiteral("{%1, %2, %3, %4}")
                               .arg(rect.Left)
                               .arg(rect.Top)
                               .arg(rect.Right)
                               .arg(rect.Bottom));
}

namespace {

const QString Untouched = QStringLiteral("untouched");

// The grid of the copy examples: titles "A", "B" in the fixed row, rows ("1", "2") and ("3", "4").
void FillGrid(Grid& grid, int cols, const QStringList& rowMajorTexts) {
    grid.SetColCount(cols);
    grid.SetRowCount(static_cast<int>(rowMajorTexts.size()) / cols);
    for (int i = 0; i < rowMajorTexts.size(); ++i) {
        grid.SetCells(i % cols, i / cols, rowMajorTexts[i]);
    }
}

void FillExample(Grid& grid) {
    FillGrid(grid, 2, {"A", "B", "1", "2", "3", "4"});
}

TGridRect ToGridRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

QString GridTexts(const Grid& grid) {
    QStringList texts;
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            texts << grid.Cells(col, row);
        }
    }
    return texts.join(QLatin1Char('|'));
}

// A point in the column header's viewport: dx pixels right of the left edge of grid column col
// (the middle of the title when dx is negative).
QPoint TitlePoint(Grid& grid, int col, int dx = -1) {
    QHeaderView* header = grid.horizontalHeader();
    const int section = col - grid.FixedCols();
    const int left = header->sectionViewportPosition(section);
    return {dx < 0 ? left + grid.ColWidths(col) / 2 : left + dx, header->height() / 2};
}

QPoint RowTitlePoint(Grid& grid, int row) {
    QHeaderView* header = grid.verticalHeader();
    const int section = row - grid.FixedRows();
    return {header->width() / 2,
            header->sectionViewportPosition(section) + grid.RowHeights(row) / 2};
}

// A point of `from`'s coordinates that lies over `point` of widget `to`.
QPoint Over(QWidget* from, QWidget* to, QPoint point) {
    return from->mapFromGlobal(to->mapToGlobal(point));
}

QPoint CellCenter(Grid& grid, int col, int row) {
    return grid.visualRect(grid.model()->index(row - grid.FixedRows(), col - grid.FixedCols()))
        .center();
}

bool IsInk(QRgb pixel) {
    return qGray(pixel) < 128;
}

// Whether any pixel of the columns [x0, x1] and rows [y0, y1] is dark.
bool HasInk(const QImage& image, int x0, int x1, int y0, int y1) {
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            if (IsInk(image.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

// Leftmost and rightmost dark column within rows [y0, y1] and columns [x0, x1].
std::pair<int, int> InkSpan(const QImage& image, int x0, int x1, int y0, int y1) {
    int first = -1;
    int last = -1;
    for (int x = x0; x <= x1; ++x) {
        if (HasInk(image, x, x, y0, y1)) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return {first, last};
}

QString TextOfWidth(const QFont& font, int minimumWidth) {
    QString text;
    while (QFontMetrics(font).horizontalAdvance(text) < minimumWidth) {
        text += QLatin1Char('M');
    }
    return text;
}

} // namespace

class TestSuperStringGrid : public QObject {
    Q_OBJECT

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        QGuiApplication::clipboard()->setText(Untouched);
    }

    void defaults() {
        Grid grid;
        QCOMPARE(grid.ColCount(), 5);
        QCOMPARE(grid.RowCount(), 5);
        QCOMPARE(grid.FixedRows(), 1);
        QCOMPARE(grid.FixedCols(), 0);
        QCOMPARE(grid.DefaultColWidth(), 64);
        QCOMPARE(grid.DefaultRowHeight(), 17);
        QCOMPARE(grid.ColWidths(4), 64);
        QCOMPARE(grid.RowHeights(0), 17);
        QCOMPARE(grid.RowHeights(4), 17);
        QCOMPARE(grid.size(), QSize(345, 105));
        QCOMPARE(grid.EditModes(), Grid::TEditModes(Grid::emCopy));
        QCOMPARE(grid.CopyModes(), Grid::cmFixedCols | Grid::cmFixedRows);
        QCOMPARE(grid.Options(), Grid::goFixedVertLine | Grid::goFixedHorzLine | Grid::goVertLine |
                                     Grid::goHorzLine | Grid::goRangeSelect |
                                     Grid::goDrawFocusSelected);
        QVERIFY(grid.AutoWidth());
        QVERIFY(grid.AutoHeight());
        QCOMPARE(grid.Selection(), (TGridRect{0, 1, 0, 1}));
    }

    void copyText_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("fixedCols");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QRect>("selection");
        QTest::addColumn<Grid::TCopyModes>("copyModes");
        QTest::addColumn<QString>("expected");

        const QStringList example{"A", "B", "1", "2", "3", "4"};
        const Grid::TCopyModes defaults = Grid::cmFixedCols | Grid::cmFixedRows;
        QTest::newRow("whole table") << 2 << 0 << example << QRect(QPoint(0, 1), QPoint(1, 2))
                                     << defaults << "A\tB\r\n1\t2\r\n3\t4\r\n";
        QTest::newRow("single cell")
            << 2 << 0 << example << QRect(QPoint(0, 2), QPoint(0, 2)) << defaults << "A\r\n3\r\n";
        QTest::newRow("second column") << 2 << 0 << example << QRect(QPoint(1, 1), QPoint(1, 2))
                                       << defaults << "B\r\n2\r\n4\r\n";
        QTest::newRow("without titles") << 2 << 0 << example << QRect(QPoint(0, 2), QPoint(1, 2))
                                        << Grid::TCopyModes(Grid::cmFixedCols) << "3\t4\r\n";
        QTest::newRow("entire columns") << 2 << 0 << example << QRect(QPoint(1, 2), QPoint(1, 2))
                                        << (defaults | Grid::cmEntireCols) << "B\r\n2\r\n4\r\n";
        QTest::newRow("entire rows") << 2 << 0 << example << QRect(QPoint(1, 1), QPoint(1, 1))
                                     << (defaults | Grid::cmEntireRows) << "A\tB\r\n1\t2\r\n";
        QTest::newRow("empty cells keep their tabs")
            << 3 << 0 << QStringList{"", "T", "", "", "x", ""} << QRect(QPoint(0, 1), QPoint(2, 1))
            << defaults << "\tT\t\r\n\tx\t\r\n";
        QTest::newRow("fixed column")
            << 3 << 1 << QStringList{"#", "A", "B", "r1", "1", "2"}
            << QRect(QPoint(2, 1), QPoint(2, 1)) << defaults << "#\tB\r\nr1\t2\r\n";
        QTest::newRow("fixed column left out")
            << 3 << 1 << QStringList{"#", "A", "B", "r1", "1", "2"}
            << QRect(QPoint(1, 1), QPoint(2, 1)) << Grid::TCopyModes(Grid::cmFixedRows)
            << "A\tB\r\n1\t2\r\n";
    }
    void copyText() {
        QFETCH(int, cols);
        QFETCH(int, fixedCols);
        QFETCH(QStringList, texts);
        QFETCH(QRect, selection);
        QFETCH(Grid::TCopyModes, copyModes);
        QFETCH(QString, expected);

        Grid grid;
        FillGrid(grid, cols, texts);
        grid.SetFixedCols(fixedCols);
        grid.SetCopyModes(copyModes);
        grid.SetSelection(ToGridRect(selection));
        QCOMPARE(grid.Selection(), ToGridRect(selection));
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QCOMPARE(GridTexts(grid), texts.join(QLatin1Char('|')));
    }

    void copyWithoutCopyModeLeavesClipboard() {
        Grid grid;
        FillExample(grid);
        grid.SetEditModes({});
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), Untouched);
    }

    void clipboardKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Grid::TEditModes>("editModes");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("cells");

        const QString example = "A|B|1|2|3|4";
        const Grid::TEditModes all = Grid::emClear | Grid::emCopy | Grid::emCut;
        // The selection is the first column's data cells.
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << Grid::TEditModes(Grid::emCopy) << false
                                << "A\r\n1\r\n3\r\n"
                                << example;
        QTest::newRow("Ctrl+C not allowed")
            << int(Qt::Key_C) << (all & ~Grid::TEditModes(Grid::emCopy)) << false << Untouched
            << example;
        QTest::newRow("Ctrl+X without editing")
            << int(Qt::Key_X) << all << false << "A\r\n1\r\n3\r\n"
            << example;
        QTest::newRow("Ctrl+X with editing") << int(Qt::Key_X) << all << true << "A\r\n1\r\n3\r\n"
                                             << "A|B||2||4";
        QTest::newRow("Ctrl+X not allowed")
            << int(Qt::Key_X) << Grid::TEditModes(Grid::emCopy) << true << Untouched << example;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << all << false << Untouched << "A|B||2||4";
        QTest::newRow("Delete not allowed")
            << int(Qt::Key_Delete) << (all & ~Grid::TEditModes(Grid::emClear)) << true << Untouched
            << example;
    }
    void clipboardKeys() {
        QFETCH(int, key);
        QFETCH(Grid::TEditModes, editModes);
        QFETCH(bool, editing);
        QFETCH(QString, clipboard);
        QFETCH(QString, cells);

        Grid grid;
        FillExample(grid);
        grid.SetEditModes(editModes);
        if (editing) {
            grid.SetOptions(grid.Options() | Grid::goEditing);
        }
        QVERIFY(VarnexTest::ShowActive(grid));
        grid.setFocus();
        grid.SetSelection({0, 1, 0, 2});

        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier;
        QTest::keyClick(&grid, Qt::Key(key), modifiers);
        // The request is posted: it runs after the key event.
        QCOMPARE(QGuiApplication::clipboard()->text(), Untouched);
        QCoreApplication::processEvents();
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(GridTexts(grid), cells);
    }

    // Edit > Copy (Ctrl+C) and File > Exit (Ctrl+X) are window shortcuts: the grid takes the key
    // from them only when it will use it.
    void clipboardKeysAgainstWindowShortcuts_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Grid::TEditModes>("editModes");
        QTest::addColumn<bool>("shortcutFires");
        QTest::addColumn<QString>("clipboard");

        QTest::newRow("Ctrl+C by the grid")
            << int(Qt::Key_C) << Grid::TEditModes(Grid::emCopy) << false << "A\r\n3\r\n";
        QTest::newRow("Ctrl+C by the window")
            << int(Qt::Key_C) << Grid::TEditModes() << true << Untouched;
        QTest::newRow("Ctrl+X by the window")
            << int(Qt::Key_X) << Grid::TEditModes(Grid::emCopy) << true << Untouched;
        QTest::newRow("Ctrl+X by the grid")
            << int(Qt::Key_X) << Grid::TEditModes(Grid::emCut) << false << "A\r\n3\r\n";
    }
    void clipboardKeysAgainstWindowShortcuts() {
        QFETCH(int, key);
        QFETCH(Grid::TEditModes, editModes);
        QFETCH(bool, shortcutFires);
        QFETCH(QString, clipboard);

        QWidget window;
        auto* grid = new Grid(&window);
        (new QVBoxLayout(&window))->addWidget(grid);
        QAction shortcut(&window);
        shortcut.setShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key(key)));
        window.addAction(&shortcut);
        int fired = 0;
        connect(&shortcut, &QAction::triggered, [&] { ++fired; });

        FillExample(*grid);
        grid->SetEditModes(editModes);
        grid->SetSelection({0, 2, 0, 2});
        QVERIFY(VarnexTest::ShowActive(window));
        grid->setFocus();

        QTest::keyClick(grid, Qt::Key(key), Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(fired, shortcutFires ? 1 : 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void clearEmptiesExactlyTheSelection() {
        Grid grid;
        QStringList texts;
        for (int i = 0; i < 16; ++i) {
            texts << QString::number(i);
        }
        FillGrid(grid, 4, texts);
        grid.SetEditModes(Grid::emClear);
        grid.SetSelection({1, 1, 2, 2});
        grid.ClearSelectedCells();
        QCOMPARE(GridTexts(grid), QStringLiteral("0|1|2|3|4|||7|8|||11|12|13|14|15"));
        QCOMPARE(QGuiApplication::clipboard()->text(), Untouched);
    }

    void copyAfterMouseSelection() {
        Grid grid;
        FillExample(grid);
        QVERIFY(VarnexTest::ShowActive(grid));
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 0, 1));
        QTest::mouseMove(grid.viewport(), CellCenter(grid, 1, 2));
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 1, 2));
        QCOMPARE(grid.Selection(), (TGridRect{0, 1, 1, 2}));
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(),
                     QStringLiteral("A\tB\r\n1\t2\r\n3\t4\r\n"));
    }

    void autoWidthGrowsWhilePainting_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("autoWidth");
        QTest::newRow("cell, auto width") << 2 << true;
        QTest::newRow("cell, fixed width") << 2 << false;
        QTest::newRow("title, auto width") << 0 << true;
    }
    void autoWidthGrowsWhilePainting() {
        QFETCH(int, row);
        QFETCH(bool, autoWidth);

        Grid grid;
        FillExample(grid);
        grid.SetAutoWidth(autoWidth);
        const QFont font = row == 0 ? grid.FixedFont() : grid.font();
        const QString text = TextOfWidth(font, 100);
        const int textWidth = QFontMetrics(font).horizontalAdvance(text);
        grid.SetCells(0, row, text);
        QCOMPARE(grid.ColWidths(0), 64);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.grab();
        QCOMPARE(grid.ColWidths(0), autoWidth ? textWidth + 4 : 64);
        QCOMPARE(grid.ColWidths(1), 64);
    }

    void textClippedInsideFixedWidthColumn() {
        Grid grid;
        FillExample(grid);
        grid.SetAutoWidth(false);
        grid.SetCells(0, 2, TextOfWidth(grid.font(), 100));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QImage image = grid.viewport()->grab().toImage();
        const QRect cell = grid.visualRect(grid.model()->index(1, 0));
        const int top = cell.top();
        const int bottom = top + grid.RowHeights(2) - 1;
        QCOMPARE(cell.width(), 64 + 1);
        QVERIFY(HasInk(image, 56, 61, top, bottom));
        QVERIFY(!HasInk(image, 62, 63, top, bottom));
    }

    void autoHeightUsesTheCellFont_data() {
        QTest::addColumn<bool>("autoHeight");
        QTest::newRow("auto height") << true;
        QTest::newRow("fixed height") << false;
    }
    void autoHeightUsesTheCellFont() {
        QFETCH(bool, autoHeight);

        Grid grid;
        FillExample(grid);
        grid.SetAutoHeight(autoHeight);
        QFont large = grid.font();
        large.setPixelSize(30);
        QList<QPoint> asked;
        grid.SetOnGetCellFont([&](Grid& sender, QFont& font, int col, int row) {
            QCOMPARE(&sender, &grid);
            asked << QPoint(col, row);
            if (col == 1 && row == 2) {
                font = large;
            }
        });
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.grab();
        QVERIFY(asked.contains(QPoint(1, 2)));
        QVERIFY(asked.contains(QPoint(0, 0)));
        QCOMPARE(grid.RowHeights(2), autoHeight ? QFontMetrics(large).height() + 2 : 17);
        QCOMPARE(grid.RowHeights(1), 17);
    }

    void titleRowGrowsWithItsHeader() {
        Grid grid;
        FillExample(grid);
        QFont large = grid.FixedFont();
        large.setPixelSize(30);
        grid.SetFixedFont(large);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.grab();
        const int height = QFontMetrics(large).height() + 2;
        QCOMPARE(grid.RowHeights(0), height);
        QTRY_COMPARE(grid.horizontalHeader()->height(), height + 1);
        QCOMPARE(grid.viewport()->geometry().top(),
                 grid.horizontalHeader()->geometry().bottom() + 1);
    }

    void alignmentPlacesText_data() {
        QTest::addColumn<Grid::TAlignment>("alignment");
        QTest::newRow("left") << Grid::taLeftJustify;
        QTest::newRow("right") << Grid::taRightJustify;
        QTest::newRow("centre") << Grid::taCenter;
    }
    void alignmentPlacesText() {
        QFETCH(Grid::TAlignment, alignment);

        Grid grid;
        FillExample(grid);
        grid.SetCells(1, 2, QStringLiteral("8888"));
        grid.SetColAlignment(1, alignment);
        QCOMPARE(grid.ColAlignment(1), alignment);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QImage image = grid.viewport()->grab().toImage();
        const QRect cell = grid.visualRect(grid.model()->index(1, 1));
        const int width = QFontMetrics(grid.font()).horizontalAdvance(QStringLiteral("8888"));
        int left = cell.left() + 2;
        if (alignment == Grid::taRightJustify) {
            left = cell.left() + 64 - 2 - width;
        } else if (alignment == Grid::taCenter) {
            left = cell.left() + (64 - width) / 2;
        }
        const auto [first, last] =
            InkSpan(image, cell.left(), cell.left() + 63, cell.top(), cell.top() + 16);
        // Glyphs sit within their advance, a pixel or so off its ends.
        QVERIFY2(first >= left && first <= left + 2, qPrintable(QString::number(first)));
        QVERIFY2(last < left + width && last >= left + width - 3,
                 qPrintable(QString::number(last)));
    }

    void colAlignmentOutOfRangeIsIgnored() {
        Grid grid;
        grid.SetColAlignment(5, Grid::taCenter);
        grid.SetColAlignment(-1, Grid::taCenter);
        QCOMPARE(grid.ColAlignment(4), Grid::taLeftJustify);
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void backgrounds() {
        Grid grid;
        FillExample(grid);
        grid.SetHighlightColor(Qt::green);
        grid.SetRowColors(2, Qt::yellow);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QImage image = grid.viewport()->grab().toImage();
        const auto pixelAt = [&](int col, int row) {
            const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
            return QColor(image.pixel(cell.left() + 1, cell.top() + 1));
        };
        // The current cell (0, 1) is selected, as a new grid's first cell is.
        QCOMPARE(pixelAt(0, 1), QColor(Qt::green));
        QCOMPARE(pixelAt(1, 1), grid.palette().color(QPalette::Base));
        QCOMPARE(pixelAt(0, 2), QColor(Qt::yellow));
        QCOMPARE(pixelAt(1, 2), QColor(Qt::yellow));
    }

    void autoSizeColumn_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("titlePixelSize");
        QTest::addColumn<bool>("wide");
        QTest::newRow("narrow texts shrink to the default") << "ab" << 11 << false;
        QTest::newRow("wide cell") << "a rather wide cell text" << 11 << true;
        QTest::newRow("wide title font") << "ab" << 40 << true;
    }
    void autoSizeColumn() {
        QFETCH(QString, text);
        QFETCH(int, titlePixelSize);
        QFETCH(bool, wide);

        Grid grid;
        FillExample(grid);
        QFont titleFont = grid.FixedFont();
        titleFont.setPixelSize(titlePixelSize);
        grid.SetFixedFont(titleFont);
        grid.SetCells(0, 0, QStringLiteral("Title"));
        grid.SetCells(0, 2, text);
        grid.SetColWidths(0, 150);
        grid.SetColWidths(1, 150);
        grid.AutoSizeColumn(0);

        const int cellWidth = QFontMetrics(grid.font()).horizontalAdvance(text) + 4;
        const int titleWidth =
            QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("Title")) + 4;
        QCOMPARE(grid.ColWidths(0), wide ? std::max(cellWidth, titleWidth) : 64);
        QCOMPARE(grid.ColWidths(0) > 64, wide);
        QCOMPARE(grid.ColWidths(1), 150);
        grid.AutoSizeColumns();
        QCOMPARE(grid.ColWidths(1), 64);
    }

    void countChangeNotifications() {
        Grid grid;
        grid.SetColCount(3);
        grid.SetColAlignment(2, Grid::taRightJustify);
        QList<int> colCalls;
        QList<int> rowCalls;
        grid.SetOnColCountChange([&](Grid& sender, int oldCount) {
            QCOMPARE(&sender, &grid);
            QCOMPARE(sender.ColCount(), 5);
            colCalls << oldCount;
        });
        grid.SetOnRowCountChange([&](Grid&, int oldCount) { rowCalls << oldCount; });

        grid.SetColCount(5);
        QCOMPARE(colCalls, QList<int>{3});
        QCOMPARE(grid.ColAlignment(2), Grid::taRightJustify);
        QCOMPARE(grid.ColAlignment(3), Grid::taLeftJustify);
        QCOMPARE(grid.ColAlignment(4), Grid::taLeftJustify);
        grid.SetColCount(5);
        QCOMPARE(colCalls, QList<int>{3});

        grid.SetRowCount(16386);
        grid.SetRowCount(16386);
        grid.SetRowCount(2);
        QCOMPARE(rowCalls, (QList<int>{5, 16386}));
        QCOMPARE(grid.RowColors(1), grid.palette().color(QPalette::Base));
        QVERIFY(rowCalls.size() == 2 && colCalls.size() == 1);
    }

    void shrinkingDropsTexts() {
        Grid grid;
        FillExample(grid);
        grid.SetRowCount(2);
        grid.SetColCount(1);
        grid.SetRowCount(3);
        grid.SetColCount(2);
        QCOMPARE(GridTexts(grid), QStringLiteral("A||1|||"));
    }

    void indexChecks_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("column past the end") << 2 << 0;
        QTest::newRow("row past the end") << 0 << 3;
        QTest::newRow("negative column") << -1 << 1;
        QTest::newRow("negative row") << 1 << -1;
    }
    void indexChecks() {
        QFETCH(int, col);
        QFETCH(int, row);
        Grid grid;
        FillExample(grid);
        QVERIFY_THROWS_EXCEPTION(EVarnexError, grid.Cells(col, row));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, grid.SetCells(col, row, "x"));
        try {
            grid.SetCells(col, row, "x");
        } catch (const EVarnexError& error) {
            QCOMPARE(QString::fromLatin1(error.what()), QStringLiteral("Grid index out of range"));
        }
        QCOMPARE(GridTexts(grid), QStringLiteral("A|B|1|2|3|4"));
    }

    void fixedCountsKeepTextsAndSizes() {
        Grid grid;
        FillExample(grid);
        grid.SetColWidths(0, 71);
        grid.SetColWidths(1, 176);
        grid.SetRowHeights(1, 30);
        grid.SetFixedRows(2);
        QCOMPARE(grid.RowHeights(1), 30);
        QCOMPARE(grid.ColWidths(0), 71);
        QCOMPARE(grid.ColWidths(1), 176);
        QCOMPARE(GridTexts(grid), QStringLiteral("A|B|1|2|3|4"));
        QCOMPARE(grid.Selection(), (TGridRect{0, 2, 0, 2}));
        grid.SetSelection({0, 2, 1, 2});
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("A\tB\r\n1\t2\r\n3\t4\r\n"));

        QVERIFY_THROWS_EXCEPTION(EVarnexError, grid.SetFixedRows(3));
        grid.SetRowCount(2);
        QCOMPARE(grid.FixedRows(), 1);
    }

    void gridLinesLieOutsideTheCells() {
        Grid grid;
        grid.SetColWidths(1, 71);
        const QHeaderView* header = grid.horizontalHeader();
        QCOMPARE(header->sectionSize(1), 72);
        grid.SetOptions(Grid::goRangeSelect);
        QCOMPARE(grid.ColWidths(1), 71);
        QCOMPARE(header->sectionSize(1), 71);
        QCOMPARE(grid.RowHeights(2), 17);
    }

    void bulkFillSignalsOnce() {
        Grid grid;
        grid.SetColCount(2);
        grid.SetRowCount(1001);
        QSignalSpy changes(grid.model(), &QAbstractItemModel::dataChanged);
        grid.BeginUpdate();
        for (int row = 1; row < grid.RowCount(); ++row) {
            grid.SetCells(0, row, QString::number(row));
            grid.SetCells(1, row, QStringLiteral("x"));
        }
        QCOMPARE(changes.count(), 0);
        grid.EndUpdate();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(grid.Cells(0, 1000), QStringLiteral("1000"));
        QCOMPARE(grid.model()->data(grid.model()->index(999, 0)).toString(),
                 QStringLiteral("1000"));

        grid.SetCells(1, 5, QStringLiteral("y"));
        QCOMPARE(changes.count(), 2);
    }

    void columnTitleClickSelectsColumn() {
        Grid grid;
        FillGrid(grid, 4, {"A", "B", "C", "D", "1", "2", "3", "4", "5", "6", "7", "8"});
        QVERIFY(VarnexTest::ShowActive(grid));
        QWidget* titles = grid.horizontalHeader()->viewport();

        QTest::mouseClick(titles, Qt::LeftButton, {}, TitlePoint(grid, 2));
        QCOMPARE(grid.Selection(), (TGridRect{2, 1, 2, 2}));
        QVERIFY(grid.hasFocus());

        QTest::mouseClick(titles, Qt::LeftButton, Qt::ShiftModifier, TitlePoint(grid, 0));
        QCOMPARE(grid.Selection(), (TGridRect{0, 1, 2, 2}));
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("A\tB\tC\r\n1\t2\t3\r\n5\t6\t7\r\n"));

        // The anchor stays at the first title: extending again replaces the extension.
        QTest::mouseClick(titles, Qt::LeftButton, Qt::ShiftModifier, TitlePoint(grid, 3));
        QCOMPARE(grid.Selection(), (TGridRect{2, 1, 3, 2}));

        grid.SetOptions(grid.Options() & ~Grid::TGridOptions(Grid::goRangeSelect));
        QTest::mouseClick(titles, Qt::LeftButton, Qt::ShiftModifier, TitlePoint(grid, 0));
        QCOMPARE(grid.Selection(), (TGridRect{0, 1, 0, 2}));
    }

    void titleClickKeepsScrollPosition() {
        Grid grid;
        grid.SetColCount(2);
        grid.SetRowCount(500);
        QVERIFY(VarnexTest::ShowActive(grid));
        grid.verticalScrollBar()->setValue(200);
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                          TitlePoint(grid, 1));
        QCOMPARE(grid.Selection(), (TGridRect{1, 1, 1, 499}));
        QCOMPARE(grid.verticalScrollBar()->value(), 200);
    }

    void titleStaysInViewWhileScrolling() {
        Grid grid;
        FillExample(grid);
        grid.SetRowCount(300);
        QVERIFY(VarnexTest::ShowActive(grid));
        QWidget* titles = grid.horizontalHeader()->viewport();
        const QImage before = titles->grab().toImage();
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
        QVERIFY(grid.verticalScrollBar()->value() > 100);
        QVERIFY(titles->isVisible());
        QCOMPARE(titles->grab().toImage(), before);
    }

    void titlePressTracking() {
        Grid grid;
        FillExample(grid);
        QVERIFY(VarnexTest::ShowActive(grid));
        QWidget* titles = grid.horizontalHeader()->viewport();
        const QColor dark = grid.palette().color(QPalette::Dark);
        const QColor face = grid.palette().color(QPalette::Button);
        const int left = grid.horizontalHeader()->sectionViewportPosition(1);
        const auto titleColor = [&] { return QColor(titles->grab().toImage().pixel(left, 5)); };
        const TGridRect before = grid.Selection();
        QCOMPARE(titleColor().rgb(), face.rgb());

        QTest::mousePress(titles, Qt::LeftButton, {}, TitlePoint(grid, 1));
        QCOMPARE(titleColor().rgb(), dark.rgb());
        const QPoint offTitle = Over(titles, grid.viewport(), CellCenter(grid, 0, 2));
        QTest::mouseMove(titles, offTitle);
        QCOMPARE(titleColor().rgb(), face.rgb());
        QTest::mouseMove(titles, TitlePoint(grid, 1));
        QCOMPARE(titleColor().rgb(), dark.rgb());
        QTest::mouseMove(titles, offTitle);
        QTest::mouseRelease(titles, Qt::LeftButton, {}, offTitle);
        QCOMPARE(titleColor().rgb(), face.rgb());
        QCOMPARE(grid.Selection(), before);

        // Released over another title: nothing either.
        QTest::mousePress(titles, Qt::LeftButton, {}, TitlePoint(grid, 1));
        QTest::mouseMove(titles, TitlePoint(grid, 0));
        QTest::mouseRelease(titles, Qt::LeftButton, {}, TitlePoint(grid, 0));
        QCOMPARE(grid.Selection(), before);
    }

    void titleSizingBands_data() {
        QTest::addColumn<bool>("colSizing");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("dx");
        QTest::addColumn<bool>("selects");
        QTest::newRow("no sizing, left edge") << false << 1 << 1 << true;
        QTest::newRow("no sizing, right edge") << false << 1 << 62 << true;
        QTest::newRow("sizing, left band") << true << 1 << 1 << false;
        QTest::newRow("sizing, right band") << true << 1 << 62 << false;
        QTest::newRow("sizing, inside") << true << 1 << 4 << true;
        QTest::newRow("sizing, first column left band") << true << 0 << 1 << true;
        QTest::newRow("sizing, first column right band") << true << 0 << 62 << false;
    }
    void titleSizingBands() {
        QFETCH(bool, colSizing);
        QFETCH(int, col);
        QFETCH(int, dx);
        QFETCH(bool, selects);

        Grid grid;
        FillGrid(grid, 3, {"A", "B", "C", "1", "2", "3", "4", "5", "6"});
        if (colSizing) {
            grid.SetOptions(grid.Options() | Grid::goColSizing);
        }
        grid.SetSelection({2, 2, 2, 2});
        QVERIFY(VarnexTest::ShowActive(grid));
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                          TitlePoint(grid, col, dx));
        QCOMPARE(grid.Selection(), (selects ? TGridRect{col, 1, col, 2} : TGridRect{2, 2, 2, 2}));
        QCOMPARE(grid.ColWidths(col), 64);
    }

    void rowTitlesAndCorner() {
        Grid grid;
        FillGrid(grid, 3,
                 {"", "A", "B", "r1", "1", "2", "r2", "3", "4", "r3", "5", "6", "r4", "7", "8"});
        grid.SetFixedCols(1);
        QVERIFY(VarnexTest::ShowActive(grid));
        QWidget* rowTitles = grid.verticalHeader()->viewport();
        QVERIFY(rowTitles->isVisible());

        QTest::mouseClick(rowTitles, Qt::LeftButton, {}, RowTitlePoint(grid, 2));
        QCOMPARE(grid.Selection(), (TGridRect{1, 2, 2, 2}));
        QTest::mouseClick(rowTitles, Qt::LeftButton, Qt::ShiftModifier, RowTitlePoint(grid, 4));
        QCOMPARE(grid.Selection(), (TGridRect{1, 2, 2, 4}));
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("\tA\tB\r\nr2\t3\t4\r\nr3\t5\t6\r\nr4\t7\t8\r\n"));

        // After a row title, Shift+click on a column title selects that column only.
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          TitlePoint(grid, 2));
        QCOMPARE(grid.Selection(), (TGridRect{2, 1, 2, 4}));
    }

    void pressBesideTheCellsKeepsSelection() {
        Grid grid;
        FillExample(grid);
        QVERIFY(VarnexTest::ShowActive(grid));
        grid.SetSelection({0, 1, 1, 2});
        const QRect lastCell = grid.visualRect(grid.model()->index(1, 1));
        const QPoint beside(lastCell.right() + 20, lastCell.bottom() + 20);
        QVERIFY(grid.viewport()->rect().contains(beside));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, beside);
        QCOMPARE(grid.Selection(), (TGridRect{0, 1, 1, 2}));
    }

    void cornerSelectsAll() {
        Grid grid;
        FillGrid(grid, 3, {"", "A", "B", "r1", "1", "2", "r2", "3", "4"});
        grid.SetFixedCols(1);
        QVERIFY(VarnexTest::ShowActive(grid));
        auto* corner = grid.findChild<QAbstractButton*>();
        QVERIFY(corner != nullptr);
        const QColor dark = grid.palette().color(QPalette::Dark);
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(corner->grab().toImage().pixel(0, 5), dark.rgb());
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(grid.Selection(), (TGridRect{1, 1, 2, 2}));
        grid.CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("\tA\tB\r\nr1\t1\t2\r\nr2\t3\t4\r\n"));
    }

    void draggedColumnTakesItsCellsAlong() {
        Grid grid;
        FillGrid(grid, 3, {"A", "B", "C", "1", "2", "3"});
        grid.SetOptions(grid.Options() | Grid::goColMoving);
        grid.SetColAlignment(0, Grid::taRightJustify);
        grid.SetColWidths(0, 80);
        QVERIFY(VarnexTest::ShowActive(grid));

        QWidget* titles = grid.horizontalHeader()->viewport();
        QTest::mousePress(titles, Qt::LeftButton, {}, TitlePoint(grid, 0));
        const QPoint target = TitlePoint(grid, 2, 50);
        QTest::mouseMove(titles, (TitlePoint(grid, 0) + target) / 2);
        QTest::mouseMove(titles, target);
        QTest::mouseRelease(titles, Qt::LeftButton, {}, target);

        QCOMPARE(GridTexts(grid), QStringLiteral("B|C|A|2|3|1"));
        QCOMPARE(grid.ColAlignment(2), Grid::taRightJustify);
        QCOMPARE(grid.ColAlignment(0), Grid::taLeftJustify);
        QCOMPARE(grid.ColWidths(2), 80);
        QCOMPARE(grid.ColWidths(0), 64);
        QCOMPARE(grid.horizontalHeader()->visualIndex(2), 2);
    }

    void draggedRowTakesItsCellsAlong() {
        Grid grid;
        FillGrid(grid, 2, {"", "A", "r1", "1", "r2", "2", "r3", "3"});
        grid.SetFixedCols(1);
        grid.SetOptions(grid.Options() | Grid::goRowMoving);
        grid.SetRowColors(1, Qt::yellow);
        grid.SetRowHeights(1, 25);
        QVERIFY(VarnexTest::ShowActive(grid));

        QWidget* titles = grid.verticalHeader()->viewport();
        QTest::mousePress(titles, Qt::LeftButton, {}, RowTitlePoint(grid, 1));
        const QPoint target = RowTitlePoint(grid, 3) + QPoint(0, 5);
        QTest::mouseMove(titles, (RowTitlePoint(grid, 1) + target) / 2);
        QTest::mouseMove(titles, target);
        QTest::mouseRelease(titles, Qt::LeftButton, {}, target);

        QCOMPARE(GridTexts(grid), QStringLiteral("|A|r2|2|r3|3|r1|1"));
        QCOMPARE(grid.RowColors(3), QColor(Qt::yellow));
        QCOMPARE(grid.RowColors(1), grid.palette().color(QPalette::Base));
        QCOMPARE(grid.RowHeights(3), 25);
        QCOMPARE(grid.RowHeights(1), 17);
    }

    void sizingEdgeDoubleClickKeepsWidth() {
        Grid grid;
        FillExample(grid);
        grid.SetCells(0, 1, TextOfWidth(grid.font(), 100));
        grid.SetAutoWidth(false);
        grid.SetOptions(grid.Options() | Grid::goColSizing);
        QVERIFY(VarnexTest::ShowActive(grid));
        QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                           TitlePoint(grid, 0, 64));
        QCOMPARE(grid.ColWidths(0), 64);
    }

    void editingNeedsTheOption_data() {
        QTest::addColumn<bool>("editing");
        QTest::newRow("editing") << true;
        QTest::newRow("read only") << false;
    }
    void editingNeedsTheOption() {
        QFETCH(bool, editing);
        Grid grid;
        FillExample(grid);
        if (editing) {
            grid.SetOptions(grid.Options() | Grid::goEditing);
        }
        QVERIFY(VarnexTest::ShowActive(grid));
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(editor != nullptr, editing);
        if (editor != nullptr) {
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("42"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        QCOMPARE(grid.Cells(0, 1), editing ? QStringLiteral("42") : QStringLiteral("1"));
    }
};

VARNEX_TEST_MAIN(TestSuperStringGrid)
#include "tst_SuperStringGrid.moc"
