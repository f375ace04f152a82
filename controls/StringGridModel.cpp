#include "StringGridModel.h"

TStringGridModel::TStringGridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void TStringGridModel::SetColCount(int count) {
    const int oldCount = ColCount();
    if (count > oldCount) {
        beginInsertColumns(QModelIndex(), oldCount - m_fixedCols, count - m_fixedCols - 1);
        m_columns.resize(count, std::vector<QString>(m_rowCount));
        endInsertColumns();
    } else if (count < oldCount) {
        beginRemoveColumns(QModelIndex(), count - m_fixedCols, oldCount - m_fixedCols - 1);
        m_columns.resize(count);
        endRemoveColumns();
    }
}

void TStringGridModel::SetRowCount(int count) {
    const int oldCount = m_rowCount;
    if (count > oldCount) {
        beginInsertRows(QModelIndex(), oldCount - m_fixedRows, count - m_fixedRows - 1);
    } else if (count < oldCount) {
        beginRemoveRows(QModelIndex(), count - m_fixedRows, oldCount - m_fixedRows - 1);
    } else {
        return;
    }
    for (auto& column : m_columns) {
        column.resize(count);
    }
    m_rowCount = count;
    if (count > oldCount) {
        endInsertRows();
    } else {
        endRemoveRows();
    }
}

void TStringGridModel::SetFixedCounts(int fixedCols, int fixedRows) {
    beginResetModel();
    m_fixedCols = fixedCols;
    m_fixedRows = fixedRows;
    endResetModel();
    emit FixedCellsChanged();
}

void TStringGridModel::SetCell(int col, int row, const QString& text) {
    m_columns[col][row] = text;
    if (m_updateDepth > 0) {
        m_changedInUpdate = true;
    } else if (IsFixed(col, row)) {
        emit FixedCellsChanged();
    } else {
        const QModelIndex cell = index(row - m_fixedRows, col - m_fixedCols);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    }
}

void TStringGridModel::BeginUpdate() {
    ++m_updateDepth;
}

void TStringGridModel::EndUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0 || !m_changedInUpdate) {
        return;
    }
    m_changedInUpdate = false;
    SignalAllCells();
}

void TStringGridModel::MoveCol(int from, int to) {
    MoveGridItem(m_columns, from, to);
    SignalAllCells();
}

void TStringGridModel::MoveRow(int from, int to) {
    for (auto& column : m_columns) {
        MoveGridItem(column, from, to);
    }
    SignalAllCells();
}

void TStringGridModel::SignalAllCells() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    }
    emit FixedCellsChanged();
}

int TStringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount - m_fixedRows;
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColCount() - m_fixedCols;
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return Cell(index.column() + m_fixedCols, index.row() + m_fixedRows);
}

bool TStringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_editable) {
        return false;
    }
    SetCell(index.column() + m_fixedCols, index.row() + m_fixedRows, value.toString());
    return true;
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return m_editable ? flags | Qt::ItemIsEditable : flags;
}
