#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QStyle>
#include <QTableView>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QMouseEvent;
class TStringGridModel;

// A block of grid cells in grid columns and rows, all four sides inclusive.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The program's table control: a grid of text cells with fixed (header) rows and columns, a
// rectangular selection, per-column alignment, header clicks that select whole columns, rows or
// everything, automatic growth of columns and rows to their texts, and tab-separated clipboard
// copy of the selection.
//
// Cells are addressed by grid column and row, fixed ones included: with one fixed row, row 0 holds
// the column titles. The fixed rows are drawn by the horizontal header and the fixed columns by the
// vertical header, so they stay in view while the cells scroll.
//
// Widths and heights are those of the cell itself; a grid line, when drawn, lies outside it.
//
// Filling many cells: every SetCells outside an update signals its one cell to the view. For bulk
// filling set the row count first, then write the cells between BeginUpdate() and EndUpdate(): the
// texts are only stored, and EndUpdate repaints once.
//
// Index arguments out of range raise EVarnexError("Grid index out of range"), except in
// SetColAlignment, which ignores them.
class TSuperStringGrid : public QTableView {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool AutoWidth READ AutoWidth WRITE SetAutoWidth)
    Q_PROPERTY(bool AutoHeight READ AutoHeight WRITE SetAutoHeight)
    Q_PROPERTY(QColor HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(QFont FixedFont READ FixedFont WRITE SetFixedFont)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    enum TEditMode { emClear = 0x1, emCopy = 0x2, emCut = 0x4, emPaste = 0x8 };
    Q_DECLARE_FLAGS(TEditModes, TEditMode)
    Q_FLAG(TEditModes)

    enum TCopyMode { cmEntireCols = 0x1, cmEntireRows = 0x2, cmFixedCols = 0x4, cmFixedRows = 0x8 };
    Q_DECLARE_FLAGS(TCopyModes, TCopyMode)
    Q_FLAG(TCopyModes)

    enum TGridOption {
        goFixedVertLine = 0x1,
        goFixedHorzLine = 0x2,
        goVertLine = 0x4,
        goHorzLine = 0x8,
        goRangeSelect = 0x10,
        goDrawFocusSelected = 0x20,
        goRowSizing = 0x40,
        goColSizing = 0x80,
        goRowMoving = 0x100,
        goColMoving = 0x200,
        goEditing = 0x400,
        goTabs = 0x800,
        goRowSelect = 0x1000,
        goThumbTracking = 0x2000,
    };
    Q_DECLARE_FLAGS(TGridOptions, TGridOption)
    Q_FLAG(TGridOptions)

    // Called whenever the grid sets up the font of a cell, to change it.
    using TGetCellFontEvent =
        std::function<void(TSuperStringGrid& sender, QFont& font, int col, int row)>;
    // Called after the number of columns or rows changed, with the count before the change.
    using TColRowCountChangeEvent = std::function<void(TSuperStringGrid& sender, int oldCount)>;

    explicit TSuperStringGrid(QWidget* parent = nullptr);

    // Counts are at least 1 and the fixed counts stay below them: a count set at or below its
    // fixed count lowers the fixed count, and a fixed count at or above its count raises
    // EVarnexError. (Properties set from a .ui file: give the counts before the fixed counts.)
    int ColCount() const;
    void SetColCount(int count);
    int RowCount() const;
    void SetRowCount(int count);
    int FixedCols() const;
    void SetFixedCols(int count);
    int FixedRows() const;
    void SetFixedRows(int count);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    void BeginUpdate();
    void EndUpdate();

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    // Setting a default size gives it to every column (row).
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);

    TAlignment ColAlignment(int col) const;
    void SetColAlignment(int col, TAlignment alignment);
    QColor RowColors(int row) const;
    void SetRowColors(int row, const QColor& color);

    bool AutoWidth() const { return m_autoWidth; }
    void SetAutoWidth(bool autoWidth);
    bool AutoHeight() const { return m_autoHeight; }
    void SetAutoHeight(bool autoHeight);
    QColor HighlightColor() const { return m_highlightColor; }
    void SetHighlightColor(const QColor& color);
    QFont FixedFont() const { return m_fixedFont; }
    void SetFixedFont(const QFont& font);

    TEditModes EditModes() const { return m_editModes; }
    void SetEditModes(TEditModes modes) { m_editModes = modes; }
    TCopyModes CopyModes() const { return m_copyModes; }
    void SetCopyModes(TCopyModes modes) { m_copyModes = modes; }
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);

    // The selected block; without a selection, the current cell.
    TGridRect Selection() const;
    // Selects the block (clipped to the scrolling cells) and makes its bottom-right cell current
    // without scrolling to it.
    void SetSelection(const TGridRect& selection);

    // Fits the column to its widest text (fixed rows included); never below the default width.
    void AutoSizeColumn(int col);
    void AutoSizeColumns();

    // With emCopy in EditModes: the selection as tab-separated text replaces the clipboard.
    void CopyToClipboard();
    // With emCut: copies; with goEditing also empties the copied scrolling cells.
    void CutToClipboard();
    // With emClear: empties every selected cell.
    void ClearSelectedCells();

    void SetOnGetCellFont(TGetCellFontEvent handler) { m_onGetCellFont = std::move(handler); }
    void SetOnColCountChange(TColRowCountChangeEvent handler) {
        m_onColCountChange = std::move(handler);
    }
    void SetOnRowCountChange(TColRowCountChangeEvent handler) {
        m_onRowCountChange = std::move(handler);
    }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class TCellDelegate;
    class TFixedHeader;
    struct TGridSizes {
        std::vector<int> colWidths;
        std::vector<int> rowHeights;
    };
    // A clipboard key: what it asks for and the edit mode that allows it.
    struct TKeyRequest {
        void (TSuperStringGrid::*handler)();
        TEditMode mode;
    };

    void CheckCell(int col, int row) const;
    void CheckCol(int col) const;
    void CheckRow(int row) const;
    bool IsFixedCell(int col, int row) const;
    static int VertLineWidth(TGridOptions options);
    static int HorzLineWidth(TGridOptions options);
    int VertLineWidth() const { return VertLineWidth(m_options); }
    int HorzLineWidth() const { return HorzLineWidth(m_options); }
    int FixedAreaWidth() const;
    int FixedAreaHeight() const;

    void ApplyOptions();
    TGridSizes CaptureSizes() const;
    void RestoreSizes(const TGridSizes& sizes);
    void ChangeFixedCounts(int fixedCols, int fixedRows);
    void FixedAreaChanged();
    void RepaintFixedCells();
    void EnsureCurrentCell();
    void ColumnDragged(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void RowDragged(int logicalIndex, int oldVisualIndex, int newVisualIndex);

    QFont CellFont(int col, int row);
    void PaintCell(QPainter& painter, const QRect& area, int col, int row, QStyle::State state);
    void PaintCorner(QPainter& painter);
    void DrawGridLines(QPainter& painter, const QRect& area, bool fixed) const;

    std::optional<QPoint> CellAt(const QPoint& globalPos) const;
    bool IsHeaderHit(const QPoint& cell, const QPoint& globalPos) const;
    void TakeClickFocus();
    void GridMouseDown(const QMouseEvent& event);
    void GridMouseMove(const QMouseEvent& event);
    void GridMouseUp(const QMouseEvent& event);
    void SelectByHeader(const QPoint& cell, Qt::KeyboardModifiers modifiers);

    QString CopyText(bool emptyCopiedCells);
    std::optional<TKeyRequest> KeyRequest(const QKeyEvent& event) const;

    TStringGridModel* m_model;
    TFixedHeader* m_columnHeader;
    TFixedHeader* m_rowHeader;
    QAbstractButton* m_corner;

    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 17;
    std::vector<int> m_fixedColWidths;
    std::vector<int> m_fixedRowHeights;
    std::vector<TAlignment> m_colAlignments;
    std::vector<QColor> m_rowColors;

    bool m_autoWidth = true;
    bool m_autoHeight = true;
    QColor m_highlightColor;
    QFont m_fixedFont;
    TEditModes m_editModes = emCopy;
    TCopyModes m_copyModes = TCopyModes(cmFixedCols) | cmFixedRows;
    TGridOptions m_options;

    QPoint m_anchorCell{0, 0};
    QPoint m_pressedCell{-1, -1};
    bool m_tracking = false;
    bool m_shownPressed = false;

    TGetCellFontEvent m_onGetCellFont;
    TColRowCountChangeEvent m_onColCountChange;
    TColRowCountChangeEvent m_onRowCountChange;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TEditModes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TCopyModes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TGridOptions)
