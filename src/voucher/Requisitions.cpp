#include "voucher/Requisitions.h"

#include "platform/Db.h"
#include "platform/Numeric.h"

#include <QCoreApplication>
#include <QDateTime>

namespace qvtrnsfr {

namespace {

Q_LOGGING_CATEGORY(lcRequisitions, "qvtrnsfr.requisitions")

// Descriptions of the failures the import detects itself, in the user's language.
QString nullFailure()
{
    return QCoreApplication::translate("qvtrnsfr::Requisitions", "Invalid use of Null");
}
QString typeFailure()
{
    return QCoreApplication::translate("qvtrnsfr::Requisitions", "Type mismatch");
}
QString overflowFailure()
{
    return QCoreApplication::translate("qvtrnsfr::Requisitions", "Overflow");
}
QString columnFailure(const QString &column)
{
    return QCoreApplication::translate("qvtrnsfr::Requisitions", "The requisition has no column %1.")
        .arg(column);
}

// The columns of a requisition line copied into a voucher line, in the order they are set.
struct LineSource {
    LineColumn column;
    const char *field;
};
const LineSource LineSources[] = {
    {ColItemCode, "ItemID"},   {ColDescription, "Descp"}, {ColUnit, "Unit"},
    {ColConversion, "Conver"}, {ColQty, "QtyP"},          {ColSerialNo, "SrNo"},
};

// A value as the database gives it, written as text: numbers in their shortest form (6, 2.5).
QString databaseText(const QVariant &value)
{
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float)
        return sqlNumber(value.toDouble());
    return value.toString();
}

// A date column: a QDate (PostgreSQL) or ISO text (SQLite), with or without a time.
QDate databaseDate(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    const QString text = value.toString().trimmed();
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? date : QDateTime::fromString(text, Qt::ISODate).date();
}

class Reader {
public:
    Reader(const QSqlDatabase &db, RequisitionImport &result) : m_db(db), m_result(result) {}
    void run(double requisitionNo, double toLocation);

private:
    bool readHeader(double requisitionNo, double toLocation, qint32 &docNo);
    void readLines(qint32 docNo, double toLocation);
    bool read(const char *column, QVariant &value);
    bool fail(const QString &text);

    QSqlDatabase m_db;
    RequisitionImport &m_result;
    Snapshot m_rows;
};

void Reader::run(double requisitionNo, double toLocation)
{
    qint32 docNo = 0;
    if (readHeader(requisitionNo, toLocation, docNo))
        readLines(docNo, toLocation);
}

// The date and narration of the requisition, taken as they are read; its number, as stored, for
// the line query.
bool Reader::readHeader(double requisitionNo, double toLocation, qint32 &docNo)
{
    if (!m_rows.open(m_db, requisitionHeaderSql(requisitionNo, toLocation)))
        return fail(errorText(m_rows.lastError()));
    if (m_rows.eof()) {
        m_result.outcome = RequisitionImport::NotFound;
        return false;
    }
    QVariant value;
    if (!read("DocDate", value))
        return false;
    const QDate date = databaseDate(value);
    if (!date.isValid())
        return fail(typeFailure());
    m_result.date = date;
    if (!read("Narration", value))
        return false;
    m_result.narration = value.toString();
    if (!read("DocNo", value))
        return false;
    bool isNumber = false;
    const auto number = roundToInt32(value.toDouble(&isNumber));
    if (!isNumber || !number)
        return fail(isNumber ? overflowFailure() : typeFailure());
    docNo = *number;
    m_rows.close();
    return true;
}

void Reader::readLines(qint32 docNo, double toLocation)
{
    if (!m_rows.open(m_db, requisitionLinesSql(docNo, toLocation))) {
        fail(errorText(m_rows.lastError()));
        return;
    }
    if (m_rows.eof()) {
        m_result.outcome = RequisitionImport::NoLines;
        return;
    }
    const int count = m_rows.recordCount();
    LineArray lines;
    lines.Resize(0, count - 1, 0, LineColumns - 1);
    for (int row = 0; row < count && !m_rows.eof(); ++row, m_rows.next()) {
        for (const LineSource &source : LineSources) {
            QVariant value;
            if (!read(source.field, value))
                return;
            lines.SetCell(row, source.column, databaseText(value));
        }
        lines.SetCell(row, ColEngineNo, QString());
    }
    m_result.lines = std::move(lines);
    m_result.outcome = RequisitionImport::Imported;
}

// A column of the current row that must hold a value: a missing column or a null is a failure.
bool Reader::read(const char *column, QVariant &value)
{
    const QString name = QString::fromLatin1(column);
    if (!m_rows.hasColumn(name))
        return fail(columnFailure(name));
    value = m_rows.value(name);
    return !value.isNull() || fail(nullFailure());
}

bool Reader::fail(const QString &text)
{
    m_result.outcome = RequisitionImport::Failed;
    m_result.failure = text;
    qCWarning(lcRequisitions) << "requisition import failed:" << text;
    return false;
}

} // namespace

QString requisitionHeaderSql(double requisitionNo, double toLocation)
{
    return QStringLiteral("Select Reqh.* from ReqH inner join ReqStat ") +
           QStringLiteral(" on reqh.locid=reqstat.locid and reqh.docno=reqstat.docno ") +
           QStringLiteral("where reqh.DocNo=") + sqlNumber(requisitionNo) +
           QStringLiteral(" And reqh.LocID=") + sqlNumber(toLocation) +
           QStringLiteral(" and (QtyReq-POQty)>0 ");
}

QString requisitionLinesSql(qint32 requisitionNo, double toLocation)
{
    return QStringLiteral("Select ReqD.*, QtyReq-POQty as QtyP, ") +
           QStringLiteral("IcItemV.Descp, icitemv.TaxPer from REQSTAT ReqD ") +
           QStringLiteral(" Inner join ICItemV on ReqD.ItemID=ICItemv.ItemID ") +
           QStringLiteral("Where DocNo=") + QString::number(requisitionNo) + QStringLiteral(" And LocID=") +
           sqlNumber(toLocation) + QStringLiteral(" And (QtyReq-POQty)>0 ");
}

RequisitionImport readRequisition(const QSqlDatabase &db, double requisitionNo, double toLocation)
{
    RequisitionImport result;
    Reader(db, result).run(requisitionNo, toLocation);
    return result;
}

} // namespace qvtrnsfr
