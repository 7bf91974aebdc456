#include "companions/StockMoveInventory.h"

#include "companions/CompanionsLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace companions {

Q_LOGGING_CATEGORY(lcCompanions, "qvtrnsfr.companions")

namespace {

// {code} is the column that names what is counted: ItemID, or SrNo for a serial number.
const char BalanceSql[] = "SELECT COALESCE((SELECT SUM(m.Qty) FROM StockMove m"
                          " WHERE m.{code} = ? AND m.LocID = ? AND m.MoveDate <= ?), 0)"
                          " - COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))"
                          " FROM ICTRAND d JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo"
                          " WHERE d.{code} = ? AND d.FromLocID = ? AND h.DocDate <= ?{outExclusion}), 0)"
                          " + COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))"
                          " FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo"
                          " WHERE d.{code} = ? AND h.ToLocID = ? AND h.DocDate <= ?{inExclusion}), 0)";
const char OutExclusion[] = " AND d.DocNo <> ?";
const char InExclusion[] = " AND NOT (h.FromLocID = ? AND h.DocNo = ?)";

const char CostSql[] = "SELECT COALESCE((SELECT SUM(m.Qty * m.UnitCost) / SUM(m.Qty) FROM StockMove m"
                       " WHERE m.ItemID = ? AND m.LocID = ? AND m.MoveDate <= ? AND m.Qty > 0"
                       " AND m.UnitCost IS NOT NULL),"
                       " (SELECT i.StdCost FROM ICItem i WHERE i.ItemID = ?), 0)";

} // namespace

StockMoveInventory::Statement StockMoveInventory::balanceStatement(const QString &code, int locationId,
                                                                   const QDate &date, bool excludeDocument,
                                                                   int documentNo, bool bySerial)
{
    QString sql = QString::fromLatin1(BalanceSql);
    sql.replace(QLatin1String("{code}"), bySerial ? QLatin1String("SrNo") : QLatin1String("ItemID"));
    sql.replace(QLatin1String("{outExclusion}"),
                excludeDocument ? QLatin1String(OutExclusion) : QLatin1String(""));
    sql.replace(QLatin1String("{inExclusion}"),
                excludeDocument ? QLatin1String(InExclusion) : QLatin1String(""));
    QVariantList binds{code, locationId, date, code, locationId, date};
    if (excludeDocument)
        binds.append(documentNo);
    binds << code << locationId << date;
    if (excludeDocument)
        binds << locationId << documentNo;
    return {sql, binds};
}

StockMoveInventory::Statement StockMoveInventory::costStatement(const QString &itemCode, int locationId,
                                                                const QDate &date)
{
    return {QString::fromLatin1(CostSql), {itemCode, locationId, date, itemCode}};
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

std::optional<double> StockMoveInventory::runScalar(const Statement &statement) const
{
    QSqlQuery query(m_db);
    if (!query.prepare(statement.sql)) {
        qCWarning(lcCompanions) << "inventory: prepare failed:" << query.lastError().text();
        return std::nullopt;
    }
    for (const QVariant &value : statement.binds)
        query.addBindValue(value);
    if (!query.exec() || !query.next()) {
        qCWarning(lcCompanions) << "inventory: query failed:" << query.lastError().text();
        return std::nullopt;
    }
    bool ok = false;
    const double result = query.value(0).toDouble(&ok);
    if (!ok) {
        qCWarning(lcCompanions) << "inventory: not a number:" << query.value(0);
        return std::nullopt;
    }
    return result;
}

} // namespace companions
