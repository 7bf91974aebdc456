#include "LineEntryFixture.h"

#include <QDate>
#include <QHBoxLayout>
#include <QTest>

using namespace qvtrnsfr;

namespace {

const QString UserName = QStringLiteral("clerk");

class RecordingInventory : public companions::InventoryService {
public:
    explicit RecordingInventory(std::shared_ptr<Recorder> recorder) : m_recorder(std::move(recorder)) {}
    void SetConnection(const QSqlDatabase &) override {}
    void SetProfileNumber(int) override {}
    std::optional<double> StockBalance(const QString &code, int locationId, const QString &date,
                                       int documentKind, int documentNo, bool bySerial) override
    {
        m_recorder->balanceCalls.push_back({code, locationId, date, documentKind, documentNo, bySerial});
        return bySerial ? m_recorder->serialBalance : m_recorder->itemBalance;
    }
    std::optional<double> ItemCost(const QDate &, const QString &, int, int, int) override { return 1.0; }

private:
    std::shared_ptr<Recorder> m_recorder;
};

class RecordingLookup : public companions::LookupDialog {
public:
    explicit RecordingLookup(std::shared_ptr<Recorder> recorder) : m_recorder(std::move(recorder)) {}
    void SetFilter(const QString &condition) override { record(QStringLiteral("SetFilter"), condition); }
    void SetTitle(const QString &title) override { record(QStringLiteral("SetTitle"), title); }
    void SetConnection(const QSqlDatabase &db) override
    {
        record(QStringLiteral("SetConnection"), db.connectionName());
    }
    void SetSource(const QString &source) override { record(QStringLiteral("SetSource"), source); }
    void SetKeyColumn(int column) override
    {
        record(QStringLiteral("SetKeyColumn"), QString::number(column));
    }
    void SetSearchText(const QString &text) override { record(QStringLiteral("SetSearchText"), text); }
    void SetResultColumn(int column) override
    {
        record(QStringLiteral("SetResultColumn"), QString::number(column));
    }
    void SetOwner(QWidget *owner) override
    {
        record(QStringLiteral("SetOwner"), owner ? owner->windowTitle() : QStringLiteral("none"));
    }
    void ShowList() override
    {
        record(QStringLiteral("ShowList"), QString());
        if (m_recorder->focusDuringList)
            m_recorder->focusDuringList->setFocus();
        m_selected = m_recorder->pickedValue;
    }
    QString SelectedValue() const override { return m_selected; }

private:
    void record(const QString &call, const QString &argument)
    {
        m_recorder->lookupCalls << call + QLatin1Char('(') + argument + QLatin1Char(')');
    }
    std::shared_ptr<Recorder> m_recorder;
    QString m_selected;
};

QString compactRow(const QStringList &cells)
{
    return cells.join(QLatin1Char('|'));
}

} // namespace

std::unique_ptr<companions::LookupDialog> RecordingFactory::createLookupDialog()
{
    if (lookupMissing)
        return nullptr;
    if (!recordLookups)
        return DefaultFactory::createLookupDialog();
    ++m_recorder->lookupsCreated;
    return std::make_unique<RecordingLookup>(m_recorder);
}

std::unique_ptr<companions::InventoryService> RecordingFactory::createInventoryService()
{
    if (!recordInventory)
        return DefaultFactory::createInventoryService();
    return std::make_unique<RecordingInventory>(m_recorder);
}

LineEntryFixture::LineEntryFixture(std::shared_ptr<companions::Factory> factory, TestDatabase::Engine engine)
    : db(engine), m_factory(factory ? std::move(factory) : std::make_shared<companions::DefaultFactory>())
{
    host.setWindowTitle(QStringLiteral("Host Caption"));
    auto *layout = new QHBoxLayout(&host);
    control = new ctlTransfer(&host);
    outside = new QLineEdit(&host);
    outside->setObjectName(QStringLiteral("hostField"));
    layout->addWidget(outside);
    layout->addWidget(control);
    state = control->findChild<TransferControl *>();
    grid = control->findChild<LineGrid *>(QStringLiteral("grdDetail"));
}

LineEntryFixture::~LineEntryFixture()
{
    // The control closes its recordset with itself; the connection must outlive both.
    delete control;
}

bool LineEntryFixture::show()
{
    if (!db.isValid() || !state || !grid)
        return false;
    control->setConnection(db.connection());
    control->setUser(UserName);
    control->setAllowEdit(false);
    control->setCompanionFactory(m_factory);
    host.show();
    if (!QTest::qWaitForWindowExposed(&host))
        return false;
    host.activateWindow();
    if (!QTest::qWaitForWindowActive(&host))
        return false;
    outside->setFocus();
    return QTest::qWaitFor([this] { return outside->hasFocus(); });
}

bool LineEntryFixture::start(const QString &fromLocation)
{
    if (!show())
        return false;
    state->form.txtNarration->setFocus();
    if (!QTest::qWaitFor([this] { return state->FocusInitialised; }))
        return false;
    state->form.txtFromLocID->setText(fromLocation);
    return true;
}

bool LineEntryFixture::clickCell(int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    if (!index.isValid())
        return false;
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(index).center());
    return QTest::qWaitFor([&] { return grid->currentRowIndex() == row && grid->currentColumn() == column; });
}

void LineEntryFixture::type(const QString &text)
{
    for (const QChar ch : text)
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

void LineEntryFixture::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

bool LineEntryFixture::tabTo(const QWidget *widget)
{
    for (int presses = 0; presses < 40; ++presses) {
        if (QApplication::focusWidget() == widget)
            return true;
        press(Qt::Key_Tab);
    }
    return QApplication::focusWidget() == widget;
}

QStringList LineEntryFixture::storedLines() const
{
    QStringList rows;
    const LineArray &lines = state->lineArray();
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        QStringList cells;
        for (int column : {ColItemCode, ColDescription, ColUnit, ColConversion, ColQty, ColSerialNo})
            cells << lines.cellText(row, column);
        rows << compactRow(cells);
    }
    return rows;
}

QString LineEntryFixture::currentRow() const
{
    QStringList cells;
    for (int column : {ColItemCode, ColDescription, ColUnit, ColConversion, ColQty, ColSerialNo})
        cells << grid->cellText(column);
    return compactRow(cells);
}

bool LineEntryFixture::addItem(const QString &code, const QString &description, const QString &stockUnit)
{
    return db.exec(QStringLiteral("insert into ICItem (ItemID, Descp, StockUnit) values (?, ?, ?)"),
                   {code, description, stockUnit});
}

bool LineEntryFixture::addAlias(const QString &alias, const QString &itemCode)
{
    return db.exec(QStringLiteral("insert into ICItemL (item, itemid) values (?, ?)"), {alias, itemCode});
}

bool LineEntryFixture::addUnit(const QString &itemCode, const QString &unit, double factor)
{
    return db.exec(QStringLiteral("insert into ICUnit (ItemID, Unit, Conver) values (?, ?, ?)"),
                   {itemCode, unit, factor});
}

bool LineEntryFixture::addStock(const QString &itemCode, const QString &serialNo, int location, double qty,
                                double unitCost)
{
    return db.exec(QStringLiteral("insert into StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) "
                                  "values (?, ?, ?, ?, ?, ?)"),
                   {itemCode,
                    serialNo.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(serialNo),
                    location, QDate::currentDate().addDays(-30), qty, unitCost});
}

bool LineEntryFixture::addProfile(bool trackSerialNo, bool allowNegative)
{
    return db.exec(
        QStringLiteral("insert into UserProfile (UserName, ProfileNo, TrackSerialNo, AllowNegative, "
                       "DateFixed, MayChangeSource, OwnLocID) values (?, 1, ?, ?, ?, ?, 0)"),
        {UserName, trackSerialNo, allowNegative, false, true});
}

bool LineEntryFixture::addLocation(int id, const QString &name)
{
    return db.exec(QStringLiteral("insert into ICLoc (LocID, LocName) values (?, ?)"), {id, name}) &&
           db.exec(QStringLiteral("insert into UserLocRight (UserName, LocID, Direction) values (?, ?, 1), "
                                  "(?, ?, 2)"),
                   {UserName, id, UserName, id});
}
