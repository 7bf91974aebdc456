#pragma once
// What the voucher tests share: master data and a started host on it, rows as compact strings,
// and the user's steps that may show message boxes, which return the boxes' summaries.

#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// Locations 1 to 3; items A-1 (standard cost 2.5), B-2 (4, with receipts at location 1 costing 5
// before and 100 after 2024-06-01) and C-3 (1); user "tester" may choose any source, use every
// location both ways and go negative.
inline const QStringList Masters = {
    "Insert into ICLoc (LocID, LocName) Values (1, 'Main store'), (2, 'Branch'), (3, 'Workshop')",
    "Insert into ICItem (ItemID, Descp, StockUnit, StdCost) Values ('A-1', 'Bolt', 'PCS', 2.5),"
    " ('B-2', 'Nut', 'PCS', 4), ('C-3', 'Washer', 'PCS', 1)",
    "Insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) Values ('B-2', 1, '2024-01-02', 10, 5),"
    " ('B-2', 1, '2024-06-01', 10, 100)",
    "Insert into UserProfile (UserName, MayChangeSource, AllowNegative) Values ('tester', 1 = 1, 1 = 1)",
    "Insert into UserLocRight (UserName, LocID, Direction) Values ('tester', 1, 1), ('tester', 2, 1),"
    " ('tester', 3, 1), ('tester', 1, 2), ('tester', 2, 2), ('tester', 3, 2)"};

struct Vouchers {
    // The masters, the ledger setup (DbID 7) and the statements given, then the host started.
    Vouchers(TestDatabase::Engine engine, bool editMode, const QStringList &seed = {},
             bool useTransaction = true, std::shared_ptr<companions::Factory> factory = {})
        : db(engine)
    {
        ready = db.isValid() &&
                db.exec("Insert into GLSetup (DbID, UseTransaction) Values (7, ?)", {useTransaction ? 1 : 0});
        for (const QString &sql : Masters + seed)
            ready = ready && db.exec(sql);
        ready = ready && restart(editMode, std::move(factory));
    }
    bool restart(bool editMode, std::shared_ptr<companions::Factory> factory = {}) // a new host window
    {
        host = std::make_unique<ControlHost>(db.connection(), "tester", editMode, std::move(factory));
        return host->start();
    }
    qvtrnsfr::TransferForm &form() { return host->form(); }
    // The form's "number date|destination|narration|order|requisition|prices|total line,line".
    QString voucher()
    {
        const qvtrnsfr::TransferForm &f = form();
        return QString("%1 %2|%3|%4|%5|%6|%7|%8 %9")
            .arg(f.txtDocNo->text(), f.dtpDocDate->date().toString(Qt::ISODate), f.txtToLocID->text(),
                 f.txtNarration->text(), f.txtOrdNo->text(), f.txtReqNo->text(),
                 f.chkPrice->isChecked() ? "prices" : "-", f.txtTotalQty->text(), host->lineRows().join(','));
    }
    QStringList rows(const QString &sql) // cells joined by '|', "NULL" for a null
    {
        QSqlQuery query(db.connection());
        if (!query.exec(sql))
            return {"failed: " + sql};
        QStringList rows;
        while (query.next()) {
            QStringList cells;
            for (int i = 0; i < query.record().count(); ++i)
                cells << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
            rows << cells.join('|');
        }
        return rows;
    }
    QString tables() // every header, then every line, in key order
    {
        return (rows("Select FromLocID, DocNo, Narration, ToLocID, LinkDetID from ICTRANH Order by 1, 2") +
                rows("Select FromLocID, DocNo, ItemID, Qty, Cost from ICTRAND Order by 1, 2, 3, 4"))
            .join(' ');
    }
    void source(const QString &id) // in add mode also proposes the next number, as leaving the field does
    {
        form().txtFromLocID->setText(id);
        if (!form().txtDocNo->isEnabled())
            host->state()->ResetForm();
    }
    // The summaries of the message boxes the step shows, each answered.
    template <typename Step> QString boxes(Step step)
    {
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok, 2);
        step();
        return catcher.summaries();
    }
    QString press(QAbstractButton *button)
    {
        return boxes([button] { button->click(); });
    }
    QString leaveDocNo(const QString &number) // typed into txtDocNo, which is left with Tab
    {
        return boxes([this, &number] {
            form().txtDocNo->setFocus();
            form().txtDocNo->setText(number);
            QTest::keyClick(form().txtDocNo, Qt::Key_Tab);
            QApplication::processEvents();
        });
    }
    QString focus() // the field the window gives the focus back to
    {
        return host->window()->focusWidget() ? host->window()->focusWidget()->objectName() : QString();
    }

    TestDatabase db;
    std::unique_ptr<ControlHost> host;
    bool ready = false;
};

#define QVT_VOUCHERS(name, engine, ...)                                                                      \
    QVT_SKIP_UNLESS_AVAILABLE(engine);                                                                       \
    Vouchers name(engine, __VA_ARGS__);                                                                      \
    QVERIFY2(name.ready, qPrintable(name.db.errorText()))

// One row of the case for each engine, the engine in the first column.
template <typename... Values> void addEngineRows(const char *name, const Values &...values)
{
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres})
        ((QTest::addRow("%s %s", qPrintable(TestDatabase::engineName(engine)), name) << engine)
         << ... << values);
}

// Statements that make the database refuse the event ("INSERT ON ICTRAND") when the condition holds.
inline QStringList refusal(TestDatabase::Engine engine, const QString &event, const QString &when,
                           const QString &reason)
{
    if (engine == TestDatabase::Sqlite)
        return {QString("CREATE TRIGGER Refuse BEFORE %1 WHEN %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
                    .arg(event, when, reason)};
    return {QString("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF %1 THEN RAISE EXCEPTION '%2';"
                    " END IF; RETURN NEW; END $$ LANGUAGE plpgsql")
                .arg(when, reason),
            "CREATE TRIGGER Refuse BEFORE " + event + " FOR EACH ROW EXECUTE FUNCTION refuse()"};
}

inline const QString Saved = "information Save Document: Document Number  %1  Is Saved Successfully ";
