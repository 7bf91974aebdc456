#include "platform/Db.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QStringList>

namespace qvtrnsfr {

Q_LOGGING_CATEGORY(lcDb, "qvtrnsfr.db")

namespace {

void logFailure(const char *step, const QString &sql, const QSqlError &error, const QVariantList &binds = {})
{
    QStringList values;
    for (const QVariant &value : binds)
        values << (value.isNull() ? QStringLiteral("NULL") : value.toString());
    qCWarning(lcDb).noquote() << step << "failed:" << sql
                              << (values.isEmpty() ? QString()
                                                   : QStringLiteral("[%1]").arg(values.join(u", ")))
                              << "--" << errorText(error);
}

// Prepares sql on query (when values are to be bound) and executes it; logs a failure.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &binds)
{
    if (binds.isEmpty()) {
        if (query.exec(sql))
            return true;
        logFailure("exec", sql, query.lastError());
        return false;
    }
    if (!query.prepare(sql)) {
        logFailure("prepare", sql, query.lastError());
        return false;
    }
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds.at(i));
    if (query.exec())
        return true;
    logFailure("exec", sql, query.lastError(), binds);
    return false;
}

} // namespace

QString errorText(const QSqlError &error)
{
    if (!error.databaseText().isEmpty())
        return error.databaseText();
    if (!error.driverText().isEmpty())
        return error.driverText();
    return error.text();
}

void ColumnIndex::resolve(const QSqlRecord &record)
{
    m_index.clear();
    for (int i = record.count() - 1; i >= 0; --i)
        m_index.insert(record.fieldName(i).toLower(), i); // the first of equal names wins
}

int ColumnIndex::indexOf(const QString &column) const
{
    return m_index.value(column.toLower(), -1);
}

bool Snapshot::open(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    close();
    m_query.emplace(db);
    m_query->setForwardOnly(false);
    if (!run(*m_query, sql, binds))
        return false;
    m_columns.resolve(m_query->record());
    m_open = true;
    first();
    return true;
}

void Snapshot::close()
{
    m_query.reset();
    m_columns.clear();
    m_open = false;
    m_onRow = false;
}

bool Snapshot::first()
{
    m_onRow = m_open && m_query->first();
    return m_onRow;
}

bool Snapshot::next()
{
    if (!m_onRow)
        return false; // already past the end
    m_onRow = m_query->next();
    return m_onRow;
}

bool Snapshot::last()
{
    m_onRow = m_open && m_query->last();
    return m_onRow;
}

int Snapshot::recordCount()
{
    if (!m_open)
        return 0;
    int count = 0;
    if (m_query->driver()->hasFeature(QSqlDriver::QuerySize)) {
        count = qMax(0, m_query->size());
    } else if (m_query->last()) {
        count = m_query->at() + 1;
    }
    first();
    return count;
}

QVariant Snapshot::value(const QString &column) const
{
    const int position = m_columns.indexOf(column);
    if (!m_onRow || position < 0)
        return QVariant();
    return m_query->value(position);
}

bool ForwardReader::exec(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    m_query = QSqlQuery(db);
    m_query.setForwardOnly(true);
    m_columns.clear();
    if (!run(m_query, sql, binds))
        return false;
    m_columns.resolve(m_query.record());
    return true;
}

bool ForwardReader::next()
{
    return m_query.next();
}

QVariant ForwardReader::value(const QString &column) const
{
    const int position = m_columns.indexOf(column);
    return position < 0 ? QVariant() : m_query.value(position);
}

bool PreparedStatement::prepare(const QSqlDatabase &db, const QString &sql)
{
    m_query = QSqlQuery(db);
    if (m_query.prepare(sql))
        return true;
    logFailure("prepare", sql, m_query.lastError());
    return false;
}

bool PreparedStatement::exec(const QVariantList &binds)
{
    for (int i = 0; i < binds.size(); ++i)
        m_query.bindValue(i, binds.at(i));
    if (m_query.exec())
        return true;
    logFailure("exec", m_query.lastQuery(), m_query.lastError(), binds);
    return false;
}

namespace {

// The driver's own connection behind a QSqlDatabase (a sqlite3 or PGconn pointer); null when closed.
const void *driverHandle(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || !(handle.metaType().flags() & QMetaType::IsPointer))
        return nullptr;
    return *static_cast<const void *const *>(handle.constData());
}

} // namespace

StatementCache::~StatementCache()
{
    clear();
}

void StatementCache::setDatabase(const QSqlDatabase &db)
{
    clear();
    m_db = db;
}

void StatementCache::clear()
{
    m_entries.clear();
    m_handle = nullptr;
}

QSqlQuery *StatementCache::prepared(const QString &sql, QSqlError *error)
{
    const void *handle = driverHandle(m_db);
    if (handle != m_handle) {
        m_entries.clear(); // prepared on a connection that is gone
        m_handle = handle;
    }
    const auto found = m_entries.find(sql);
    if (found != m_entries.end()) {
        found->second.lastUse = ++m_uses;
        return found->second.query.get();
    }
    if (m_entries.size() >= size_t(m_capacity)) {
        auto oldest = m_entries.begin();
        for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
            if (entry->second.lastUse < oldest->second.lastUse)
                oldest = entry;
        }
        m_entries.erase(oldest);
    }
    auto query = std::make_unique<QSqlQuery>(m_db);
    query->setForwardOnly(true);
    if (!query->prepare(sql)) {
        logFailure("prepare", sql, query->lastError());
        if (error)
            *error = query->lastError();
        return nullptr;
    }
    QSqlQuery *kept = query.get();
    m_entries.emplace(sql, Entry{std::move(query), ++m_uses});
    return kept;
}

bool StatementCache::run(const QString &sql, const QVariantList &binds,
                         const std::function<void(QSqlQuery &)> &read, QSqlError *error)
{
    QSqlQuery *query = prepared(sql, error);
    if (!query)
        return false;
    for (int i = 0; i < binds.size(); ++i)
        query->bindValue(i, binds.at(i));
    if (!query->exec()) {
        logFailure("exec", sql, query->lastError(), binds);
        if (error)
            *error = query->lastError();
        m_entries.erase(sql);
        return false;
    }
    if (read)
        read(*query);
    query->finish();
    return true;
}

bool execute(const QSqlDatabase &db, const QString &sql, const QVariantList &binds, QSqlError *error,
             int *rowsAffected)
{
    QSqlQuery query(db);
    const bool ok = run(query, sql, binds);
    if (!ok && error)
        *error = query.lastError();
    if (ok && rowsAffected)
        *rowsAffected = query.numRowsAffected();
    return ok;
}

ClonedConnection::ClonedConnection(const QSqlDatabase &original)
{
    static QAtomicInteger<quint32> serial;
    do {
        m_name = QStringLiteral("qvtrnsfr-save-%1").arg(serial.fetchAndAddRelaxed(1));
    } while (QSqlDatabase::contains(m_name));
    m_db = QSqlDatabase::cloneDatabase(original, m_name);
    if (!m_db.open())
        logFailure("open", QStringLiteral("second connection to %1").arg(original.databaseName()),
                   m_db.lastError());
    m_statements.setDatabase(m_db);
}

ClonedConnection::~ClonedConnection()
{
    m_statements.setDatabase(QSqlDatabase()); // the statements go before their connection
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase(); // the last handle must go before the connection is removed
    QSqlDatabase::removeDatabase(m_name);
}

TransactionGuard::TransactionGuard(QSqlDatabase db, bool active, bool writer)
    : m_db(std::move(db)), m_active(active), m_writer(writer)
{
}

TransactionGuard::~TransactionGuard()
{
    rollback();
}

bool TransactionGuard::begin()
{
    if (!m_active || m_open)
        return true;
    if (m_writer && !isPostgres(m_db)) {
        QSqlQuery begin(m_db);
        m_open = begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
        m_error = begin.lastError();
    } else {
        m_open = m_db.transaction();
        m_error = m_db.lastError();
    }
    if (!m_open)
        logFailure("begin", QStringLiteral("BEGIN TRANSACTION"), m_error);
    return m_open;
}

bool TransactionGuard::commit()
{
    if (!m_active)
        return true;
    if (m_open && m_db.commit()) {
        m_open = false;
        return true;
    }
    m_error = m_db.lastError();
    logFailure("commit", QStringLiteral("COMMIT"), m_error);
    return false; // still open: the destructor rolls it back
}

void TransactionGuard::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    if (!m_db.rollback())
        logFailure("rollback", QStringLiteral("ROLLBACK"), m_db.lastError());
}

bool useWriteAheadLog(const QSqlDatabase &db)
{
    QSqlQuery mode(db);
    if (!mode.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !mode.next()) {
        logFailure("exec", mode.lastQuery(), mode.lastError());
        return false;
    }
    const bool wal = mode.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    if (!wal)
        qCInfo(lcDb) << "the file" << db.databaseName() << "keeps the journal mode"
                     << mode.value(0).toString();
    return wal;
}

void setUpSqliteWriter(const QSqlDatabase &from, const QSqlDatabase &writer)
{
    for (const char *setting : {"cache_size", "busy_timeout"}) {
        QSqlQuery read(from);
        if (read.exec(QStringLiteral("PRAGMA ") + QLatin1String(setting)) && read.next())
            execute(
                writer,
                QStringLiteral("PRAGMA %1=%2").arg(QLatin1String(setting)).arg(read.value(0).toLongLong()));
    }
    execute(writer, QStringLiteral("PRAGMA temp_store=MEMORY"));
}

bool isPostgres(const QSqlDatabase &db)
{
    if (const QSqlDriver *driver = db.driver(); driver && driver->dbmsType() != QSqlDriver::UnknownDbms)
        return driver->dbmsType() == QSqlDriver::PostgreSQL;
    return db.driverName().startsWith(QLatin1String("QPSQL"));
}

bool undoneForAnother(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String("40P01") ||
           error.nativeErrorCode() == QLatin1String("40001");
}

QString postgresTextArray(const QStringList &texts)
{
    QStringList elements;
    for (QString text : texts)
        elements << QLatin1Char('"') +
                        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                            .replace(QLatin1Char('"'), QLatin1String("\\\"")) +
                        QLatin1Char('"');
    return QLatin1Char('{') + elements.join(QLatin1Char(',')) + QLatin1Char('}');
}

} // namespace qvtrnsfr
