#pragma once
// A shown window holding a text field, the line grid bound to a LineArray of its own, and another
// text field, so that the focus can leave the grid both ways. Keys go to whatever has the focus,
// as the user's keyboard would; clicks go where the user would click.

#include "grid/LineArray.h"
#include "grid/LineGrid.h"

#include <QLineEdit>
#include <QList>
#include <QStringList>
#include <QWidget>

class GridWindow {
public:
    GridWindow();

    // Fills the LineArray with these rows (cells in column order) and binds it.
    void setRows(const QList<QStringList> &rows);
    // A LineArray row as one text: the cells joined by '|'.
    QString row(int index) const;

    void goTo(int row, int column);
    void type(const QString &text); // one key click per character
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickCell(int row, int column);
    void clickCellButton(int row, int column);
    void clickRowSelector(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QLineEdit *editor() const; // the open cell editor; nullptr when none

    qvtrnsfr::LineArray lines; // both outlive the grid, which only borrows them
    qvtrnsfr::LineArray spare; // an empty table to bind instead
    QWidget window;
    QLineEdit *before;
    qvtrnsfr::LineGrid *grid;
    QLineEdit *after;
};
