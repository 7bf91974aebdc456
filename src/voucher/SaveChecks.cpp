#include "voucher/SaveChecks.h"

#include "platform/Db.h"
#include "voucher/Locations.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
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

// The first code whose balance does not cover what the voucher takes of it; all balances are asked
// in one call. A balance that cannot be read counts as 0.
std::optional<Refusal> firstUncovered(const Voucher &voucher, companions::InventoryService *inventory,
                                      qint32 documentNo, bool bySerial, const char *refusal)
{
    const std::vector<Need> needed = needs(voucher, bySerial);
    QStringList codes;
    for (const Need &need : needed)
        codes << need.code;
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

qint32 StockLock::key(const QString &kind, const QString &code)
{
    // FNV-1a over the UTF-8 text: the same key for the same code in every saver.
    quint32 hash = 2166136261u;
    for (const char byte : (kind + QLatin1Char(':') + code).toUtf8()) {
        hash ^= static_cast<quint8>(byte);
        hash *= 16777619u;
    }
    return static_cast<qint32>(hash);
}

bool StockLock::lock(qint32 fromLocation, const Voucher &voucher, const StockOptions &options)
{
    if (!isPostgres(m_statements.database()) || options.allowNegativeInventory)
        return true;
    QList<qint32> keys;
    for (const Need &need : needs(voucher, false))
        keys << key(QStringLiteral("item"), need.code);
    if (options.trackSerialNo) {
        for (const Need &need : needs(voucher, true))
            keys << key(QStringLiteral("serial"), need.code);
    }
    if (keys.isEmpty())
        return true;
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    QStringList array;
    for (const qint32 k : std::as_const(keys))
        array << QString::number(k);
    // Transaction-scoped locks go with the transaction; without one, they are the session's and
    // are given back when the save is done.
    const QString function =
        m_inTransaction ? QStringLiteral("pg_advisory_xact_lock") : QStringLiteral("pg_advisory_lock");
    const QString sql =
        QStringLiteral("SELECT %1(?, k) FROM unnest(CAST(? AS integer[])) AS keys(k)").arg(function);
    m_sessionLocks = !m_inTransaction;
    return m_statements.run(
        sql, {fromLocation, QLatin1Char('{') + array.join(QLatin1Char(',')) + QLatin1Char('}')}, {},
        &m_error);
}

StockLock::~StockLock()
{
    if (m_sessionLocks)
        execute(m_statements.database(), QStringLiteral("SELECT pg_advisory_unlock_all()"));
}

} // namespace qvtrnsfr
