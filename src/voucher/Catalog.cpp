#include "voucher/Catalog.h"

#include "platform/Db.h"

#include <QCoreApplication>
#include <functional>

namespace qvtrnsfr {

const QString ItemByCodeSql = QStringLiteral("Select * from ICItem Where ItemID=?");
const QString AliasByUndashedCodeSql = QStringLiteral("Select * from ICItemL Where replace(item,'-','')=?");
const QString ItemByUndashedCodeSql = QStringLiteral("select * from icitem where replace(itemid,'-','')=?");
const QString UnitOfItemSql = QStringLiteral("Select * from ICUnit Where ItemID=? And Unit=?");
const QString ItemPriceSql = QStringLiteral("select * from icpric where itemid=? and pricelist=?");
const QString PriceListsSql = QStringLiteral("select * from icprc order by pricelist");
const QString DbIdSql = QStringLiteral("Select * from GLSetup");

namespace {

QString undashed(QString code)
{
    return code.remove(QLatin1Char('-'));
}

// The first row of a look-up, handed to read; false when the look-up could not run.
bool firstRow(StatementCache &statements, const QString &sql, const QVariantList &binds,
              const std::function<void(const QSqlQuery &)> &read)
{
    return statements.run(sql, binds, [&read](QSqlQuery &rows) {
        if (rows.next())
            read(rows);
    });
}

Found<Item> findItem(StatementCache &statements, const QString &sql, const QString &key)
{
    Found<Item> found;
    found.ran = firstRow(statements, sql, {key}, [&found](const QSqlQuery &item) {
        found.value = Item{item.value(QStringLiteral("ItemID")).toString(),
                           item.value(QStringLiteral("Descp")).toString(),
                           item.value(QStringLiteral("StockUnit")).toString()};
    });
    return found;
}

// Statements for one look-up on the connection, prepared for it alone.
struct OneLookUp {
    explicit OneLookUp(const QSqlDatabase &db) { statements.setDatabase(db); }
    StatementCache statements{4};
};

// A database error's number: the driver's native code where it is a number (SQLite's result
// codes), otherwise Qt's error type (PostgreSQL reports SQLSTATE texts, not numbers).
int errorNumber(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? code : static_cast<int>(error.type());
}

constexpr int InvalidUseOfNull = 94;

} // namespace

Found<Item> findTypedItem(const QSqlDatabase &db, const QString &code)
{
    OneLookUp lookUp(db);
    return findTypedItem(lookUp.statements, code);
}

Found<Item> findTypedItem(StatementCache &statements, const QString &code)
{
    return findItem(statements, ItemByCodeSql, code);
}

Found<Item> findScannedItem(const QSqlDatabase &db, const QString &code)
{
    OneLookUp lookUp(db);
    QString key = undashed(code);
    firstRow(lookUp.statements, AliasByUndashedCodeSql, {key}, [&key](const QSqlQuery &alias) {
        key = undashed(alias.value(QStringLiteral("itemid")).toString());
    });
    return findItem(lookUp.statements, ItemByUndashedCodeSql, key);
}

Found<double> findUnit(const QSqlDatabase &db, const QString &itemCode, const QString &unit)
{
    OneLookUp lookUp(db);
    return findUnit(lookUp.statements, itemCode, unit);
}

Found<double> findUnit(StatementCache &statements, const QString &itemCode, const QString &unit)
{
    Found<double> found;
    found.ran = firstRow(statements, UnitOfItemSql, {itemCode, unit}, [&found](const QSqlQuery &units) {
        found.value = units.value(QStringLiteral("Conver")).toDouble();
    });
    return found;
}

double GetItemPrice(const QSqlDatabase &db, const QString &itemCode, const QString &priceList)
{
    OneLookUp lookUp(db);
    return GetItemPrice(lookUp.statements, itemCode, priceList);
}

double GetItemPrice(StatementCache &statements, const QString &itemCode, const QString &priceList)
{
    double price = 0;
    firstRow(statements, ItemPriceSql, {itemCode, priceList},
             [&price](const QSqlQuery &row) { price = row.value(QStringLiteral("Price")).toDouble(); });
    return price;
}

PriceLists readPriceLists(const QSqlDatabase &db)
{
    PriceLists lists;
    const auto fail = [&lists](int number, const QString &text) {
        lists.failed = true;
        lists.errorNumber = number;
        lists.errorText = text;
        return lists;
    };
    ForwardReader reader;
    if (!reader.exec(db, PriceListsSql))
        return fail(errorNumber(reader.lastError()), errorText(reader.lastError()));
    const int nameColumn = reader.columnOf(QStringLiteral("PriceList"));
    while (reader.next()) {
        const QVariant name = nameColumn >= 0 ? reader.value(nameColumn) : QVariant();
        if (name.isNull())
            return fail(InvalidUseOfNull,
                        QCoreApplication::translate("qvtrnsfr::Catalog", "Invalid use of Null"));
        lists.names.append(name.toString().trimmed());
    }
    if (reader.lastError().isValid())
        return fail(errorNumber(reader.lastError()), errorText(reader.lastError()));
    return lists;
}

qint32 GetDbID(const QSqlDatabase &db)
{
    Snapshot setup;
    if (!setup.open(db, DbIdSql) || setup.eof())
        return 0;
    bool ok = false;
    const qint32 dbId = setup.value(QStringLiteral("DbID")).toInt(&ok);
    return ok ? dbId : 0;
}

} // namespace qvtrnsfr
