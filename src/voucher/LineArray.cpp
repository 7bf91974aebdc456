#include "voucher/LineArray.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace qvtrnsfr {

namespace {

// Number of indexes between two inclusive bounds; never negative.
int spanOf(int first, int last)
{
    return qMax(0, last - first + 1);
}

} // namespace

QString LineArray::caption(int column)
{
    static const char *const captions[LineColumns] = {QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Item Code"),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Description"),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Unit"),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Conversion"),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Qty."),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Serial No."),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Engine No."),
                                                      QT_TRANSLATE_NOOP("qvtrnsfr::LineArray", "Sale Price")};
    return column >= 0 && column < LineColumns
               ? QCoreApplication::translate("qvtrnsfr::LineArray", captions[column])
               : QString();
}

void LineArray::Resize(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    // The lower bounds always become 0: only the number of rows and columns is taken from the bounds.
    m_columns = spanOf(firstColumn, lastColumn);
    m_rows = QVector<Row>(spanOf(firstRow, lastRow), Row(m_columns));
}

void LineArray::SetCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    m_rows[row][column] = value;
}

QVariant LineArray::GetCell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return QVariant();
    return m_rows.at(row).at(column);
}

int LineArray::LowBound(int dimension) const
{
    Q_UNUSED(dimension)
    return 0;
}

int LineArray::HighBound(int dimension) const
{
    if (dimension == 1)
        return m_rows.size() - 1;
    if (dimension == 2)
        return m_columns - 1;
    return -1;
}

void LineArray::setRow(int index, const Row &values)
{
    if (index < 0 || index >= m_rows.size())
        return;
    Row row = values;
    row.resize(m_columns);
    m_rows[index] = row;
}

void LineArray::appendRow(const Row &values)
{
    Row row = values;
    row.resize(m_columns);
    m_rows.append(row);
}

void LineArray::removeRow(int index)
{
    if (index >= 0 && index < m_rows.size())
        m_rows.removeAt(index);
}

} // namespace qvtrnsfr
