#include "voucher/SaveChecks.h"

#include "platform/Db.h"
#include "voucher/Locations.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <vector>

namespace qvtrnsfr {

namespace {

// The stock units the voucher takes of each code (item codes, or serial numbers), with the first
// line of each, in the order they first appear.
struct Need {
    QString code;
    double quantity = 0;
    int firstRow = 0;
};

std::vector<Need> needs(const Voucher &voucher, bool bySerial)
{
    std::vector<Need> found;
    QHash<QString, size_t> places;
    for (int row = voucher.lines.LowBound(1); row <= voucher.lines.HighBound(1); ++row) {
        const VoucherLine line = VoucherLine::fromRow(voucher.lines, row);
        const QString code = bySerial ? line.serialNo : line.itemCode;
        if (bySerial && code.isEmpty())
            continue;
        const auto place = places.constFind(code);
        if (place == places.constEnd()) {
            places.insert(code, found.size());
            found.push_back(Need{code, line.baseQuantity(), row});
        } else {
            found[*place].quantity += line.baseQuantity();
        }
    }
    return found;
}

QStringList codesOf(const std::vector<Need> &needed)
{
    QStringList codes;
    for (const Need &need : needed)
        codes << need.code;
    return codes;
}

// The first code whose balance does not cover what the voucher takes of it; all balances are asked
// in one call. A balance that cannot be read counts as 0.
std::optional<Refusal> firstUncovered(const Voucher &voucher, companions::InventoryService *inventory,
                                      qint32 documentNo, bool bySerial, const char *refusal)
{
    const std::vector<Need> needed = needs(voucher, bySerial);
    const QStringList codes = codesOf(needed);
    const auto location = voucher.fromLocation.whole;
    const QHash<QString, double> balances =
        inventory && location && !codes.isEmpty()
            ? inventory->StockBalances(codes, *location, voucher.dateText(), companions::TransferDocumentKind,
                                       documentNo, bySerial)
            : QHash<QString, double>();
    for (const Need &need : needed) {
        if (need.quantity > balances.value(need.code, 0))
            return Refusal{Refusal::Severity::Critical,
                           QCoreApplication::translate("qvtrnsfr::LineRules", refusal), QString(),
                           VoucherField::Lines, need.firstRow};
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> recheckLocations(StatementCache &statements, const Voucher &voucher,
                                        companions::LocationRights *rights, const QString &user)
{
    const qint32 source = voucher.fromLocation.whole.value_or(0);
    const qint32 destination = voucher.toLocation.whole.value_or(0);
    QSet<qint32> found; // a table that cannot be read finds nothing
    statements.run(voucherLocationsSql(), {source, destination}, [&found](QSqlQuery &rows) {
        while (rows.next())
            found.insert(rows.value(0).toInt());
    });
    for (const auto &[location, direction] :
         {std::pair{source, Direction::Source}, std::pair{destination, Direction::Destination}}) {
        if (auto refusal = locationRefusal(found.contains(location), location, direction, rights, user))
            return refusal;
    }
    return std::nullopt;
}

std::optional<Refusal> recheckStock(const Voucher &voucher, const StockOptions &options,
                                    companions::InventoryService *inventory, std::optional<qint32> ownDocNo)
{
    if (options.allowNegativeInventory)
        return std::nullopt;
    const qint32 documentNo = ownDocNo.value_or(NoDocument);
    if (options.trackSerialNo) {
        if (auto refusal = firstUncovered(
                voucher, inventory, documentNo, true,
                QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "This Serialized Item has not in balance.")))
            return refusal;
    }
    return firstUncovered(voucher, inventory, documentNo, false,
                          QT_TRANSLATE_NOOP("qvtrnsfr::LineRules",
                                            "Item has not in balance and Negative Inventory not allowed."));
}

namespace {

// The advisory locks of a save on PostgreSQL, one per location and text, taken in the order of
// their keys. The texts are "item:" and each item code of the voucher's lines, at the source and
// at the destination; "serial:" and each serial number, at the source; and "item:" and each item
// of the stored voucher being rewritten, at its source and at its stored destination. Every stock
// row the save's triggers will change is one of these, so two savers that would change the same
// rows wait for each other here, before either holds a row the other needs.
const char LockSql[] =
    "SELECT %1(keys.l, keys.k) FROM ("
    " SELECT DISTINCT u.l, hashtext(u.t) AS k FROM ("
    " SELECT p.l, 'item:' || c.t AS t FROM unnest(CAST(? AS text[])) AS c(t)"
    " CROSS JOIN (VALUES (CAST(? AS integer)), (CAST(? AS integer))) AS p(l)"
    " UNION ALL SELECT CAST(? AS integer), 'serial:' || c.t FROM unnest(CAST(? AS text[])) AS c(t)"
    " UNION ALL SELECT p.l, 'item:' || d.ItemID FROM ICTRAND d"
    " LEFT JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo"
    " CROSS JOIN LATERAL (VALUES (d.FromLocID), (h.ToLocID)) AS p(l)"
    " WHERE d.FromLocID = ? AND d.DocNo = ?) u"
    " WHERE u.l IS NOT NULL AND u.t IS NOT NULL ORDER BY 1, 2) AS keys";

} // namespace

bool StockLock::lock(qint32 fromLocation, const Voucher &voucher, const StockOptions &options)
{
    // Without a transaction each statement holds its row locks only while it runs, and a user who
    // may take the stock below zero has no balances to decide on: then nothing is locked.
    if (!isPostgres(m_statements.database()) || (!m_inTransaction && options.allowNegativeInventory))
        return true;
    const QStringList items = codesOf(needs(voucher, false));
    const bool serials = options.trackSerialNo && !options.allowNegativeInventory;
    const std::optional<qint32> stored = voucher.editMode ? voucher.docNo.leadingRounded() : std::nullopt;
    if (items.isEmpty() && !serials && !stored)
        return true;
    const auto nullable = [](const std::optional<qint32> &value) {
        return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
    };
    // Transaction-scoped locks go with the transaction; without one, they are the session's and
    // are given back when the save is done.
    const QString sql = QString::fromLatin1(LockSql).arg(
        m_inTransaction ? QStringLiteral("pg_advisory_xact_lock") : QStringLiteral("pg_advisory_lock"));
    m_sessionLocks = !m_inTransaction;
    return m_statements.run(sql,
                            {postgresTextArray(items), fromLocation, nullable(voucher.toLocation.whole),
                             fromLocation,
                             postgresTextArray(serials ? codesOf(needs(voucher, true)) : QStringList()),
                             fromLocation, nullable(stored)},
                            {}, &m_error);
}

StockLock::~StockLock()
{
    if (m_sessionLocks)
        execute(m_statements.database(), QStringLiteral("SELECT pg_advisory_unlock_all()"));
}

} // namespace qvtrnsfr
