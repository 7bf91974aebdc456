// Drafts of the voucher on the form, kept while it is not saved: after every stored or removed
// line its header and lines are written, atomically, to a file of the user and mode in the user's
// local settings folder. The next first focus for that user and mode, after a crash or a lost
// connection, offers to restore it. A save or delete drops it. On only when the host asks.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"

#include "grid/LineGrid.h"
#include "platform/NoThrow.h"
#include "platform/Ui.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace qvtrnsfr {

namespace {

// The fields of the form a draft keeps, by their names.
QList<QLineEdit *> draftFields(const TransferForm &form)
{
    return {form.txtDocNo,     form.txtFromLocID, form.txtFromLocName, form.txtToLocID,
            form.txtToLocName, form.txtNarration, form.txtOrdNo,       form.txtReqNo};
}

} // namespace

QString DraftPath(const TransferControl &ctl)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/Velta Transfers/drafts/");
    return folder + QString::fromLatin1(QUrl::toPercentEncoding(ctl.user())) +
           (ctl.allowEdit() ? QStringLiteral(".edit.json") : QStringLiteral(".add.json"));
}

void WriteDraft(TransferControl &ctl)
{
    if (!ctl.keepDrafts() || ctl.restoringDraft())
        return;
    const TransferForm &form = ctl.form();
    QJsonObject draft;
    draft.insert(QStringLiteral("savedAt"), QDateTime::currentDateTime().toString(Qt::ISODate));
    for (const QLineEdit *field : draftFields(form))
        draft.insert(field->objectName(), field->text());
    draft.insert(QStringLiteral("dtpDocDate"), form.dtpDocDate->date().toString(Qt::ISODate));
    draft.insert(QStringLiteral("chkPrice"), form.chkPrice->isChecked());
    QJsonArray lines;
    for (int row = 0; row < ctl.lines().rowCount(); ++row) {
        QJsonArray cells;
        for (int column = 0; column < LineColumns; ++column)
            cells.append(ctl.lines().cellText(row, column));
        lines.append(cells);
    }
    draft.insert(QStringLiteral("lines"), lines);
    const QString path = DraftPath(ctl);
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(draft).toJson()) < 0 || !file.commit())
        qCWarning(lcUi) << "The draft cannot be written to" << path << file.errorString();
}

void DiscardDraft(TransferControl &ctl)
{
    if (ctl.keepDrafts())
        QFile::remove(DraftPath(ctl));
}

void OfferDraft(TransferControl &ctl)
{
    if (!ctl.keepDrafts())
        return;
    QFile file(DraftPath(ctl));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject draft = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    const QJsonArray lines = draft.value(QStringLiteral("lines")).toArray();
    const QDateTime savedAt =
        QDateTime::fromString(draft.value(QStringLiteral("savedAt")).toString(), Qt::ISODate);
    const auto answer =
        showMessage(ctl.widget(), QMessageBox::Question,
                    ctlTransfer::tr("A voucher of %n line(s) that was not saved was kept on %1. Restore it?",
                                    nullptr, int(lines.size()))
                        .arg(QLocale().toString(savedAt, QLocale::ShortFormat)),
                    QString(), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        file.remove();
        return;
    }
    TransferForm &form = ctl.form();
    ctl.setRestoringDraft(true);
    for (QLineEdit *field : draftFields(form))
        field->setText(draft.value(field->objectName()).toString());
    form.dtpDocDate->setDate(
        QDate::fromString(draft.value(QStringLiteral("dtpDocDate")).toString(), Qt::ISODate));
    form.chkPrice->setChecked(draft.value(QStringLiteral("chkPrice")).toBool());
    LineArray restored;
    restored.Resize(0, -1, 0, LineColumns - 1);
    for (const QJsonValue &line : lines) {
        LineArray::Row cells(LineColumns);
        const QJsonArray values = line.toArray();
        for (int column = 0; column < LineColumns; ++column)
            cells[column] = values.at(column).toString();
        restored.appendRow(cells);
    }
    ctl.replaceLines(restored);
    UpdateTotalQty(ctl);
    if (ctl.allowEdit())
        form.cmdSave->setEnabled(true);
    ctl.setRestoringDraft(false);
}

} // namespace qvtrnsfr
