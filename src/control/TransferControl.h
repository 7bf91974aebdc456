#pragma once
// The state of one transfer control and the narrow context through which the form's subsystems
// (documents, grid, references) reach the form, the connection and the companions.

#include "companions/Companions.h"
#include "control/TransferForm.h"
#include "grid/LineArray.h"
#include "platform/Db.h"
#include "platform/LeaveValidator.h"

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <memory>

class ctlTransfer;

namespace qvtrnsfr {

class TransferControl : public QObject {
    Q_OBJECT
public:
    explicit TransferControl(ctlTransfer *control);
    ~TransferControl() override;

    // --- State, in declaration order of the control's definition ---
    QSqlDatabase connection;
    bool FocusInitialised = false;
    Snapshot WorkRecordset;
    double MinWidth = 0;  // twips
    double MinHeight = 0; // twips
    bool allowEdit = false;
    int LineColumnCount = 0;
    QString userName;
    std::unique_ptr<LineArray> lines; // LineArray, always bound to the grid
    std::unique_ptr<companions::LookupDialog> LookupDialog;
    QString sql; // the last query text composed
    QString LastStockUnit;
    QString HeaderTable;
    QString LineTable;
    std::unique_ptr<companions::InventoryService> InventoryService;
    std::unique_ptr<companions::LocationRights> LocationRights;
    std::unique_ptr<companions::LedgerService> LedgerService;
    bool UseTransaction = false;
    bool TrackSerialNo = false;
    bool AllowNegativeInventory = false;
    double AvailableBalance = 0;
    qint32 LedgerLinkId = 0;
    std::unique_ptr<companions::ControlAttachment> ControlAttachment;

    // --- Context ---
    TransferForm form;
    QWidget *widget() const; // the control itself
    QWidget *hostWindow() const;
    QString hostCaption() const;
    companions::Factory &factory();
    void setFactory(std::shared_ptr<companions::Factory> factory);
    LeaveValidator &leaveValidator() { return *m_leaveValidator; }

    LineArray &lineArray() { return *lines; }
    // Replaces the line set by a new one and binds the grid to it (current-row marker cleared,
    // all rows re-read).
    void replaceLines(std::unique_ptr<LineArray> fresh);
    // The shared pick-list dialog, created on first use; nullptr when it cannot be created.
    companions::LookupDialog *lookupDialog();
    // The inventory component, created on first use; nullptr when it cannot be created.
    companions::InventoryService *inventory();
    // Edit mode is told by the document number field being enabled.
    bool editMode() const;

    // --- Routines of the form ---
    void ResetForm();
    qint32 NextDocNo();
    void FirstFocus();
    void SaveColumnWidths();
    void cmdNew_Click();
    void cmdClose_Click();

private:
    void wire();
    void onFocusChanged(QWidget *old, QWidget *now);
    bool contains(const QWidget *w) const;

    ctlTransfer *m_control;
    std::shared_ptr<companions::Factory> m_factory;
    std::unique_ptr<LeaveValidator> m_leaveValidator;
    bool m_initialising = false;
};

} // namespace qvtrnsfr
