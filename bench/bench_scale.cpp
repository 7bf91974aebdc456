// The form at a warehouse's size: 100,000 items, 20 locations, 50,000 saved vouchers with
// 1,000,000 lines, a fifth of them leaving the busy location 1. Every figure is the product's
// (the control, the store, the line rules, the pick list, as the form runs them) printed next to
// a floor measured in the same run on the same database: raw prepared statements doing the same
// reads and writes on one already open connection.
//
//     bench_scale [vouchers]      (default 50000: 1,000,000 lines)
//
// Everything is measured on the full data; the last table compares the line check and the pick
// list with the same data at a tenth of the vouchers, generated in a second database (the pick
// lists of the two measured in turns). Runs on a SQLite file in a temporary folder and, when
// QVT_TEST_PG_URL names a PostgreSQL server, on a fresh database created there and dropped after.

#include "BenchDatabases.h"
#include "DemoData.h"
#include "companions/LookupListDialog.h"
#include "companions/ProfileLocationRights.h"
#include "companions/StockMoveInventory.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"
#include "platform/Db.h"
#include "platform/Numeric.h"
#include "schema/HostSchema.h"
#include "voucher/LineRules.h"
#include "voucher/VoucherStore.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <vector>

using namespace qvtrnsfr;

namespace {

QTextStream out(stdout);

const QString User = QStringLiteral("scale");
constexpr int Busy = 1;  // the busy source location
constexpr int Other = 2; // the destination of the saved vouchers
// Runs of the quick figures: a busy moment of the shared machine shows the most in them.
constexpr int TenLineRuns = 100;
constexpr int PickListRuns = 15;

// Milliseconds of repeated runs of one operation.
class Times {
public:
    void add(qint64 ns) { m_ms.push_back(double(ns) / 1e6); }
    double percentile(double p) const
    {
        if (m_ms.empty())
            return 0;
        std::vector<double> sorted = m_ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[size_t(p * double(sorted.size() - 1) + 0.5)];
    }
    double median() const { return percentile(0.5); }

private:
    std::vector<double> m_ms;
};

Times timeRuns(int runs, const std::function<void(int)> &run)
{
    Times times;
    QElapsedTimer timer;
    for (int n = 0; n < runs; ++n) {
        timer.start();
        run(n);
        times.add(timer.nsecsElapsed());
    }
    return times;
}

// One row of a table: a figure of the product and its floor.
struct Row {
    QString figure;
    double product = 0;
    double floor = 0;
};

void printTable(const QString &title, const QString &floorCaption, const QList<Row> &rows)
{
    out << "  " << title.leftJustified(40) << QStringLiteral("product").rightJustified(11)
        << floorCaption.rightJustified(11) << QStringLiteral("ratio").rightJustified(8) << Qt::endl;
    for (const Row &row : rows) {
        out << "  " << row.figure.leftJustified(40) << QString::number(row.product, 'f', 2).rightJustified(11)
            << QString::number(row.floor, 'f', 2).rightJustified(11)
            << (row.floor > 0 ? QString::number(row.product / row.floor, 'f', 2) : QStringLiteral("-"))
                   .rightJustified(8)
            << Qt::endl;
    }
}

QString itemCode(int i)
{
    return QStringLiteral("S%1").arg(i, 6, 10, QLatin1Char('0'));
}

// Items first, first + step, ... as many as count, within the scale data's items.
QStringList itemsFrom(int first, int count, int step, int items)
{
    QStringList codes;
    for (int n = 0; n < count; ++n)
        codes << itemCode(1 + (first + n * step) % items);
    return codes;
}

LineArray linesOf(const QStringList &items)
{
    LineArray lines;
    lines.Resize(0, int(items.size()) - 1, 0, LineColumns - 1);
    for (int row = 0; row < items.size(); ++row) {
        lines.SetCell(row, ColItemCode, items.at(row));
        lines.SetCell(row, ColDescription, QStringLiteral("Scale item"));
        lines.SetCell(row, ColUnit, QStringLiteral("PCS"));
        lines.SetCell(row, ColConversion, QStringLiteral("1"));
        lines.SetCell(row, ColQty, QStringLiteral("1"));
    }
    return lines;
}

Voucher newVoucher(const QStringList &items, int docNo)
{
    Voucher voucher;
    voucher.docNo = NumberText::read(QString::number(docNo));
    voucher.fromLocation = NumberText::read(QString::number(Busy));
    voucher.toLocation = NumberText::read(QString::number(Other));
    voucher.date = QDate::currentDate();
    voucher.narration = QStringLiteral("Bench voucher");
    voucher.lines = linesOf(items);
    voucher.total = NumberText::read(formatTotal(totalQuantity(voucher.lines)));
    return voucher;
}

// The companions and the store as the form holds them for the scale user.
struct Session {
    explicit Session(const QSqlDatabase &host) : db(host), store(host)
    {
        inventory.SetConnection(db);
        rights.SetConnection(db);
        rights.SetUser(User);
        rights.LoadProfile();
        context = SaveContext{User, true, StockOptions{false, false}, &inventory, &rights};
    }
    QSqlDatabase db;
    companions::StockMoveInventory inventory;
    companions::ProfileLocationRights rights;
    SaveContext context;
    VoucherStore store;
};

bool check(bool ok, const QString &what, const QSqlError &error = {})
{
    if (!ok)
        out << "  failed: " << what << (error.isValid() ? QStringLiteral(": ") + errorText(error) : QString())
            << Qt::endl;
    return ok;
}

// ---- The floor: raw prepared statements on the open connection ------------------------------

// A new voucher's header and lines with the same cost look-ups, in one transaction.
bool rawSave(Session &s, const Voucher &voucher, qint32 docNo, bool rewrite)
{
    const QSqlDatabase &db = s.db;
    TransactionGuard transaction(db, true, true);
    if (!check(transaction.begin(), QStringLiteral("begin"), transaction.lastError()))
        return false;
    QStringList items;
    for (int row = 0; row < voucher.lines.rowCount(); ++row)
        items << voucher.lines.cellText(row, ColItemCode);
    items.removeDuplicates();
    const QHash<QString, double> costs =
        s.inventory.ItemCosts(voucher.date, items, Busy, companions::TransferDocumentKind, docNo);
    PreparedStatement header;
    const QVariantList values{voucher.date,
                              Other,
                              voucher.narration,
                              double(voucher.lines.rowCount()),
                              User,
                              QDateTime::currentDateTime(),
                              false,
                              0,
                              QStringLiteral("0"),
                              Busy,
                              docNo};
    if (rewrite) {
        if (!check(execute(db, QStringLiteral("Delete from ICTRAND where FromLocID = ? and DocNo = ?"),
                           {Busy, docNo}),
                   QStringLiteral("delete lines")) ||
            !header.prepare(db, QStringLiteral("Update ICTRANH set DocDate = ?, ToLocID = ?, Narration = ?, "
                                               "TotalQty = ?, AuditUser = ?, AuditTime = ?, Posted = ?, "
                                               "ShowPrice = ?, ReqNo = ? where FromLocID = ? and DocNo = ?")))
            return false;
    } else if (!header.prepare(db,
                               QStringLiteral("Insert into ICTRANH (DocDate, ToLocID, Narration, TotalQty, "
                                              "AuditUser, AuditTime, Posted, ShowPrice, ReqNo, FromLocID, "
                                              "DocNo) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
        return false;
    }
    if (!check(header.exec(values), QStringLiteral("header"), header.lastError()))
        return false;
    PreparedStatement line;
    if (!line.prepare(db,
                      QStringLiteral("Insert into ICTRAND (DocNo, FromLocID, ItemID, Unit, Conver, Qty, "
                                     "Cost, Amount, SrNo, EngNo, Price) values (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                     "?, ?)")))
        return false;
    for (int row = 0; row < voucher.lines.rowCount(); ++row) {
        const QString item = voucher.lines.cellText(row, ColItemCode);
        const double cost = costs.value(item);
        if (!check(line.exec({docNo, Busy, item, QStringLiteral("PCS"), 1.0, 1.0, cost, cost, QString(),
                              QString(), 0}),
                   QStringLiteral("line"), line.lastError()))
            return false;
    }
    return check(transaction.commit(), QStringLiteral("commit"), transaction.lastError());
}

// The header and the lines of a voucher read through.
bool rawRecall(const QSqlDatabase &db, qint32 docNo)
{
    QSqlQuery header(db);
    header.setForwardOnly(true);
    if (!header.prepare(QStringLiteral("Select * from ICTRANH where FromLocID = ? and DocNo = ?")))
        return false;
    header.addBindValue(Busy);
    header.addBindValue(docNo);
    if (!header.exec() || !header.next())
        return false;
    QSqlQuery lines(db);
    lines.setForwardOnly(true);
    if (!lines.prepare(QStringLiteral("Select * from ICTRAND where FromLocID = ? and DocNo = ?")))
        return false;
    lines.addBindValue(Busy);
    lines.addBindValue(docNo);
    if (!lines.exec())
        return false;
    int count = 0;
    while (lines.next())
        count += lines.value(2).toString().isEmpty() ? 0 : 1;
    return count > 0;
}

// ---- The figures ------------------------------------------------------------------------------

// The control's first focus in a host window, fresh each run: the time from the focus arriving
// until the form has loaded what it needs; the floor reads the profile, the ledger setup and the
// price lists that it reads.
Row firstFocus(const QSqlDatabase &db)
{
    Row row{QStringLiteral("first focus")};
    Times product;
    for (int n = 0; n < 5; ++n) {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *outside = new QLineEdit(&window);
        auto *control = new ctlTransfer(&window);
        layout->addWidget(outside);
        layout->addWidget(control);
        control->setConnection(db);
        control->setUser(User);
        window.show();
        window.activateWindow();
        QElapsedTimer wait;
        wait.start();
        while (!window.isActiveWindow() && wait.elapsed() < 2000)
            QApplication::processEvents();
        QWidget *first = control->nextInFocusChain();
        while (first != control && (!control->isAncestorOf(first) || !first->isEnabled() ||
                                    !(first->focusPolicy() & Qt::TabFocus)))
            first = first->nextInFocusChain();
        QElapsedTimer timer;
        timer.start();
        first->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        product.add(timer.nsecsElapsed());
        if (!control->findChild<TransferControl *>()->focusInitialised())
            out << "  the control did not take the focus" << Qt::endl;
    }
    row.product = product.median();
    row.floor =
        timeRuns(5, [&db](int) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("Select ProfileNo, TrackSerialNo, AllowNegative, DateFixed, "
                                         "MayChangeSource, OwnLocID from UserProfile where UserName = ?"));
            query.addBindValue(User);
            query.exec();
            query.next();
            query.exec(QStringLiteral("Select UseTransaction from GLSetup"));
            query.next();
            query.exec(QStringLiteral("Select PriceList from icprc order by PriceList"));
            while (query.next()) {
            }
        }).median();
    return row;
}

Row nextNumber(Session &s)
{
    Row row{QStringLiteral("next number of location 1")};
    row.product = timeRuns(200, [&s](int) { s.store.NextDocNo(Busy); }).median();
    QSqlQuery raw(s.db);
    raw.setForwardOnly(true);
    raw.prepare(QStringLiteral("Select max(DocNo) from ICTRANH where FromLocID = ?"));
    row.floor = timeRuns(200, [&raw](int) {
                    raw.addBindValue(Busy);
                    raw.exec();
                    raw.next();
                    raw.finish();
                }).median();
    return row;
}

// SQLite copies the write-ahead log back into the database file in the commit that takes the log
// past 1,000 pages, whichever connection commits; with the product and the floor taking turns,
// that cost would land on one of them by chance. Before each timed save the log is copied back
// here, untimed, so that neither pays it. PostgreSQL has nothing to do here.
void checkpoint(const QSqlDatabase &db)
{
    if (!isPostgres(db))
        execute(db, QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
}

// New vouchers of `lines` lines saved through the store and, alternating with them, as many rows
// written raw under the next free number; then the last saved one recalled and rewritten. The
// product's voucher and the floor's each take items of their own: with the same items the second
// of the two would find their stock and index pages already read into the server's cache (or the
// system's file cache) by the first.
QList<Row> saves(Session &s, int lines, int runs, int items, int &itemCursor)
{
    const auto freshItems = [&]() {
        const QStringList codes = itemsFrom(itemCursor, lines, 7, items);
        itemCursor += lines * 7 + 1;
        return codes;
    };
    Times product;
    Times floor;
    qint32 lastSaved = 0;
    for (int n = 0; n < runs; ++n) {
        Voucher voucher = newVoucher(freshItems(), s.store.NextDocNo(Busy));
        checkpoint(s.db);
        QElapsedTimer timer;
        timer.start();
        const SaveResult saved = s.store.SaveDocument(voucher, s.context);
        product.add(timer.nsecsElapsed());
        if (saved.outcome != SaveResult::Saved) {
            out << "  the save failed: " << (saved.refusal ? saved.refusal->text : saved.failure) << Qt::endl;
            return {};
        }
        lastSaved = saved.docNo;
        const qint32 rawNumber = s.store.NextDocNo(Busy);
        const Voucher raw = newVoucher(freshItems(), rawNumber);
        checkpoint(s.db);
        timer.start();
        if (!rawSave(s, raw, rawNumber, false))
            return {};
        floor.add(timer.nsecsElapsed());
    }
    const QString size = QStringLiteral("%1-line").arg(lines);
    QList<Row> rows{{QStringLiteral("save of a new %1 voucher").arg(size), product.median(), floor.median()}};

    Times recall;
    Times recallFloor;
    Times rewrite;
    Times rewriteFloor;
    for (int n = 0; n < runs; ++n) {
        Voucher key;
        key.docNo = NumberText::read(QString::number(lastSaved));
        key.fromLocation = NumberText::read(QString::number(Busy));
        QElapsedTimer timer;
        timer.start();
        const std::optional<LoadedVoucher> loaded = s.store.LoadDocument(key);
        recall.add(timer.nsecsElapsed());
        timer.start();
        if (!rawRecall(s.db, lastSaved))
            return rows;
        recallFloor.add(timer.nsecsElapsed());
        if (!loaded || !loaded->lines)
            return rows;
        Voucher voucher = key;
        voucher.editMode = true;
        voucher.date = loaded->date;
        voucher.toLocation = NumberText::read(loaded->toLocation);
        voucher.narration = loaded->narration;
        voucher.requisition = loaded->requisition;
        voucher.lines = *loaded->lines;
        voucher.total = NumberText::read(formatTotal(totalQuantity(voucher.lines)));
        checkpoint(s.db);
        timer.start();
        const SaveResult saved = s.store.SaveDocument(voucher, s.context);
        rewrite.add(timer.nsecsElapsed());
        if (saved.outcome != SaveResult::Saved) {
            out << "  the rewrite failed: " << (saved.refusal ? saved.refusal->text : saved.failure)
                << Qt::endl;
            return rows;
        }
        checkpoint(s.db);
        timer.start();
        if (!rawSave(s, voucher, lastSaved, true))
            return rows;
        rewriteFloor.add(timer.nsecsElapsed());
    }
    rows.append({QStringLiteral("recall of a %1 voucher").arg(size), recall.median(), recallFloor.median()});
    rows.append(
        {QStringLiteral("rewrite of a %1 voucher").arg(size), rewrite.median(), rewriteFloor.median()});
    return rows;
}

// The check of a typed line at the busy location (its stock as of today), for items spread over
// the whole table; the floor runs the balance statement alone.
QList<Row> lineChecks(Session &s, int items)
{
    Voucher voucher = newVoucher({}, 1);
    const QStringList codes = itemsFrom(11, 500, 199, items);
    const StockOptions options{false, false};
    const Times product = timeRuns(int(codes.size()), [&](int n) {
        VoucherLine line;
        line.itemCode = codes.at(n);
        line.description = QStringLiteral("Scale item");
        line.unit = QStringLiteral("PCS");
        line.conversion = NumberText::read(QStringLiteral("1"));
        line.quantity = NumberText::read(QStringLiteral("1"));
        if (ValidateLine(line, 0, voucher, options, &s.inventory).refusal)
            out << "  line " << codes.at(n) << " was refused" << Qt::endl;
    });
    QSqlQuery raw(s.db);
    raw.setForwardOnly(true);
    raw.prepare(companions::StockMoveInventory::balanceStatement(codes.at(0), Busy, voucher.date, true,
                                                                 NoDocument, false)
                    .sql);
    const Times floor = timeRuns(int(codes.size()), [&](int n) {
        const auto statement = companions::StockMoveInventory::balanceStatement(
            codes.at(n), Busy, voucher.date, true, NoDocument, false);
        for (int i = 0; i < statement.binds.size(); ++i)
            raw.bindValue(i, statement.binds.at(i));
        raw.exec();
        raw.next();
        raw.finish();
    });
    return {{QStringLiteral("typed-line check p50"), product.median(), floor.median()},
            {QStringLiteral("typed-line check p99"), product.percentile(0.99), floor.percentile(0.99)}};
}

// The item pick list of the busy location on one database, opened as the form opens it and
// narrowed by one typed character at a time.
class PickListProbe {
public:
    explicit PickListProbe(const QSqlDatabase &db)
        : m_db(db), m_options{companions::parseLookupFilter(QStringLiteral("LocID=%1").arg(Busy)), 0, 0,
                              QString()}
    {
    }
    void open()
    {
        m_dialog.reset();
        QString error;
        if (!m_source.open(m_db, QStringLiteral("CurrentStock"), &error))
            out << "  the list cannot open: " << error << Qt::endl;
        m_dialog = std::make_unique<companions::LookupListDialog>(m_source, m_options);
        m_dialog->show();
        QApplication::processEvents();
    }
    // The n-th keystroke of typing the code again and again; the list is open.
    void type(int n)
    {
        auto *search = m_dialog->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
        search->setText(Typed.left(n % int(Typed.size()) + 1));
        QApplication::processEvents();
    }
    static inline const QString Typed = QStringLiteral("S01234");

private:
    QSqlDatabase m_db;
    companions::LookupSource m_source;
    companions::LookupListOptions m_options;
    std::unique_ptr<companions::LookupListDialog> m_dialog;
};

// The item pick list of the busy location as the form opens it, and narrowed by one typed
// character at a time; the floor seeks one page of the location's stock by prefix.
QList<Row> pickList(const QSqlDatabase &db)
{
    PickListProbe probe(db);
    const QString &typed = PickListProbe::Typed;
    const Times open = timeRuns(PickListRuns, [&](int) { probe.open(); });
    const Times keys = timeRuns(PickListRuns * int(typed.size()), [&](int n) { probe.type(n); });

    QSqlQuery raw(db);
    raw.setForwardOnly(true);
    raw.prepare(
        QStringLiteral("Select s.ItemID, i.Descp, s.LocID, s.QtyOnHand from ICStock s left join ICItem i "
                       "on i.ItemID = s.ItemID where s.LocID = ? and s.ItemID >= ? and s.ItemID < ? "
                       "order by s.ItemID limit 501"));
    const auto page = [&raw](const QString &prefix) {
        raw.addBindValue(Busy);
        raw.addBindValue(prefix);
        raw.addBindValue(prefix + QChar(0xFFFF));
        raw.exec();
        while (raw.next()) {
        }
        raw.finish();
    };
    const Times openFloor = timeRuns(PickListRuns, [&](int) { page(QString()); });
    const Times keyFloor =
        timeRuns(PickListRuns * int(typed.size()), [&](int n) { page(typed.left(n % typed.size() + 1)); });
    return {{QStringLiteral("item pick list open"), open.median(), openFloor.median()},
            {QStringLiteral("item pick list keystroke"), keys.median(), keyFloor.median()}};
}

// The pick list on the full data and on a tenth of it, the two measured in turns, so that a slow
// spell of the shared machine falls on both alike: product at the full size, then at the tenth.
QList<Row> pickListInTurns(const QSqlDatabase &full, const QSqlDatabase &tenth)
{
    PickListProbe large(full), small(tenth);
    Times largeOpen, smallOpen, largeKeys, smallKeys;
    QElapsedTimer timer;
    const auto time = [&timer](Times &times, const std::function<void()> &step) {
        timer.start();
        step();
        times.add(timer.nsecsElapsed());
    };
    for (int n = 0; n < PickListRuns; ++n) {
        time(smallOpen, [&] { small.open(); });
        time(largeOpen, [&] { large.open(); });
    }
    for (int n = 0; n < PickListRuns * int(PickListProbe::Typed.size()); ++n) {
        time(smallKeys, [&] { small.type(n); });
        time(largeKeys, [&] { large.type(n); });
    }
    return {{QStringLiteral("item pick list open"), largeOpen.median(), smallOpen.median()},
            {QStringLiteral("item pick list keystroke"), largeKeys.median(), smallKeys.median()}};
}

// On PostgreSQL with pg_stat_statements loaded: the statements of one save of a new voucher of
// `lines` lines, on every connection of this database. -1 where it cannot be counted.
int statementsOfSave(Session &s, int lines, int items, int &itemCursor)
{
    if (!isPostgres(s.db) || !execute(s.db, QStringLiteral("Set client_min_messages = warning")) ||
        !execute(s.db, QStringLiteral("Create extension if not exists pg_stat_statements")))
        return -1;
    const QStringList codes = itemsFrom(itemCursor, lines, 7, items);
    itemCursor += lines * 7 + 1;
    const Voucher voucher = newVoucher(codes, s.store.NextDocNo(Busy));
    if (!execute(s.db, QStringLiteral("Select pg_stat_statements_reset()")))
        return -1;
    if (s.store.SaveDocument(voucher, s.context).outcome != SaveResult::Saved)
        return -1;
    QSqlQuery count(s.db);
    if (!count.exec(
            QStringLiteral("Select coalesce(sum(calls), 0) from pg_stat_statements s join pg_database d "
                           "on d.oid = s.dbid where d.datname = current_database() and s.query not "
                           "like '%pg_stat_statements%'")) ||
        !count.next())
        return -1;
    return count.value(0).toInt();
}

// Writes the host tables and the scale data of `size` into db; false, said, when it cannot.
bool generate(const QSqlDatabase &db, const ScaleSize &size)
{
    QString error;
    if (!check(createHostSchema(db), QStringLiteral("the schema"), db.lastError()) ||
        !check(generateScaleData(db, size, &error), error))
        return false;
    // PostgreSQL writes the generated pages out now rather than in the background during the
    // figures (a server may refuse a user that is not allowed to; the figures are then noisier).
    if (isPostgres(db))
        execute(db, QStringLiteral("CHECKPOINT"));
    return true;
}

void run(QSqlDatabase db, const QString &engine, int vouchers)
{
    ScaleSize size;
    size.vouchers = vouchers;
    QElapsedTimer clock;
    clock.start();
    if (!generate(db, size))
        return;
    const qint64 lines = qint64(size.vouchers) * ScaleSize::LinesPerVoucher;
    out << engine << ": " << size.items << " items, " << ScaleSize::Locations << " locations, "
        << size.vouchers << " vouchers with " << lines << " lines (generated in "
        << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s)" << Qt::endl;

    Session s(db);
    int itemCursor = 0;
    QList<Row> rows{firstFocus(db), nextNumber(s)};
    rows += saves(s, 10, TenLineRuns, size.items, itemCursor);
    rows += saves(s, 1000, 5, size.items, itemCursor);
    // The same for a user who may take the stock below zero: the save does not check the balances
    // again inside its transaction, which the floor never does.
    s.context.stock.allowNegativeInventory = true;
    for (const int saveLines : {10, 1000}) {
        QList<Row> unchecked = saves(s, saveLines, saveLines == 10 ? TenLineRuns : 5, size.items, itemCursor);
        for (Row &row : unchecked)
            row.figure += QStringLiteral(" *");
        rows += unchecked.mid(0, 1) + unchecked.mid(2);
    }
    s.context.stock.allowNegativeInventory = false;
    rows += lineChecks(s, size.items) + pickList(db);
    printTable(QStringLiteral("milliseconds"), QStringLiteral("floor"), rows);
    out << "  * negative stock allowed: the balances are not checked again before writing" << Qt::endl;
    for (const int saveLines : {10, 1000}) {
        if (const int statements = statementsOfSave(s, saveLines, size.items, itemCursor); statements >= 0)
            out << "  statements of a " << saveLines << "-line save: " << statements << Qt::endl;
    }

    // Against the history: the same data with a tenth of the vouchers, in a database of its own.
    // The line checks of the two sizes run one after the other, the pick lists in turns.
    bench::withSecondDatabase(out, db, [&](QSqlDatabase tenthDb) {
        ScaleSize tenth = size;
        tenth.vouchers = vouchers / 10;
        if (!generate(tenthDb, tenth))
            return;
        Session small(tenthDb);
        const QList<Row> smallChecks = lineChecks(small, size.items);
        const QList<Row> largeChecks = lineChecks(s, size.items);
        QList<Row> history;
        for (int i = 0; i < largeChecks.size(); ++i)
            history.append({largeChecks.at(i).figure, largeChecks.at(i).product, smallChecks.at(i).product});
        history += pickListInTurns(db, tenthDb);
        const qint64 smallLines = qint64(tenth.vouchers) * ScaleSize::LinesPerVoucher;
        out << Qt::endl;
        printTable(QStringLiteral("ms at %1 lines against %2").arg(lines).arg(smallLines),
                   QStringLiteral("%1").arg(smallLines), history);
    });
}

// The offscreen platform warns once per window about size hints it cannot pass on.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")) && previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The control keeps the user's column widths; the bench's go to a folder of their own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int vouchers = args.size() > 1 ? qMax(10, args.at(1).toInt()) : 50000;
    bench::runOnEngines(out, [&](QSqlDatabase db, const QString &engine) { run(db, engine, vouchers); });
    return 0;
}
