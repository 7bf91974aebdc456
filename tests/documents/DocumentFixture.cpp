#include "DocumentFixture.h"

#include "grid/Totals.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>

using qvtrnsfr::LineArray;

bool seedMasters(TestDatabase &db, bool useTransaction)
{
    const QStringList statements{
        QStringLiteral("Insert into ICLoc (LocID, LocName) Values (1, 'Main store')"),
        QStringLiteral("Insert into ICLoc (LocID, LocName) Values (2, 'Branch')"),
        QStringLiteral("Insert into ICLoc (LocID, LocName) Values (3, 'Workshop')"),
        QStringLiteral(
            "Insert into ICItem (ItemID, Descp, StockUnit, StdCost) Values ('A-1', 'Bolt', 'PCS', 2.5)"),
        QStringLiteral(
            "Insert into ICItem (ItemID, Descp, StockUnit, StdCost) Values ('B-2', 'Nut', 'PCS', 4)"),
        QStringLiteral(
            "Insert into ICItem (ItemID, Descp, StockUnit, StdCost) Values ('C-3', 'Washer', 'PCS', 1)"),
        QStringLiteral("Insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost)"
                       " Values ('B-2', 1, '2024-01-02', 10, 5)"),
        QStringLiteral("Insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost)"
                       " Values ('B-2', 1, '2024-06-01', 10, 100)"),
    };
    for (const QString &sql : statements) {
        if (!db.exec(sql))
            return false;
    }
    return db.exec(QStringLiteral("Insert into UserProfile (UserName, MayChangeSource, AllowNegative)"
                                  " Values (?, ?, ?)"),
                   {TestUser, true, true}) &&
           db.exec(QStringLiteral("Insert into GLSetup (DbID, UseTransaction) Values (7, ?)"),
                   {useTransaction ? 1 : 0});
}

bool insertHeader(TestDatabase &db, const QString &columns, const QVariantList &values)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), int(values.size()));
    return db.exec(QStringLiteral("Insert into ICTRANH (%1) Values (%2)").arg(columns, marks.join(u',')),
                   values);
}

bool insertLine(TestDatabase &db, int fromLocId, int docNo, const QString &item, double qty)
{
    return db.exec(QStringLiteral("Insert into ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty)"
                                  " Values (?, ?, ?, 'PCS', 1, ?)"),
                   {fromLocId, docNo, item, qty});
}

QStringList rowsOf(TestDatabase &db, const QString &sql)
{
    QStringList rows;
    QSqlQuery query(db.connection());
    if (!query.exec(sql)) {
        rows << QStringLiteral("query failed: ") + query.lastError().text();
        return rows;
    }
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < query.record().count(); ++i)
            cells << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList voucherTables(TestDatabase &db)
{
    return rowsOf(db, QStringLiteral("Select FromLocID, DocNo, Narration, ToLocID, LinkDetID from ICTRANH"
                                     " Order by FromLocID, DocNo")) +
           rowsOf(db, QStringLiteral("Select FromLocID, DocNo, ItemID, Qty, Cost from ICTRAND"
                                     " Order by FromLocID, DocNo, ItemID, Qty"));
}

VoucherHost::VoucherHost(const QSqlDatabase &db, bool allowEdit, std::shared_ptr<companions::Factory> factory)
    : m_host(db, TestUser, allowEdit, std::move(factory))
{
}

bool VoucherHost::start()
{
    if (!m_host.show())
        return false;
    m_host.focusControl();
    return state().FocusInitialised;
}

void VoucherHost::setSource(const QString &fromLocId)
{
    form().txtFromLocID->setText(fromLocId);
    if (!form().txtDocNo->isEnabled())
        state().ResetForm();
}

void VoucherHost::setLines(const QList<QStringList> &rows)
{
    auto lines = std::make_unique<LineArray>();
    lines->Resize(0, int(rows.size()) - 1, 0, qvtrnsfr::LineColumns - 1);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            lines->SetCell(row, column, rows.at(row).at(column));
    }
    state().replaceLines(std::move(lines));
    qvtrnsfr::UpdateTotalQty(state());
}

QStringList VoucherHost::lineRows()
{
    const LineArray &lines = state().lineArray();
    QStringList rows;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        QStringList cells;
        for (int column = 0; column < qvtrnsfr::LineColumns; ++column)
            cells << lines.cellText(row, column);
        rows << cells.join(u'|');
    }
    return rows;
}

void VoucherHost::leaveDocNo(const QString &number)
{
    QLineEdit *docNo = form().txtDocNo;
    docNo->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    docNo->setText(number);
    QTest::keyClick(docNo, Qt::Key_Tab);
    QApplication::processEvents();
}

QString VoucherHost::focusName()
{
    const QWidget *focus = m_host.window()->focusWidget();
    return focus ? focus->objectName() : QString();
}
