#include "voucher/VoucherSql.h"

#include "platform/Numeric.h"

#include <QStringList>

namespace qvtrnsfr::VoucherSql {

namespace {

// The header's columns after the key, in the order saving sets them.
const QStringList HeaderColumns = {
    QStringLiteral("DocDate"),  QStringLiteral("ToLocID"),   QStringLiteral("Narration"),
    QStringLiteral("TotalQty"), QStringLiteral("AuditUser"), QStringLiteral("AuditTime"),
    QStringLiteral("OrdNo"),    QStringLiteral("Posted"),    QStringLiteral("SysDate"),
    QStringLiteral("DbID"),     QStringLiteral("ShowPrice"), QStringLiteral("ReqNo")};

QString marks(qsizetype count)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), count);
    return marks.join(QStringLiteral(", "));
}

} // namespace

QString keyCondition(const QString &docNo, const QString &fromLocation, const QString &conjunction)
{
    return QStringLiteral(" Where DocNo=") + docNo + conjunction + QStringLiteral("FromLocID=") +
           fromLocation;
}

QString nextNumber(double fromLocation)
{
    return QStringLiteral("Select Max(DocNo) as MaxID from ") + HeaderTable +
           QStringLiteral(" Where FromLocID=") + sqlNumber(fromLocation);
}

QString header(double docNo, qint32 fromLocation)
{
    return QStringLiteral("Select * from ") + HeaderTable +
           keyCondition(sqlNumber(docNo), QString::number(fromLocation));
}

QString lines(qint32 docNo, qint32 fromLocation)
{
    return QStringLiteral("Select ") + LineTable + QStringLiteral(".*, IcItem.Descp from ") + LineTable +
           QStringLiteral(" Inner join ICItem on ") + LineTable + QStringLiteral(".ItemID=ICItem.ItemID") +
           keyCondition(QString::number(docNo), QString::number(fromLocation));
}

QString deleteLines(qint32 docNo, qint32 fromLocation)
{
    return QStringLiteral("Delete from ") + LineTable +
           keyCondition(QString::number(docNo), QString::number(fromLocation));
}

QString updateHeader()
{
    QStringList assignments;
    for (const QString &column : HeaderColumns)
        assignments << column + QStringLiteral("=?");
    assignments << VersionColumn + QStringLiteral("=") + VersionColumn + QStringLiteral("+1");
    return QStringLiteral("Update ") + HeaderTable + QStringLiteral(" Set ") +
           assignments.join(QStringLiteral(", ")) + keyCondition(QStringLiteral("?"), QStringLiteral("?")) +
           QStringLiteral(" And ") + VersionColumn + QStringLiteral("=?");
}

QString insertHeader()
{
    const QStringList columns =
        QStringList{QStringLiteral("DocNo"), QStringLiteral("FromLocID")} + HeaderColumns;
    return QStringLiteral("Insert into ") + HeaderTable + QStringLiteral(" (") +
           columns.join(QStringLiteral(", ")) + QStringLiteral(") Values (") + marks(columns.size()) +
           QStringLiteral(") On Conflict (DocNo, FromLocID) Do Nothing");
}

QString insertLines(int rows)
{
    QStringList values;
    values.fill(QStringLiteral("(") + marks(11) + QStringLiteral(")"), rows);
    return QStringLiteral("Insert into ") + LineTable +
           QStringLiteral(
               " (DocNo, FromLocID, ItemID, Unit, Conver, Qty, Cost, Amount, SrNo, EngNo, Price) Values ") +
           values.join(QStringLiteral(", "));
}

QString headerToDelete(double docNo, double fromLocation)
{
    return QStringLiteral("Select * from ") + HeaderTable +
           keyCondition(sqlNumber(docNo), sqlNumber(fromLocation), QStringLiteral(" and "));
}

QString deleteLedger(qint32 ledgerDetailId)
{
    return QStringLiteral("Delete from GLTRH Where DetID=") + QString::number(ledgerDetailId);
}

QString deleteHeader(double docNo, double fromLocation, std::optional<qint64> version)
{
    QString sql = QStringLiteral("Delete from ") + HeaderTable +
                  keyCondition(sqlNumber(docNo), sqlNumber(fromLocation), QStringLiteral(" and "));
    if (version)
        sql += QStringLiteral(" and ") + VersionColumn + QLatin1Char('=') + QString::number(*version);
    return sql;
}

} // namespace qvtrnsfr::VoucherSql
