// The voucher without its window: the header and line rules, the look-ups of locations,
// requisitions, items, units and prices, and the store: saving, recalling and deleting vouchers,
// the checks a save makes again inside its transaction, and two users saving at the same moment.

#include "companions/ProfileLocationRights.h"
#include "companions/StockMoveInventory.h"
#include "platform/Db.h"
#include "support/TestDatabase.h"
#include "voucher/Catalog.h"
#include "voucher/Gs1.h"
#include "voucher/HeaderRules.h"
#include "voucher/LineImport.h"
#include "voucher/LineRules.h"
#include "voucher/Locations.h"
#include "voucher/Requisitions.h"
#include "voucher/VoucherStore.h"

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <thread>

using namespace qvtrnsfr;
using Engine = TestDatabase::Engine;

namespace {

// Lines written "cell|cell|...;next line", cells from "Item Code" on.
LineArray linesOf(const QString &text)
{
    LineArray lines;
    lines.Resize(0, -1, 0, LineColumns - 1);
    for (const QString &line : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split('|');
        lines.appendRow(LineArray::Row(cells.begin(), cells.end()));
    }
    return lines;
}

QString textOf(const LineArray &lines)
{
    QStringList rows;
    for (int row = 0; row < lines.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < lines.columnCount(); ++column)
            cells << lines.cellText(row, column);
        rows << cells.join('|');
    }
    return rows.join(';');
}

// A voucher of 5 March 2024 with the lines, its total their sum.
Voucher voucherOf(const QString &docNo, const QString &from, const QString &to, const QString &lines = {})
{
    Voucher voucher;
    voucher.docNo = NumberText::read(docNo);
    voucher.fromLocation = NumberText::read(from);
    voucher.toLocation = NumberText::read(to);
    voucher.date = QDate(2024, 3, 5);
    voucher.lines = linesOf(lines);
    voucher.total = NumberText::read(QString::number(totalQuantity(voucher.lines)));
    return voucher;
}

// "severity field row [title]: text", or "passes".
QString shown(const std::optional<Refusal> &refusal)
{
    if (!refusal)
        return "passes";
    static const char *const severities[] = {"warning", "information", "critical"};
    static const char *const fields[] = {"-", "number", "from", "to", "line"};
    QString text = QString("%1 %2").arg(severities[int(refusal->severity)], fields[int(refusal->field)]);
    if (refusal->row >= 0)
        text += ' ' + QString::number(refusal->row);
    if (!refusal->title.isEmpty())
        text += " [" + refusal->title + ']';
    return text + ": " + refusal->text;
}

// The outcome; a failure by the first line of the database's reason, without PostgreSQL's prefix.
QString shown(const SaveResult &result)
{
    static const char *const outcomes[] = {"saved ", "not found", "refused ", "failed "};
    return outcomes[result.outcome] + (result.outcome == SaveResult::Saved ? QString::number(result.docNo)
                                       : result.outcome == SaveResult::Refused
                                           ? shown(result.refusal)
                                           : QString(result.failure).remove("ERROR:  ").section('\n', 0, 0));
}

// "number date|to|narration|order|requisition|prices|link lines"
QString shown(const std::optional<LoadedVoucher> &voucher)
{
    if (!voucher)
        return "none";
    return QString("%1 %2|%3|%4|%5|%6|%7|%8 ")
               .arg(voucher->docNo)
               .arg(voucher->date.isValid() ? voucher->date.toString(Qt::ISODate) : "-", voucher->toLocation,
                    voucher->narration, voucher->orderNo, voucher->requisition,
                    voucher->showPrices ? "prices" : "-")
               .arg(voucher->ledgerLink) +
           (voucher->lines ? textOf(*voucher->lines) : "no lines");
}

// Stock balances answered in the order asked ("fail": the call fails), each call written down.
struct ScriptedInventory : companions::StockMoveInventory {
    QStringList answers, calls;
    std::optional<double> StockBalance(const QString &code, int location, const QString &date, int kind,
                                       int docNo, bool bySerial) override
    {
        calls << QString("%1,%2,%3,%4,%5,%6")
                     .arg(code, QString::number(location), date, QString::number(kind),
                          QString::number(docNo), QString(bySerial ? "serial" : "item"));
        const QString answer = answers.isEmpty() ? "fail" : answers.takeFirst();
        return answer == "fail" ? std::nullopt : std::optional(answer.toDouble());
    }
};

// The same answer ("yes", "no", "fail") to every location right asked, each question written down.
struct ScriptedRights : companions::ProfileLocationRights {
    QString answer;
    QStringList calls;
    std::optional<bool> LocationAllowed(const QString &user, int location, int direction) override
    {
        calls << QString("%1,%2,%3").arg(user).arg(location).arg(direction);
        return answer == "fail" ? std::nullopt : std::optional(answer == "yes");
    }
};

// What the look-ups read: locations; items, one with a quote in its code and one whose code
// without dashes is also an alias of another item; a unit, a price; requisitions of location 2 (12
// with a served and an open line, 13 of an unknown item only, 14 without narration) and of 3 (15,
// served).
const char *const Catalog[] = {
    "Insert into ICLoc (LocID, LocName) Values (1, 'Main store'), (2, 'Branch')",
    "Insert into ICItem (ItemID, Descp, StockUnit) Values ('10-00-01', 'Bolt', 'PCS'),"
    " ('10-00-02', 'Nut', 'PCS'), ('BC-100', 'Own code', 'PCS'), ('O''Neil-1', 'Quoted', 'PCS')",
    "Insert into ICItemL (item, itemid) Values ('BC-1-00', '10-00-02')",
    "Insert into ICUnit (ItemID, Unit, Conver) Values ('10-00-01', 'BOX', 12), ('O''Neil-1', 'C''N', 4)",
    "Insert into icpric (itemid, pricelist, Price) Values ('10-00-01', 'RETAIL', 2.5)",
    "Insert into ReqH (LocID, DocNo, DocDate, Narration) Values (2, 12, '2024-02-01', 'For the branch'),"
    " (2, 13, '2024-02-02', 'Unknown items'), (2, 14, '2024-02-03', NULL), (3, 15, '2024-02-04', 'Served')",
    "Insert into ReqStat (LocID, DocNo, ItemID, Unit, Conver, SrNo, QtyReq, POQty) Values"
    " (2, 12, '10-00-01', 'PCS', 1, 'S1', 10, 10), (2, 12, '10-00-02', 'BOX', 12, 'S2', 10, 4),"
    " (2, 13, 'Z-9', 'PCS', 1, 'S3', 3, 0), (2, 14, '10-00-01', 'PCS', 1, 'S4', 2, 0),"
    " (3, 15, '10-00-01', 'PCS', 1, 'S5', 2, 2)"};

// Locations 1 to 3; user "tester" may send from 1, 2 and 9 (which is no location) and to 1 and 2.
// Stock at source 1 on 5 March 2024: A-1 10 (cost 3), B-2 10 (cost 5; 10 more in June at 100),
// D-4 1 as serial number SN-1; C-3 has none (standard cost 1). The ledger's DbID is 7.
const char *const Masters[] = {
    "Insert into ICLoc (LocID, LocName) Values (1, 'Main store'), (2, 'Branch'), (3, 'Workshop')",
    "Insert into ICItem (ItemID, Descp, StockUnit, StdCost) Values ('A-1', 'Bolt', 'PCS', 2.5),"
    " ('B-2', 'Nut', 'PCS', 4), ('C-3', 'Washer', 'PCS', 1), ('D-4', 'Lamp', 'PCS', 40)",
    "Insert into StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) Values"
    " ('A-1', NULL, 1, '2024-01-02', 10, 3), ('B-2', NULL, 1, '2024-01-02', 10, 5),"
    " ('B-2', NULL, 1, '2024-06-01', 10, 100), ('D-4', 'SN-1', 1, '2024-01-02', 1, 50)",
    "Insert into UserLocRight (UserName, LocID, Direction) Values ('tester', 1, 1), ('tester', 2, 1),"
    " ('tester', 9, 1), ('tester', 1, 2), ('tester', 2, 2)",
    "Insert into GLSetup (DbID, UseTransaction) Values (7, 1)"};

// The master data and the statements given, with the real stock and rights components.
struct Store {
    Store(Engine engine, const QStringList &seed) : db(engine)
    {
        ready = db.isValid();
        for (const QString &sql : QStringList(std::begin(Masters), std::end(Masters)) + seed)
            ready = ready && db.exec(sql);
        inventory.SetConnection(db.connection());
        rights.SetConnection(db.connection());
    }
    SaveResult save(const Voucher &voucher, bool useTransaction = true, StockOptions stock = {false, true})
    {
        return VoucherStore(db.connection())
            .SaveDocument(voucher, {"tester", useTransaction, stock, &inventory, &rights});
    }
    TestDatabase db;
    companions::StockMoveInventory inventory;
    companions::ProfileLocationRights rights;
    bool ready = false;
};

// The store of the row's engine, over the masters and the statements given.
#define QVT_STORE(name, ...)                                                                                 \
    QFETCH(Engine, engine);                                                                                  \
    QVT_SKIP_UNLESS_AVAILABLE(engine);                                                                       \
    Store name(engine, __VA_ARGS__);                                                                         \
    QVERIFY2(name.ready, qPrintable(name.db.errorText()))

// Declares the columns of a data table, of the types given, in order.
template <typename... Types> void columns(const std::array<const char *, sizeof...(Types)> &names)
{
    int column = 0;
    (QTest::addColumn<Types>(names[column++]), ...);
}

// Makes the database refuse to insert a line whose quantity is 13.
QStringList refuseThirteen(Engine engine)
{
    if (engine == TestDatabase::Sqlite)
        return {"CREATE TRIGGER Refuse BEFORE INSERT ON ICTRAND WHEN NEW.Qty = 13"
                " BEGIN SELECT RAISE(ABORT, 'Line refused'); END"};
    return {"CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF NEW.Qty = 13 THEN"
            " RAISE EXCEPTION 'Line refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql",
            "CREATE TRIGGER Refuse BEFORE INSERT ON ICTRAND FOR EACH ROW EXECUTE FUNCTION refuse()"};
}

// One save or rewrite of each of two users, index 0 and 1, in each round.
using UserSave = std::function<SaveResult(int user, int round, VoucherStore &, const SaveContext &)>;

// Two users, each on a connection of its own with the real stock and rights components, save at
// the same moment in every round; after each round `between` runs on the test's own thread with
// both outcomes. Answers what `between` made of each round.
QStringList inStep(const QString &host, int rounds, StockOptions stock, const UserSave &save,
                   const std::function<QString(QStringList outcomes)> &between)
{
    QSemaphore start[2], done; // each user its own start, so neither runs a round ahead
    std::vector<std::array<QString, 2>> outcomes(static_cast<size_t>(rounds));
    const auto user = [&, host](int index) {
        const QString name = QString("user%1").arg(index);
        {
            QSqlDatabase db = QSqlDatabase::cloneDatabase(host, name);
            const bool opened = db.open();
            companions::StockMoveInventory inventory;
            companions::ProfileLocationRights rights;
            inventory.SetConnection(db);
            rights.SetConnection(db);
            const SaveContext context{"tester", true, stock, &inventory, &rights};
            VoucherStore store(db);
            for (int round = 0; round < rounds; ++round) {
                start[index].acquire();
                outcomes[size_t(round)][size_t(index)] =
                    opened ? shown(save(index, round, store, context)) : "no connection";
                done.release();
            }
        }
        QSqlDatabase::removeDatabase(name);
    };
    std::thread first(user, 0), second(user, 1);
    QStringList seen;
    for (int round = 0; round < rounds; ++round) {
        start[0].release();
        start[1].release();
        done.acquire(2);
        seen << between({outcomes[size_t(round)][0], outcomes[size_t(round)][1]});
    }
    first.join();
    second.join();
    return seen;
}

} // namespace

class TestVoucher : public QObject {
    Q_OBJECT
    std::map<Engine, std::unique_ptr<TestDatabase>> m_catalogs; // read only, shared by the look-ups

    QSqlDatabase catalog(Engine engine) { return m_catalogs.at(engine)->connection(); }

private slots:
    void initTestCase()
    {
        for (const Engine engine : TestDatabase::enginesAvailable()) {
            auto &db = m_catalogs[engine] = std::make_unique<TestDatabase>(engine);
            for (const char *sql : Catalog)
                QVERIFY2(db->isValid() && db->exec(sql), qPrintable(db->errorText()));
        }
    }

    void headerRules_data()
    {
        columns<QString, QString, QString, QString>({"from", "to", "total", "result"});
        const auto add = [](const char *name, const char *from, const char *to, const char *total,
                            const QString &result) { QTest::newRow(name) << from << to << total << result; };
        const QString same = "warning to: Transfer from location and to location are same.";
        add("both empty", "", "", "3.00", "warning from: Empty from location can not be allowed.");
        add("no destination", "1", "", "3.00", "warning to: Empty to location can not be allowed.");
        add("same number", "2", "2.0", "3.00", same);
        add("source no number", "abc", "2", "3.00", same);
        add("a blank source", " ", "2", "3.00", same);
        add("same before zero total", "2", "2", "0.00", same);
        add("zero total", "1", "2", "0.00", "warning -: Empty voucher can not be saved.");
        add("negative total", "1", "2", "-3.00", "passes");
        add("grouped total leads with 1", "1", "2", "1,250.00", "passes");
    }
    // The header's rules in their order; the first that fails decides.
    void headerRules()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, total);
        Voucher voucher = voucherOf("1", from, to);
        voucher.total = NumberText::read(total);
        QTEST(shown(ValidateDocument(voucher)), "result");
    }

    void lineCheck_data()
    {
        // options "serial" tracks serials, "negative" lets stock go negative; stored: the voucher's
        // lines; answers: the balances the inventory gives, in order; result: refusal / balance left
        columns<QString, QString, QString, QString, int, QString, QString, QString>(
            {"options", "from", "stored", "line", "row", "answers", "result", "calls"});
        const auto add = [](const char *name, const char *options, const char *line, const char *answers,
                            const QString &result, const QString &calls, const char *stored = "", int row = 0,
                            const char *from = "1") {
            QTest::newRow(name) << options << from << stored << line << row << answers << result << calls;
        };
        const QString item = "A-1,1,05/03/2024,5,999999999,item", serial = "S1,1,05/03/2024,5,7,serial";
        const QString itemShort =
            "critical line %1: Item has not in balance and Negative Inventory not allowed. / %2";
        const QString serialShort = "critical line 0: This Serialized Item has not in balance. / %1";
        const char *const stored = "A-1|Bolt|PCS|1|3;B-2|Nut|PCS|1|9;A-1|Bolt|BOX|2|2"; // 7 of A-1
        add("code found no item", "", "X-9||PCS|1|1", "",
            "critical line 0: Item Code code can not be blank. / 0", "");
        add("no unit", "", "A-1|Bolt||1|1", "", "critical line 0: Unit can not be blank. / 0", "");
        add("no quantity", "", "A-1|Bolt|PCS|1|", "", "critical line 0: Quantity can not be blank. / 0", "");
        add("no serial, tracked", "serial", "A-1|Bolt|PCS|1|1", "",
            "critical line 0: Serial No. does not exist. / 0", "");
        add("no serial, not tracked", "negative", "A-1|Bolt|PCS|1|1", "", "passes / 0", "");
        add("serial in balance in base units", "serial negative", "A-1|Bolt|BOX|12|1|S1", "12", "passes / 12",
            serial);
        add("serial short in base units", "serial negative", "A-1|Bolt|BOX|12|1|S1", "11",
            serialShort.arg(11), serial);
        add("serial query fails", "serial negative", "A-1|Bolt|PCS|1|1|S1", "fail", serialShort.arg(0),
            serial);
        add("item equal to balance", "", "A-1|Bolt|BOX|12|2", "24", "passes / 24", item);
        add("item short", "", "A-1|Bolt|BOX|12|2", "23", itemShort.arg(0).arg(23), item);
        add("item query fails", "", "A-1|Bolt|PCS|1|1", "fail", itemShort.arg(0).arg(0), item);
        add("serial, then item short", "serial", "A-1|Bolt|PCS|1|2|S1", "5 1", itemShort.arg(0).arg(1),
            serial + ' ' + item);
        add("item query fails after the serial's", "serial", "A-1|Bolt|PCS|1|2|S1", "5 fail", "passes / 5",
            serial + ' ' + item);
        add("source 2.5 is location 2", "", "A-1|Bolt|PCS|1|1", "1", "passes / 1",
            "A-1,2,05/03/2024,5,999999999,item", "", 0, "2.5");
        add("source 3.5 is location 4", "", "A-1|Bolt|PCS|1|1", "1", "passes / 1",
            "A-1,4,05/03/2024,5,999999999,item", "", 0, "3.5");
        add("quantity 12abc over 11", "", "A-1|Bolt|PCS|1|12abc", "11", itemShort.arg(0).arg(11), item);
        add("quantity 12abc within 12", "", "A-1|Bolt|PCS|1|12abc", "12", "passes / 12", item);
        add("other lines leave 3 of 10, 3 fit", "", "A-1|Bolt|PCS|1|3", "10", "passes / 3", item, stored, 3);
        add("other lines leave 3 of 10, 4 do not", "", "A-1|Bolt|PCS|1|4", "10", itemShort.arg(3).arg(3),
            item, stored, 3);
        add("the line's own row is not counted", "", "A-1|Bolt|PCS|1|6", "10", "passes / 6", item, stored, 0);
        add("other lines that are no numbers add nothing", "", "A-1|Bolt|PCS|1|10", "10", "passes / 10", item,
            "A-1|Bolt|PCS|1|12abc;A-1|Bolt|PCS|x|2;a-1|Bolt|PCS|1|5", 3);
    }
    // A line's cells, then its serial number's and its item's stock at the source as of the
    // voucher's date, less what the voucher's other lines take of the item.
    void lineCheck()
    {
        QFETCH(QString, options);
        QFETCH(QString, from);
        QFETCH(QString, stored);
        QFETCH(QString, line);
        QFETCH(int, row);
        QFETCH(QString, answers);
        const Voucher voucher = voucherOf("7", from, "2", stored);
        ScriptedInventory inventory;
        inventory.answers = answers.split(' ', Qt::SkipEmptyParts);
        const LineCheck check =
            ValidateLine(VoucherLine::fromRow(linesOf(line), 0), row, voucher,
                         {options.contains("serial"), options.contains("negative")}, &inventory);
        QTEST(shown(check.refusal) + " / " + QString::number(check.availableBalance), "result");
        QTEST(inventory.calls.join(' '), "calls");
    }

    void lookups_data()
    {
        // lookup: "location id direction rights" (rights: the answer of the rights component,
        // "missing" for none), "requisition number destination", "typed code", "scanned code",
        // "unit code|unit", "price code|list"
        columns<Engine, QString, QString>({"engine", "lookup", "result"});
        // result: refusal / name / rights asked
        const QString refused =
            "information %1 [From Loc]: You are not authorized to tranfer %1 this location. / ";
        addEngineRows("location not found", "location 9 1 yes",
                      "warning from: Location not found. / not found / ");
        addEngineRows("allowed as source", "location 1 1 yes", "passes / Main store / tester,1,1");
        addEngineRows("allowed as destination", "location 2 2 yes", "passes / Branch / tester,2,2");
        addEngineRows("refused as source", "location 1 1 no",
                      refused.arg("from") + "Main store / tester,1,1");
        addEngineRows("refused as destination", "location 2 2 no", refused.arg("to") + "Branch / tester,2,2");
        addEngineRows("no rights component", "location 1 1 missing", refused.arg("from") + "Main store / ");
        addEngineRows("rights call fails", "location 1 1 fail",
                      refused.arg("from") + "Main store / tester,1,1");
        // result: "outcome date narration: lines or failure"
        const char *const twelve = "imported 2024-02-01 For the branch: 10-00-02|Nut|BOX|12|6|S2||";
        addEngineRows("an open and a served line", "requisition 12 2", twelve);
        addEngineRows("requisition 12.0 is 12", "requisition 12.0 2", twelve);
        addEngineRows("another destination's", "requisition 12 3", "not found - -: ");
        addEngineRows("every line served", "requisition 15 3", "not found - -: ");
        addEngineRows("only unknown items", "requisition 13 2", "no lines 2024-02-02 Unknown items: ");
        addEngineRows("null narration", "requisition 14 2", "failed 2024-02-03 -: Invalid use of Null");
        // result: the item, its unit's factor, its price
        addEngineRows("typed exactly", "typed 10-00-01", "10-00-01 Bolt PCS");
        addEngineRows("typed without dashes", "typed 100001", "none");
        addEngineRows("typed with a quote", "typed O'Neil-1", "O'Neil-1 Quoted PCS");
        addEngineRows("scanned without dashes", "scanned 100001", "10-00-01 Bolt PCS");
        addEngineRows("scanned with other dashes", "scanned 1-0-0-0-0-1", "10-00-01 Bolt PCS");
        addEngineRows("alias wins over an item code", "scanned BC100", "10-00-02 Nut PCS");
        addEngineRows("scanned with a quote", "scanned O'Neil1", "O'Neil-1 Quoted PCS");
        addEngineRows("quote as SQL", "scanned x' or ''='", "none");
        addEngineRows("unit", "unit 10-00-01|BOX", "12");
        addEngineRows("unit of a quoted item", "unit O'Neil-1|C'N", "4");
        addEngineRows("unit not defined", "unit 10-00-01|KG", "none");
        addEngineRows("price", "price 10-00-01|RETAIL", "2.5");
        addEngineRows("no price in the list", "price 10-00-02|RETAIL", "0");
    }
    // What the look-ups read: a location, then the user's right to use it in its direction; the
    // open lines of a requisition, and what was read of its header when it cannot be imported;
    // items typed and scanned, the units of an item and its price in a list.
    void lookups()
    {
        QFETCH(Engine, engine);
        QFETCH(QString, lookup);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        const QSqlDatabase db = catalog(engine);
        const QString kind = lookup.section(' ', 0, 0), argument = lookup.section(' ', 1);
        const QStringList words = argument.split(' ');
        const QString code = argument.section('|', 0, 0), second = argument.section('|', 1);
        QString result;
        if (kind == "location") {
            ScriptedRights rights;
            rights.answer = words[2];
            const LocationCheck check =
                checkLocation(db, words[0].toDouble(), Direction(words[1].toInt()),
                              rights.answer == "missing" ? nullptr : &rights, "tester");
            result = shown(check.refusal) + " / " + (check.found ? check.name.toString() : "not found") +
                     " / " + rights.calls.join(' ');
        } else if (kind == "requisition") {
            const RequisitionImport read =
                readRequisition(db, NumberText::read(words[0]).leading, words[1].toDouble());
            static const char *const outcomes[] = {"imported", "no lines", "not found", "failed"};
            result = QString("%1 %2 %3: %4")
                         .arg(outcomes[read.outcome], read.date ? read.date->toString(Qt::ISODate) : "-",
                              read.narration.value_or("-"),
                              read.outcome == RequisitionImport::Failed ? read.failure : textOf(read.lines));
        } else if (kind == "typed" || kind == "scanned") {
            const Found<Item> found = kind == "typed" ? findTypedItem(db, code) : findScannedItem(db, code);
            result = !found.ran ? "failed"
                     : !found.value
                         ? "none"
                         : found.value->code + ' ' + found.value->description + ' ' + found.value->stockUnit;
        } else if (kind == "unit") {
            const Found<double> unit = findUnit(db, code, second);
            result = !unit.ran ? "failed" : unit.value ? QString::number(*unit.value) : "none";
        } else {
            result = QString::number(GetItemPrice(db, code, second));
        }
        QTEST(result, "result");
    }

    void priceListsAndDbId_data()
    {
        columns<Engine, QStringList, QString, int>({"engine", "seed", "lists", "dbId"});
        addEngineRows(
            "trimmed, in order",
            QStringList{"Insert into icprc (PriceList) Values ('TRADE '), (' RETAIL'), ('WHOLESALE')",
                        "Insert into GLSetup (DbID) Values (7)"},
            "RETAIL,TRADE,WHOLESALE", 7);
        addEngineRows("none, and no setup row", QStringList{}, "", 0);
        // A null ends the reading; SQLite orders it first, PostgreSQL last.
        const QStringList nulls{"Insert into icprc (PriceList) Values ('A'), (NULL), ('C')",
                                "Insert into GLSetup (DbID) Values (NULL)"};
        QTest::newRow("sqlite null name")
            << TestDatabase::Sqlite << nulls << " failed 94 Invalid use of Null" << 0;
        QTest::newRow("postgresql null name")
            << TestDatabase::Postgres << nulls << "A,C failed 94 Invalid use of Null" << 0;
    }
    void priceListsAndDbId()
    {
        QFETCH(Engine, engine);
        QFETCH(QStringList, seed);
        QVT_OPEN_DATABASE(db, engine);
        for (const QString &sql : seed)
            QVERIFY2(db.exec(sql), qPrintable(db.errorText()));
        const PriceLists lists = readPriceLists(db.connection());
        QTEST(lists.names.join(',') +
                  (lists.failed ? QString(" failed %1 %2").arg(lists.errorNumber).arg(lists.errorText) : ""),
              "lists");
        QTEST(GetDbID(db.connection()), "dbId");
    }

    void roundTrip_data() { addEngineColumn(); }
    // Every column a save writes, as stored and as the voucher is recalled.
    void roundTrip()
    {
        QVT_STORE(s, {});
        Voucher first = voucherOf("1", "1", "2", "A-1|Bolt|PCS|1|3|SN1|EN1|10.5;B-2|Nut|BOX|12|2|||");
        first.narration = "It's a round trip";
        first.orderNo = NumberText::read("12.5");
        first.requisition = "R-7";
        first.showPrices = true;
        QCOMPARE(shown(s.save(first)), "saved 1");
        QCOMPARE(shown(s.save(voucherOf("2", "1", "2", "A-1|Bolt|PCS|1|4|||9.75"))), "saved 2"); // prices off
        const QString day = QDate::currentDate().toString("yyyyMMdd");
        QCOMPARE(s.db.rows("Select DocNo, DocDate, ToLocID, Narration, TotalQty, AuditUser, OrdNo,"
                           " SysDate, DbID, ShowPrice, ReqNo, LinkDetID, CAST(Posted AS integer),"
                           " CAST(AuditTime is null AS integer) from ICTRANH Order by 1"),
                 "1|2024-03-05|2|It's a round trip|5|tester|12.5|" + day +
                     "|7|1|R-7|NULL|0|0 2|2024-03-05|2||4|tester|0|" + day + "|7|0|0|NULL|0|0");
        // A-1 costs 3 at source 1, B-2 5: their receipts up to the voucher's date.
        QCOMPARE(s.db.rows("Select DocNo, ItemID, Unit, Conver, Qty, Cost, Amount, SrNo, EngNo,"
                           " Price from ICTRAND Order by DocNo, ItemID"),
                 "1|A-1|PCS|1|3|3|9|SN1|EN1|10.5 1|B-2|BOX|12|2|5|120|||NULL 2|A-1|PCS|1|4|3|12|||0");
        QCOMPARE(shown(VoucherStore(s.db.connection()).LoadDocument(first)),
                 "1 2024-03-05|2|It's a round trip|12.5|R-7|prices|0 "
                 "A-1|Bolt|PCS|1|3|SN1|EN1|10.5;B-2|Nut|BOX|12|2|||0");
    }

    void storedVouchers_data()
    {
        // action: "recall" or "delete", number and source, or "next" and a source ("dropped": the
        // tables are gone); result: the recalled voucher, what the delete left (ledger rows /
        // headers / lines), or the number
        columns<Engine, QString, QString>({"engine", "action", "result"});
        const char *const linked = "4 2024-02-01|3|linked|77|R-2|prices|17 A-1|Bolt|PCS|1|2|||0";
        const char *const untouched = " / 1|4 1|6 1|8 2|4 / 1|4|A-1 1|6|C-3 1|6|GONE 1|8|GONE 2|4|B-2";
        addEngineRows("linked", "recall 4 1", linked);
        addEngineRows("number leading 4abc", "recall 4abc 1", linked);
        addEngineRows("nulls", "recall 6 1", "6 -||||0|-|0 C-3|Washer|||4.5|||0");
        addEngineRows("only unknown items", "recall 8 1", "8 -|2|||0|-|0 no lines");
        addEngineRows("another source's number", "recall 7 1", "none");
        addEngineRows("source no number", "recall 4 2x", "none");
        addEngineRows("delete linked", "delete 4 1",
                      "done 18 / 1|6 1|8 2|4 / 1|6|C-3 1|6|GONE 1|8|GONE 2|4|B-2");
        addEngineRows("delete, link 0", "delete 8 1",
                      "done 17 17 18 / 1|4 1|6 2|4 / 1|4|A-1 1|6|C-3 1|6|GONE 2|4|B-2");
        addEngineRows("delete, no link", "delete 6 1",
                      "done 17 17 18 / 1|4 1|8 2|4 / 1|4|A-1 1|8|GONE 2|4|B-2");
        addEngineRows("delete, no such voucher", "delete 9 1", QString("done 17 17 18") + untouched);
        addEngineRows("next number", "next 1", "9");
        addEngineRows("next number, another source", "next 2", "5");
        addEngineRows("next number, a new source", "next 3", "1");
        addEngineRows("next number, query cannot run", "next 1 dropped", "0");
    }
    // A recalled voucher: nulls read as empty fields, "0" for the requisition and the sale price;
    // lines whose item is unknown are left out. A deleted one goes with its lines, and with its
    // ledger rows when it is linked; voucher 4 of another source stays. The next number of a source
    // is its highest plus 1, 1 for a source without vouchers, 0 when the query cannot run.
    void storedVouchers()
    {
        QFETCH(QString, action);
        QVT_STORE(
            s, {"Insert into ICTRANH (FromLocID, DocNo, DocDate, ToLocID, Narration, OrdNo, ShowPrice, ReqNo,"
                " LinkDetID) Values (1, 4, '2024-02-01', 3, 'linked', 77, 1, 'R-2', 17),"
                " (1, 6, NULL, NULL, NULL, NULL, NULL, NULL, NULL), (1, 8, NULL, 2, NULL, NULL, 0, NULL, 0),"
                " (2, 4, NULL, 3, NULL, NULL, 0, NULL, 18)",
                "Insert into ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty) Values"
                " (1, 4, 'A-1', 'PCS', 1, 2), (1, 6, 'C-3', NULL, NULL, 4.5), (1, 6, 'GONE', NULL, NULL, 1),"
                " (1, 8, 'GONE', 'PCS', 1, 1), (2, 4, 'B-2', 'PCS', 1, 2)",
                "Insert into GLTRH (DetID, LineNo, AccountID, Debit, Credit) Values (17, 1, '1100', 12.5, 0),"
                " (17, 2, '1200', 0, 12.5), (18, 1, '1300', 4, 0)"});
        const QStringList words = action.split(' ');
        const VoucherStore store(s.db.connection());
        const Voucher voucher = voucherOf(words[1], words.value(2), "");
        if (words[0] == "recall" || words[0] == "next") {
            QVERIFY(!action.contains("dropped") ||
                    (s.db.exec("Drop table ICTRAND") && s.db.exec("Drop table ICTRANH")));
            QTEST(words[0] == "next" ? QString::number(store.NextDocNo(words[1].toDouble()))
                                     : shown(store.LoadDocument(voucher)),
                  "result");
            return;
        }
        const DeleteResult result = store.DeleteDocument(voucher);
        QTEST((result.done ? "done " : "failed " + result.failure + ' ') +
                  s.db.rows("Select DetID from GLTRH Order by DetID, LineNo") + " / " +
                  s.db.rows("Select FromLocID, DocNo from ICTRANH Order by 1, 2") + " / " +
                  s.db.rows("Select FromLocID, DocNo, ItemID from ICTRAND Order by 1, 2, 3"),
              "result");
    }

    void saving_data()
    {
        // number: "" for a new voucher, else the one recalled; result: the save, headers / lines
        columns<Engine, QString, bool, QString, QString>(
            {"engine", "number", "useTransaction", "lines", "result"});
        const QString before = " 1|1|old|3|9|17 2|1|other|3|5|18 / 1|1|C-3|9|NULL 2|1|A-1|5|NULL";
        const QString refused = "A-1|Bolt|PCS|1|1;B-2|Nut|PCS|1|2;C-3|Washer|PCS|1|13";
        addEngineRows("new", "", true, "A-1|Bolt|PCS|1|1;B-2|Nut|PCS|1|2",
                      "saved 2 1|1|old|3|9|17 1|2|new|2|3|NULL 2|1|other|3|5|18"
                      " / 1|1|C-3|9|NULL 1|2|A-1|1|3 1|2|B-2|2|5 2|1|A-1|5|NULL");
        addEngineRows("recalled, rewritten in place", "1", true, "A-1|Bolt|PCS|1|1;C-3|Washer|PCS|1|4",
                      "saved 1 1|1|new|2|5|17 2|1|other|3|5|18 / 1|1|A-1|1|3 1|1|C-3|4|1 2|1|A-1|5|NULL");
        addEngineRows("recalled without a header", "9", true, "A-1|Bolt|PCS|1|1", "not found" + before);
        addEngineRows("third line refused", "", true, refused, "failed Line refused" + before);
        addEngineRows("third line refused, no transaction", "", false, refused,
                      "failed Line refused 1|1|old|3|9|17 1|2|new|2|16|NULL 2|1|other|3|5|18"
                      " / 1|1|C-3|9|NULL 1|2|A-1|1|3 1|2|B-2|2|5 2|1|A-1|5|NULL");
        addEngineRows("recalled, third line refused", "1", true, refused, "failed Line refused" + before);
        addEngineRows(
            "recalled, third line refused, no transaction", "1", false, refused,
            "failed Line refused 1|1|new|2|16|17 2|1|other|3|5|18 / 1|1|A-1|1|3 1|1|B-2|2|5 2|1|A-1|5|NULL");
        addEngineRows("quantity no number", "", true, "C-3|Washer|PCS|1|3;A-1|Bolt|PCS|1|1.5-",
                      "failed Line 2: \"1.5-\" in Qty. is not a number." + before);
    }
    // A new voucher takes the next number of its source; a recalled one is rewritten in place, its
    // ledger link kept and its lines replaced. The same number at another source stays. With the
    // transaction setting on, a failure leaves the database as it was; with it off, what was
    // written before the failure stays.
    void saving()
    {
        QFETCH(QString, number);
        QFETCH(bool, useTransaction);
        QFETCH(QString, lines);
        QVT_STORE(
            s, QStringList{"Insert into ICTRANH (FromLocID, DocNo, ToLocID, Narration, TotalQty, LinkDetID)"
                           " Values (1, 1, 3, 'old', 9, 17), (2, 1, 3, 'other', 5, 18)",
                           "Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty) Values (1, 1, 'C-3', 9),"
                           " (2, 1, 'A-1', 5)"} +
                   refuseThirteen(engine));
        Voucher voucher = voucherOf(number, "1", "2", lines);
        voucher.narration = "new";
        voucher.editMode = !number.isEmpty();
        const QString result = shown(s.save(voucher, useTransaction)) + ' ';
        QTEST(result +
                  s.db.rows("Select FromLocID, DocNo, Narration, ToLocID, TotalQty, LinkDetID"
                            " from ICTRANH Order by 1, 2") +
                  " / " +
                  s.db.rows("Select FromLocID, DocNo, ItemID, Qty, Cost from ICTRAND Order by 1, 2, 3, 4"),
              "result");
    }

    void numberTaken_data()
    {
        // hidden: numbers 3 and 4 hidden from the host's connection
        columns<Engine, bool, bool>({"engine", "hidden", "useTransaction"});
        addEngineRows("seen", false, true);
        addEngineRows("hidden, transaction", true, true);
        addEngineRows("hidden, no transaction", true, false);
    }
    // Numbers 3 and 4 are taken through another connection, which the host's connection may not
    // see yet (the key refuses them): the save takes the next free number and reports it.
    void numberTaken()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, useTransaction);
        QVT_STORE(s, {"Insert into ICTRANH (FromLocID, DocNo, Narration) Values (1, 1, 'v1'), (1, 2, 'v2')"});
        QVERIFY(!hidden ||
                s.db.exec(QString("CREATE TEMP VIEW ICTRANH AS SELECT * FROM %1.ICTRANH WHERE DocNo < 3")
                              .arg(engine == TestDatabase::Sqlite ? "main" : "public")));
        ClonedConnection other(s.db.connection());
        QVERIFY(execute(other.database(), "Insert into ICTRANH (FromLocID, DocNo) Values (1, 3), (1, 4)"));
        QCOMPARE(shown(s.save(voucherOf("3", "1", "2", "A-1|Bolt|PCS|1|1"), useTransaction)), "saved 5");
        QVERIFY(!hidden || s.db.exec("DROP VIEW ICTRANH"));
        QCOMPARE(s.db.rows("Select DocNo, Narration, ToLocID from ICTRANH Order by 1"),
                 "1|v1|NULL 2|v2|NULL 3|NULL|NULL 4|NULL|NULL 5||2");
    }

    void recheckAtSave_data()
    {
        // voucher: "number from to" ("-": a new one); options "serial" tracks serials; result: the save
        // / the lines afterwards
        columns<Engine, QString, QString, QString, QString>(
            {"engine", "voucher", "options", "lines", "result"});
        // Voucher 1 of source 1, saved meanwhile, took 4 of the 10 B-2 in stock.
        const QString before = " / 1|1|B-2|4";
        const QString refused =
            "refused information %1 [From Loc]: You are not authorized to tranfer %1 this location.";
        const QString itemShort =
            "refused critical line 1: Item has not in balance and Negative Inventory not allowed.";
        addEngineRows("source refused", "- 3 2", "", "A-1|Bolt|PCS|1|1", refused.arg("from") + before);
        addEngineRows("source not a location", "- 9 2", "", "A-1|Bolt|PCS|1|1",
                      "refused warning from: Location not found." + before);
        addEngineRows("destination refused", "- 1 3", "", "A-1|Bolt|PCS|1|1", refused.arg("to") + before);
        addEngineRows("stock taken meanwhile", "- 1 2", "", "A-1|Bolt|PCS|1|1;B-2|Nut|BOX|2|4",
                      itemShort + before);
        addEngineRows("two lines fit alone, not together", "- 1 2", "",
                      "A-1|Bolt|PCS|1|1;B-2|Nut|PCS|1|4;B-2|Nut|PCS|1|3", itemShort + before);
        addEngineRows("what is left", "- 1 2", "", "B-2|Nut|BOX|2|3", "saved 2 / 1|1|B-2|4 1|2|B-2|3");
        addEngineRows("recalled, its own lines left out", "1 1 2", "", "B-2|Nut|PCS|1|9",
                      "saved 1 / 1|1|B-2|9");
        addEngineRows("one serial number twice", "- 1 2", "serial",
                      "D-4|Lamp|PCS|1|1|SN-1;D-4|Lamp|PCS|1|1|SN-1",
                      "refused critical line 0: This Serialized Item has not in balance." + before);
        addEngineRows("serial number in stock", "- 1 2", "serial", "D-4|Lamp|PCS|1|1|SN-1",
                      "saved 2 / 1|1|B-2|4 1|2|D-4|1");
    }
    // What the form checked is checked again inside the save's transaction, on the stock and the
    // rights as they are then; a refusal writes nothing.
    void recheckAtSave()
    {
        QFETCH(QString, voucher);
        QFETCH(QString, options);
        QFETCH(QString, lines);
        QVT_STORE(s,
                  {"Insert into ICTRANH (FromLocID, DocNo, DocDate, ToLocID) Values (1, 1, '2024-03-01', 2)",
                   "Insert into ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty)"
                   " Values (1, 1, 'B-2', 'PCS', 1, 4)"});
        const QStringList header = voucher.split(' ');
        Voucher saved = voucherOf(header[0], header[1], header[2], lines);
        saved.editMode = header[0] != "-";
        const QString result = shown(s.save(saved, true, {options == "serial", false}));
        QTEST(result + " / " +
                  s.db.rows("Select FromLocID, DocNo, ItemID, Qty from ICTRAND Order by 1, 2, 3"),
              "result");
    }

    // GS1 element strings as scanners send them ("|" stands for the GS separator), written back as
    // "gtin serial lot quantity" or the problem; plain codes are left alone.
    void gs1Codes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("read");
        const auto add = [](const char *name, const char *code, const char *read) {
            QTest::newRow(name) << QString(code).replace('|', QChar(0x1D)) << QString(read);
        };
        add("plain item code", "10-00-00-0001", "plain");
        add("plain EAN-13", "4006381333931", "plain");
        add("GTIN alone, unprefixed", "0104006381333931", "04006381333931 - - -");
        add("GS1-128 with serial and count", "]C10104006381333931|21SN-7|3012", "04006381333931 SN-7 - 12");
        add("DataMatrix, lot then serial", "]d20104006381333931|10LOT 4|21A1", "04006381333931 A1 LOT 4 -");
        add("QR, fixed fields need no separator", "]Q30104006381333931172412313712", "04006381333931 - - 12");
        add("leading FNC1", "|0104006381333931|21X", "04006381333931 X - -");
        add("wrong check digit", "]C10104006381333932", "the check digit of GTIN 04006381333932 is wrong");
        add("unknown identifier", "]C10104006381333931|9912", "the application identifier (99) is not known");
        add("no GTIN", "]C121SN-1", "it names no GTIN (01)");
        add("GTIN cut short", "]C1010400638", "(01) is shorter than 14 digits");
        add("count not a number", "]C10104006381333931|30x2", "(30) holds more than digits");
        add("serial too long", "]C10104006381333931|21123456789012345678901",
            "(21) is longer than 20 characters");
        add("empty serial", "]C10104006381333931|21|3012", "(21) is empty");
        add("serial twice", "]C10104006381333931|21A|21B", "(21) appears twice");
        add("two counts", "]C10104006381333931|301|372", "it holds two counts, (30) and (37)");
        add("letters where an identifier goes", "]C1AB", "no application identifier at character 1");
    }
    void gs1Codes()
    {
        QFETCH(QString, code);
        const std::optional<Gs1Scan> scan = parseGs1(code);
        QString read = "plain";
        if (scan && !scan->problem.isEmpty())
            read = scan->problem;
        else if (scan)
            read = QString("%1 %2 %3 %4")
                       .arg(scan->gtin, scan->serial.isEmpty() ? "-" : scan->serial,
                            scan->lot.isEmpty() ? "-" : scan->lot,
                            scan->quantity ? QString::number(*scan->quantity) : "-");
        QTEST(read, "read");
    }

    void importedRows_data() { addEngineColumn(); }
    // Rows pasted or read from CSV become lines checked as typed, the stock counting the rows
    // before them and the voucher's own line; one refused row adds none, and every refused row is
    // named with its number.
    void importedRows()
    {
        QVT_STORE(s, {"Insert into ICUnit (ItemID, Unit, Conver) Values ('A-1', 'BOX', 2)"});
        Voucher voucher = voucherOf("1", "1", "2", "B-2|Nut|PCS|1|4");
        const auto lines = [](const ImportResult &result) {
            return textOf(result.lines) +
                   (result.refusals.isEmpty() ? "" : " / " + result.refusals.join(" / "));
        };
        const QByteArray csv = "\xEF\xBB\xBFItem Code;Unit;Qty;Serial No;Engine No\r\n"
                               "A-1;BOX;2;;\r\n"
                               "\"B-2\";;\"6\";\"S;1\";\"E \"\"1\"\"\"\r\n"
                               "\r\n"
                               "A-1;;6\n";
        QCOMPARE(lines(resolveImportRows(s.db.connection(), parseCsvRows(csv), voucher, {false, false},
                                         &s.inventory)),
                 "A-1|Bolt|BOX|2|2|||0;B-2|Nut|PCS|1|6|S;1|E \"1\"|0;A-1|Bolt|PCS|1|6|||0");
        const QString item = "Item has not in balance and Negative Inventory not allowed.";
        QCOMPARE(lines(resolveImportRows(s.db.connection(),
                                         parsePastedRows("A-1\tPCS\t11\nZ-9\tPCS\t1\nB-2\tBOX\t1\n"
                                                         "B-2\t\t7\n\tPCS\t1\nA-1\tPCS\t1x\nC-3\tPCS\t1\n"
                                                         "A-1\t\t10"),
                                         voucher, {false, false}, &s.inventory)),
                 " / Row 1: " + item +
                     " / Row 2: item Z-9 not found / Row 3: BOX is not a unit of item B-2"
                     " / Row 4: " +
                     item +
                     " / Row 5: no item code / Row 6: the quantity 1x is not a number"
                     " / Row 7: " +
                     item);
    }

    void recalledVoucherChangedMeanwhile_data() { addEngineColumn(); }
    // Two users recall voucher 1; the first saves it. The second's save and delete, of the voucher
    // as recalled, are refused with who saved it, with a transaction or without, and leave the
    // first save as it is; recalled again, it saves and deletes. A voucher not recalled is
    // rewritten whatever its version.
    void recalledVoucherChangedMeanwhile()
    {
        QVT_STORE(s, {});
        QCOMPARE(shown(s.save(voucherOf("", "1", "2", "A-1|Bolt|PCS|1|2"))), "saved 1");
        QSqlDatabase other = QSqlDatabase::cloneDatabase(s.db.connectionName(), "other user");
        QVERIFY(other.open());
        const auto recall = [](const QSqlDatabase &db) {
            Voucher key = voucherOf("1", "1", "2");
            const auto loaded = VoucherStore(db).LoadDocument(key);
            key.editMode = true;
            key.recalled = RecalledVersion{loaded->docNo, 1, loaded->version};
            return key;
        };
        const auto rewrite = [&s](Voucher voucher, const QString &qty, bool transaction = true) {
            voucher.lines = linesOf("A-1|Bolt|PCS|1|" + qty);
            voucher.total = NumberText::read(qty);
            return shown(s.save(voucher, transaction));
        };
        const Voucher first = recall(s.db.connection());
        const Voucher second = recall(other);
        QCOMPARE(rewrite(first, "3"), "saved 1");
        const QString changed = "refused critical number: Voucher 1 was saved by tester at ";
        for (const bool transaction : {true, false}) {
            const QString refused = rewrite(second, "5", transaction);
            QVERIFY2(refused.startsWith(changed) &&
                         refused.endsWith("Your changes were not saved; recall the "
                                          "voucher again to see the saved one."),
                     qPrintable(refused));
        }
        const DeleteResult stale = VoucherStore(other).DeleteDocument(second);
        QVERIFY2(!stale.done && stale.failure.endsWith("It was not deleted; recall the voucher again first."),
                 qPrintable(stale.failure));
        QCOMPARE(s.db.rows("Select d.Qty, h.RowVersion from ICTRAND d join ICTRANH h"
                           " on h.FromLocID = d.FromLocID and h.DocNo = d.DocNo"),
                 "3|1");
        Voucher unrecalled = voucherOf("1", "1", "2");
        unrecalled.editMode = true;
        QCOMPARE(rewrite(unrecalled, "4"), "saved 1");
        const Voucher again = recall(other);
        QCOMPARE(rewrite(again, "6"), "saved 1");
        QVERIFY(!VoucherStore(other).DeleteDocument(again).done); // saved since: version 3, not 2
        QVERIFY(VoucherStore(other).DeleteDocument(recall(other)).done);
        QCOMPARE(s.db.rows("Select count(*) from ICTRANH"), "0");
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("other user");
    }

    void concurrentSavers_data() { addEngineColumn(); }
    // Two users save at the same moment from source 1, each taking 6 of the 10 B-2 in stock: in
    // every round one voucher is saved under the next number and the other refused, and the stock
    // never goes below 0.
    void concurrentSavers()
    {
        QVT_STORE(s, {});
        constexpr int Rounds = 50;
        const Voucher voucher = voucherOf("", "1", "2", "B-2|Nut|PCS|1|6");
        const char *const oneSaved = "refused critical line 0: Item has not in balance and Negative"
                                     " Inventory not allowed., saved %1, stock 4";
        QStringList expected;
        for (int round = 0; round < Rounds; ++round)
            expected << QString(oneSaved).arg(round + 1);
        const QStringList seen = inStep(
            s.db.connectionName(), Rounds, {false, false},
            [&voucher](int, int, VoucherStore &store, const SaveContext &context) {
                return store.SaveDocument(voucher, context);
            },
            [&s](QStringList both) {
                both.sort(); // "refused" before "saved"
                const QString balance = QString::number(
                    s.inventory.StockBalance("B-2", 1, "05/03/2024", 0, 0, false).value_or(-1));
                s.db.exec("Insert into StockMove (ItemID, LocID, MoveDate, Qty) Values ('B-2', 1, "
                          "'2024-01-02', 6)");
                return both.join(", ") + ", stock " + balance;
            });
        QCOMPARE(seen, expected);
    }

    // On PostgreSQL, deadlocks. Two users rewrite their vouchers at the same moment, one from source
    // 1 to 2, the other from 2 to 1, each taking the item the other just gave back: each save gives
    // back stock rows the other is about to take, and their locks make them wait for each other
    // before either holds one, in every round. Then a writer that does not take the save's locks
    // holds a row that a rewrite or a delete needs, and waits for one that it holds: the database
    // undoes the rewrite or the delete (the one that waited first), which runs again once the other
    // writer is done, and goes through.
    void deadlocks_data() { addEngineColumn(); }
    void deadlocks()
    {
        QVT_STORE(s, {});
        if (engine != TestDatabase::Postgres)
            QSKIP("SQLite lets one writer at a time in: its savers cannot deadlock");
        QCOMPARE(shown(s.save(voucherOf("", "1", "2", "A-1|Bolt|PCS|1|1"))), "saved 1");
        QCOMPARE(shown(s.save(voucherOf("", "2", "1", "B-2|Nut|PCS|1|1"))), "saved 1");
        constexpr int Rounds = 40;
        // A deadlock would show as a failed save, or as a warning where the save ran again.
        static std::atomic<int> seenDeadlocks;
        static QtMessageHandler previous;
        seenDeadlocks = 0;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if (text.contains("deadlock detected"))
                    ++seenDeadlocks;
                previous(type, context, text);
            });
        const QStringList seen = inStep(
            s.db.connectionName(), Rounds, {false, true},
            [](int user, int round, VoucherStore &store, const SaveContext &context) {
                const bool first = (round + user) % 2 == 1; // A-1 in one's voucher, B-2 in the other's
                Voucher voucher = voucherOf("1", user == 0 ? "1" : "2", user == 0 ? "2" : "1",
                                            first ? "A-1|Bolt|PCS|1|1" : "B-2|Nut|PCS|1|1");
                voucher.editMode = true;
                return store.SaveDocument(voucher, context);
            },
            [](const QStringList &both) { return both.join(", "); });
        qInstallMessageHandler(previous);
        QCOMPARE(seenDeadlocks.load(), 0);
        QCOMPARE(seen, QStringList(Rounds, "saved 1, saved 1"));
        QCOMPARE(s.db.rows("Select LocID, ItemID, QtyOnHand from ICStock Order by 1, 2"),
                 "1|A-1|9 1|B-2|21 1|D-4|1 2|A-1|1 2|B-2|-1");

        const QString stockRow = "UPDATE ICStock SET QtyOnHand = QtyOnHand WHERE LocID = 1 AND ItemID = '%1'";
        Voucher stored = voucherOf("1", "1", "2", "B-2|Nut|PCS|1|1");
        stored.editMode = true;
        QString saved;
        const QString other = whileAnotherWaits(s.db.connectionName(), stockRow.arg("B-2"),
                                                stockRow.arg("A-1"), [&] { saved = shown(s.save(stored)); });
        if (other.startsWith("cannot hold"))
            QSKIP(qPrintable(other)); // a server that does not let the test set its deadlock_timeout
        QCOMPARE(other, "went on");
        QCOMPARE(saved, "saved 1");
        QCOMPARE(s.db.rows("Select ItemID from ICTRAND where FromLocID = 1"), "B-2");

        DeleteResult deleted;
        QCOMPARE(
            whileAnotherWaits(s.db.connectionName(), stockRow.arg("B-2"),
                              "UPDATE ICTRANH SET Narration = 'changed' WHERE FromLocID = 1 AND DocNo = 1",
                              [&] { deleted = VoucherStore(s.db.connection()).DeleteDocument(stored); }),
            "went on");
        QVERIFY2(deleted.done && deleted.deleted, qPrintable(deleted.failure));
        QCOMPARE(s.db.rows("Select FromLocID from ICTRANH"), "2");
    }

private:
    // Runs act while another writer, on a connection of its own, holds what `hold` locks, waits
    // until some transaction waits for it, then runs `then` and commits. Its deadlock check waits
    // 30 s, so that of the two it is not the one the database undoes. Answers "went on" when it
    // committed, else its error.
    QString whileAnotherWaits(const QString &host, const QString &hold, const QString &then,
                              const std::function<void()> &act)
    {
        QSemaphore holding;
        QString outcome;
        std::thread other([&] {
            {
                QSqlDatabase db = QSqlDatabase::cloneDatabase(host, "outsider");
                QSqlQuery query(db.open() ? db : QSqlDatabase());
                if (!query.exec("SET deadlock_timeout = '30s'") || !query.exec("BEGIN") ||
                    !query.exec(hold)) {
                    outcome = "cannot hold: " + query.lastError().text();
                    holding.release();
                    return;
                }
                holding.release();
                QDeadlineTimer deadline(10000);
                while (query.exec("SELECT COUNT(*) FROM pg_locks WHERE NOT granted") && query.next() &&
                       query.value(0).toInt() == 0 && !deadline.hasExpired())
                    QThread::msleep(10);
                outcome = query.exec(then) && query.exec("COMMIT") ? "went on" : query.lastError().text();
            }
            QSqlDatabase::removeDatabase("outsider");
        });
        holding.acquire();
        if (!outcome.startsWith("cannot hold"))
            act();
        other.join();
        return outcome;
    }
};

QTEST_GUILESS_MAIN(TestVoucher)
#include "TestVoucher.moc"
