#pragma once
// ctlTransfer, "Velta Transfers": the inventory transfer voucher form that a host application
// embeds. The host opens a database connection, sets Connection, User and AllowEdit, and shows
// the control; everything else happens through the form.

#include <qvtrnsfr/qvtrnsfr_export.h>

#include <QSqlDatabase>
#include <QWidget>
#include <memory>

namespace companions {
class Factory;
}

namespace qvtrnsfr {
class TransferControl;
}

class QVTRNSFR_EXPORT ctlTransfer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QSqlDatabase Connection READ Connection WRITE setConnection)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE setAllowEdit)
    Q_PROPERTY(QString User READ User WRITE setUser)
    Q_PROPERTY(bool MergeRepeatedScans READ MergeRepeatedScans WRITE setMergeRepeatedScans)
    Q_PROPERTY(bool KeepDrafts READ KeepDrafts WRITE setKeepDrafts)

public:
    explicit ctlTransfer(QWidget *parent = nullptr);
    ~ctlTransfer() override;

    // The host's open connection; the control borrows it and never closes it.
    QSqlDatabase Connection() const;
    void setConnection(const QSqlDatabase &oConn);
    // Edit mode (true): saved vouchers are recalled, changed and deleted. Add mode (false): new
    // vouchers are entered with a proposed number.
    bool AllowEdit() const;
    void setAllowEdit(bool mAE);
    // The signed-in user's name.
    QString User() const;
    void setUser(const QString &u);
    // Scanning mode: a scanned code whose item is already on a line in the same unit, neither
    // with a serial number, adds 1 (or the GS1 count) to that line instead of opening a new one.
    // Off by default.
    bool MergeRepeatedScans() const;
    void setMergeRepeatedScans(bool merge);
    // A draft of the voucher on the form is kept in the user's settings folder after every stored
    // line, and the next first focus for the same user and mode offers to restore one left behind
    // (after a crash or a lost connection); a save or delete drops it. Off by default.
    bool KeepDrafts() const;
    void setKeepDrafts(bool keep);

    // The companions' factory; set before the control first receives the focus. Without one the
    // control uses companions::DefaultFactory.
    void setCompanionFactory(std::shared_ptr<companions::Factory> factory);

public slots:
    // The voucher on the form, saved or not, as a transfer voucher to print (Ctrl+P on the form):
    // in a print preview, or written to a PDF file; false when the file cannot be written.
    void printTransferVoucher();
    bool printTransferVoucher(const QString &pdfPath);

public:
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A voucher the database holds now: saved (new or rewritten) once its transaction has
    // committed, recalled into the form, or deleted. A save that is refused or fails, and a delete
    // that is declined or fails, emit nothing. fromLocation is the voucher's source location; with
    // documentNo it is the voucher's key.
    void voucherSaved(int documentNo, int fromLocation);
    void voucherLoaded(int documentNo, int fromLocation);
    void voucherDeleted(int documentNo, int fromLocation);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    qvtrnsfr::TransferControl *d; // the control's state, a child of this widget, which owns it
};
