// The scale data: a warehouse's size, written by the database itself from number sequences, so
// that a million lines take seconds. Locations 1 to 20, location 1 the busy one that a fifth of
// the vouchers leave from; items S000001 ... with opening stock at location 1 and at one other
// location each; vouchers of 20 lines each, numbered 1 ... across the sources; user "scale" who
// may use every location both ways and may not take stock below zero.

#include "DemoData.h"
#include "DemoGenerator.h"

#include "platform/Db.h"

#include <QSqlError>
#include <QStringList>

namespace {

// Rows 1 to count of one sequence: "WITH RECURSIVE n(i) AS (...) " before an INSERT ... SELECT.
QString numbers(qint64 count)
{
    return QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 WHERE %1 >= 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
        .arg(count);
}

// The code of item i: S and six digits.
QString itemCode(const QString &i)
{
    return QStringLiteral("'S' || substr(CAST(1000000 + %1 AS varchar(8)), 2)").arg(i);
}

// Yes and no as the engine writes them.
struct Flags {
    QString yes;
    QString no;
};

Flags flags(bool postgres)
{
    return postgres ? Flags{QStringLiteral("true"), QStringLiteral("false")}
                    : Flags{QStringLiteral("1"), QStringLiteral("0")};
}

// The locations, the items with their opening stock (100 at location 1, 50 at one other), the
// user and the ledger setup.
QStringList masterStatements(const ScaleSize &size, bool postgres)
{
    const Flags flag = flags(postgres);
    const QString locations = QString::number(ScaleSize::Locations);
    return {
        numbers(ScaleSize::Locations) +
            "INSERT INTO ICLoc (LocID, LocName) SELECT i, 'Location ' || i FROM n",
        numbers(size.items) + "INSERT INTO ICItem (ItemID, Descp, StockUnit, StdCost) SELECT " +
            itemCode("i") + ", 'Scale item ' || i, 'PCS', 1 + i % 50 FROM n",
        numbers(size.items) +
            "INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty, UnitCost, MoveKind) SELECT " +
            itemCode("i") + ", 1, '2023-01-01', 100, 1 + i % 50, 'OPEN' FROM n",
        numbers(size.items) +
            "INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty, UnitCost, MoveKind) SELECT " +
            itemCode("i") + ", 2 + i % " + QString::number(ScaleSize::Locations - 1) +
            ", '2023-01-01', 50, 1 + i % 50, 'OPEN' FROM n",
        "INSERT INTO UserProfile (UserName, ProfileNo, TrackSerialNo, AllowNegative, DateFixed, "
        "MayChangeSource, OwnLocID) VALUES ('scale', 1, " +
            flag.no + ", " + flag.no + ", " + flag.no + ", " + flag.yes + ", 1)",
        numbers(2 * ScaleSize::Locations) +
            "INSERT INTO UserLocRight (UserName, LocID, Direction) SELECT "
            "'scale', (i - 1) % " +
            locations + " + 1, 1 + (i - 1) / " + locations + " FROM n",
        "INSERT INTO GLSetup (DbID, UseTransaction, CompanyName) VALUES (1, 1, 'Scale')",
    };
}

// Vouchers first to size.vouchers - 1 (counted from 0). Voucher v leaves the busy location 1 for
// 2 + v % 19 when v % 5 is 0, else comes from 2 + v % 19 to location 1; its number is v + 1, its
// date v % 700 days after 1 January 2024. Line l (counted from 0 over all vouchers) belongs to
// voucher l / 20, moves 1 + l % 5 of item (l % items) * 7919 % items + 1: a voucher's twenty items
// differ, and every item comes round as often as any other.
QStringList voucherStatements(const ScaleSize &size, int first, bool postgres)
{
    const int count = size.vouchers - first;
    const QString others = QString::number(ScaleSize::Locations - 1);
    const auto from = [&others](const QString &v) {
        return QStringLiteral("CASE WHEN %1 % 5 = 0 THEN 1 ELSE 2 + %1 % %2 END").arg(v, others);
    };
    const auto to = [&others](const QString &v) {
        return QStringLiteral("CASE WHEN %1 % 5 = 0 THEN 2 + %1 % %2 ELSE 1 END").arg(v, others);
    };
    const QString v = QStringLiteral("(i - 1 + %1)").arg(first);
    const QString date = postgres ? QStringLiteral("DATE '2024-01-01' + CAST(%1 % 700 AS integer)").arg(v)
                                  : QStringLiteral("date('2024-01-01', '+' || (%1 % 700) || ' days')").arg(v);
    const QString line =
        QStringLiteral("(CAST(i - 1 AS bigint) + %1)").arg(qint64(first) * ScaleSize::LinesPerVoucher);
    const QString lineVoucher = QStringLiteral("(%1 / %2)").arg(line).arg(ScaleSize::LinesPerVoucher);
    const QString item = QStringLiteral("(%1 % %2) * 7919 % %2 + 1").arg(line).arg(size.items);
    const QString qty = QStringLiteral("1 + %1 % 5").arg(line);
    return {
        numbers(count) +
            "INSERT INTO ICTRANH (FromLocID, DocNo, DocDate, ToLocID, Narration, TotalQty, AuditUser, "
            "Posted, "
            "ShowPrice, ReqNo) SELECT " +
            from(v) + ", " + v + " + 1, " + date + ", " + to(v) + ", 'Scale voucher', " +
            QString::number(ScaleSize::QuantityPerVoucher) + ", 'scale', " + flags(postgres).no +
            ", 0, '0' FROM n",
        numbers(qint64(count) * ScaleSize::LinesPerVoucher) +
            "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty, Cost, Amount) SELECT " +
            from(lineVoucher) + ", " + lineVoucher + " + 1, " + itemCode(item) + ", 'PCS', 1, " + qty +
            ", 1, " + qty + " FROM n",
    };
}

// Runs the statements in one transaction, then refreshes the planner's figures.
bool write(QSqlDatabase db, const QStringList &sql, QString *error)
{
    using namespace qvtrnsfr;
    const auto fail = [error](const QSqlError &failure) {
        if (error)
            *error = QStringLiteral("writing the scale data failed: ") + errorText(failure);
        return false;
    };
    TransactionGuard transaction(db, true);
    if (!transaction.begin())
        return fail(transaction.lastError());
    QSqlError failure;
    for (const QString &statement : sql) {
        if (!execute(db, statement, {}, &failure))
            return fail(failure);
    }
    if (!transaction.commit())
        return fail(transaction.lastError());
    // On PostgreSQL the new rows are also vacuumed now, so that the autovacuum a bulk insert
    // calls for does not run while the data is being used, and reads find them marked visible.
    return execute(db, isPostgres(db) ? QStringLiteral("VACUUM ANALYZE") : QStringLiteral("ANALYZE"), {},
                   &failure) ||
           fail(failure);
}

bool refuse(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool generateScaleData(QSqlDatabase db, const ScaleSize &size, QString *error)
{
    if (size.items < 0 || size.vouchers < 0 || (size.vouchers > 0 && size.items == 0))
        return refuse(error,
                      QStringLiteral("the scale data needs a count of items, and items for its vouchers"));
    if (!demodata::refuseUnlessWithoutItems(db, QStringLiteral("the scale data"), error))
        return false;
    const bool postgres = qvtrnsfr::isPostgres(db);
    return write(db, masterStatements(size, postgres) + voucherStatements(size, 0, postgres), error);
}

bool addScaleVouchers(QSqlDatabase db, const ScaleSize &size, int first, QString *error)
{
    if (first < 0 || first > size.vouchers || size.items <= 0)
        return refuse(error,
                      QStringLiteral("no vouchers to add from %1 to %2").arg(first).arg(size.vouchers));
    return write(db, voucherStatements(size, first, qvtrnsfr::isPostgres(db)), error);
}
