#pragma once
// The table model behind the line grid: the rows of a bound LineArray (not owned) plus one empty
// new-row line at the bottom. The row being edited keeps its changed values in a row buffer until
// the grid stores it; data() shows the buffer for that row.

#include "voucher/LineArray.h"

#include <QAbstractTableModel>

namespace qvtrnsfr {

class LineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LineModel(QObject *parent = nullptr);

    // Columns the user types into; the others ("Description", "Conversion", "Sale Price") are
    // written only by code.
    static bool isUserColumn(int column);
    static bool isRightAligned(int column);
    static int maxLength(int column); // 0 = no limit

    void bind(LineArray *lines);
    LineArray *lines() const { return m_lines; }
    int storedRowCount() const;
    bool isNewRowLine(int row) const { return m_lines && row == storedRowCount(); }

    // A cell as the grid shows it: the buffer for the buffered row, else the LineArray.
    QVariant value(int row, int column) const;
    // Writes into the row buffer (taking the row into the buffer first). False when the value
    // equals what the cell holds, and then nothing changes.
    bool setValue(int row, int column, const QVariant &value);
    int bufferRow() const { return m_bufferRow; } // -1: no row holds unstored changes
    void storeBuffer();                           // setRow for a stored row, appendRow for the new-row line
    void dropBuffer();
    void removeStoredRow(int row);
    void setCurrentRow(int row); // the marker in the row selector

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool isCell(const QModelIndex &index) const;
    QVariant storedValue(int row, int column) const;
    void rowChanged(int row);

    LineArray *m_lines = nullptr;
    LineArray::Row m_buffer;
    int m_bufferRow = -1;
    int m_currentRow = -1;
};

// A masked "Item Code" that holds nothing but the mask's literals is the empty text.
QVariant normalizedCellValue(int column, const QVariant &value);

} // namespace qvtrnsfr
