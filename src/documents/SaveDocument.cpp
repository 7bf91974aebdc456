#include "documents/SaveDocument.h"

#include "control/TransferControl.h"
#include "documents/SaveSteps.h"
#include "documents/ValidateDocument.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qvtrnsfr {

namespace {

enum class SaveOutcome { Saved, NotFound, Failed };

// Closes the shared recordset when the save ends, before the save connection it may hold goes.
class RecordsetCloser {
public:
    explicit RecordsetCloser(Snapshot &recordset) : m_recordset(recordset) {}
    ~RecordsetCloser() { m_recordset.close(); }
    RecordsetCloser(const RecordsetCloser &) = delete;
    RecordsetCloser &operator=(const RecordsetCloser &) = delete;

private:
    Snapshot &m_recordset;
};

// Enables cmdSave again when the click is done, however it ends.
class SaveButtonRestorer {
public:
    explicit SaveButtonRestorer(QPushButton *button) : m_button(button) { m_button->setEnabled(false); }
    ~SaveButtonRestorer() { m_button->setEnabled(true); }
    SaveButtonRestorer(const SaveButtonRestorer &) = delete;
    SaveButtonRestorer &operator=(const SaveButtonRestorer &) = delete;

private:
    QPushButton *m_button;
};

SaveOutcome failed(SaveRun &run, const QString &text)
{
    run.fail(text);
    return SaveOutcome::Failed;
}

// Writes the header and the lines and commits.
SaveOutcome writeVoucher(SaveRun &run, TransactionGuard &transaction)
{
    if (!run.db.isOpen())
        return failed(run, errorText(run.db.lastError()));
    if (!transaction.begin())
        return failed(run, errorText(transaction.lastError()));
    run.inTransaction = run.ctl.UseTransaction;
    const auto fromLocId = wholeNumberValue(run.ctl.form.txtFromLocID->text());
    if (!fromLocId)
        return failed(run, QStringLiteral("The source location is not a number."));
    run.fromLocId = *fromLocId;

    if (run.ctl.editMode()) {
        if (const HeaderOutcome header = RewriteHeader(run); header != HeaderOutcome::Written)
            return header == HeaderOutcome::NotFound ? SaveOutcome::NotFound : SaveOutcome::Failed;
    } else if (!AddHeader(run)) {
        return SaveOutcome::Failed;
    }
    if (!WriteLines(run))
        return SaveOutcome::Failed;
    if (!transaction.commit())
        return failed(run, errorText(transaction.lastError()));
    return SaveOutcome::Saved;
}

QString savedMessage(qint32 docNo)
{
    return QStringLiteral("Document Number  ") + QString::number(docNo) +
           QStringLiteral("  Is Saved Successfully ");
}

} // namespace

bool SaveDocument(TransferControl &ctl)
{
    if (!ValidateDocument(ctl))
        return false;
    ctl.WorkRecordset.close();

    ClonedConnection saveConnection(ctl.connection);
    TransactionGuard transaction(saveConnection.database(), ctl.UseTransaction);
    RecordsetCloser closer(ctl.WorkRecordset);
    SaveRun run(ctl, saveConnection.database());
    switch (writeVoucher(run, transaction)) {
    case SaveOutcome::NotFound:
        return false;
    case SaveOutcome::Failed:
        // Undone before the message, so that no lock is held while the user reads it.
        ctl.WorkRecordset.close();
        transaction.rollback();
        showMessage(ctl.widget(), QMessageBox::Critical, run.failure);
        return false;
    case SaveOutcome::Saved:
        break;
    }
    showMessage(ctl.widget(), QMessageBox::Information, savedMessage(run.docNo),
                QStringLiteral("Save Document"));
    ctl.form.cmdSave->setEnabled(false);
    return true;
}

void cmdSave_Click(TransferControl &ctl)
{
    SaveButtonRestorer restorer(ctl.form.cmdSave);
    if (!SaveDocument(ctl))
        return;
    ctl.ResetForm();
    if (ctl.form.txtDocNo->isEnabled())
        ctl.form.txtDocNo->setFocus();
    else
        ctl.form.txtToLocID->setFocus();
}

} // namespace qvtrnsfr
