#pragma once
// The state of one transfer control and what the form's routines reach through it: the host's
// properties, the form's fields, the lines shown in the grid, the companions, and the user's
// profile as read at first focus. The voucher's rules and its storage are the core's
// (src/voucher); the routines here read the form into a Voucher, ask the core, and show what it
// answers.

#include "companions/Companions.h"
#include "control/TransferForm.h"
#include "platform/LeaveValidator.h"
#include "voucher/LineArray.h"
#include "voucher/LineRules.h"
#include "voucher/Voucher.h"
#include "voucher/VoucherStore.h"

#include <QObject>
#include <QSqlDatabase>
#include <memory>

class ctlTransfer;

namespace qvtrnsfr {

class TransferControl : public QObject {
    Q_OBJECT
public:
    explicit TransferControl(ctlTransfer *control);
    ~TransferControl() override;

    // The properties the host sets.
    QSqlDatabase connection() const { return m_connection; }
    void setConnection(const QSqlDatabase &db);
    bool allowEdit() const { return m_allowEdit; }
    void setAllowEdit(bool allowEdit) { m_allowEdit = allowEdit; }
    QString user() const { return m_user; }
    void setUser(const QString &user) { m_user = user; }
    companions::Factory &factory();
    void setFactory(std::shared_ptr<companions::Factory> factory) { m_factory = std::move(factory); }

    // The form.
    TransferForm &form() { return m_form; }
    QWidget *widget() const; // the control itself
    ctlTransfer *control() const { return m_control; }
    QWidget *hostWindow() const;
    QString hostCaption() const;
    LeaveValidator &leaveValidator() { return m_leaveValidator; }
    bool editMode() const { return m_form.txtDocNo->isEnabled(); }

    // The lines shown in the grid; replacing them binds the grid to the new ones (current-row
    // marker cleared, all rows re-read).
    const LineArray &lines() const { return *m_lines; }
    void replaceLines(LineArray lines);

    // The voucher on the form, read into values, and the store it is recalled from and saved to;
    // the store keeps its save connection for the control's life, or until the host sets another
    // connection.
    Voucher voucher() const;
    VoucherStore &store() { return m_store; }

    // The companions the control keeps, made on first use; nullptr when one cannot be made.
    companions::LookupDialog *lookupDialog();
    companions::InventoryService *inventory();
    companions::LocationRights *locationRights() { return m_locationRights.get(); }
    // The user's profile and the ledger setting, as read at first focus.
    const StockOptions &stockOptions() const { return m_stockOptions; }
    bool useTransaction() const { return m_useTransaction; }
    // The stock unit of the item resolved last on the control, whatever row it was on.
    // Scanning mode: a scan of an item already on a line adds to that line (the host's option).
    bool mergeRepeatedScans() const { return m_mergeRepeatedScans; }
    // Drafts of unsaved vouchers kept in the user's settings folder (the host's option).
    bool keepDrafts() const { return m_keepDrafts; }
    void setKeepDrafts(bool keep) { m_keepDrafts = keep; }
    bool restoringDraft() const { return m_restoringDraft; }
    void setRestoringDraft(bool restoring) { m_restoringDraft = restoring; }
    void setMergeRepeatedScans(bool merge) { m_mergeRepeatedScans = merge; }
    QString lastStockUnit() const { return m_lastStockUnit; }
    void setLastStockUnit(const QString &unit) { m_lastStockUnit = unit; }
    // The ledger detail of the last recalled voucher that had one; printing hands it on.
    qint32 ledgerLinkId() const { return m_ledgerLinkId; }
    void setLedgerLinkId(qint32 id) { m_ledgerLinkId = id; }
    // The voucher last recalled, as it was then; cleared by every reset.
    void setRecalled(std::optional<RecalledVersion> recalled) { m_recalled = recalled; }
    bool focusInitialised() const { return m_focusInitialised; }

    // Routines of the form.
    void ResetForm();
    qint32 NextDocNo();
    void FirstFocus();
    void SetupGrid();
    void SaveColumnWidths();

private:
    void wire();
    void onFocusChanged(QWidget *old, QWidget *now);
    bool contains(const QWidget *w) const;

    ctlTransfer *m_control;
    TransferForm m_form;
    LeaveValidator m_leaveValidator;
    QSqlDatabase m_connection;
    VoucherStore m_store{m_connection};
    bool m_allowEdit = false;
    QString m_user;
    std::shared_ptr<companions::Factory> m_factory;
    std::unique_ptr<LineArray> m_lines; // always bound to the grid
    std::unique_ptr<companions::LookupDialog> m_lookupDialog;
    std::unique_ptr<companions::InventoryService> m_inventory;
    std::unique_ptr<companions::LocationRights> m_locationRights;
    std::unique_ptr<companions::ControlAttachment> m_attachment;
    StockOptions m_stockOptions;
    bool m_useTransaction = false;
    QString m_lastStockUnit;
    bool m_mergeRepeatedScans = false;
    bool m_keepDrafts = false;
    bool m_restoringDraft = false;
    qint32 m_ledgerLinkId = 0;
    std::optional<RecalledVersion> m_recalled;
    bool m_focusInitialised = false;
    bool m_initialising = false;
};

} // namespace qvtrnsfr
