#pragma once
// ctlTransfer, "Velta Transfers": the inventory transfer voucher form that a host application
// embeds. The host opens a database connection, sets Connection, User and AllowEdit, and shows
// the control; everything else happens through the form.

#include <QSqlDatabase>
#include <QWidget>
#include <memory>

namespace companions {
class Factory;
}

namespace qvtrnsfr {
class TransferControl;
}

class ctlTransfer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QSqlDatabase Connection READ Connection WRITE setConnection)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE setAllowEdit)
    Q_PROPERTY(QString User READ User WRITE setUser)

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

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    qvtrnsfr::TransferControl *d; // the control's state, a child of this widget, which owns it
};
