#include "companions/PickList.h"

namespace companions {

QString showPickList(LookupDialog *list, const PickList &pick, const QSqlDatabase &db, QWidget *owner)
{
    if (!list)
        return QString();
    if (pick.filterAt == PickList::FilterAt::First)
        list->SetFilter(pick.filter);
    if (pick.filterAt == PickList::FilterAt::ClearedFirst)
        list->SetFilter(QString());
    list->SetTitle(pick.title);
    list->SetConnection(db);
    list->SetSource(pick.source);
    if (pick.filterAt != PickList::FilterAt::First)
        list->SetFilter(pick.filter);
    list->SetKeyColumn(pick.keyColumn);
    list->SetSearchText(pick.search);
    list->SetResultColumn(pick.resultColumn);
    list->SetOwner(owner);
    list->ShowList();
    return list->SelectedValue();
}

} // namespace companions
