#pragma once
// What the form looks up about items, units, prices and the database while a voucher is entered
// and saved. Each look-up runs on the connection given, or through statements kept prepared on
// it, and binds its values; an item code or a unit with a quote in it is data, never SQL. The
// look-ups of items and units are index seeks: scanned codes are compared with their dashes
// removed, written exactly as the schema's expression indexes are.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

namespace qvtrnsfr {

class StatementCache;

extern const QString ItemByCodeSql;          // the code as typed, exactly
extern const QString AliasByUndashedCodeSql; // an alias, dashes removed
extern const QString ItemByUndashedCodeSql;  // an item code, dashes removed
extern const QString UnitOfItemSql;          // item code and unit
extern const QString ItemPriceSql;           // item code and price list
extern const QString PriceListsSql;
extern const QString DbIdSql;

struct Item {
    QString code; // as stored, with its dashes
    QString description;
    QString stockUnit;
};

// The outcome of a look-up: whether it could run at all, and what it found.
template <typename T> struct Found {
    bool ran = false;
    std::optional<T> value;
};

// Keyboard mode: the item whose code is exactly the text typed through the mask.
Found<Item> findTypedItem(const QSqlDatabase &db, const QString &code);
// The same through statements kept prepared, for many look-ups in a row (lines imported at once).
Found<Item> findTypedItem(StatementCache &statements, const QString &code);
// Scanning mode: dashes are ignored on both sides, and an alias wins: the item found is the one
// the alias names, whatever item may carry the scanned text as its own code. An alias look-up
// that fails leaves the scanned code as it is.
Found<Item> findScannedItem(const QSqlDatabase &db, const QString &code);
// The factor of a unit defined for the item.
Found<double> findUnit(const QSqlDatabase &db, const QString &itemCode, const QString &unit);
Found<double> findUnit(StatementCache &statements, const QString &itemCode, const QString &unit);

// The item's price in the list; 0 when the list has none for it or the query fails.
double GetItemPrice(const QSqlDatabase &db, const QString &itemCode, const QString &priceList);
double GetItemPrice(StatementCache &statements, const QString &itemCode, const QString &priceList);

// The names of the price lists in the database's order, trimmed. A failure (the table missing, a
// list without a name) ends the reading with its number and description; the names read before
// it are kept.
struct PriceLists {
    QStringList names;
    bool failed = false;
    int errorNumber = 0;
    QString errorText;
};
PriceLists readPriceLists(const QSqlDatabase &db);

// The DbID of the first row of GLSetup; 0 when the table has no row, the value is null or cannot
// be read.
qint32 GetDbID(const QSqlDatabase &db);

} // namespace qvtrnsfr
