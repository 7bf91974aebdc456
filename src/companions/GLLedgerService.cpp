#include "companions/GLLedgerService.h"

#include "companions/CompanionsLog.h"
#include "companions/LedgerVoucher.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSqlError>
#include <QSqlQuery>

namespace companions {

namespace {

const char SetupSql[] = "SELECT UseTransaction FROM GLSetup LIMIT 1";

void writePdf(QTextDocument &document, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcCompanions) << "ledger: cannot write" << path << file.errorString();
        return;
    }
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    document.print(&writer);
}

void showPreview(QTextDocument &document)
{
    QPrintPreviewDialog preview(QApplication::activeWindow());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter *printer) { document.print(printer); });
    preview.exec();
}

} // namespace

void GLLedgerService::LoadSetup()
{
    m_transactionSetting.reset();
    QSqlQuery query(m_db);
    if (!query.exec(QString::fromLatin1(SetupSql))) {
        qCWarning(lcCompanions) << "ledger: setup query failed:" << query.lastError().text();
        return;
    }
    if (!query.next()) {
        qCInfo(lcCompanions) << "ledger: GLSetup has no row";
        return;
    }
    bool ok = false;
    const QVariant value = query.value(0);
    const int setting = value.toInt(&ok);
    if (!value.isNull() && ok)
        m_transactionSetting = setting;
}

void GLLedgerService::PrintVoucher(int ledgerDetailId, const QString &title)
{
    const std::optional<LedgerVoucher> voucher = readLedgerVoucher(m_db, ledgerDetailId);
    if (!voucher)
        return;
    if (voucher->lines.isEmpty()) {
        qCInfo(lcCompanions) << "ledger: no rows for the detail id" << ledgerDetailId;
        return;
    }
    const std::unique_ptr<QTextDocument> document = ledgerVoucherDocument(*voucher, title);
    document->setMetaInformation(QTextDocument::DocumentTitle, title);
    if (m_pdfPath.isEmpty())
        showPreview(*document);
    else
        writePdf(*document, m_pdfPath);
}

} // namespace companions
