#pragma once
// The one place where the line grid's cursor changes: every move of the current cell, whatever
// caused it (keys, a click on a cell or in the row selector, code), passes through
// setCurrentIndex. Moving to another row first stores the row being left; when that is refused
// the cursor stays, and the selection change that belongs to the same move is ignored too.

#include <QItemSelectionModel>

namespace qvtrnsfr {

class LineGrid;

class RowGuardSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    RowGuardSelectionModel(QAbstractItemModel *model, LineGrid *grid);

    using QItemSelectionModel::select;
    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command) override;

private:
    LineGrid *m_grid;
    bool m_refused = false;
};

} // namespace qvtrnsfr
