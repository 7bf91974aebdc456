#include "companions/GLLedgerService.h"

#include "companions/CompanionsLog.h"
#include "companions/DocumentOutput.h"
#include "companions/LedgerVoucher.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace companions {

namespace {

const char SetupSql[] = "SELECT UseTransaction FROM GLSetup LIMIT 1";

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
        showPrintPreview(*document, QApplication::activeWindow());
    else
        writePdf(*document, m_pdfPath);
}

} // namespace companions
