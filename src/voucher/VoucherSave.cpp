// Saving a voucher: its header rewritten in place or added under the number current at the moment
// of writing, and its lines with their costs, on the store's own connection. What the save reads
// on the host's connection it reads before its transaction begins; a SQLite writer whose page
// cache spills takes the file's lock, and a reader on another connection would be refused.

#include "voucher/HeaderRules.h"
#include "voucher/SaveChecks.h"
#include "voucher/VoucherStore.h"

#include "platform/Db.h"
#include "voucher/Catalog.h"
#include "voucher/VoucherSql.h"

#include <QCoreApplication>
#include <QDateTime>
#include <limits>

namespace qvtrnsfr {

namespace {

// How often a new voucher takes the next number again when other users keep taking it first.
constexpr int MaxNumberAttempts = 20;
// How often a save runs in all when the database keeps undoing its transaction for another's.
constexpr int MaxSaveAttempts = 3;
// How many lines one statement writes, when the voucher is written in one transaction. SQLite's
// driver binds a value by looking its place up among all of the statement's, so a statement's
// binding time grows with the square of its values: there a few lines per statement cost least.
constexpr int LinesPerStatement = 500;
constexpr int LinesPerSqliteStatement = 20;

// One save in progress: the voucher, the save connection, the voucher's key and how it ended.
struct SaveRun {
    SaveRun(const VoucherStore &s, const Voucher &v, const SaveContext &c, const QSqlDatabase &h)
        : store(s), voucher(v), context(c), host(h)
    {
    }
    const VoucherStore &store;
    const Voucher &voucher;
    const SaveContext &context;
    QSqlDatabase host;
    QSqlDatabase db;                      // the save connection
    StatementCache *statements = nullptr; // the save connection's, kept prepared between saves
    qint32 fromLocation = 0;
    qint32 docNo = 0;   // the number of the header as stored
    qint64 version = 0; // the version a rewrite expects the header to have
    qint32 dbId = 0;
    QHash<QString, double> costs; // by item code
    SaveResult result;
    bool undone = false; // the database undid the transaction to let another go on: run it again

    bool fail(const QString &text)
    {
        result.outcome = SaveResult::Failed;
        result.failure = text;
        qCWarning(lcDb).noquote() << "Saving the voucher failed:" << text;
        return false;
    }
    // Back to where the writing begins; what was read before it is kept.
    void restart()
    {
        docNo = 0;
        version = 0;
        result = SaveResult();
        undone = false;
    }
    bool fail(const QSqlError &error)
    {
        undone = undoneForAnother(error);
        return fail(errorText(error));
    }
    bool refuse(const Refusal &refusal)
    {
        result.outcome = SaveResult::Refused;
        result.refusal = refusal;
        return false;
    }
};

Refusal changedRefusal(const Snapshot &header)
{
    return Refusal{Refusal::Severity::Critical, changedSinceRecalled(header, true), QString(),
                   VoucherField::DocNo};
}

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
        return run.fail(QCoreApplication::translate("qvtrnsfr::VoucherSave",
                                                    "The destination location is not a number."));
    if (!v.total.localeNumber)
        return run.fail(
            QCoreApplication::translate("qvtrnsfr::VoucherSave", "The total quantity is not a number."));
    values = {v.date,
              *v.toLocation.whole,
              nonNull(v.narration),
              *v.total.localeNumber,
              run.context.user,
              QDateTime::currentDateTime(),
              v.orderNo.leading,
              false,
              QDate::currentDate().toString(QStringLiteral("yyyyMMdd")),
              run.dbId,
              v.showPrices ? 1 : 0,
              v.requisition.isEmpty() ? QVariant(0) : QVariant(v.requisition)};
    return true;
}

// Finds the recalled voucher on the save connection; its DocNo becomes the number of the save, and
// its version the one the rewrite expects. A voucher saved by someone else since the form recalled
// it is refused.
bool findHeader(SaveRun &run, bool &found)
{
    Snapshot header;
    if (!header.open(run.db, VoucherSql::header(run.voucher.docNo.leading, run.fromLocation)))
        return run.fail(header.lastError());
    found = !header.eof();
    if (!found)
        return true;
    run.docNo = header.value(QStringLiteral("DocNo")).toInt();
    run.version = header.value(VoucherSql::VersionColumn).toLongLong();
    const std::optional<RecalledVersion> &recalled = run.voucher.recalled;
    if (recalled && recalled->docNo == run.docNo && recalled->fromLocation == run.fromLocation &&
        recalled->version != run.version)
        return run.refuse(changedRefusal(header));
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
    int updated = 0;
    if (!run.statements->run(
            VoucherSql::updateHeader(), values << run.docNo << run.fromLocation << run.version,
            [&updated](QSqlQuery &update) { updated = update.numRowsAffected(); }, &error))
        return run.fail(error);
    if (updated == 1)
        return true;
    // Another save came between finding the header and rewriting it (only possible without a
    // transaction), or the voucher went.
    Snapshot header;
    if (header.open(run.db, VoucherSql::header(run.docNo, run.fromLocation)) && !header.eof())
        return run.refuse(changedRefusal(header));
    return run.fail(QCoreApplication::translate(
        "qvtrnsfr::VoucherSave", "The voucher was deleted by another user while it was being saved."));
}

// The number to try next: the one current now, and above any number found taken (a host
// connection that still reads an older state of the table would offer the taken one again).
std::optional<qint32> nextNumber(const SaveRun &run, std::optional<qint32> taken)
{
    const qint32 current = run.store.NextDocNo(run.voucher.fromLocation.leading);
    if (!taken || current > *taken)
        return current;
    if (*taken == std::numeric_limits<qint32>::max())
        return std::nullopt;
    return *taken + 1;
}

bool addHeader(SaveRun &run)
{
    QVariantList values;
    if (!headerValues(run, values))
        return false;
    std::optional<qint32> taken;
    for (int attempt = 0; attempt < MaxNumberAttempts; ++attempt) {
        const auto number = nextNumber(run, taken);
        if (!number)
            break;
        int inserted = 0;
        QSqlError error;
        if (!run.statements->run(
                VoucherSql::insertHeader(), QVariantList{*number, run.fromLocation} + values,
                [&inserted](QSqlQuery &insert) { inserted = insert.numRowsAffected(); }, &error))
            return run.fail(error);
        if (inserted == 1) {
            run.docNo = *number;
            return true;
        }
        taken = number; // another user's voucher has it: the insert left it alone
    }
    return run.fail(QCoreApplication::translate("qvtrnsfr::VoucherSave",
                                                "No free document number could be taken for location %1; "
                                                "other users kept taking the next one. Please save again.")
                        .arg(run.fromLocation));
}

// The values of one line's row, appended; false when a number cell holds no number (one database
// would refuse it, the other keep the text in a number column). Amount is Qty x Conver x Cost.
bool lineValues(SaveRun &run, int row, QVariantList &values)
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
            return run.fail(
                QCoreApplication::translate("qvtrnsfr::VoucherSave", "Line %1: \"%2\" in %3 is not a number.")
                    .arg(row + 1)
                    .arg(lines.cellText(row, column), LineArray::caption(column)));
        numbers[column] = *number;
    }
    const QVariant &qty = numbers[ColQty];
    const QVariant &conver = numbers[ColConversion];
    const double cost = run.costs.value(lines.cellText(row, ColItemCode));
    const QVariant amount =
        qty.isNull() || conver.isNull() ? QVariant() : QVariant(qty.toDouble() * conver.toDouble() * cost);
    values << run.docNo << run.fromLocation << lines.GetCell(row, ColItemCode) << lines.GetCell(row, ColUnit)
           << conver << qty << cost << amount << lines.GetCell(row, ColSerialNo)
           << lines.GetCell(row, ColEngineNo) << numbers[ColSalePrice];
    return true;
}

// The lines from the first row on, count of them in one statement.
bool writeLineRows(SaveRun &run, int first, int count)
{
    QVariantList values;
    for (int row = first; row < first + count; ++row) {
        if (!lineValues(run, row, values))
            return false;
    }
    QSqlError error;
    return run.statements->run(VoucherSql::insertLines(count), values, {}, &error) || run.fail(error);
}

// In one transaction the lines go many to a statement; without one, each as it comes, so that a
// line the database refuses leaves the ones before it written.
bool writeLines(SaveRun &run)
{
    const int count = run.voucher.lines.rowCount();
    const int perStatement = !run.context.useTransaction ? 1
                             : isPostgres(run.db)        ? LinesPerStatement
                                                         : LinesPerSqliteStatement;
    for (int first = 0; first < count; first += perStatement) {
        if (!writeLineRows(run, first, qMin(perStatement, count - first)))
            return false;
    }
    return true;
}

// What the save reads on the host's connection, before its own transaction begins: the database's
// identity, and the cost of each of the voucher's items at the source as of its date, asked of the
// inventory component with the source and the number as the form shows them.
bool readBeforeWriting(SaveRun &run)
{
    run.dbId = GetDbID(run.host);
    const LineArray &lines = run.voucher.lines;
    if (lines.rowCount() == 0)
        return true;
    const auto location = run.voucher.fromLocation.leadingRounded();
    const auto document = run.voucher.docNo.leadingRounded();
    if (!location || !document)
        return run.fail(QCoreApplication::translate(
            "qvtrnsfr::VoucherSave", "The source location or the document number is out of range."));
    if (!run.context.inventory)
        return run.fail(QCoreApplication::translate("qvtrnsfr::VoucherSave",
                                                    "The inventory component is not available."));
    QStringList items;
    for (int row = 0; row < lines.rowCount(); ++row) {
        if (const QString item = lines.cellText(row, ColItemCode); !items.contains(item))
            items << item;
    }
    run.costs = run.context.inventory->ItemCosts(run.voucher.date, items, *location,
                                                 companions::TransferDocumentKind, *document);
    for (const QString &item : std::as_const(items)) {
        if (!run.costs.contains(item))
            return run.fail(
                QCoreApplication::translate("qvtrnsfr::VoucherSave", "The cost of item %1 could not be read.")
                    .arg(item));
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
    if (auto refusal = recheckLocations(*run.statements, run.voucher, run.context.rights, run.context.user))
        return run.refuse(*refusal);
    if (auto refusal = recheckStock(run.voucher, run.context.stock, run.context.inventory, ownDocNo))
        return run.refuse(*refusal);
    if (run.voucher.editMode ? !rewriteHeader(run) : !addHeader(run))
        return false;
    return writeLines(run);
}

// The transaction, the locks and the writing, on the open save connection.
void saveOn(SaveRun &run)
{
    // With the setting off each row is written as it comes; on SQLite a write transaction still
    // holds the lock against other savers, and what was written before a failure is committed.
    const bool keepWhatWasWritten = !run.context.useTransaction && !isPostgres(run.db);
    TransactionGuard transaction(run.db, run.context.useTransaction || keepWhatWasWritten, true);
    if (!transaction.begin()) {
        run.fail(transaction.lastError());
        return;
    }
    StockLock lock(*run.statements, run.context.useTransaction || keepWhatWasWritten);
    const bool written = writeVoucher(run, lock);
    if (!written && !keepWhatWasWritten)
        return; // rolled back by the guard before the message is shown
    if (!transaction.commit()) {
        run.fail(transaction.lastError());
        return;
    }
    if (written) {
        run.result.outcome = SaveResult::Saved;
        run.result.docNo = run.docNo;
    }
}

} // namespace

SaveResult VoucherStore::SaveDocument(const Voucher &voucher, const SaveContext &context)
{
    SaveResult refused;
    if (auto refusal = ValidateDocument(voucher)) {
        refused.outcome = SaveResult::Refused;
        refused.refusal = refusal;
        return refused;
    }
    SaveResult result;
    {
        SaveRun run(*this, voucher, context, m_host);
        run.fromLocation = *voucher.fromLocation.whole;
        // A transaction the database undid (a deadlock with a writer that does not take the
        // save's locks) left nothing behind, and runs again.
        bool again = readBeforeWriting(run);
        for (int attempt = 1; again; ++attempt) {
            run.db = saveConnection();
            run.statements = &m_save->statements();
            if (!run.db.isOpen()) {
                run.fail(m_save->lastError());
                break;
            }
            saveOn(run);
            again = run.undone && context.useTransaction && attempt < MaxSaveAttempts;
            if (again) {
                qCInfo(lcDb) << "The database undid the save to let another transaction go on; saving again.";
                run.restart();
            }
        }
        result = run.result;
    }
    // A connection that failed is opened anew by the next save.
    if (result.outcome == SaveResult::Failed)
        m_save.reset();
    return result;
}

} // namespace qvtrnsfr
