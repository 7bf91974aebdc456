#pragma once
// LookupDialog over a table or view of the connection. SetKeyColumn and SetResultColumn are
// column positions in "SELECT * FROM <source>" (0 = the first column): the list is searched and
// ordered by the key column and shows it first; the picked row's result column is the
// SelectedValue, as text. ShowList opens a LookupListDialog, owned by the window given to
// SetOwner and titled by SetTitle, and returns when the user has picked or cancelled.
// A source that is not a plain identifier or cannot be read shows nothing and picks nothing; a
// filter that cannot be read shows an empty list.

#include "companions/Companions.h"

#include <QPointer>
#include <QWidget>

namespace companions {

class SqlLookupDialog : public LookupDialog {
public:
    void SetFilter(const QString &condition) override { m_filter = condition; }
    void SetTitle(const QString &title) override { m_title = title; }
    void SetConnection(const QSqlDatabase &db) override { m_db = db; }
    void SetSource(const QString &source) override { m_source = source; }
    void SetKeyColumn(int column) override { m_keyColumn = column; }
    void SetSearchText(const QString &text) override { m_search = text; }
    void SetResultColumn(int column) override { m_resultColumn = column; }
    void SetOwner(QWidget *owner) override { m_owner = owner; }
    void ShowList() override;
    QString SelectedValue() const override { return m_selected; }

private:
    int usableColumn(int column, int count, const char *role) const;

    QString m_filter;
    QString m_title;
    QSqlDatabase m_db;
    QString m_source;
    int m_keyColumn = 0;
    QString m_search;
    int m_resultColumn = 0;
    QPointer<QWidget> m_owner;
    QString m_selected;
};

} // namespace companions
