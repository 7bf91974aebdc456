#pragma once
// The six companion components the control drives, seen as interfaces. A query that can fail
// returns std::optional: empty means the call failed, and the caller keeps its previous value.

#include <qvtrnsfr/qvtrnsfr_export.h>

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace companions {

// The document kind with which the control names transfer vouchers to the inventory component.
constexpr int TransferDocumentKind = 5;

// Modal pick list over a table or view.
struct QVTRNSFR_EXPORT LookupDialog {
    virtual ~LookupDialog() = default;
    virtual void SetFilter(const QString &condition) = 0; // "Column=value" or "Column='value'"; empty = none
    virtual void SetTitle(const QString &) = 0;
    virtual void SetConnection(const QSqlDatabase &) = 0;
    virtual void SetSource(const QString &) = 0; // table or view name
    virtual void SetKeyColumn(int) = 0;          // column searched and listed first
    virtual void SetSearchText(const QString &) = 0;
    virtual void SetResultColumn(int) = 0; // column whose value is picked
    virtual void SetOwner(QWidget *) = 0;
    virtual void ShowList() = 0;               // modal; returns when picked or cancelled
    virtual QString SelectedValue() const = 0; // empty when nothing was picked
};

// The signed-in user's profile and location rights.
struct QVTRNSFR_EXPORT LocationRights {
    virtual ~LocationRights() = default;
    virtual void SetConnection(const QSqlDatabase &) = 0;
    // The user whose profile LoadProfile reads. The control calls it before LoadProfile.
    virtual void SetUser(const QString &userName) { Q_UNUSED(userName) }
    virtual void LoadProfile() = 0;
    virtual std::optional<int> ProfileNumber() const = 0;
    virtual std::optional<bool> TrackSerialNo() const = 0;
    virtual std::optional<bool> AllowNegativeInventory() const = 0;
    virtual std::optional<bool> DateFixed() const = 0;
    virtual std::optional<bool> MayChangeSource() const = 0;
    virtual std::optional<int> OwnLocation() const = 0;
    // direction 1 = as the source of a transfer, 2 = as its destination
    virtual std::optional<bool> LocationAllowed(const QString &user, int locationId, int direction) = 0;
};

// Stock balances and costs.
struct QVTRNSFR_EXPORT InventoryService {
    virtual ~InventoryService() = default;
    virtual void SetConnection(const QSqlDatabase &) = 0;
    virtual void SetProfileNumber(int) = 0;
    // Quantity on hand in base units of an item (or of a serial number when bySerial) at a
    // location as of a date given as "dd/MM/yyyy", leaving out the document (kind, number).
    virtual std::optional<double> StockBalance(const QString &code, int locationId, const QString &date,
                                               int documentKind, int documentNo, bool bySerial) = 0;
    // Unit cost of an item at a location up to a date.
    virtual std::optional<double> ItemCost(const QDate &date, const QString &itemCode, int locationId,
                                           int documentKind, int documentNo) = 0;

    // The same questions for many codes at once, answered by code; a code missing from the answer
    // could not be answered. A save asks these, so that its number of queries does not grow with
    // its lines. The defaults ask one code at a time; a component that can answer in one query
    // does better.
    virtual QHash<QString, double> StockBalances(const QStringList &codes, int locationId,
                                                 const QString &date, int documentKind, int documentNo,
                                                 bool bySerial)
    {
        QHash<QString, double> balances;
        for (const QString &code : codes) {
            if (const auto balance = StockBalance(code, locationId, date, documentKind, documentNo, bySerial))
                balances.insert(code, *balance);
        }
        return balances;
    }
    virtual QHash<QString, double> ItemCosts(const QDate &date, const QStringList &itemCodes, int locationId,
                                             int documentKind, int documentNo)
    {
        QHash<QString, double> costs;
        for (const QString &code : itemCodes) {
            if (const auto cost = ItemCost(date, code, locationId, documentKind, documentNo))
                costs.insert(code, *cost);
        }
        return costs;
    }
};

// General-ledger settings and voucher printing.
struct QVTRNSFR_EXPORT LedgerService {
    virtual ~LedgerService() = default;
    virtual void SetConnection(const QSqlDatabase &) = 0;
    virtual void LoadSetup() = 0;
    virtual std::optional<int> TransactionSetting() const = 0; // nonzero: save in one transaction
    virtual void PrintVoucher(int ledgerDetailId, const QString &title) = 0;
};

// Per-user settings values.
struct QVTRNSFR_EXPORT SettingsStore {
    virtual ~SettingsStore() = default;
    virtual void SetRootKey(const QString &root) = 0;
    virtual void SetKeyPath(const QString &) = 0;
    virtual void SetValueName(const QString &) = 0;
    virtual std::optional<QString> ValueText() const = 0; // a missing value reads as ""
    virtual void SetValueText(const QString &) = 0;
    virtual void WriteValue() = 0;
};

// Attached once to the control's hosting context and kept for the control's lifetime.
struct QVTRNSFR_EXPORT ControlAttachment {
    virtual ~ControlAttachment() = default;
    virtual void Attach(QObject *context) = 0;
};

// Makes the companions. nullptr means the component cannot be created.
class QVTRNSFR_EXPORT Factory {
public:
    virtual ~Factory() = default;
    virtual std::unique_ptr<LookupDialog> createLookupDialog() = 0;
    virtual std::unique_ptr<LocationRights> createLocationRights() = 0;
    virtual std::unique_ptr<InventoryService> createInventoryService() = 0;
    virtual std::unique_ptr<LedgerService> createLedgerService() = 0;
    virtual std::unique_ptr<SettingsStore> createSettingsStore() = 0;
    virtual std::unique_ptr<ControlAttachment> createControlAttachment() = 0;
};

// The current user's root, as handed to SettingsStore::SetRootKey.
inline const QString CurrentUserRoot = QStringLiteral("HKEY_CURRENT_USER");

} // namespace companions
