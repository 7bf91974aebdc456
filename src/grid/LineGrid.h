#pragma once
// The line grid: a table view over one LineArray that edits one row at a time. The current row's
// values are a buffer; leaving the row asks rowStoring and stores the buffer into the LineArray
// only when nobody cancels, otherwise the cursor stays in the row. The empty new-row line at the
// bottom appends. Whole rows selected in the row selector are removed with Delete. Tab and the
// arrow keys wrap from the end of a row to the next. Typing into a cell starts editing it.

#include "voucher/LineArray.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

#include <array>

namespace qvtrnsfr {

class LineDelegate;
class LineModel;
class RowGuardSelectionModel;

class LineGrid : public QTableView {
    Q_OBJECT
public:
    // Column widths are kept in twips as set; the pixel width shown is qRound(twips / 15).
    static constexpr double TwipsPerPixel = 15.0;
    // Error codes of gridDataError.
    enum DataError { DataErrorTextTooLong = 1 };

    explicit LineGrid(QWidget *parent = nullptr);
    ~LineGrid() override;

    // Builds the eight columns with their captions, presentation and widths (twips), and the
    // grid-wide settings (row height, header height, font size, navigation).
    void setupColumns();
    // The grid's text is 9 points, or the size of its parent's font when that is larger.
    void fitFont();
    // The width exactly as set (hidden columns too); a width dragged by the user is pixels * 15.
    // A column is never shown narrower than its caption in the header, whatever width it has.
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
    // nothing but its mask's literals reads as "". Writing a different value marks the row
    // changed; it never emits cellCommitted.
    QVariant cell(int column) const;
    QString cellText(int column) const;
    void setCell(int column, const QVariant &value);

    // Stores the current row if it holds changes (asking rowStoring first), after committing an
    // open cell editor. True when stored or when there was nothing to store; false when refused
    // (the row stays in the buffer) or when called from inside rowStoring.
    bool storeCurrentRow();
    // Closes an open cell editor without taking its text and drops the changes of the current row.
    void cancelRowEdit();
    // The same as the user pressing Down in the current cell: stores the row and moves on. Called
    // from a cellCommitted handler it runs queued, once the key or click that committed the cell
    // has been handled.
    void moveDown();
    // Stores the current row, if changed, and puts the cursor on a stored row's cell; false when
    // the current row is refused or there is no such row.
    bool goToRow(int row, int column) { return moveTo(row, column); }

    using QTableView::edit;

signals:
    void cellCommitted(int column);  // the user's edit of a cell was accepted into the row
    void rowStoring(bool &cancel);   // before a new or changed row is stored
    void rowStored();                // after a row was stored
    void rowDeleted();               // after a row was removed
    void gridKeyPress(int &keyCode); // a character typed into a cell; set to 0 to discard it
    // A value that cannot be accepted (DataError); response comes in as 1, the grid then shows a
    // message of its own; a handler that sets 0 silences it. The cell keeps its previous value.
    void gridDataError(int errorCode, int &response);
    // In-cell button pressed (mouse, F4 or Alt+Down); emitted once the event that pressed it has
    // been handled, so that no editor or button goes away inside its own event.
    void cellButtonPressed(int column);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class RowGuardSelectionModel;
    enum class Move { Right, Left, Up, Down, PageUp, PageDown, Home, End, First, Last };

    // LineGrid.cpp: cursor, editing, storing
    QModelIndex acceptCursor(const QModelIndex &index);
    bool isNavigable(int column) const;
    int nearestNavigable(int column) const;
    int nextNavigable(int column, int step) const; // -1 when the row has none that way
    void commitEditor();
    void discardEditor();
    void raisePendingCommit();
    void raiseDataError(int code, int column);
    void pressCellButton(const QPersistentModelIndex &index); // queued: runs runCellButton
    void runCellButton(const QPersistentModelIndex &index);
    void takeDraggedWidth(int column, int pixels);
    int captionWidth(int column) const;
    int shownWidth(int column, double twips) const;
    void fitToFont(); // header height, row height and column widths for the grid's font
    bool deleteSelectedRows();

    // LineGridKeys.cpp: every key of the grid and of its cell editors
    bool handleViewKey(QKeyEvent *event);
    bool handleEditorKey(QKeyEvent *event);
    enum class CommonKey {
        None,
        TabForward,
        TabBackward,
        LeaveForward,
        LeaveBackward,
        Button,
        Up,
        Down,
        PageUp,
        PageDown
    };
    bool handleCommonKey(QKeyEvent *event);
    CommonKey commonKeyOf(const QKeyEvent *event) const;
    void runCommonKey(CommonKey command);
    void startEditWith(QKeyEvent *event);
    void navigate(Move move);
    bool moveTo(int row, int column);
    void tabMove(bool forward);
    void leaveGrid(bool forward);

    LineModel *m_model;
    LineDelegate *m_delegate;
    RowGuardSelectionModel *m_guard;
    std::array<double, LineColumns> m_widthsTwips{};
    QPointer<QWidget> m_editor; // the open cell editor, always in the current row
    QPersistentModelIndex m_editIndex;
    int m_pendingCommit = -1;  // column whose editor's changed value awaits cellCommitted
    int m_refusedColumn = -1;  // column whose editor's text was refused
    bool m_committing = false; // cellCommitted handlers are running
    bool m_storing = false;    // rowStoring handlers are running
    bool m_settingWidth = false;
    bool m_rewritingKey = false; // a character changed by gridKeyPress is being delivered
};

} // namespace qvtrnsfr
