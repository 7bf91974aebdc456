#pragma once
// The one way the form prepares the shared pick list and shows it. Every list sets all the
// settings it relies on (they stay on the shared object until set again), in the order its
// field's routine gives: most set the filter first, some after the source, and the requisitions'
// list clears the filter first and sets it after the source.

#include "companions/Companions.h"

namespace companions {

struct PickList {
    enum class FilterAt { First, AfterSource, ClearedFirst };
    QString title;
    QString source;
    QString filter; // "" for none
    int keyColumn = 0;
    QString search;
    int resultColumn = 0;
    FilterAt filterAt = FilterAt::First;
};

// Sets the list up on the connection, owned by the window, shows it (modal) and answers the
// picked value: the empty text when nothing was picked or there is no list.
QString showPickList(LookupDialog *list, const PickList &pick, const QSqlDatabase &db, QWidget *owner);

} // namespace companions
