#include "companions/StockMoveInventory.h"

#include "companions/CompanionsLog.h"
#include "platform/Db.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <QSqlError>
#include <QSqlQuery>

namespace companions {

Q_LOGGING_CATEGORY(lcCompanions, "qvtrnsfr.companions")

namespace {

// A statement text with "{key}" where the code is compared, and the values of its other marks
// in order. Expanded for one code ("?" bound to it) or for the row of a list of codes.
struct Template {
    QString sql;
    QVariantList binds;
};

StockMoveInventory::Statement expand(const Template &figure, const QString &key,
                                     const std::optional<QString> &code = std::nullopt)
{
    StockMoveInventory::Statement statement;
    const QString keyMark = QStringLiteral("{key}");
    int bind = 0;
    for (int i = 0; i < figure.sql.size(); ++i) {
        if (figure.sql.at(i) == QLatin1Char('?')) {
            statement.sql += QLatin1Char('?');
            statement.binds.append(figure.binds.value(bind++));
        } else if (figure.sql.mid(i, keyMark.size()) == keyMark) {
            statement.sql += key;
            if (code)
                statement.binds.append(*code);
            i += int(keyMark.size()) - 1;
        } else {
            statement.sql += figure.sql.at(i);
        }
    }
    return statement;
}

// The balance summed over the history. {code} is the column that names what is counted: ItemID,
// or SrNo for a serial number.
const char HistorySql[] = "COALESCE((SELECT SUM(m.Qty) FROM StockMove m"
                          " WHERE m.{code} = {key} AND m.LocID = ? AND m.MoveDate <= ?), 0)"
                          " - COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))"
                          " FROM ICTRAND d JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo"
                          " WHERE d.{code} = {key} AND d.FromLocID = ? AND h.DocDate <= ?{outExclusion}), 0)"
                          " + COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))"
                          " FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo"
                          " WHERE d.{code} = {key} AND h.ToLocID = ? AND h.DocDate <= ?{inExclusion}), 0)";
const char OutExclusion[] = " AND d.DocNo <> ?";
const char InExclusion[] = " AND NOT (h.FromLocID = ? AND h.DocNo = ?)";

// An item's balance from the stock table, when nothing counted in it is dated after the day
// asked for: then the sum of the history is its quantity on hand. The voucher left out is given
// back: its lines out of the location, less any of them that came into it.
const char OnHandSql[] =
    "CASE WHEN (SELECT s.LatestDate FROM ICStock s WHERE s.LocID = ? AND s.ItemID = {key})"
    " <= ? THEN (SELECT s.QtyOnHand FROM ICStock s WHERE s.LocID = ? AND s.ItemID = {key})"
    "{givenBack} ELSE {history} END";
const char GivenBack[] = " + COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1)) FROM ICTRAND d"
                         " WHERE d.ItemID = {key} AND d.FromLocID = ? AND d.DocNo = ?), 0)"
                         " - COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))"
                         " FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo"
                         " WHERE d.ItemID = {key} AND h.FromLocID = ? AND h.DocNo = ? AND h.ToLocID = ?), 0)";

const char CostSql[] = "COALESCE((SELECT SUM(m.Qty * m.UnitCost) / SUM(m.Qty) FROM StockMove m"
                       " WHERE m.ItemID = {key} AND m.LocID = ? AND m.MoveDate <= ? AND m.Qty > 0"
                       " AND m.UnitCost IS NOT NULL),"
                       " (SELECT i.StdCost FROM ICItem i WHERE i.ItemID = {key}), 0)";

// The balance of a code at a location as of a day. Serial numbers are summed over their own few
// movements; items are read from the stock table where it answers, so that a balance as of today
// does not grow with the history.
Template balanceFigure(int locationId, const QDate &date, bool excludeDocument, int documentNo, bool bySerial)
{
    Template history{QString::fromLatin1(HistorySql), {locationId, date, locationId, date}};
    history.sql.replace(QLatin1String("{code}"), bySerial ? QLatin1String("SrNo") : QLatin1String("ItemID"));
    history.sql.replace(QLatin1String("{outExclusion}"),
                        excludeDocument ? QLatin1String(OutExclusion) : QLatin1String(""));
    history.sql.replace(QLatin1String("{inExclusion}"),
                        excludeDocument ? QLatin1String(InExclusion) : QLatin1String(""));
    if (excludeDocument)
        history.binds.append(documentNo);
    history.binds << locationId << date;
    if (excludeDocument)
        history.binds << locationId << documentNo;
    if (bySerial)
        return history;

    Template onHand{QString::fromLatin1(OnHandSql), {locationId, date, locationId}};
    onHand.sql.replace(QLatin1String("{givenBack}"),
                       excludeDocument ? QLatin1String(GivenBack) : QLatin1String(""));
    if (excludeDocument)
        onHand.binds << locationId << documentNo << locationId << documentNo << locationId;
    onHand.sql.replace(QLatin1String("{history}"), history.sql);
    onHand.binds += history.binds;
    return onHand;
}

// "SELECT k.column1, <figure> FROM <the codes> k": one row per code, the codes bound as one value
// after the figure's own: a PostgreSQL array, or a JSON array that SQLite reads with json_each.
// One statement text for any number of codes, so that it stays prepared.
StockMoveInventory::Statement perCode(const Template &figure, const QStringList &codes, bool postgres)
{
    QString list;
    if (postgres) {
        QStringList elements;
        for (QString code : codes)
            elements << QLatin1Char('"') +
                            code.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                                .replace(QLatin1Char('"'), QLatin1String("\\\"")) +
                            QLatin1Char('"');
        list = QLatin1Char('{') + elements.join(QLatin1Char(',')) + QLatin1Char('}');
    } else {
        list = QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(codes)).toJson(QJsonDocument::Compact));
    }
    StockMoveInventory::Statement statement = expand(figure, QStringLiteral("k.column1"));
    statement.binds.append(list);
    const QString codesSource = postgres ? QStringLiteral("unnest(CAST(? AS text[])) AS k(column1)")
                                         : QStringLiteral("(SELECT value AS column1 FROM json_each(?)) AS k");
    statement.sql =
        QStringLiteral("SELECT k.column1, ") + statement.sql + QStringLiteral(" FROM ") + codesSource;
    return statement;
}

} // namespace

StockMoveInventory::Statement StockMoveInventory::balanceStatement(const QString &code, int locationId,
                                                                   const QDate &date, bool excludeDocument,
                                                                   int documentNo, bool bySerial)
{
    Statement statement = expand(balanceFigure(locationId, date, excludeDocument, documentNo, bySerial),
                                 QStringLiteral("?"), code);
    statement.sql.prepend(QStringLiteral("SELECT "));
    return statement;
}

StockMoveInventory::Statement StockMoveInventory::balancesStatement(const QStringList &codes, int locationId,
                                                                    const QDate &date, bool excludeDocument,
                                                                    int documentNo, bool bySerial,
                                                                    bool postgres)
{
    return perCode(balanceFigure(locationId, date, excludeDocument, documentNo, bySerial), codes, postgres);
}

StockMoveInventory::Statement StockMoveInventory::costStatement(const QString &itemCode, int locationId,
                                                                const QDate &date)
{
    Statement statement =
        expand({QString::fromLatin1(CostSql), {locationId, date}}, QStringLiteral("?"), itemCode);
    statement.sql.prepend(QStringLiteral("SELECT "));
    return statement;
}

StockMoveInventory::Statement StockMoveInventory::costsStatement(const QStringList &itemCodes, int locationId,
                                                                 const QDate &date, bool postgres)
{
    return perCode({QString::fromLatin1(CostSql), {locationId, date}}, itemCodes, postgres);
}

std::optional<double> StockMoveInventory::StockBalance(const QString &code, int locationId,
                                                       const QString &date, int documentKind, int documentNo,
                                                       bool bySerial)
{
    const QDate asOf = QDate::fromString(date, QStringLiteral("dd/MM/yyyy"));
    if (!asOf.isValid()) {
        qCWarning(lcCompanions) << "inventory: not a date:" << date;
        return std::nullopt;
    }
    return runScalar(
        balanceStatement(code, locationId, asOf, documentKind == TransferDocumentKind, documentNo, bySerial));
}

std::optional<double> StockMoveInventory::ItemCost(const QDate &date, const QString &itemCode, int locationId,
                                                   int documentKind, int documentNo)
{
    Q_UNUSED(documentKind)
    Q_UNUSED(documentNo)
    if (!date.isValid()) {
        qCWarning(lcCompanions) << "inventory: no date for the cost of" << itemCode;
        return std::nullopt;
    }
    return runScalar(costStatement(itemCode, locationId, date));
}

QHash<QString, double> StockMoveInventory::StockBalances(const QStringList &codes, int locationId,
                                                         const QString &date, int documentKind,
                                                         int documentNo, bool bySerial)
{
    QHash<QString, double> balances;
    const QDate asOf = QDate::fromString(date, QStringLiteral("dd/MM/yyyy"));
    if (!asOf.isValid()) {
        qCWarning(lcCompanions) << "inventory: not a date:" << date;
        return balances;
    }
    if (!codes.isEmpty())
        runPairs(balancesStatement(codes, locationId, asOf, documentKind == TransferDocumentKind, documentNo,
                                   bySerial, qvtrnsfr::isPostgres(m_db)),
                 balances);
    return balances;
}

QHash<QString, double> StockMoveInventory::ItemCosts(const QDate &date, const QStringList &itemCodes,
                                                     int locationId, int documentKind, int documentNo)
{
    Q_UNUSED(documentKind)
    Q_UNUSED(documentNo)
    QHash<QString, double> costs;
    if (!date.isValid()) {
        qCWarning(lcCompanions) << "inventory: no date for the costs";
        return costs;
    }
    if (!itemCodes.isEmpty())
        runPairs(costsStatement(itemCodes, locationId, date, qvtrnsfr::isPostgres(m_db)), costs);
    return costs;
}

bool StockMoveInventory::runPairs(const Statement &statement, QHash<QString, double> &answers) const
{
    return m_statements.run(statement.sql, statement.binds, [&answers](QSqlQuery &query) {
        while (query.next()) {
            bool ok = false;
            const double figure = query.value(1).toDouble(&ok);
            if (ok)
                answers.insert(query.value(0).toString(), figure);
        }
    });
}

std::optional<double> StockMoveInventory::runScalar(const Statement &statement) const
{
    std::optional<double> result;
    m_statements.run(statement.sql, statement.binds, [&result](QSqlQuery &query) {
        if (!query.next()) {
            qCWarning(lcCompanions) << "inventory: no row";
            return;
        }
        bool ok = false;
        const double figure = query.value(0).toDouble(&ok);
        if (ok)
            result = figure;
        else
            qCWarning(lcCompanions) << "inventory: not a number:" << query.value(0);
    });
    return result;
}

} // namespace companions
