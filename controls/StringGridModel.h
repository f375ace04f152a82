#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <algorithm>
#include <vector>

// Moves item `from` of a sequence to index `to`, the items in between shifting by one: what
// happens to a grid column or row, and to everything kept per column or row, when it is dragged.
template <typename Sequence> void MoveGridItem(Sequence& items, int from, int to) {
    const auto first = items.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else if (to < from) {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

// The texts of a string grid, addressed by grid column and row (fixed rows and columns included).
// The item model it presents to the view covers only the scrolling cells: model index (r, c) is
// grid cell (FixedCols + c, FixedRows + r); the fixed cells are drawn by the grid's headers.
// Indices are not checked here: the grid checks them.
class TStringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TStringGridModel(QObject* parent = nullptr);

    int ColCount() const { return static_cast<int>(m_columns.size()); }
    int RowCount() const { return m_rowCount; }
    int FixedCols() const { return m_fixedCols; }
    int FixedRows() const { return m_fixedRows; }

    // Counts must stay at or above the fixed counts.
    void SetColCount(int count);
    void SetRowCount(int count);
    // Moves cells between the headers and the scrolling part: resets the item model.
    void SetFixedCounts(int fixedCols, int fixedRows);

    const QString& Cell(int col, int row) const { return m_columns[col][row]; }
    void SetCell(int col, int row, const QString& text);

    // Between BeginUpdate and EndUpdate, SetCell only stores; EndUpdate signals all changes at
    // once.
    void BeginUpdate();
    void EndUpdate();

    // Move one column or row to another index, the ones in between shifting by one.
    void MoveCol(int from, int to);
    void MoveRow(int from, int to);

    void SetEditable(bool editable) { m_editable = editable; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A text of a fixed row or column changed (the headers repaint).
    void FixedCellsChanged();

private:
    bool IsFixed(int col, int row) const { return col < m_fixedCols || row < m_fixedRows; }
    void SignalAllCells();

    std::vector<std::vector<QString>> m_columns; // m_columns[col][row]
    int m_rowCount = 0;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    int m_updateDepth = 0;
    bool m_changedInUpdate = false;
    bool m_editable = false;
};
