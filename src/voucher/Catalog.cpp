#include "voucher/Catalog.h"

#include "platform/Db.h"

#include <QCoreApplication>

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

Found<Item> findItem(const QSqlDatabase &db, const QString &sql, const QString &key)
{
    Snapshot item;
    Found<Item> found;
    found.ran = item.open(db, sql, {key});
    if (found.ran && !item.eof())
        found.value = Item{item.value(QStringLiteral("ItemID")).toString(),
                           item.value(QStringLiteral("Descp")).toString(),
                           item.value(QStringLiteral("StockUnit")).toString()};
    return found;
}

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
    return findItem(db, ItemByCodeSql, code);
}

Found<Item> findScannedItem(const QSqlDatabase &db, const QString &code)
{
    QString key = undashed(code);
    Snapshot alias;
    if (alias.open(db, AliasByUndashedCodeSql, {key}) && !alias.eof())
        key = undashed(alias.value(QStringLiteral("itemid")).toString());
    return findItem(db, ItemByUndashedCodeSql, key);
}

Found<double> findUnit(const QSqlDatabase &db, const QString &itemCode, const QString &unit)
{
    Snapshot units;
    Found<double> found;
    found.ran = units.open(db, UnitOfItemSql, {itemCode, unit});
    if (found.ran && !units.eof())
        found.value = units.value(QStringLiteral("Conver")).toDouble();
    return found;
}

double GetItemPrice(const QSqlDatabase &db, const QString &itemCode, const QString &priceList)
{
    Snapshot price;
    if (!price.open(db, ItemPriceSql, {itemCode, priceList}) || price.eof())
        return 0;
    return price.value(QStringLiteral("Price")).toDouble();
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
