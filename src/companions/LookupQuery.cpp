#include "companions/LookupQuery.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <cmath>

namespace companions {

namespace {

const uint HighestCodePoint = 0x10FFFF;
const double LargestWholeDouble = 9007199254740992.0; // 2^53

// Keys of these types are narrowed by prefix; others by equality.
bool isText(const QSqlField &field)
{
    const int type = field.metaType().id();
    return type == QMetaType::QString || type == QMetaType::UnknownType;
}

bool isNumeric(const QSqlField &field)
{
    switch (field.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isIntegral(const QSqlField &field)
{
    return isNumeric(field) && field.metaType().id() != QMetaType::Double &&
           field.metaType().id() != QMetaType::Float;
}

// The typed text as a value of a numeric column; empty when it is not such a number.
std::optional<QVariant> numberFor(const QSqlField &field, const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    if (!isIntegral(field))
        return QVariant(value);
    if (std::abs(value) > LargestWholeDouble || std::trunc(value) != value)
        return std::nullopt;
    return QVariant(qint64(value));
}

} // namespace

bool isSqlIdentifier(const QString &name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(name).hasMatch();
}

std::optional<LookupFilter> parseLookupFilter(const QString &condition)
{
    if (condition.trimmed().isEmpty())
        return LookupFilter();
    const int equals = condition.indexOf(QLatin1Char('='));
    const QString column = condition.left(equals).trimmed();
    if (equals < 0 || !isSqlIdentifier(column))
        return std::nullopt;
    QString value = condition.mid(equals + 1);
    const QString trimmed = value.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('\'')) && trimmed.endsWith(QLatin1Char('\'')))
        value = trimmed.mid(1, trimmed.size() - 2);
    return LookupFilter{column, value};
}

QString prefixUpperBound(const QString &prefix)
{
    QList<uint> codePoints = prefix.toUcs4();
    while (!codePoints.isEmpty() && codePoints.last() >= HighestCodePoint)
        codePoints.removeLast();
    if (codePoints.isEmpty())
        return QString();
    uint &last = codePoints.last();
    last = last + 1 == 0xD800 ? 0xE000 : last + 1; // no code point is a lone surrogate
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size());
}

bool LookupSource::open(const QSqlDatabase &db, const QString &source, QString *error)
{
    m_db = db;
    m_source = source;
    m_columns.clear();
    if (!isSqlIdentifier(source)) {
        *error = QStringLiteral("not a table or view name: ") + source;
        return false;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(quotedSource()))) {
        *error = query.lastError().text();
        return false;
    }
    m_columns = query.record();
    return !m_columns.isEmpty();
}

std::optional<LookupStatement> LookupSource::pageStatement(const LookupPage &page, QString *error) const
{
    LookupStatement statement;
    QStringList terms;
    if (!page.filter.column.isEmpty()) {
        const int column = m_columns.indexOf(page.filter.column);
        if (column < 0) {
            *error = QStringLiteral("%1 has no column %2").arg(m_source, page.filter.column);
            return std::nullopt;
        }
        statement.matchesNothing = !condition(column, page.filter.value, &terms, &statement.binds);
    }
    searchCondition(page.keyColumn, page.search, &terms, &statement.binds, &statement.matchesNothing);
    statement.sql = QStringLiteral("SELECT * FROM ") + quotedSource();
    if (!terms.isEmpty())
        statement.sql += QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
    statement.sql += QStringLiteral(" ORDER BY %1 LIMIT %2 OFFSET %3")
                         .arg(quotedColumn(page.keyColumn))
                         .arg(page.limit)
                         .arg(page.offset);
    return statement;
}

QString LookupSource::quotedSource() const
{
    const bool folds = m_db.driverName() == QLatin1String("QPSQL");
    return m_db.driver()->escapeIdentifier(folds ? m_source.toLower() : m_source, QSqlDriver::TableName);
}

QString LookupSource::quotedColumn(int index) const
{
    return m_db.driver()->escapeIdentifier(m_columns.fieldName(index), QSqlDriver::FieldName);
}

bool LookupSource::condition(int column, const QString &value, QStringList *terms, QVariantList *binds) const
{
    const QSqlField field = m_columns.field(column);
    QVariant bound = value;
    if (isNumeric(field)) {
        const std::optional<QVariant> number = numberFor(field, value);
        if (!number)
            return false;
        bound = *number;
    }
    terms->append(quotedColumn(column) + QStringLiteral(" = ?"));
    binds->append(bound);
    return true;
}

void LookupSource::searchCondition(int column, const QString &search, QStringList *terms, QVariantList *binds,
                                   bool *matchesNothing) const
{
    if (search.isEmpty())
        return;
    if (!isText(m_columns.field(column))) {
        if (!condition(column, search, terms, binds))
            *matchesNothing = true;
        return;
    }
    terms->append(quotedColumn(column) + QStringLiteral(" >= ?"));
    binds->append(search);
    const QString upper = prefixUpperBound(search);
    if (!upper.isEmpty()) {
        terms->append(quotedColumn(column) + QStringLiteral(" < ?"));
        binds->append(upper);
    }
}

} // namespace companions
