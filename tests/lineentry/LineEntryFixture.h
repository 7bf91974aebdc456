#pragma once
// A host window holding one transfer control on a fresh SQLite database, as the line-entry tests
// need it: fill the database, start() (first focus), then work in the grid with the keyboard.
// Also the recording companions for the cases where the calls themselves are the point.

#include "companions/DefaultFactory.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"
#include "grid/LineGrid.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

// One StockBalance call as the inventory component received it.
struct BalanceCall {
    QString code;
    int locationId;
    QString date;
    int documentKind;
    int documentNo;
    bool bySerial;
};

// What the recording companions saw and what they answer.
struct Recorder {
    std::vector<BalanceCall> balanceCalls;
    std::optional<double> serialBalance; // empty: the call fails
    std::optional<double> itemBalance;
    QStringList lookupCalls;           // "SetTitle(Items)", "ShowList()", ...
    QString pickedValue;               // SelectedValue after ShowList; empty = cancelled
    QPointer<QWidget> focusDuringList; // takes the focus while the list is shown, as a dialog would
    int lookupsCreated = 0;
};

// The real companions, except the inventory component and the pick list, which record their
// calls when asked to.
class RecordingFactory : public companions::DefaultFactory {
public:
    explicit RecordingFactory(std::shared_ptr<Recorder> recorder) : m_recorder(std::move(recorder)) {}
    bool recordInventory = true;
    bool recordLookups = true;
    bool lookupMissing = false; // the pick-list component cannot be created

    std::unique_ptr<companions::LookupDialog> createLookupDialog() override;
    std::unique_ptr<companions::InventoryService> createInventoryService() override;

private:
    std::shared_ptr<Recorder> m_recorder;
};

class LineEntryFixture {
public:
    // Real companions throughout unless a factory is given.
    explicit LineEntryFixture(std::shared_ptr<companions::Factory> factory = nullptr,
                              TestDatabase::Engine engine = TestDatabase::Sqlite);
    ~LineEntryFixture();

    TestDatabase db;

    // Shows the host window, active, with the focus in the host's own field outside the control.
    bool show();
    // show(), then gives the control the focus (its first focus) and puts the source location
    // into txtFromLocID. False when the window or the focus does not come.
    bool start(const QString &fromLocation = QStringLiteral("1"));

    QWidget host;
    ctlTransfer *control = nullptr;
    QLineEdit *outside = nullptr; // a field of the host outside the control
    qvtrnsfr::TransferControl *state = nullptr;
    qvtrnsfr::LineGrid *grid = nullptr;

    // Puts the grid's cursor on a cell of a row (the new-row line is lines().rowCount()) by a
    // mouse click, as a user would.
    bool clickCell(int row, int column);
    // Types text into whatever holds the focus, key by key.
    static void type(const QString &text);
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Presses Tab until the widget has the focus; false when it does not come within the form's
    // fields.
    static bool tabTo(const QWidget *widget);
    // The stored lines as compact strings "code|description|unit|conversion|qty|serial".
    QStringList storedLines() const;
    // The current row as the same compact string.
    QString currentRow() const;

    // Test data.
    bool addItem(const QString &code, const QString &description, const QString &stockUnit);
    bool addAlias(const QString &alias, const QString &itemCode);
    bool addUnit(const QString &itemCode, const QString &unit, double factor);
    bool addStock(const QString &itemCode, const QString &serialNo, int location, double qty,
                  double unitCost = 2.5);
    bool addProfile(bool trackSerialNo, bool allowNegative);
    // A location the user may transfer from (direction 1) and to (direction 2).
    bool addLocation(int id, const QString &name);

private:
    std::shared_ptr<companions::Factory> m_factory;
};

// A main that keeps the settings of the column widths in a temporary folder.
#define QVT_LINEENTRY_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir settings;                                                                              \
        qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());                                                \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
