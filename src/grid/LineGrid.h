#pragma once
// The line grid: a table view over one LineArray that edits one row at a time. The current row's
// values are a buffer; leaving the row asks rowStoring and stores the buffer into the LineArray
// only when nobody cancels, otherwise the cursor stays in the row. The empty new-row line at the
// bottom appends. Whole rows selected in the row selector are removed with Delete. Tab and the
// arrow keys wrap from the end of a row to the next. Typing into a cell starts editing it.

#include "grid/LineArray.h"

#include <QTableView>

namespace qvtrnsfr {

class LineModel;

class LineGrid : public QTableView {
    Q_OBJECT
public:
    explicit LineGrid(QWidget *parent = nullptr);
    ~LineGrid() override;

    // Builds the eight columns with their captions, presentation and widths (twips), and the
    // grid-wide settings (row height, header height, font size, navigation).
    void setupColumns();
    double columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, double twips);
    // Keyboard mode masks "Item Code" with ##-##-##-#### (dashes kept in the value); scanning
    // mode takes free text.
    void setItemCodeMasked(bool masked);
    bool itemCodeMasked() const;

    // Binds the grid to a LineArray (not owned), clears the current-row marker and re-reads all
    // rows. Any unstored edit of the previous row is dropped.
    void bind(LineArray *lines);
    LineArray *lines() const;

    // The current row and column. currentRowIndex() is the LineArray index of the current row;
    // the new-row line has the index lines()->rowCount(); -1 when no row is current.
    int currentRowIndex() const;
    int currentColumn() const;
    void setCurrentColumn(int column);
    bool isNewRow() const;   // the current row is the new-row line
    bool isRowDirty() const; // the current row holds changes not yet stored

    // Cell values of the current row, read from and written to the row buffer. A cell holding
    // nothing but its mask's literals reads as "". Writing marks the row changed.
    QVariant cell(int column) const;
    QString cellText(int column) const;
    void setCell(int column, const QVariant &value);

    // Stores the current row if it holds changes (asking rowStoring first). True when stored or
    // when there was nothing to store; false when refused (the row stays in the buffer).
    bool storeCurrentRow();
    // Drops the changes of the current row.
    void cancelRowEdit();
    // The same as the user pressing Down in the current cell: stores the row and moves on.
    void moveDown();

signals:
    void cellCommitted(int column);         // the user's edit of a cell was accepted into the row
    void rowStoring(bool &cancel);          // before a new or changed row is stored
    void rowStored();                       // after a row was stored
    void rowDeleted();                      // after a row was removed
    void gridKeyPress(int &keyCode);        // a character typed into a cell; set to 0 to discard it
    void gridDataError(int errorCode, int &response); // response 0: no message of the grid's own
    void cellButtonPressed(int column);     // in-cell button (mouse, F4 or Alt+Down)

private:
    class Private;
    Private *d;
    friend class LineModel;
    friend class RowGuardSelectionModel;
};

} // namespace qvtrnsfr
