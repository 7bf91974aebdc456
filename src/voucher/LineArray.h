#pragma once
// The lines of a voucher: rows x 8 columns of values, rows from 0, in the grid's column order.

#include <QString>
#include <QVariant>
#include <QVector>

namespace qvtrnsfr {

// The grid's columns, by position. Routines name a column by this enum, never by a bare number.
enum LineColumn : int {
    ColItemCode = 0,
    ColDescription = 1,
    ColUnit = 2,
    ColConversion = 3,
    ColQty = 4,
    ColSerialNo = 5,
    ColEngineNo = 6,
    ColSalePrice = 7,
    LineColumns = 8
};

class LineArray {
public:
    using Row = QVector<QVariant>;

    // Re-creates the table with those bounds, all cells empty. Rows and columns start at 0 here;
    // (0, -1, 0, 7) gives an empty voucher.
    void Resize(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void SetCell(int row, int column, const QVariant &value); // ignored outside the bounds
    QVariant GetCell(int row, int column) const;              // invalid QVariant outside the bounds
    int LowBound(int dimension) const;                        // 1 = rows, 2 = columns; always 0
    int HighBound(int dimension) const;                       // -1 for rows when there are none

    // What the grid needs to append, replace and remove whole rows. A row handed in is cut or
    // padded to the column count; an index outside the rows is ignored.
    int rowCount() const { return m_rows.size(); }
    int columnCount() const { return m_columns; }
    const Row &row(int index) const { return m_rows.at(index); }
    void setRow(int index, const Row &values);
    void appendRow(const Row &values);
    void removeRow(int index);

    // The cell as text: "" for an empty cell.
    QString cellText(int row, int column) const { return GetCell(row, column).toString(); }

    // The caption of a column in the user's language: "Item Code", ... "Sale Price" in English.
    static QString caption(int column);

private:
    QVector<Row> m_rows;
    int m_columns = LineColumns;
};

} // namespace qvtrnsfr
