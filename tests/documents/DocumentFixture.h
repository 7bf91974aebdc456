#pragma once
// What the voucher tests share: master data, a shown host window holding the control in either
// mode, lines put straight into the control, and table contents as compact rows.

#include "control/TransferControl.h"
#include "support/ControlHost.h"
#include "support/TestDatabase.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace companions {
class Factory;
}

// The user the host signs in.
inline const QString TestUser = QStringLiteral("tester");

// Locations 1 to 3; items A-1 "Bolt" (standard cost 2.5), B-2 "Nut" (standard cost 4, and
// receipts at location 1 costing 5 before and 100 after 2024-06-01) and C-3 "Washer" (1); the
// user's profile; the ledger setup with DbID 7 and the transaction setting given.
bool seedMasters(TestDatabase &db, bool useTransaction = true);

// Inserts a voucher header; values are bound in the column order of the list.
bool insertHeader(TestDatabase &db, const QString &columns, const QVariantList &values);
// Inserts a line of a voucher: the item in unit PCS, conversion 1, with the quantity.
bool insertLine(TestDatabase &db, int fromLocId, int docNo, const QString &item, double qty);

// The rows of a query as compact strings: the columns joined by '|', null written "NULL".
QStringList rowsOf(TestDatabase &db, const QString &sql);
// Every header and line row of the voucher tables, in key order.
QStringList voucherTables(TestDatabase &db);

// A host window holding the control, shown and given the focus (its first focus).
class VoucherHost {
public:
    VoucherHost(const QSqlDatabase &db, bool allowEdit, std::shared_ptr<companions::Factory> factory = {});

    bool start();
    qvtrnsfr::TransferControl &state() { return *m_host.state(); }
    qvtrnsfr::TransferForm &form() { return state().form; }
    QWidget *window() { return m_host.window(); }

    // Sets the source location and, in add mode, proposes its next number as leaving it would.
    void setSource(const QString &fromLocId);
    // Replaces the lines by rows of cells in the grid's column order and updates the total.
    void setLines(const QList<QStringList> &rows);
    // The lines as compact rows: the eight cells joined by '|'.
    QStringList lineRows();
    // Types the number into txtDocNo and leaves the field with Tab, as the user recalls a voucher.
    void leaveDocNo(const QString &number);
    // The name of the widget that holds the focus in the host window ("" when none). While a
    // message box has just closed, the window is not yet active again, but it knows its focus.
    QString focusName();

private:
    ControlHost m_host;
};

// A test main that keeps per-user settings in a temporary folder.
#define QVT_DOCUMENTS_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir settingsHome;                                                                          \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                                       \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
