#include "SuperStringGrid.h"

#include "Feedback.h"
#include "QtAssumptions.h"
#include "StringGridModel.h"
#include "VarnexError.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <limits>

namespace {

const char* const IndexOutOfRange = "Grid index out of range";

// Band at the edges of a header cell that belongs to sizing, not to clicking.
constexpr int SizingBand = 3;
// Margins between a cell's edges and its text.
constexpr int TextMarginX = 2;
constexpr int TextMarginY = 1;

// The index of the fixed column (row) that covers `offset`, or -1.
int FixedIndexAt(int offset, const std::vector<int>& sizes, int lineWidth) {
    int start = 0;
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
        start += sizes[i] + lineWidth;
        if (offset < start) {
            return i;
        }
    }
    return -1;
}

int FixedStart(int index, const std::vector<int>& sizes, int lineWidth) {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start += sizes[i] + lineWidth;
    }
    return start;
}

// Puts a section the user dragged from `from` to `to` back in its place, but keeps its size at
// `to`: the grid moves the column (row) itself, so that its indices stay in visual order.
void UndoSectionMove(QHeaderView& header, int from, int to) {
    {
        const QSignalBlocker blocker(header);
        header.moveSection(to, from);
    }
    const int first = std::min(from, to);
    const int last = std::max(from, to);
    std::vector<int> sizes;
    for (int section = first; section <= last; ++section) {
        sizes.push_back(header.sectionSize(section));
    }
    MoveGridItem(sizes, from - first, to - first);
    for (int section = first; section <= last; ++section) {
        header.resizeSection(section, sizes[section - first]);
    }
}

// The table view's corner button, a private class of Qt's, found as the view's only button.
QAbstractButton* CornerButton(const QTableView& view) {
    const auto buttons = view.findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    CheckQtAssumption(buttons.size() == 1, "a table view has one button child, its corner button");
    return buttons.front();
}

} // namespace

// Paints the scrolling cells.
class TSuperStringGrid::TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TSuperStringGrid& grid)
        : QStyledItemDelegate(&grid)
        , m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        Feedback::RunPaintGuarded("a grid cell", [&] {
            m_grid.PaintCell(*painter, option.rect, index.column() + m_grid.FixedCols(),
                             index.row() + m_grid.FixedRows(), option.state);
        });
    }

private:
    TSuperStringGrid& m_grid;
};

// Shows the fixed rows (horizontal) or fixed columns (vertical) of the grid, one section per
// scrolling column (row), and passes its mouse events to the grid's header clicks.
class TSuperStringGrid::TFixedHeader : public QHeaderView {
public:
    TFixedHeader(Qt::Orientation orientation, TSuperStringGrid& grid)
        : QHeaderView(orientation, &grid)
        , m_grid(grid) {
        setMinimumSectionSize(0);
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QSize sizeHint() const override {
        return orientation() == Qt::Horizontal ? QSize(length(), m_grid.FixedAreaHeight())
                                               : QSize(m_grid.FixedAreaWidth(), length());
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        Feedback::RunPaintGuarded("a fixed grid cell", [&] {
            if (orientation() == Qt::Horizontal) {
                const int col = logicalIndex + m_grid.FixedCols();
                QRect area = rect;
                for (int row = 0; row < m_grid.FixedRows(); ++row) {
                    area.setHeight(m_grid.RowHeights(row) + m_grid.HorzLineWidth());
                    m_grid.PaintCell(*painter, area, col, row, QStyle::State_None);
                    area.moveTop(area.bottom() + 1);
                }
            } else {
                const int row = logicalIndex + m_grid.FixedRows();
                QRect area = rect;
                for (int col = 0; col < m_grid.FixedCols(); ++col) {
                    area.setWidth(m_grid.ColWidths(col) + m_grid.VertLineWidth());
                    m_grid.PaintCell(*painter, area, col, row, QStyle::State_None);
                    area.moveLeft(area.right() + 1);
                }
            }
        });
    }

    void mousePressEvent(QMouseEvent* event) override {
        Feedback::RunGuarded([&] {
            m_grid.TakeClickFocus();
            m_grid.GridMouseDown(*event);
        });
        QHeaderView::mousePressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Feedback::RunGuarded([&] { m_grid.GridMouseDown(*event); });
        QHeaderView::mouseDoubleClickEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        Feedback::RunGuarded([&] { m_grid.GridMouseMove(*event); });
        QHeaderView::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        Feedback::RunGuarded([&] { m_grid.GridMouseUp(*event); });
        QHeaderView::mouseReleaseEvent(event);
    }

private:
    TSuperStringGrid& m_grid;
};

TSuperStringGrid::TSuperStringGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new TStringGridModel(this))
    , m_columnHeader(new TFixedHeader(Qt::Horizontal, *this))
    , m_rowHeader(new TFixedHeader(Qt::Vertical, *this))
    , m_corner(CornerButton(*this))
    , m_highlightColor(palette().color(QPalette::Highlight))
    , m_fixedFont(font())
    , m_options(TGridOptions(goFixedVertLine) | goFixedHorzLine | goVertLine | goHorzLine |
                goRangeSelect | goDrawFocusSelected) {
    setHorizontalHeader(m_columnHeader);
    setVerticalHeader(m_rowHeader);
    setItemDelegate(new TCellDelegate(*this));
    setShowGrid(false);
    // Double-clicking a sizing edge does not fit the column or row to its contents: the view
    // connects the headers to its fitting, and that connection goes.
    for (QHeaderView* header :
         {static_cast<QHeaderView*>(m_columnHeader), static_cast<QHeaderView*>(m_rowHeader)}) {
        CheckQtAssumption(
            disconnect(header, &QHeaderView::sectionHandleDoubleClicked, this, nullptr),
            "a table view connects its headers' sectionHandleDoubleClicked to itself");
    }
    m_columnHeader->setDefaultSectionSize(m_defaultColWidth + VertLineWidth());
    m_rowHeader->setDefaultSectionSize(m_defaultRowHeight + HorzLineWidth());

    constexpr int InitialCount = 5;
    m_model->SetColCount(InitialCount);
    m_model->SetRowCount(InitialCount);
    m_model->SetFixedCounts(0, 1);
    m_fixedRowHeights.assign(1, m_defaultRowHeight);
    m_colAlignments.assign(InitialCount, taLeftJustify);
    m_rowColors.assign(InitialCount, palette().color(QPalette::Base));
    setModel(m_model);

    connect(m_model, &TStringGridModel::FixedCellsChanged, this, [this] { RepaintFixedCells(); });
    connect(m_columnHeader, &QHeaderView::sectionMoved, this,
            Feedback::Guard([this](int logicalIndex, int oldVisualIndex, int newVisualIndex) {
                ColumnDragged(logicalIndex, oldVisualIndex, newVisualIndex);
            }));
    connect(m_rowHeader, &QHeaderView::sectionMoved, this,
            Feedback::Guard([this](int logicalIndex, int oldVisualIndex, int newVisualIndex) {
                RowDragged(logicalIndex, oldVisualIndex, newVisualIndex);
            }));
    m_corner->installEventFilter(this);

    ApplyOptions();
    FixedAreaChanged();
    EnsureCurrentCell();
    resize(345, 105);
}

int TSuperStringGrid::ColCount() const {
    return m_model->ColCount();
}
int TSuperStringGrid::RowCount() const {
    return m_model->RowCount();
}
int TSuperStringGrid::FixedCols() const {
    return m_model->FixedCols();
}
int TSuperStringGrid::FixedRows() const {
    return m_model->FixedRows();
}

void TSuperStringGrid::SetColCount(int count) {
    count = std::max(count, 1);
    const int oldCount = ColCount();
    if (count == oldCount) {
        return;
    }
    if (count <= FixedCols()) {
        ChangeFixedCounts(count - 1, FixedRows());
    }
    m_model->SetColCount(count);
    m_colAlignments.resize(count, taLeftJustify);
    EnsureCurrentCell();
    if (m_onColCountChange) {
        m_onColCountChange(*this, oldCount);
    }
}

void TSuperStringGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    const int oldCount = RowCount();
    if (count == oldCount) {
        return;
    }
    if (count <= FixedRows()) {
        ChangeFixedCounts(FixedCols(), count - 1);
    }
    m_model->SetRowCount(count);
    m_rowColors.resize(count, palette().color(QPalette::Base));
    EnsureCurrentCell();
    if (m_onRowCountChange) {
        m_onRowCountChange(*this, oldCount);
    }
}

void TSuperStringGrid::SetFixedCols(int count) {
    if (count < 0) {
        throw EVarnexError(IndexOutOfRange);
    }
    if (count >= ColCount()) {
        throw EVarnexError("Fixed column count must be less than column count");
    }
    if (count != FixedCols()) {
        ChangeFixedCounts(count, FixedRows());
    }
}

void TSuperStringGrid::SetFixedRows(int count) {
    if (count < 0) {
        throw EVarnexError(IndexOutOfRange);
    }
    if (count >= RowCount()) {
        throw EVarnexError("Fixed row count must be less than row count");
    }
    if (count != FixedRows()) {
        ChangeFixedCounts(FixedCols(), count);
    }
}

QString TSuperStringGrid::Cells(int col, int row) const {
    CheckCell(col, row);
    return m_model->Cell(col, row);
}

void TSuperStringGrid::SetCells(int col, int row, const QString& text) {
    CheckCell(col, row);
    m_model->SetCell(col, row, text);
}

void TSuperStringGrid::BeginUpdate() {
    m_model->BeginUpdate();
}

void TSuperStringGrid::EndUpdate() {
    m_model->EndUpdate();
}

int TSuperStringGrid::ColWidths(int col) const {
    CheckCol(col);
    if (col < FixedCols()) {
        return m_fixedColWidths[col];
    }
    return m_columnHeader->sectionSize(col - FixedCols()) - VertLineWidth();
}

void TSuperStringGrid::SetColWidths(int col, int width) {
    CheckCol(col);
    width = std::max(width, 0);
    if (col >= FixedCols()) {
        m_columnHeader->resizeSection(col - FixedCols(), width + VertLineWidth());
    } else if (m_fixedColWidths[col] != width) {
        m_fixedColWidths[col] = width;
        FixedAreaChanged();
    }
}

int TSuperStringGrid::RowHeights(int row) const {
    CheckRow(row);
    if (row < FixedRows()) {
        return m_fixedRowHeights[row];
    }
    return m_rowHeader->sectionSize(row - FixedRows()) - HorzLineWidth();
}

void TSuperStringGrid::SetRowHeights(int row, int height) {
    CheckRow(row);
    height = std::max(height, 0);
    if (row >= FixedRows()) {
        m_rowHeader->resizeSection(row - FixedRows(), height + HorzLineWidth());
    } else if (m_fixedRowHeights[row] != height) {
        m_fixedRowHeights[row] = height;
        FixedAreaChanged();
    }
}

void TSuperStringGrid::SetDefaultColWidth(int width) {
    m_defaultColWidth = std::max(width, 0);
    m_fixedColWidths.assign(FixedCols(), m_defaultColWidth);
    m_columnHeader->setDefaultSectionSize(m_defaultColWidth + VertLineWidth());
    FixedAreaChanged();
}

void TSuperStringGrid::SetDefaultRowHeight(int height) {
    m_defaultRowHeight = std::max(height, 0);
    m_fixedRowHeights.assign(FixedRows(), m_defaultRowHeight);
    m_rowHeader->setDefaultSectionSize(m_defaultRowHeight + HorzLineWidth());
    FixedAreaChanged();
}

TSuperStringGrid::TAlignment TSuperStringGrid::ColAlignment(int col) const {
    CheckCol(col);
    return m_colAlignments[col];
}

void TSuperStringGrid::SetColAlignment(int col, TAlignment alignment) {
    if (col < 0 || col >= ColCount() || m_colAlignments[col] == alignment) {
        return;
    }
    m_colAlignments[col] = alignment;
    viewport()->update();
}

QColor TSuperStringGrid::RowColors(int row) const {
    CheckRow(row);
    return m_rowColors[row];
}

void TSuperStringGrid::SetRowColors(int row, const QColor& color) {
    CheckRow(row);
    m_rowColors[row] = color;
    viewport()->update();
}

void TSuperStringGrid::SetAutoWidth(bool autoWidth) {
    m_autoWidth = autoWidth;
    viewport()->update();
    RepaintFixedCells();
}

void TSuperStringGrid::SetAutoHeight(bool autoHeight) {
    m_autoHeight = autoHeight;
    viewport()->update();
    RepaintFixedCells();
}

void TSuperStringGrid::SetHighlightColor(const QColor& color) {
    m_highlightColor = color;
    viewport()->update();
}

void TSuperStringGrid::SetFixedFont(const QFont& font) {
    m_fixedFont = font;
    RepaintFixedCells();
}

void TSuperStringGrid::SetOptions(TGridOptions options) {
    if (VertLineWidth(options) != VertLineWidth() || HorzLineWidth(options) != HorzLineWidth()) {
        const TGridSizes sizes = CaptureSizes();
        m_options = options;
        RestoreSizes(sizes);
    }
    m_options = options;
    ApplyOptions();
}

TGridRect TSuperStringGrid::Selection() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = currentIndex();
        const int col = FixedCols() + (current.isValid() ? current.column() : 0);
        const int row = FixedRows() + (current.isValid() ? current.row() : 0);
        return {col, row, col, row};
    }
    constexpr int Unset = std::numeric_limits<int>::max();
    TGridRect bounds{Unset, Unset, -1, -1};
    for (const QItemSelectionRange& range : selection) {
        bounds.Left = std::min(bounds.Left, range.left());
        bounds.Top = std::min(bounds.Top, range.top());
        bounds.Right = std::max(bounds.Right, range.right());
        bounds.Bottom = std::max(bounds.Bottom, range.bottom());
    }
    return {bounds.Left + FixedCols(), bounds.Top + FixedRows(), bounds.Right + FixedCols(),
            bounds.Bottom + FixedRows()};
}

void TSuperStringGrid::SetSelection(const TGridRect& selection) {
    const int left = std::max(selection.Left, FixedCols());
    const int top = std::max(selection.Top, FixedRows());
    const int right = std::min(selection.Right, ColCount() - 1);
    const int bottom = std::min(selection.Bottom, RowCount() - 1);
    if (left > right || top > bottom) {
        return;
    }
    const QModelIndex topLeft = m_model->index(top - FixedRows(), left - FixedCols());
    const QModelIndex bottomRight = m_model->index(bottom - FixedRows(), right - FixedCols());
    // A header click must not scroll the view to the end of the column or row it selects.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(bottomRight, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
    setAutoScroll(autoScroll);
}

QFont TSuperStringGrid::CellFont(int col, int row) {
    QFont font = IsFixedCell(col, row) ? m_fixedFont : this->font();
    if (m_onGetCellFont) {
        m_onGetCellFont(*this, font, col, row);
    }
    return font;
}

void TSuperStringGrid::AutoSizeColumn(int col) {
    CheckCol(col);
    int width = m_defaultColWidth;
    for (int row = 0; row < RowCount(); ++row) {
        const QFont font = CellFont(col, row);
        width = std::max(width, QFontMetrics(font).horizontalAdvance(m_model->Cell(col, row)) +
                                    2 * TextMarginX);
    }
    SetColWidths(col, width);
}

void TSuperStringGrid::AutoSizeColumns() {
    for (int col = 0; col < ColCount(); ++col) {
        AutoSizeColumn(col);
    }
}

void TSuperStringGrid::CopyToClipboard() {
    if (m_editModes.testFlag(emCopy)) {
        QGuiApplication::clipboard()->setText(CopyText(false));
    }
}

void TSuperStringGrid::CutToClipboard() {
    if (!m_editModes.testFlag(emCut)) {
        return;
    }
    BeginUpdate();
    const QString text = CopyText(m_options.testFlag(goEditing));
    EndUpdate();
    QGuiApplication::clipboard()->setText(text);
}

void TSuperStringGrid::ClearSelectedCells() {
    if (!m_editModes.testFlag(emClear)) {
        return;
    }
    const TGridRect selection = Selection();
    BeginUpdate();
    for (int col = selection.Left; col <= selection.Right; ++col) {
        for (int row = selection.Top; row <= selection.Bottom; ++row) {
            m_model->SetCell(col, row, QString());
        }
    }
    EndUpdate();
}

QString TSuperStringGrid::CopyText(bool emptyCopiedCells) {
    const TGridRect selection = Selection();
    int top = selection.Top;
    int bottom = selection.Bottom;
    int left = selection.Left;
    int right = selection.Right;
    if (m_copyModes.testFlag(cmEntireCols)) {
        top = FixedRows();
        bottom = RowCount() - 1;
    }
    if (m_copyModes.testFlag(cmEntireRows)) {
        left = FixedCols();
        right = ColCount() - 1;
    }
    const int fixedColsCopied = m_copyModes.testFlag(cmFixedCols) ? FixedCols() : 0;

    QString text;
    const auto appendLine = [&](int row) {
        bool firstCell = true;
        const auto appendCell = [&](int col) {
            if (!firstCell) {
                text += QLatin1Char('\t');
            }
            firstCell = false;
            text += m_model->Cell(col, row);
            if (emptyCopiedCells && !IsFixedCell(col, row)) {
                m_model->SetCell(col, row, QString());
            }
        };
        for (int col = 0; col < fixedColsCopied; ++col) {
            appendCell(col);
        }
        for (int col = left; col <= right; ++col) {
            appendCell(col);
        }
        text += QStringLiteral("\r\n");
    };
    if (m_copyModes.testFlag(cmFixedRows)) {
        for (int row = 0; row < FixedRows(); ++row) {
            appendLine(row);
        }
    }
    for (int row = top; row <= bottom; ++row) {
        appendLine(row);
    }
    return text;
}

std::optional<TSuperStringGrid::TKeyRequest>
TSuperStringGrid::KeyRequest(const QKeyEvent& event) const {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Delete) {
        return TKeyRequest{&TSuperStringGrid::ClearSelectedCells, emClear};
    }
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_C) {
        return TKeyRequest{&TSuperStringGrid::CopyToClipboard, emCopy};
    }
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_X) {
        return TKeyRequest{&TSuperStringGrid::CutToClipboard, emCut};
    }
    return std::nullopt;
}

bool TSuperStringGrid::event(QEvent* event) {
    // Take the clipboard keys from window shortcuts (Edit > Copy, File > Exit) only when this
    // grid will honour them.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto request = KeyRequest(*static_cast<QKeyEvent*>(event));
        if (request && m_editModes.testFlag(request->mode)) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

void TSuperStringGrid::keyPressEvent(QKeyEvent* event) {
    // The clipboard keys are handled after the key event, as requests posted to the grid; the
    // view's own Ctrl+C, which copies only the current cell, never runs.
    if (const auto request = KeyRequest(*event)) {
        QMetaObject::invokeMethod(
            this,
            [this, handler = request->handler] {
                Feedback::RunGuarded([&] { (this->*handler)(); });
            },
            Qt::QueuedConnection);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TSuperStringGrid::mousePressEvent(QMouseEvent* event) {
    Feedback::RunGuarded([&] { GridMouseDown(*event); });
    // A press beside the cells leaves the selection as it is.
    if (!indexAt(event->position().toPoint()).isValid()) {
        TakeClickFocus();
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TSuperStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    Feedback::RunGuarded([&] { GridMouseDown(*event); });
    QTableView::mouseDoubleClickEvent(event);
}

void TSuperStringGrid::mouseMoveEvent(QMouseEvent* event) {
    Feedback::RunGuarded([&] { GridMouseMove(*event); });
    QTableView::mouseMoveEvent(event);
}

void TSuperStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    Feedback::RunGuarded([&] { GridMouseUp(*event); });
    QTableView::mouseReleaseEvent(event);
}

bool TSuperStringGrid::eventFilter(QObject* watched, QEvent* event) {
    // The corner holds the cells that are both in a fixed row and a fixed column.
    if (watched == m_corner) {
        switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(m_corner);
            Feedback::RunPaintGuarded("the grid corner", [&] { PaintCorner(painter); });
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            Feedback::RunGuarded([&] {
                TakeClickFocus();
                GridMouseDown(*static_cast<QMouseEvent*>(event));
            });
            return true;
        case QEvent::MouseMove:
            Feedback::RunGuarded([&] { GridMouseMove(*static_cast<QMouseEvent*>(event)); });
            return true;
        case QEvent::MouseButtonRelease:
            Feedback::RunGuarded([&] { GridMouseUp(*static_cast<QMouseEvent*>(event)); });
            return true;
        default:
            break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void TSuperStringGrid::TakeClickFocus() {
    if (focusPolicy() & Qt::ClickFocus) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TSuperStringGrid::CheckCell(int col, int row) const {
    CheckCol(col);
    CheckRow(row);
}

void TSuperStringGrid::CheckCol(int col) const {
    if (col < 0 || col >= ColCount()) {
        throw EVarnexError(IndexOutOfRange);
    }
}

void TSuperStringGrid::CheckRow(int row) const {
    if (row < 0 || row >= RowCount()) {
        throw EVarnexError(IndexOutOfRange);
    }
}

bool TSuperStringGrid::IsFixedCell(int col, int row) const {
    return col < FixedCols() || row < FixedRows();
}

// A grid line is one pixel wide; it takes space when either its fixed or its scrolling kind is
// drawn.
int TSuperStringGrid::VertLineWidth(TGridOptions options) {
    return options & (goFixedVertLine | goVertLine) ? 1 : 0;
}

int TSuperStringGrid::HorzLineWidth(TGridOptions options) {
    return options & (goFixedHorzLine | goHorzLine) ? 1 : 0;
}

int TSuperStringGrid::FixedAreaWidth() const {
    return FixedStart(FixedCols(), m_fixedColWidths, VertLineWidth());
}

int TSuperStringGrid::FixedAreaHeight() const {
    return FixedStart(FixedRows(), m_fixedRowHeights, HorzLineWidth());
}

void TSuperStringGrid::ApplyOptions() {
    setSelectionMode(m_options.testFlag(goRangeSelect) ? ContiguousSelection : SingleSelection);
    setSelectionBehavior(m_options.testFlag(goRowSelect) ? SelectRows : SelectItems);
    m_columnHeader->setSectionResizeMode(m_options.testFlag(goColSizing) ? QHeaderView::Interactive
                                                                         : QHeaderView::Fixed);
    m_rowHeader->setSectionResizeMode(m_options.testFlag(goRowSizing) ? QHeaderView::Interactive
                                                                      : QHeaderView::Fixed);
    m_columnHeader->setSectionsMovable(m_options.testFlag(goColMoving));
    m_rowHeader->setSectionsMovable(m_options.testFlag(goRowMoving));
    m_model->SetEditable(m_options.testFlag(goEditing));
    setEditTriggers(m_options.testFlag(goEditing) ? DoubleClicked | EditKeyPressed | AnyKeyPressed
                                                  : NoEditTriggers);
    setTabKeyNavigation(m_options.testFlag(goTabs));
    horizontalScrollBar()->setTracking(m_options.testFlag(goThumbTracking));
    verticalScrollBar()->setTracking(m_options.testFlag(goThumbTracking));
    viewport()->update();
    RepaintFixedCells();
}

TSuperStringGrid::TGridSizes TSuperStringGrid::CaptureSizes() const {
    TGridSizes sizes;
    sizes.colWidths.reserve(ColCount());
    for (int col = 0; col < ColCount(); ++col) {
        sizes.colWidths.push_back(ColWidths(col));
    }
    sizes.rowHeights.reserve(RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        sizes.rowHeights.push_back(RowHeights(row));
    }
    return sizes;
}

// Gives the columns and rows the sizes captured before a change of the fixed counts or of the
// grid lines, which reset or shift the header sections.
void TSuperStringGrid::RestoreSizes(const TGridSizes& sizes) {
    m_columnHeader->setDefaultSectionSize(m_defaultColWidth + VertLineWidth());
    m_rowHeader->setDefaultSectionSize(m_defaultRowHeight + HorzLineWidth());
    m_fixedColWidths.assign(sizes.colWidths.begin(), sizes.colWidths.begin() + FixedCols());
    m_fixedRowHeights.assign(sizes.rowHeights.begin(), sizes.rowHeights.begin() + FixedRows());
    for (int col = FixedCols(); col < ColCount(); ++col) {
        if (sizes.colWidths[col] != m_defaultColWidth) {
            SetColWidths(col, sizes.colWidths[col]);
        }
    }
    for (int row = FixedRows(); row < RowCount(); ++row) {
        if (sizes.rowHeights[row] != m_defaultRowHeight) {
            SetRowHeights(row, sizes.rowHeights[row]);
        }
    }
    FixedAreaChanged();
}

void TSuperStringGrid::ChangeFixedCounts(int fixedCols, int fixedRows) {
    const TGridSizes sizes = CaptureSizes();
    m_model->SetFixedCounts(fixedCols, fixedRows);
    RestoreSizes(sizes);
    EnsureCurrentCell();
}

void TSuperStringGrid::FixedAreaChanged() {
    m_columnHeader->setHidden(FixedRows() == 0);
    m_rowHeader->setHidden(FixedCols() == 0);
    // Deferred: this may run while a header paints the cell that grew.
    scheduleDelayedItemsLayout();
    RepaintFixedCells();
}

void TSuperStringGrid::RepaintFixedCells() {
    m_columnHeader->viewport()->update();
    m_rowHeader->viewport()->update();
    m_corner->update();
}

// Like the grid it stands for, the view always has a current cell.
void TSuperStringGrid::EnsureCurrentCell() {
    if (!currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(m_model->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect);
    }
}

// The headers keep their visual order equal to the logical one: a dragged column (row) moves its
// cells, size and alignment (colour) instead.
void TSuperStringGrid::ColumnDragged(int, int oldVisualIndex, int newVisualIndex) {
    UndoSectionMove(*m_columnHeader, oldVisualIndex, newVisualIndex);
    const int from = FixedCols() + oldVisualIndex;
    const int to = FixedCols() + newVisualIndex;
    MoveGridItem(m_colAlignments, from, to);
    m_model->MoveCol(from, to);
}

void TSuperStringGrid::RowDragged(int, int oldVisualIndex, int newVisualIndex) {
    UndoSectionMove(*m_rowHeader, oldVisualIndex, newVisualIndex);
    const int from = FixedRows() + oldVisualIndex;
    const int to = FixedRows() + newVisualIndex;
    MoveGridItem(m_rowColors, from, to);
    m_model->MoveRow(from, to);
}

void TSuperStringGrid::PaintCell(QPainter& painter, const QRect& area, int col, int row,
                                 QStyle::State state) {
    // The views may ask for a cell the grid no longer has, between a change of counts and their
    // own update; a paint event must not raise.
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) {
        Feedback::ReportPaintFault("a grid cell",
                                   QStringLiteral("no cell %1, %2").arg(col).arg(row));
        return;
    }
    const bool fixed = IsFixedCell(col, row);
    const bool selected = state.testFlag(QStyle::State_Selected);
    const bool focused = state.testFlag(QStyle::State_HasFocus);
    const bool drawFocusSelected = m_options.testFlag(goDrawFocusSelected);
    const bool pressed = fixed && m_shownPressed && m_pressedCell == QPoint(col, row);
    const QRect cell(area.left(), area.top(), area.width() - VertLineWidth(),
                     area.height() - HorzLineWidth());

    const bool highlighted = (selected && !focused) || (focused && drawFocusSelected);
    if (pressed) {
        painter.fillRect(cell, palette().button());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
    } else if (fixed) {
        painter.fillRect(cell, palette().button());
    } else {
        painter.fillRect(cell, highlighted ? m_highlightColor : m_rowColors[row]);
    }
    DrawGridLines(painter, area, fixed);

    QColor textColor = palette().color(QPalette::Text);
    if (highlighted) {
        textColor = palette().color(QPalette::HighlightedText);
    } else if (!selected && !focused) {
        textColor = palette().color(QPalette::WindowText);
    }
    const QFont font = CellFont(col, row);
    const QString& text = m_model->Cell(col, row);
    if (!text.isEmpty()) {
        const QFontMetrics metrics(font);
        int textWidth = metrics.horizontalAdvance(text);
        int textHeight = metrics.height();
        int width = cell.width();
        int height = cell.height();
        // Painting only ever grows a row or column, never while the cell shows pressed.
        if (!pressed && m_autoHeight && height < textHeight + 2 * TextMarginY) {
            height = textHeight + 2 * TextMarginY;
            SetRowHeights(row, height);
        } else {
            textHeight = std::min(textHeight, height - 2 * TextMarginY);
        }
        if (!pressed && m_autoWidth && width < textWidth + 2 * TextMarginX) {
            width = textWidth + 2 * TextMarginX;
            SetColWidths(col, width);
        } else {
            textWidth = std::min(textWidth, width - 2 * TextMarginX);
        }

        int left = cell.left() + TextMarginX;
        if (fixed || m_colAlignments[col] == taCenter) {
            left = cell.left() + (width - textWidth) / 2;
        } else if (m_colAlignments[col] == taRightJustify) {
            left = cell.left() + width - TextMarginX - textWidth;
        }
        const int top = cell.top() + (height - textHeight) / 2;
        const int shift = pressed ? 1 : 0;
        painter.setFont(font);
        painter.setPen(textColor);
        painter.drawText(QRect(left + shift, top + shift, textWidth, textHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }

    if (focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cell;
        option.backgroundColor = highlighted ? m_highlightColor : m_rowColors[row];
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TSuperStringGrid::DrawGridLines(QPainter& painter, const QRect& area, bool fixed) const {
    QStyleOption option;
    option.initFrom(this);
    const QColor lineColor = fixed ? palette().color(QPalette::Dark)
                                   : QColor::fromRgba(static_cast<QRgb>(style()->styleHint(
                                         QStyle::SH_Table_GridLineColor, &option, this)));
    const QColor noLineColor = palette().color(QPalette::Base);
    if (VertLineWidth() > 0) {
        const bool drawn = m_options.testFlag(fixed ? goFixedVertLine : goVertLine);
        painter.fillRect(QRect(area.right(), area.top(), 1, area.height()),
                         drawn ? lineColor : noLineColor);
    }
    if (HorzLineWidth() > 0) {
        const bool drawn = m_options.testFlag(fixed ? goFixedHorzLine : goHorzLine);
        painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1),
                         drawn ? lineColor : noLineColor);
    }
}

void TSuperStringGrid::PaintCorner(QPainter& painter) {
    int top = 0;
    for (int row = 0; row < FixedRows(); ++row) {
        const int height = m_fixedRowHeights[row] + HorzLineWidth();
        int left = 0;
        for (int col = 0; col < FixedCols(); ++col) {
            const int width = m_fixedColWidths[col] + VertLineWidth();
            PaintCell(painter, QRect(left, top, width, height), col, row, QStyle::State_None);
            left += width;
        }
        top += height;
    }
}

std::optional<QPoint> TSuperStringGrid::CellAt(const QPoint& globalPos) const {
    const auto inside = [&](const QWidget* widget, QPoint& local) {
        local = widget->mapFromGlobal(globalPos);
        return !widget->isHidden() && widget->rect().contains(local);
    };
    const auto cellIf = [](int col, int row) -> std::optional<QPoint> {
        if (col < 0 || row < 0) {
            return std::nullopt;
        }
        return QPoint(col, row);
    };
    QPoint local;
    if (inside(m_corner, local)) {
        return cellIf(FixedIndexAt(local.x(), m_fixedColWidths, VertLineWidth()),
                      FixedIndexAt(local.y(), m_fixedRowHeights, HorzLineWidth()));
    }
    if (inside(m_columnHeader, local)) {
        const int section = m_columnHeader->logicalIndexAt(local.x());
        return cellIf(section < 0 ? -1 : FixedCols() + section,
                      FixedIndexAt(local.y(), m_fixedRowHeights, HorzLineWidth()));
    }
    if (inside(m_rowHeader, local)) {
        const int section = m_rowHeader->logicalIndexAt(local.y());
        return cellIf(FixedIndexAt(local.x(), m_fixedColWidths, VertLineWidth()),
                      section < 0 ? -1 : FixedRows() + section);
    }
    if (inside(viewport(), local)) {
        const QModelIndex index = indexAt(local);
        return cellIf(index.isValid() ? FixedCols() + index.column() : -1,
                      index.isValid() ? FixedRows() + index.row() : -1);
    }
    return std::nullopt;
}

// Whether a left press at globalPos on the given cell is a header click. Near the edges of
// titles that the user can size, the press belongs to sizing instead.
bool TSuperStringGrid::IsHeaderHit(const QPoint& cell, const QPoint& globalPos) const {
    const bool fixedCol = cell.x() < FixedCols();
    const bool fixedRow = cell.y() < FixedRows();
    if (fixedCol && fixedRow) {
        return true;
    }
    if (fixedCol) {
        if (!m_options.testFlag(goRowSizing)) {
            return true;
        }
        const int top = m_rowHeader->viewport()
                            ->mapToGlobal(QPoint(
                                0, m_rowHeader->sectionViewportPosition(cell.y() - FixedRows())))
                            .y();
        const int y = globalPos.y() - top;
        const int height = RowHeights(cell.y());
        return (y > SizingBand && height - y > SizingBand) ||
               (cell.y() == FixedRows() && y < SizingBand);
    }
    if (fixedRow) {
        if (!m_options.testFlag(goColSizing)) {
            return true;
        }
        const int left =
            m_columnHeader->viewport()
                ->mapToGlobal(
                    QPoint(m_columnHeader->sectionViewportPosition(cell.x() - FixedCols()), 0))
                .x();
        const int x = globalPos.x() - left;
        const int width = ColWidths(cell.x());
        return (x > SizingBand && width - x > SizingBand) ||
               (cell.x() == FixedCols() && width - x > SizingBand);
    }
    return false;
}

void TSuperStringGrid::GridMouseDown(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        return;
    }
    const QPoint globalPos = event.globalPosition().toPoint();
    const std::optional<QPoint> cell = CellAt(globalPos);
    if (!cell) {
        return;
    }
    if (!IsHeaderHit(*cell, globalPos)) {
        m_pressedCell = QPoint(-1, -1);
        return;
    }
    m_pressedCell = *cell;
    m_tracking = true;
    m_shownPressed = true;
    RepaintFixedCells();
}

void TSuperStringGrid::GridMouseMove(const QMouseEvent& event) {
    if (!m_tracking) {
        return;
    }
    const bool rowHeader = m_pressedCell.x() < FixedCols() && m_pressedCell.y() >= FixedRows();
    const bool colHeader = m_pressedCell.y() < FixedRows() && m_pressedCell.x() >= FixedCols();
    // A title being dragged to another place stays pressed wherever the pointer goes.
    const bool showPressed = CellAt(event.globalPosition().toPoint()) == m_pressedCell ||
                             (rowHeader && m_options.testFlag(goRowMoving)) ||
                             (colHeader && m_options.testFlag(goColMoving));
    if (showPressed != m_shownPressed) {
        m_shownPressed = showPressed;
        RepaintFixedCells();
    }
}

void TSuperStringGrid::GridMouseUp(const QMouseEvent& event) {
    const bool pressedSet = m_pressedCell.x() >= 0 && m_pressedCell.y() >= 0;
    m_shownPressed = false;
    if (pressedSet) {
        RepaintFixedCells();
        if (CellAt(event.globalPosition().toPoint()) == m_pressedCell) {
            SelectByHeader(m_pressedCell, event.modifiers());
        }
    }
    m_tracking = false;
}

void TSuperStringGrid::SelectByHeader(const QPoint& cell, Qt::KeyboardModifiers modifiers) {
    const bool extend = modifiers.testFlag(Qt::ShiftModifier) && m_options.testFlag(goRangeSelect);
    const int col = cell.x();
    const int row = cell.y();
    if (col < FixedCols() && row < FixedRows()) {
        SetSelection({FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1});
        m_anchorCell = cell;
    } else if (col < FixedCols()) {
        if (extend && m_anchorCell.x() == 0) {
            TGridRect selection = Selection();
            selection.Top = std::max(FixedRows(), std::min(m_anchorCell.y(), row));
            selection.Bottom = std::max(m_anchorCell.y(), row);
            SetSelection(selection);
        } else {
            SetSelection({FixedCols(), row, ColCount() - 1, row});
            m_anchorCell = cell;
        }
    } else {
        if (extend && m_anchorCell.y() == 0) {
            TGridRect selection = Selection();
            selection.Left = std::max(FixedCols(), std::min(m_anchorCell.x(), col));
            selection.Right = std::max(m_anchorCell.x(), col);
            SetSelection(selection);
        } else {
            SetSelection({col, FixedRows(), col, RowCount() - 1});
            m_anchorCell = cell;
        }
    }
}
