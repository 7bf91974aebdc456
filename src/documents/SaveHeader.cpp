// Writing the voucher header: rewriting a recalled one in place, or adding a new one under the
// number current at the moment of writing.

#include "control/TransferControl.h"
#include "documents/SaveSteps.h"
#include "documents/modDBID.h"
#include "platform/Numeric.h"

#include <QDateTime>
#include <QStringList>
#include <limits>

namespace qvtrnsfr {

namespace {

// Header columns after the key, in the order saving sets them.
const QString HeaderColumns[] = {
    QStringLiteral("DocDate"),  QStringLiteral("ToLocID"),   QStringLiteral("Narration"),
    QStringLiteral("TotalQty"), QStringLiteral("AuditUser"), QStringLiteral("AuditTime"),
    QStringLiteral("OrdNo"),    QStringLiteral("Posted"),    QStringLiteral("SysDate"),
    QStringLiteral("DbID"),     QStringLiteral("ShowPrice"), QStringLiteral("ReqNo")};

// How often a new voucher takes the next number again when other users keep taking it first.
constexpr int MaxNumberAttempts = 20;

const QString NewHeaderSavepoint = QStringLiteral("NewHeader");

QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The values of HeaderColumns taken from the form; false when one cannot be converted.
bool headerValues(SaveRun &run, QVariantList &values)
{
    const TransferForm &form = run.ctl.form;
    const auto toLocId = wholeNumberValue(form.txtToLocID->text());
    if (!toLocId)
        return run.fail(QStringLiteral("The destination location is not a number."));
    const auto totalQty = localeNumber(form.txtTotalQty->text());
    if (!totalQty)
        return run.fail(QStringLiteral("The total quantity is not a number."));
    const QString reqNo = form.txtReqNo->text();
    values = {form.dtpDocDate->date(),
              *toLocId,
              nonNull(form.txtNarration->text()),
              *totalQty,
              run.ctl.userName,
              QDateTime::currentDateTime(),
              numericValue(form.txtOrdNo->text()),
              false,
              QDate::currentDate().toString(QStringLiteral("yyyyMMdd")),
              GetDbID(run.ctl.connection),
              form.chkPrice->isChecked() ? 1 : 0,
              reqNo.isEmpty() ? QVariant(0) : QVariant(reqNo)};
    return true;
}

QString keyCondition(qint32 docNo, qint32 fromLocId)
{
    return QStringLiteral(" Where DocNo=") + QString::number(docNo) + QStringLiteral(" And FromLocID=") +
           QString::number(fromLocId);
}

QString updateHeaderSql(const TransferControl &ctl, qint32 docNo, qint32 fromLocId)
{
    QStringList assignments;
    for (const QString &column : HeaderColumns)
        assignments << column + QStringLiteral("=?");
    return QStringLiteral("Update ") + ctl.HeaderTable + QStringLiteral(" Set ") +
           assignments.join(QStringLiteral(", ")) + keyCondition(docNo, fromLocId);
}

QString insertHeaderSql(const TransferControl &ctl)
{
    QStringList columns{QStringLiteral("DocNo"), QStringLiteral("FromLocID")};
    for (const QString &column : HeaderColumns)
        columns << column;
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("Insert into ") + ctl.HeaderTable + QStringLiteral(" (") +
           columns.join(QStringLiteral(", ")) + QStringLiteral(") Values (") +
           marks.join(QStringLiteral(", ")) + QStringLiteral(")");
}

// The header key refused a second voucher with the same number: SQLite's primary-key or unique
// constraint, PostgreSQL's unique_violation.
bool isDuplicateKey(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("1555") || code == QLatin1String("2067") || code == QLatin1String("23505");
}

// Finds the recalled voucher on the save connection; its DocNo becomes the number of the save.
HeaderOutcome findHeader(SaveRun &run)
{
    Snapshot &header = run.ctl.WorkRecordset;
    run.ctl.sql = QStringLiteral("Select * from ") + run.ctl.HeaderTable + QStringLiteral(" Where DocNo=") +
                  sqlNumber(numericValue(run.ctl.form.txtDocNo->text())) + QStringLiteral(" And FromLocID=") +
                  QString::number(run.fromLocId);
    if (!header.open(run.db, run.ctl.sql)) {
        run.fail(header.lastError());
        return HeaderOutcome::Failed;
    }
    const bool found = !header.eof();
    if (found)
        run.docNo = header.value(QStringLiteral("DocNo")).toInt();
    header.close();
    return found ? HeaderOutcome::Written : HeaderOutcome::NotFound;
}

// The number to try next: the one current now, and above any number already refused (a host
// connection that still reads an older state of the table would offer the refused one again).
std::optional<qint32> nextNumber(TransferControl &ctl, std::optional<qint32> refused)
{
    const qint32 current = ctl.NextDocNo();
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

} // namespace

bool SaveRun::fail(const QString &text)
{
    failure = text;
    qCWarning(lcDb).noquote() << "Saving the voucher failed:" << text;
    return false;
}

HeaderOutcome RewriteHeader(SaveRun &run)
{
    if (const HeaderOutcome found = findHeader(run); found != HeaderOutcome::Written)
        return found;
    QSqlError error;
    const QString deleteLines =
        QStringLiteral("Delete from ") + run.ctl.LineTable + keyCondition(run.docNo, run.fromLocId);
    if (!execute(run.db, deleteLines, {}, &error)) {
        run.fail(error);
        return HeaderOutcome::Failed;
    }
    QVariantList values;
    if (!headerValues(run, values))
        return HeaderOutcome::Failed;
    PreparedStatement update;
    if (!update.prepare(run.db, updateHeaderSql(run.ctl, run.docNo, run.fromLocId)) || !update.exec(values)) {
        run.fail(update.lastError());
        return HeaderOutcome::Failed;
    }
    if (update.query().numRowsAffected() != 1) {
        run.fail(QStringLiteral("The voucher was deleted by another user while it was being saved."));
        return HeaderOutcome::Failed;
    }
    return HeaderOutcome::Written;
}

bool AddHeader(SaveRun &run)
{
    QVariantList values;
    if (!headerValues(run, values))
        return false;
    PreparedStatement insert;
    if (!insert.prepare(run.db, insertHeaderSql(run.ctl)))
        return run.fail(insert.lastError());
    std::optional<qint32> refused;
    for (int attempt = 0; attempt < MaxNumberAttempts; ++attempt) {
        const auto number = nextNumber(run.ctl, refused);
        if (!number)
            break;
        QSqlError error;
        if (tryInsert(run, insert, QVariantList{*number, run.fromLocId} + values, error)) {
            run.docNo = *number;
            return true;
        }
        if (!isDuplicateKey(error))
            return run.fail(error);
        refused = number;
    }
    return run.fail(QStringLiteral("No free document number could be taken for location %1; other users "
                                   "kept taking the next one. Please save again.")
                        .arg(run.fromLocId));
}

} // namespace qvtrnsfr
