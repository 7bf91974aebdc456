#include "grid/RowGuardSelectionModel.h"

#include "grid/LineGrid.h"

namespace qvtrnsfr {

RowGuardSelectionModel::RowGuardSelectionModel(QAbstractItemModel *model, LineGrid *grid)
    : QItemSelectionModel(model, grid), m_grid(grid)
{
}

void RowGuardSelectionModel::setCurrentIndex(const QModelIndex &index,
                                             QItemSelectionModel::SelectionFlags command)
{
    if (!index.isValid()) {
        QItemSelectionModel::setCurrentIndex(index, command);
        return;
    }
    const QModelIndex target = m_grid->acceptCursor(index);
    m_refused = !target.isValid();
    if (!m_refused)
        QItemSelectionModel::setCurrentIndex(target, command);
}

void RowGuardSelectionModel::select(const QItemSelection &selection,
                                    QItemSelectionModel::SelectionFlags command)
{
    if (!m_refused)
        QItemSelectionModel::select(selection, command);
}

} // namespace qvtrnsfr
