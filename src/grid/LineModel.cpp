#include "grid/LineModel.h"

#include <QStringList>

namespace qvtrnsfr {

namespace {

// What the empty edit mask "##-##-##-####" gives as text.
const QString EmptyItemCodeMask = QStringLiteral("---");
// Row selector marks: the current row, the current row with unstored changes, the new-row line.
const QString CurrentRowMark = QStringLiteral("\u25B6");
const QString ChangedRowMark = QStringLiteral("\u270E");
const QString NewRowMark = QStringLiteral("*");

bool sameCellText(const QVariant &a, const QVariant &b)
{
    return a.toString() == b.toString();
}

} // namespace

QVariant normalizedCellValue(int column, const QVariant &value)
{
    if (column == ColItemCode && value.toString() == EmptyItemCodeMask)
        return QString();
    return value;
}

LineModel::LineModel(QObject *parent) : QAbstractTableModel(parent) {}

bool LineModel::isUserColumn(int column)
{
    return column == ColItemCode || column == ColUnit || column == ColQty || column == ColSerialNo ||
           column == ColEngineNo;
}

bool LineModel::isRightAligned(int column)
{
    return column == ColQty || column == ColSalePrice;
}

int LineModel::maxLength(int column)
{
    return column == ColUnit ? 7 : 0;
}

void LineModel::bind(LineArray *lines)
{
    beginResetModel();
    m_lines = lines;
    m_buffer.clear();
    m_bufferRow = -1;
    m_currentRow = -1;
    endResetModel();
}

int LineModel::storedRowCount() const
{
    return m_lines ? m_lines->rowCount() : 0;
}

QVariant LineModel::storedValue(int row, int column) const
{
    return m_lines ? m_lines->GetCell(row, column) : QVariant();
}

QVariant LineModel::value(int row, int column) const
{
    if (row == m_bufferRow && column >= 0 && column < m_buffer.size())
        return m_buffer.at(column);
    return storedValue(row, column);
}

bool LineModel::setValue(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= LineColumns)
        return false;
    const QVariant normalized = normalizedCellValue(column, value);
    if (sameCellText(normalized, this->value(row, column)))
        return false;
    if (row != m_bufferRow) {
        const int previous = m_bufferRow;
        m_buffer = row < storedRowCount() ? m_lines->row(row) : LineArray::Row();
        m_buffer.resize(LineColumns);
        m_bufferRow = row;
        if (previous >= 0)
            rowChanged(previous);
        emit headerDataChanged(Qt::Vertical, row, row);
    }
    m_buffer[column] = normalized;
    emit dataChanged(index(row, column), index(row, column));
    return true;
}

void LineModel::storeBuffer()
{
    if (m_bufferRow < 0 || !m_lines)
        return;
    const int row = m_bufferRow;
    if (row < storedRowCount()) {
        m_lines->setRow(row, m_buffer);
    } else {
        // The new-row line becomes a stored row and a fresh new-row line appears below it; the
        // buffer keeps showing the same values until the insertion is complete.
        beginInsertRows(QModelIndex(), row + 1, row + 1);
        m_lines->appendRow(m_buffer);
        endInsertRows();
    }
    m_bufferRow = -1;
    m_buffer.clear();
    rowChanged(row);
}

void LineModel::dropBuffer()
{
    if (m_bufferRow < 0)
        return;
    const int row = m_bufferRow;
    m_bufferRow = -1;
    m_buffer.clear();
    rowChanged(row);
}

void LineModel::removeStoredRow(int row)
{
    if (row < 0 || row >= storedRowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_lines->removeRow(row);
    if (m_bufferRow == row) {
        m_bufferRow = -1;
        m_buffer.clear();
    } else if (m_bufferRow > row) {
        --m_bufferRow;
    }
    if (m_currentRow == row)
        m_currentRow = -1;
    else if (m_currentRow > row)
        --m_currentRow;
    endRemoveRows();
}

void LineModel::setCurrentRow(int row)
{
    if (row == m_currentRow)
        return;
    const int previous = m_currentRow;
    m_currentRow = row;
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

bool LineModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < LineColumns;
}

void LineModel::rowChanged(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    emit dataChanged(index(row, 0), index(row, LineColumns - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

int LineModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_lines)
        return 0;
    return storedRowCount() + 1;
}

int LineModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LineColumns;
}

QVariant LineModel::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return normalizedCellValue(index.column(), value(index.row(), index.column())).toString();
    case Qt::TextAlignmentRole:
        return int((isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

bool LineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isCell(index))
        return false;
    setValue(index.row(), index.column(), value);
    return true;
}

QVariant LineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return LineArray::caption(section);
    if (section == m_currentRow)
        return section == m_bufferRow ? ChangedRowMark : CurrentRowMark;
    return isNewRowLine(section) ? NewRowMark : QString();
}

Qt::ItemFlags LineModel::flags(const QModelIndex &index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (isUserColumn(index.column()))
        result |= Qt::ItemIsEditable;
    return result;
}

} // namespace qvtrnsfr
