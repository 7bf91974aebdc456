#pragma once
// Companions whose answers a test scripts and whose calls it reads back, made by one factory.
// Every call lands in `log` as "<part> <call>", in order: "create rights", "rights LoadProfile",
// "lookup SetTitle(Items)", "balance S1,1,05/03/2024,5,7,serial", "allowed ann,1,1", ...
//
//     auto factory = std::make_shared<RecordingFactory>();
//     factory->profile.allowNegative = false;  // empty optional: the query fails
//     factory->real = {"inventory"};           // the real component instead of the double
//     factory->missing = {"lookup"};           // cannot be created
//     ...
//     QCOMPARE(factory->calls("lookup"), (QStringList{"SetFilter()", ...}));

#include "companions/DefaultFactory.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

class RecordingFactory : public companions::DefaultFactory,
                         public std::enable_shared_from_this<RecordingFactory> {
public:
    // What LocationRights answers: by default a user who may choose any source.
    struct Profile {
        std::optional<int> number = 0, ownLocation = 0;
        std::optional<bool> trackSerialNo = false, allowNegative = true, dateFixed = false,
                            mayChangeSource = true;
    };
    Profile profile;
    QList<QPair<int, int>> allowed;            // (location, direction) pairs LocationAllowed grants
    bool rightsFail = false;                   // LocationAllowed cannot answer
    std::optional<int> transactionSetting = 0; // LedgerService
    std::optional<double> serialBalance;       // StockBalance by serial; empty: the call fails
    std::optional<double> itemBalance;         // StockBalance by item
    std::optional<double> itemCost = 1.0;      // ItemCost
    QString selectedValue;                     // what the pick list returns after ShowList
    QPointer<QWidget> focusDuringList;         // takes the focus while the list is shown
    QStringList missing;                       // "lookup", "rights", "inventory", "ledger", "settings"
    QStringList real;                          // the same names: the real component is made
    QStringList log;

    // The calls of one part, in order, without the part's name.
    QStringList calls(const QString &part) const;
    void record(const QString &part, const QString &call) { log << part + QLatin1Char(' ') + call; }

    std::unique_ptr<companions::LookupDialog> createLookupDialog() override;
    std::unique_ptr<companions::LocationRights> createLocationRights() override;
    std::unique_ptr<companions::InventoryService> createInventoryService() override;
    std::unique_ptr<companions::LedgerService> createLedgerService() override;
    std::unique_ptr<companions::SettingsStore> createSettingsStore() override;
    std::unique_ptr<companions::ControlAttachment> createControlAttachment() override;

private:
    // Records the creation; true when the double is to be made.
    bool makesDouble(const QString &part);
};
