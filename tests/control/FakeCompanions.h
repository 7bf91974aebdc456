#pragma once
// Test doubles of the companions whose answers a control test scripts, counting what was created.

#include "companions/DefaultFactory.h"

#include <QStringList>

struct ScriptedProfile {
    std::optional<int> profileNumber;
    std::optional<bool> trackSerialNo, allowNegative, dateFixed, mayChangeSource;
    std::optional<int> ownLocation;
    std::optional<int> transactionSetting;
};
Q_DECLARE_METATYPE(ScriptedProfile)

class ScriptedRights : public companions::LocationRights {
public:
    explicit ScriptedRights(const ScriptedProfile &p, QStringList *log) : m_p(p), m_log(log) {}
    void SetConnection(const QSqlDatabase &) override
    {
        m_log->append(QStringLiteral("rights.SetConnection"));
    }
    void SetUser(const QString &user) override { m_log->append(QStringLiteral("rights.SetUser ") + user); }
    void LoadProfile() override { m_log->append(QStringLiteral("rights.LoadProfile")); }
    std::optional<int> ProfileNumber() const override { return m_p.profileNumber; }
    std::optional<bool> TrackSerialNo() const override { return m_p.trackSerialNo; }
    std::optional<bool> AllowNegativeInventory() const override { return m_p.allowNegative; }
    std::optional<bool> DateFixed() const override { return m_p.dateFixed; }
    std::optional<bool> MayChangeSource() const override { return m_p.mayChangeSource; }
    std::optional<int> OwnLocation() const override { return m_p.ownLocation; }
    std::optional<bool> LocationAllowed(const QString &, int, int) override { return true; }

private:
    ScriptedProfile m_p;
    QStringList *m_log;
};

class RecordingInventory : public companions::InventoryService {
public:
    explicit RecordingInventory(QStringList *log) : m_log(log) {}
    void SetConnection(const QSqlDatabase &) override
    {
        m_log->append(QStringLiteral("inventory.SetConnection"));
    }
    void SetProfileNumber(int n) override
    {
        m_log->append(QStringLiteral("inventory.SetProfileNumber ") + QString::number(n));
    }
    std::optional<double> StockBalance(const QString &, int, const QString &, int, int, bool) override
    {
        return 0.0;
    }
    std::optional<double> ItemCost(const QDate &, const QString &, int, int, int) override { return 0.0; }

private:
    QStringList *m_log;
};

class ScriptedLedger : public companions::LedgerService {
public:
    ScriptedLedger(std::optional<int> setting, QStringList *log) : m_setting(setting), m_log(log) {}
    ~ScriptedLedger() override { m_log->append(QStringLiteral("ledger.released")); }
    void SetConnection(const QSqlDatabase &) override
    {
        m_log->append(QStringLiteral("ledger.SetConnection"));
    }
    void LoadSetup() override { m_log->append(QStringLiteral("ledger.LoadSetup")); }
    std::optional<int> TransactionSetting() const override { return m_setting; }
    void PrintVoucher(int, const QString &) override {}

private:
    std::optional<int> m_setting;
    QStringList *m_log;
};

// Real settings and pick lists, scripted profile, ledger and inventory; nullptr for the
// components listed in `missing`.
class ScriptedFactory : public companions::DefaultFactory {
public:
    ScriptedProfile profile;
    QStringList missing;
    QStringList log;
    int attachments = 0;

    std::unique_ptr<companions::LocationRights> createLocationRights() override
    {
        log.append(QStringLiteral("create rights"));
        if (missing.contains(QStringLiteral("rights")))
            return nullptr;
        return std::make_unique<ScriptedRights>(profile, &log);
    }
    std::unique_ptr<companions::InventoryService> createInventoryService() override
    {
        log.append(QStringLiteral("create inventory"));
        if (missing.contains(QStringLiteral("inventory")))
            return nullptr;
        return std::make_unique<RecordingInventory>(&log);
    }
    std::unique_ptr<companions::LedgerService> createLedgerService() override
    {
        log.append(QStringLiteral("create ledger"));
        if (missing.contains(QStringLiteral("ledger")))
            return nullptr;
        return std::make_unique<ScriptedLedger>(profile.transactionSetting, &log);
    }
    std::unique_ptr<companions::ControlAttachment> createControlAttachment() override
    {
        log.append(QStringLiteral("create attachment"));
        ++attachments;
        return companions::DefaultFactory::createControlAttachment();
    }
    std::unique_ptr<companions::SettingsStore> createSettingsStore() override
    {
        if (missing.contains(QStringLiteral("settings")))
            return nullptr;
        return companions::DefaultFactory::createSettingsStore();
    }
};
