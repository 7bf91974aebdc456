#include "ReferenceFixture.h"

#include "grid/LineGrid.h"
#include "grid/Totals.h"

namespace {

class RecordingLookup : public companions::LookupDialog {
public:
    explicit RecordingLookup(std::shared_ptr<CompanionScript> script) : m_script(std::move(script)) {}
    void SetFilter(const QString &condition) override { record("SetFilter", condition); }
    void SetTitle(const QString &title) override { record("SetTitle", title); }
    void SetConnection(const QSqlDatabase &db) override { record("SetConnection", db.connectionName()); }
    void SetSource(const QString &source) override { record("SetSource", source); }
    void SetKeyColumn(int column) override { record("SetKeyColumn", QString::number(column)); }
    void SetSearchText(const QString &text) override { record("SetSearchText", text); }
    void SetResultColumn(int column) override { record("SetResultColumn", QString::number(column)); }
    void SetOwner(QWidget *owner) override { record("SetOwner", owner ? owner->windowTitle() : "none"); }
    void ShowList() override { record("ShowList", QString()); }
    QString SelectedValue() const override { return m_script->selectedValue; }

private:
    void record(const char *call, const QString &argument)
    {
        m_script->lookupCalls << QString::fromLatin1(call) + '(' + argument + ')';
    }
    std::shared_ptr<CompanionScript> m_script;
};

// Location rights answering from the script; the profile is that of a user who may choose the
// source location.
class ScriptedRights : public companions::LocationRights {
public:
    explicit ScriptedRights(std::shared_ptr<CompanionScript> script) : m_script(std::move(script)) {}
    void SetConnection(const QSqlDatabase &) override {}
    void LoadProfile() override {}
    std::optional<int> ProfileNumber() const override { return 0; }
    std::optional<bool> TrackSerialNo() const override { return false; }
    std::optional<bool> AllowNegativeInventory() const override { return true; }
    std::optional<bool> DateFixed() const override { return false; }
    std::optional<bool> MayChangeSource() const override { return true; }
    std::optional<int> OwnLocation() const override { return 0; }
    std::optional<bool> LocationAllowed(const QString &user, int locationId, int direction) override
    {
        m_script->rightsCalls << QStringLiteral("%1,%2,%3").arg(user).arg(locationId).arg(direction);
        if (m_script->rightsFail)
            return std::nullopt;
        return m_script->allowed.contains(qMakePair(locationId, direction));
    }

private:
    std::shared_ptr<CompanionScript> m_script;
};

} // namespace

std::unique_ptr<companions::LookupDialog> RecordingFactory::createLookupDialog()
{
    if (!m_script->lookupAvailable)
        return nullptr;
    return std::make_unique<RecordingLookup>(m_script);
}

std::unique_ptr<companions::LocationRights> RecordingFactory::createLocationRights()
{
    return std::make_unique<ScriptedRights>(m_script);
}

bool HostWindow::start()
{
    if (!m_host.show())
        return false;
    m_host.focusControl();
    return state().FocusInitialised;
}

void HostWindow::enter(QLineEdit *field, const QString &text)
{
    // What an event loop does between two actions of a user: work left for later runs first.
    QCoreApplication::processEvents();
    field->setFocus();
    field->setText(text);
}

void HostWindow::setLines(const QList<QPair<QString, QString>> &itemsAndQuantities)
{
    auto lines = std::make_unique<qvtrnsfr::LineArray>();
    lines->Resize(0, int(itemsAndQuantities.size()) - 1, 0, qvtrnsfr::LineColumns - 1);
    for (int row = 0; row < itemsAndQuantities.size(); ++row) {
        lines->SetCell(row, qvtrnsfr::ColItemCode, itemsAndQuantities.at(row).first);
        lines->SetCell(row, qvtrnsfr::ColQty, itemsAndQuantities.at(row).second);
    }
    state().replaceLines(std::move(lines));
    qvtrnsfr::UpdateTotalQty(state());
}

QStringList HostWindow::lineRows()
{
    const qvtrnsfr::LineArray &lines = state().lineArray();
    QStringList rows;
    for (int row = 0; row < lines.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < lines.columnCount(); ++column)
            cells << lines.cellText(row, column);
        rows << cells.join('|');
    }
    return rows;
}
