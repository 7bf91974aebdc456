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

// A statement piece with "{key}" where the code is compared, and the values of its other marks
// in order.
struct Template {
    QString sql;
    QVariantList binds;
};

// A figure per code: what is selected, and the tables joined to each code to select it. The
// codes come from a source named k, the code in k.column1.
struct Figure {
    Template select;
    Template joins;
};

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

// An item's balance from its row of the stock table s, when nothing counted in it is dated after
// the day asked for: then the sum of the history is its quantity on hand. The voucher left out,
// v (its header, when there is one), is given back: its lines out of the location, g (summed per
// item, reading the voucher's lines once for all the codes asked), unless it also went into the
// location, when they took nothing from it.
const char OnHandSql[] = "CASE WHEN s.LatestDate <= ? THEN s.QtyOnHand{givenBack} ELSE {history} END";
const char StockJoin[] = " LEFT JOIN ICStock s ON s.LocID = ? AND s.ItemID = {key}";
const char GivenBack[] = " + CASE WHEN v.ToLocID = ? THEN 0 ELSE COALESCE(g.Qty, 0) END";
const char LeftOutJoin[] =
    " LEFT JOIN ICTRANH v ON v.FromLocID = ? AND v.DocNo = ?"
    " LEFT JOIN (SELECT d.ItemID, SUM(d.Qty * COALESCE(d.Conver, 1)) AS Qty FROM ICTRAND d"
    " WHERE d.FromLocID = ? AND d.DocNo = ? GROUP BY d.ItemID) g ON g.ItemID = {key}";

// An item's cost: the weighted average of its receipts at the location up to the day, read from
// its row of the receipts table c when no receipt counted there is dated after the day, else
// summed over the receipts; without receipts its standard cost, else 0.
const char CostSql[] = "COALESCE(CASE WHEN c.LatestDate <= ?"
                       " THEN CASE WHEN c.Receipts > 0 THEN c.ReceivedValue / c.ReceivedQty END"
                       " ELSE (SELECT SUM(m.Qty * m.UnitCost) / SUM(m.Qty) FROM StockMove m"
                       " WHERE m.ItemID = {key} AND m.LocID = ? AND m.MoveDate <= ? AND m.Qty > 0"
                       " AND m.UnitCost IS NOT NULL) END,"
                       " (SELECT i.StdCost FROM ICItem i WHERE i.ItemID = {key}), 0)";
const char CostJoin[] = " LEFT JOIN ICCost c ON c.LocID = ? AND c.ItemID = {key}";

// The balance of a code at a location as of a day. Serial numbers are summed over their own few
// movements; items are read from the stock table where it answers, so that a balance as of today
// does not grow with the history.
Figure balanceFigure(int locationId, const QDate &date, bool excludeDocument, int documentNo, bool bySerial)
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
        return {history, {}};

    Figure onHand{{QString::fromLatin1(OnHandSql), {date}}, {QString::fromLatin1(StockJoin), {locationId}}};
    onHand.select.sql.replace(QLatin1String("{givenBack}"),
                              excludeDocument ? QLatin1String(GivenBack) : QLatin1String(""));
    if (excludeDocument) {
        onHand.select.binds << locationId;
        onHand.joins.sql += QLatin1String(LeftOutJoin);
        onHand.joins.binds << locationId << documentNo << locationId << documentNo;
    }
    onHand.select.sql.replace(QLatin1String("{history}"), history.sql);
    onHand.select.binds += history.binds;
    return onHand;
}

Figure costFigure(int locationId, const QDate &date)
{
    return {{QString::fromLatin1(CostSql), {date, locationId, date}},
            {QString::fromLatin1(CostJoin), {locationId}}};
}

// "SELECT [k.column1, ]<figure> FROM <the codes> k <joins>": one row per code. The codes are one
// bound value after the figure's own: a single code, a PostgreSQL array, or a JSON array that
// SQLite reads with json_each. One statement text for any number of codes, so that it stays
// prepared.
StockMoveInventory::Statement perCode(const Figure &figure, const QStringList &codes, bool postgres,
                                      bool single)
{
    const QString key = QStringLiteral("k.column1");
    QString codesSource;
    QVariant list;
    if (single) {
        codesSource = QStringLiteral("(SELECT CAST(? AS text) AS column1) AS k");
        list = codes.value(0);
    } else if (postgres) {
        list = qvtrnsfr::postgresTextArray(codes);
        codesSource = QStringLiteral("unnest(CAST(? AS text[])) AS k(column1)");
    } else {
        list = QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(codes)).toJson(QJsonDocument::Compact));
        codesSource = QStringLiteral("(SELECT value AS column1 FROM json_each(?)) AS k");
    }
    QString select = figure.select.sql;
    QString joins = figure.joins.sql;
    StockMoveInventory::Statement statement;
    statement.sql = (single ? QStringLiteral("SELECT ") : QStringLiteral("SELECT k.column1, ")) +
                    select.replace(QLatin1String("{key}"), key) + QStringLiteral(" FROM ") + codesSource +
                    joins.replace(QLatin1String("{key}"), key);
    statement.binds = figure.select.binds;
    statement.binds << list;
    statement.binds += figure.joins.binds;
    return statement;
}

} // namespace

StockMoveInventory::Statement StockMoveInventory::balanceStatement(const QString &code, int locationId,
                                                                   const QDate &date, bool excludeDocument,
                                                                   int documentNo, bool bySerial)
{
    return perCode(balanceFigure(locationId, date, excludeDocument, documentNo, bySerial), {code}, false,
                   true);
}

StockMoveInventory::Statement StockMoveInventory::balancesStatement(const QStringList &codes, int locationId,
                                                                    const QDate &date, bool excludeDocument,
                                                                    int documentNo, bool bySerial,
                                                                    bool postgres)
{
    return perCode(balanceFigure(locationId, date, excludeDocument, documentNo, bySerial), codes, postgres,
                   false);
}

StockMoveInventory::Statement StockMoveInventory::costStatement(const QString &itemCode, int locationId,
                                                                const QDate &date)
{
    return perCode(costFigure(locationId, date), {itemCode}, false, true);
}

StockMoveInventory::Statement StockMoveInventory::costsStatement(const QStringList &itemCodes, int locationId,
                                                                 const QDate &date, bool postgres)
{
    return perCode(costFigure(locationId, date), itemCodes, postgres, false);
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
