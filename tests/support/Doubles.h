#pragma once
// Companions whose answers a test scripts (an empty optional fails the query) and whose calls it
// reads back: each lands in `log` as "<part> <call>", e.g. "create rights", "rights LoadProfile",
// "lookup SetTitle(Items)", "balance S1,1,05/03/2024,5,7,serial", "allowed ann,1,1".

#include "companions/DefaultFactory.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

class RecordingFactory : public companions::DefaultFactory,
                         public std::enable_shared_from_this<RecordingFactory> {
public:
    struct Profile { // by default a user who may choose any source
        std::optional<int> number = 0, ownLocation = 0;
        std::optional<bool> trackSerialNo = false, allowNegative = true, dateFixed = false,
                            mayChangeSource = true;
    };
    Profile profile;
    QList<QPair<int, int>> allowed;            // (location, direction) pairs LocationAllowed grants
    std::optional<int> transactionSetting = 0; // LedgerService
    std::optional<double> balance;             // StockBalance's answer; ItemCost answers 1
    QString selectedValue;                     // what the pick list returns after ShowList
    QPointer<QWidget> focusDuringList;         // takes the focus while the list is shown
    QStringList missing; // parts that cannot be made: "lookup", "rights", "inventory", "ledger", "settings"
    QStringList real;    // parts made as the real component instead of the double
    QStringList log;

    QStringList calls(const QString &part) const; // the calls of one part, without its name
    void record(const QString &part, const QString &call) { log << part + ' ' + call; }

    std::unique_ptr<companions::LookupDialog> createLookupDialog() override;
    std::unique_ptr<companions::LocationRights> createLocationRights() override;
    std::unique_ptr<companions::InventoryService> createInventoryService() override;
    std::unique_ptr<companions::LedgerService> createLedgerService() override;
    std::unique_ptr<companions::SettingsStore> createSettingsStore() override;
    std::unique_ptr<companions::ControlAttachment> createControlAttachment() override;
};
