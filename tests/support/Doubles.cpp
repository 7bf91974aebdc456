#include "support/Doubles.h"

using companions::DefaultFactory;

namespace {

using Factory = std::shared_ptr<RecordingFactory>;

class RecordingLookup : public companions::LookupDialog {
public:
    explicit RecordingLookup(Factory f) : m_f(std::move(f)) {}
    void SetFilter(const QString &condition) override { call("SetFilter", condition); }
    void SetTitle(const QString &title) override { call("SetTitle", title); }
    void SetConnection(const QSqlDatabase &db) override { call("SetConnection", db.connectionName()); }
    void SetSource(const QString &source) override { call("SetSource", source); }
    void SetKeyColumn(int column) override { call("SetKeyColumn", QString::number(column)); }
    void SetSearchText(const QString &text) override { call("SetSearchText", text); }
    void SetResultColumn(int column) override { call("SetResultColumn", QString::number(column)); }
    void SetOwner(QWidget *owner) override { call("SetOwner", owner ? owner->windowTitle() : "none"); }
    void ShowList() override
    {
        call("ShowList", QString());
        if (m_f->focusDuringList)
            m_f->focusDuringList->setFocus();
        m_selected = m_f->selectedValue;
    }
    QString SelectedValue() const override { return m_selected; }

private:
    void call(const char *name, const QString &argument)
    {
        m_f->record(QStringLiteral("lookup"), QLatin1String(name) + '(' + argument + ')');
    }
    Factory m_f;
    QString m_selected;
};

class ScriptedRights : public companions::LocationRights {
public:
    explicit ScriptedRights(Factory f) : m_f(std::move(f)) {}
    void SetConnection(const QSqlDatabase &) override { m_f->record("rights", "SetConnection"); }
    void SetUser(const QString &user) override { m_f->record("rights", "SetUser " + user); }
    void LoadProfile() override { m_f->record("rights", "LoadProfile"); }
    std::optional<int> ProfileNumber() const override { return m_f->profile.number; }
    std::optional<bool> TrackSerialNo() const override { return m_f->profile.trackSerialNo; }
    std::optional<bool> AllowNegativeInventory() const override { return m_f->profile.allowNegative; }
    std::optional<bool> DateFixed() const override { return m_f->profile.dateFixed; }
    std::optional<bool> MayChangeSource() const override { return m_f->profile.mayChangeSource; }
    std::optional<int> OwnLocation() const override { return m_f->profile.ownLocation; }
    std::optional<bool> LocationAllowed(const QString &user, int locationId, int direction) override
    {
        m_f->record("allowed", QStringLiteral("%1,%2,%3").arg(user).arg(locationId).arg(direction));
        if (m_f->rightsFail)
            return std::nullopt;
        return m_f->allowed.contains(qMakePair(locationId, direction));
    }

private:
    Factory m_f;
};

class RecordingInventory : public companions::InventoryService {
public:
    explicit RecordingInventory(Factory f) : m_f(std::move(f)) {}
    void SetConnection(const QSqlDatabase &) override { m_f->record("inventory", "SetConnection"); }
    void SetProfileNumber(int n) override
    {
        m_f->record("inventory", "SetProfileNumber " + QString::number(n));
    }
    std::optional<double> StockBalance(const QString &code, int locationId, const QString &date, int kind,
                                       int documentNo, bool bySerial) override
    {
        m_f->record("balance", QStringLiteral("%1,%2,%3,%4,%5,%6")
                                   .arg(code)
                                   .arg(locationId)
                                   .arg(date)
                                   .arg(kind)
                                   .arg(documentNo)
                                   .arg(bySerial ? "serial" : "item"));
        return bySerial ? m_f->serialBalance : m_f->itemBalance;
    }
    std::optional<double> ItemCost(const QDate &, const QString &, int, int, int) override
    {
        return m_f->itemCost;
    }

private:
    Factory m_f;
};

class ScriptedLedger : public companions::LedgerService {
public:
    explicit ScriptedLedger(Factory f) : m_f(std::move(f)) {}
    ~ScriptedLedger() override { m_f->record("ledger", "released"); }
    void SetConnection(const QSqlDatabase &) override { m_f->record("ledger", "SetConnection"); }
    void LoadSetup() override { m_f->record("ledger", "LoadSetup"); }
    std::optional<int> TransactionSetting() const override { return m_f->transactionSetting; }
    void PrintVoucher(int id, const QString &title) override
    {
        m_f->record("ledger", QStringLiteral("PrintVoucher %1 %2").arg(id).arg(title));
    }

private:
    Factory m_f;
};

// Records the creation, then makes nothing (missing), the real component or the double.
template <typename Double, typename MakeReal>
auto make(RecordingFactory &f, const QString &part, MakeReal makeReal) -> decltype(makeReal())
{
    f.record(QStringLiteral("create"), part);
    if (f.missing.contains(part))
        return nullptr;
    if constexpr (std::is_void_v<Double>)
        return makeReal();
    else
        return f.real.contains(part) ? makeReal() : std::make_unique<Double>(f.shared_from_this());
}

} // namespace

QStringList RecordingFactory::calls(const QString &part) const
{
    QStringList found;
    const QString prefix = part + QLatin1Char(' ');
    for (const QString &entry : log) {
        if (entry.startsWith(prefix))
            found << entry.mid(prefix.size());
    }
    return found;
}

std::unique_ptr<companions::LookupDialog> RecordingFactory::createLookupDialog()
{
    return make<RecordingLookup>(*this, "lookup", [this] { return DefaultFactory::createLookupDialog(); });
}

std::unique_ptr<companions::LocationRights> RecordingFactory::createLocationRights()
{
    return make<ScriptedRights>(*this, "rights", [this] { return DefaultFactory::createLocationRights(); });
}

std::unique_ptr<companions::InventoryService> RecordingFactory::createInventoryService()
{
    return make<RecordingInventory>(*this, "inventory",
                                    [this] { return DefaultFactory::createInventoryService(); });
}

std::unique_ptr<companions::LedgerService> RecordingFactory::createLedgerService()
{
    return make<ScriptedLedger>(*this, "ledger", [this] { return DefaultFactory::createLedgerService(); });
}

std::unique_ptr<companions::SettingsStore> RecordingFactory::createSettingsStore()
{
    return make<void>(*this, "settings", [this] { return DefaultFactory::createSettingsStore(); });
}

std::unique_ptr<companions::ControlAttachment> RecordingFactory::createControlAttachment()
{
    return make<void>(*this, "attachment", [this] { return DefaultFactory::createControlAttachment(); });
}
