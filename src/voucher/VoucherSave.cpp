// Saving a voucher: its header rewritten in place or added under the number current at the moment
// of writing, and its lines with their costs, on a connection of its own.

#include "voucher/HeaderRules.h"
#include "voucher/SaveChecks.h"
#include "voucher/VoucherStore.h"

#include "platform/Db.h"
#include "voucher/Catalog.h"
#include "voucher/VoucherSql.h"

#include <QDateTime>
#include <limits>

namespace qvtrnsfr {

namespace {

// How often a new voucher takes the next number again when other users keep taking it first.
constexpr int MaxNumberAttempts = 20;

const QString NewHeaderSavepoint = QStringLiteral("NewHeader");

// One save in progress: the voucher, the save connection, the voucher's key and how it ended.
struct SaveRun {
    const VoucherStore &store;
    const Voucher &voucher;
    const SaveContext &context;
    QSqlDatabase host;
    QSqlDatabase db;            // the save connection
    bool inTransaction = false; // a transaction is open on db
    qint32 fromLocation = 0;
    qint32 docNo = 0; // the number of the header as stored
    SaveResult result;
    // The statements live as long as the run: PostgreSQL cannot free a statement inside a
    // transaction that failed, so they go only after the rollback.
    PreparedStatement header;
    PreparedStatement line;

    bool fail(const QString &text)
    {
        result.outcome = SaveResult::Failed;
        result.failure = text;
        qCWarning(lcDb).noquote() << "Saving the voucher failed:" << text;
        return false;
    }
    bool fail(const QSqlError &error) { return fail(errorText(error)); }
    bool refuse(const Refusal &refusal)
    {
        result.outcome = SaveResult::Refused;
        result.refusal = refusal;
        return false;
    }
};

QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The header's values after its key, in the order of VoucherSql's columns; false when one cannot
// be converted.
bool headerValues(SaveRun &run, QVariantList &values)
{
    const Voucher &v = run.voucher;
    if (!v.toLocation.whole)
        return run.fail(QStringLiteral("The destination location is not a number."));
    if (!v.total.localeNumber)
        return run.fail(QStringLiteral("The total quantity is not a number."));
    values = {v.date,
              *v.toLocation.whole,
              nonNull(v.narration),
              *v.total.localeNumber,
              run.context.user,
              QDateTime::currentDateTime(),
              v.orderNo.leading,
              false,
              QDate::currentDate().toString(QStringLiteral("yyyyMMdd")),
              GetDbID(run.host),
              v.showPrices ? 1 : 0,
              v.requisition.isEmpty() ? QVariant(0) : QVariant(v.requisition)};
    return true;
}

// The header key refused a second voucher with the same number: SQLite's primary-key or unique
// constraint, PostgreSQL's unique_violation.
bool isDuplicateKey(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("1555") || code == QLatin1String("2067") || code == QLatin1String("23505");
}

// Finds the recalled voucher on the save connection; its DocNo becomes the number of the save.
bool findHeader(SaveRun &run, bool &found)
{
    Snapshot header;
    if (!header.open(run.db, VoucherSql::header(run.voucher.docNo.leading, run.fromLocation)))
        return run.fail(header.lastError());
    found = !header.eof();
    if (found)
        run.docNo = header.value(QStringLiteral("DocNo")).toInt();
    return true;
}

bool rewriteHeader(SaveRun &run)
{
    QSqlError error;
    if (!execute(run.db, VoucherSql::deleteLines(run.docNo, run.fromLocation), {}, &error))
        return run.fail(error);
    QVariantList values;
    if (!headerValues(run, values))
        return false;
    PreparedStatement &update = run.header;
    if (!update.prepare(run.db, VoucherSql::updateHeader(run.docNo, run.fromLocation)) ||
        !update.exec(values))
        return run.fail(update.lastError());
    if (update.query().numRowsAffected() != 1)
        return run.fail(QStringLiteral("The voucher was deleted by another user while it was being saved."));
    return true;
}

// The number to try next: the one current now, and above any number already refused (a host
// connection that still reads an older state of the table would offer the refused one again).
std::optional<qint32> nextNumber(const SaveRun &run, std::optional<qint32> refused)
{
    const qint32 current = run.store.NextDocNo(run.voucher.fromLocation.leading);
    if (!refused || current > *refused)
        return current;
    if (*refused == std::numeric_limits<qint32>::max())
        return std::nullopt;
    return *refused + 1;
}

// One try at inserting the header under a number. Inside a transaction the try is fenced by a
// savepoint, so that a refused insert leaves the transaction usable (PostgreSQL aborts a
// transaction whose statement failed).
bool tryInsert(SaveRun &run, PreparedStatement &insert, const QVariantList &values, QSqlError &error)
{
    if (run.inTransaction && !execute(run.db, QStringLiteral("Savepoint ") + NewHeaderSavepoint, {}, &error))
        return false;
    if (insert.exec(values))
        return !run.inTransaction ||
               execute(run.db, QStringLiteral("Release Savepoint ") + NewHeaderSavepoint, {}, &error);
    error = insert.lastError();
    if (run.inTransaction)
        execute(run.db, QStringLiteral("Rollback To Savepoint ") + NewHeaderSavepoint);
    return false;
}

bool addHeader(SaveRun &run)
{
    QVariantList values;
    if (!headerValues(run, values))
        return false;
    PreparedStatement &insert = run.header;
    if (!insert.prepare(run.db, VoucherSql::insertHeader()))
        return run.fail(insert.lastError());
    std::optional<qint32> refused;
    for (int attempt = 0; attempt < MaxNumberAttempts; ++attempt) {
        const auto number = nextNumber(run, refused);
        if (!number)
            break;
        QSqlError error;
        if (tryInsert(run, insert, QVariantList{*number, run.fromLocation} + values, error)) {
            run.docNo = *number;
            return true;
        }
        if (!isDuplicateKey(error))
            return run.fail(error);
        refused = number;
    }
    return run.fail(QStringLiteral("No free document number could be taken for location %1; other users "
                                   "kept taking the next one. Please save again.")
                        .arg(run.fromLocation));
}

// The values of one line's row; false when a number cell holds no number (one database would
// refuse it, the other keep the text in a number column).
bool lineValues(SaveRun &run, int row, double cost, QVariantList &values)
{
    const LineArray &lines = run.voucher.lines;
    QVariant numbers[LineColumns];
    for (const LineColumn column : {ColConversion, ColQty, ColSalePrice}) {
        if (column == ColSalePrice && !run.voucher.showPrices) {
            numbers[column] = 0; // no prices shown: every line's price is 0
            continue;
        }
        const auto number = storedNumber(lines.cellText(row, column));
        if (!number)
            return run.fail(QStringLiteral("Line %1: \"%2\" in %3 is not a number.")
                                .arg(row + 1)
                                .arg(lines.cellText(row, column), LineArray::caption(column)));
        numbers[column] = *number;
    }
    const QVariant &qty = numbers[ColQty];
    const QVariant &conver = numbers[ColConversion];
    values = {run.docNo,
              run.fromLocation,
              lines.GetCell(row, ColItemCode),
              lines.GetCell(row, ColUnit),
              conver,
              qty,
              cost,
              qty,
              conver,
              cost,
              lines.GetCell(row, ColSerialNo),
              lines.GetCell(row, ColEngineNo),
              numbers[ColSalePrice]};
    return true;
}

// Inserts every line with its cost: the item's unit cost at the source as of the voucher's date,
// asked of the inventory component with the source and the number as the form shows them.
bool writeLines(SaveRun &run)
{
    const LineArray &lines = run.voucher.lines;
    if (lines.rowCount() == 0)
        return true;
    PreparedStatement &insert = run.line;
    if (!insert.prepare(run.db, VoucherSql::insertLine()))
        return run.fail(insert.lastError());
    const auto location = run.voucher.fromLocation.leadingRounded();
    const auto document = run.voucher.docNo.leadingRounded();
    if (!location || !document)
        return run.fail(QStringLiteral("The source location or the document number is out of range."));
    companions::InventoryService *inventory = run.context.inventory;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        const QString item = lines.cellText(row, ColItemCode);
        if (!inventory)
            return run.fail(QStringLiteral("The inventory component is not available."));
        const auto cost = inventory->ItemCost(run.voucher.date, item, *location,
                                              companions::TransferDocumentKind, *document);
        if (!cost)
            return run.fail(QStringLiteral("The cost of item %1 could not be read.").arg(item));
        QVariantList values;
        if (!lineValues(run, row, *cost, values))
            return false;
        if (!insert.exec(values))
            return run.fail(insert.lastError());
    }
    return true;
}

// Everything after the connection is open: locks, checks, header, lines.
bool writeVoucher(SaveRun &run, StockLock &lock)
{
    if (!lock.lock(run.fromLocation, run.voucher, run.context.stock))
        return run.fail(lock.lastError());
    std::optional<qint32> ownDocNo;
    if (run.voucher.editMode) {
        bool found = false;
        if (!findHeader(run, found))
            return false;
        if (!found) {
            run.result.outcome = SaveResult::NotFound;
            return false;
        }
        ownDocNo = run.docNo;
    }
    if (auto refusal = recheckLocations(run.db, run.voucher, run.context.rights, run.context.user))
        return run.refuse(*refusal);
    if (auto refusal = recheckStock(run.voucher, run.context.stock, run.context.inventory, ownDocNo))
        return run.refuse(*refusal);
    if (run.voucher.editMode ? !rewriteHeader(run) : !addHeader(run))
        return false;
    return writeLines(run);
}

} // namespace

SaveResult VoucherStore::SaveDocument(const Voucher &voucher, const SaveContext &context) const
{
    SaveResult refused;
    if (auto refusal = ValidateDocument(voucher)) {
        refused.outcome = SaveResult::Refused;
        refused.refusal = refusal;
        return refused;
    }
    ClonedConnection saveConnection(m_host);
    SaveRun run{*this, voucher, context, m_host, saveConnection.database(), false, 0, 0, {}, {}, {}};
    run.fromLocation = *voucher.fromLocation.whole;
    if (!saveConnection.isOpen()) {
        run.fail(saveConnection.lastError());
        return run.result;
    }
    // With the setting off each row is written as it comes; on SQLite a write transaction still
    // holds the lock against other savers, and what was written before a failure is committed.
    const bool keepWhatWasWritten = !context.useTransaction && !isPostgres(run.db);
    TransactionGuard transaction(run.db, context.useTransaction || keepWhatWasWritten, true);
    if (!transaction.begin()) {
        run.fail(transaction.lastError());
        return run.result;
    }
    run.inTransaction = context.useTransaction || keepWhatWasWritten;
    StockLock lock(run.db, run.inTransaction);
    const bool written = writeVoucher(run, lock);
    if (!written && !keepWhatWasWritten)
        return run.result; // rolled back by the guard before the message is shown
    if (!transaction.commit()) {
        run.fail(transaction.lastError());
        return run.result;
    }
    if (written) {
        run.result.outcome = SaveResult::Saved;
        run.result.docNo = run.docNo;
    }
    return run.result;
}

} // namespace qvtrnsfr
