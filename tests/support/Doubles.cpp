#include "support/Doubles.h"

using companions::DefaultFactory;

namespace {

// One double for the pick list, the location rights, the inventory and the ledger: it records
// each call under the name of the part it was made as, and answers from the factory's script.
class Recording : public companions::LookupDialog,
                  public companions::LocationRights,
                  public companions::InventoryService,
                  public companions::LedgerService {
public:
    Recording(std::shared_ptr<RecordingFactory> f, const QString &part) : m_f(std::move(f)), m_part(part) {}
    ~Recording() override
    {
        if (m_part == QLatin1String("ledger"))
            call("released");
    }
    void SetConnection(const QSqlDatabase &db) override
    {
        call(m_part == QLatin1String("lookup") ? "SetConnection(" + db.connectionName() + ')'
                                               : "SetConnection");
    }
    void SetFilter(const QString &condition) override { call("SetFilter", condition); }
    void SetTitle(const QString &title) override { call("SetTitle", title); }
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
    void SetUser(const QString &user) override { call("SetUser " + user); }
    void LoadProfile() override { call("LoadProfile"); }
    std::optional<int> ProfileNumber() const override { return m_f->profile.number; }
    std::optional<bool> TrackSerialNo() const override { return m_f->profile.trackSerialNo; }
    std::optional<bool> AllowNegativeInventory() const override { return m_f->profile.allowNegative; }
    std::optional<bool> DateFixed() const override { return m_f->profile.dateFixed; }
    std::optional<bool> MayChangeSource() const override { return m_f->profile.mayChangeSource; }
    std::optional<int> OwnLocation() const override { return m_f->profile.ownLocation; }
    std::optional<bool> LocationAllowed(const QString &user, int locationId, int direction) override
    {
        m_f->record("allowed", QStringLiteral("%1,%2,%3").arg(user).arg(locationId).arg(direction));
        return m_f->allowed.contains({locationId, direction});
    }
    void SetProfileNumber(int n) override { call("SetProfileNumber " + QString::number(n)); }
    std::optional<double> StockBalance(const QString &code, int locationId, const QString &date, int kind,
                                       int documentNo, bool bySerial) override
    {
        m_f->record("balance", QStringLiteral("%1,%2,%3,%4,%5,%6")
                                   .arg(code, QString::number(locationId), date, QString::number(kind),
                                        QString::number(documentNo), bySerial ? "serial" : "item"));
        return m_f->balance;
    }
    std::optional<double> ItemCost(const QDate &, const QString &, int, int, int) override { return 1.0; }
    void LoadSetup() override { call("LoadSetup"); }
    std::optional<int> TransactionSetting() const override { return m_f->transactionSetting; }
    void PrintVoucher(int id, const QString &title) override
    {
        call(QStringLiteral("PrintVoucher %1 %2").arg(id).arg(title));
    }

private:
    void call(const QString &name) { m_f->record(m_part, name); }
    void call(const char *name, const QString &argument) { call(QLatin1String(name) + '(' + argument + ')'); }

    std::shared_ptr<RecordingFactory> m_f;
    QString m_part;
    QString m_selected;
};

template <typename Interface, typename MakeReal>
std::unique_ptr<Interface> make(RecordingFactory &f, const QString &part, MakeReal makeReal)
{
    f.record(QStringLiteral("create"), part);
    if (f.missing.contains(part))
        return nullptr;
    if constexpr (std::is_base_of_v<Interface, Recording>) {
        if (!f.real.contains(part))
            return std::make_unique<Recording>(f.shared_from_this(), part);
    }
    return makeReal();
}

} // namespace

QStringList RecordingFactory::calls(const QString &part) const
{
    QStringList found;
    for (const QString &entry : log) {
        if (entry.startsWith(part + ' '))
            found << entry.mid(part.size() + 1);
    }
    return found;
}

// Each factory method records the creation and makes nothing, the double or the real component.
#define QVT_RECORDING_CREATE(Interface, method, part)                                                        \
    std::unique_ptr<companions::Interface> RecordingFactory::method()                                        \
    {                                                                                                        \
        return make<companions::Interface>(*this, part, [this] { return DefaultFactory::method(); });        \
    }

QVT_RECORDING_CREATE(LookupDialog, createLookupDialog, "lookup")
QVT_RECORDING_CREATE(LocationRights, createLocationRights, "rights")
QVT_RECORDING_CREATE(InventoryService, createInventoryService, "inventory")
QVT_RECORDING_CREATE(LedgerService, createLedgerService, "ledger")
QVT_RECORDING_CREATE(SettingsStore, createSettingsStore, "settings")
QVT_RECORDING_CREATE(ControlAttachment, createControlAttachment, "attachment")
