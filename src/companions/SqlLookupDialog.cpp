#include "companions/SqlLookupDialog.h"

#include "companions/CompanionsLog.h"
#include "companions/LookupListDialog.h"

namespace companions {

void SqlLookupDialog::ShowList()
{
    m_selected.clear();
    LookupSource source;
    QString error;
    if (!source.open(m_db, m_source, &error)) {
        qCWarning(lcCompanions) << "lookup: cannot open the source" << m_source << error;
        return;
    }
    LookupListOptions options;
    options.filter = parseLookupFilter(m_filter);
    if (!options.filter)
        qCWarning(lcCompanions) << "lookup: cannot read the condition" << m_filter;
    options.keyColumn = usableColumn(m_keyColumn, source.columns().count(), "key");
    options.resultColumn = usableColumn(m_resultColumn, source.columns().count(), "result");
    options.search = m_search;

    // The owner may close while the list is open, taking the list with it.
    QPointer<LookupListDialog> dialog = new LookupListDialog(source, options, m_owner);
    dialog->setWindowTitle(m_title);
    const int result = dialog->exec();
    if (!dialog)
        return;
    if (result == QDialog::Accepted)
        m_selected = dialog->selectedValue();
    delete dialog;
}

int SqlLookupDialog::usableColumn(int column, int count, const char *role) const
{
    if (column >= 0 && column < count)
        return column;
    qCWarning(lcCompanions) << "lookup: no" << role << "column" << column << "in" << m_source << "; using 0";
    return 0;
}

} // namespace companions
