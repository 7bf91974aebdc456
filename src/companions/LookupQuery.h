#pragma once
// The statements behind the pick list: one page of rows of a table or view, narrowed by a filter
// condition and by what the user types on the key column, ordered by the key column.
//
// Names of the source and of columns must be plain identifiers; they are quoted for the driver
// (on PostgreSQL folded to lower case first, as an unquoted name would be). Values are always
// bound. A text key is narrowed by prefix as an index range (key >= prefix AND key < the next
// text after every text with that prefix, in code-point order); a numeric key by equality.

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <optional>

namespace companions {

// A filter condition "Column=value" or "Column='value'". The value between the outer quotes is
// taken as it is (it may be empty, hold quotes or blanks); an unquoted value likewise.
struct LookupFilter {
    QString column; // empty: no filter
    QString value;
};

// Parses a filter text; "" gives no filter, text that is not of the two forms gives no value.
std::optional<LookupFilter> parseLookupFilter(const QString &condition);

bool isSqlIdentifier(const QString &name);

// The smallest text greater than every text beginning with prefix, in code-point order; empty
// when there is none (the prefix is empty or ends in the highest code point).
QString prefixUpperBound(const QString &prefix);

// A statement and its values; matchesNothing when a value cannot match the column at all (for
// example letters typed against a numeric key), in which case there is nothing to run.
struct LookupStatement {
    QString sql;
    QVariantList binds;
    bool matchesNothing = false;
};

struct LookupPage {
    LookupFilter filter;
    int keyColumn = 0;
    QString search;
    int offset = 0;
    int limit = 500;
};

class LookupSource {
public:
    // Checks the source name and reads its columns (no rows). False with *error when it cannot.
    bool open(const QSqlDatabase &db, const QString &source, QString *error);
    const QSqlRecord &columns() const { return m_columns; }
    QSqlDatabase database() const { return m_db; }

    // The statement of one page; empty with *error when the filter names no column of the source.
    std::optional<LookupStatement> pageStatement(const LookupPage &page, QString *error) const;

private:
    QString quotedSource() const;
    QString quotedColumn(int index) const;
    bool condition(int column, const QString &value, QStringList *terms, QVariantList *binds) const;
    void searchCondition(int column, const QString &search, QStringList *terms, QVariantList *binds,
                         bool *matchesNothing) const;

    QSqlDatabase m_db;
    QString m_source;
    QSqlRecord m_columns;
};

} // namespace companions
