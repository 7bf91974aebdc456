#pragma once
// LedgerService on GLSetup and GLTRH. LoadSetup reads UseTransaction of GLSetup's first row as
// the transaction setting (no row, a null value or a failed query: no setting). PrintVoucher lays
// out the voucher of a ledger detail id (LedgerVoucher.h) and shows it in a modal print preview
// owned by the active window, or, when a PDF path is set, writes it to that file and shows
// nothing. A detail id without rows prints nothing.

#include "companions/Companions.h"

namespace companions {

class GLLedgerService : public LedgerService {
public:
    void SetConnection(const QSqlDatabase &db) override { m_db = db; }
    void LoadSetup() override;
    std::optional<int> TransactionSetting() const override { return m_transactionSetting; }
    void PrintVoucher(int ledgerDetailId, const QString &title) override;

    void setPdfPath(const QString &path) { m_pdfPath = path; }
    QString pdfPath() const { return m_pdfPath; }

private:
    QSqlDatabase m_db;
    std::optional<int> m_transactionSetting;
    QString m_pdfPath;
};

} // namespace companions
