// Requisition import: a voucher takes the date, the narration and the open lines (requested less
// already served) of a requisition recorded for its destination location.

#include "references/Requisition.h"

#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "grid/Totals.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

#include <QDateTime>

namespace qvtrnsfr {

namespace {

Q_LOGGING_CATEGORY(lcReferences, "qvtrnsfr.references")

const QString RequisitionsTitle = QStringLiteral("Requisition Slips");
const QString RequisitionsSource = QStringLiteral("reqstat");
const QString NotFoundText = QStringLiteral("Requisition not found or Requisition Completed.");
const QString NotFoundTitle = QStringLiteral("PO");

// Descriptions of the failures the import detects itself.
const QString NullFailure = QStringLiteral("Invalid use of Null");
const QString TypeFailure = QStringLiteral("Type mismatch");
const QString OverflowFailure = QStringLiteral("Overflow");
const QString ColumnFailure = QStringLiteral("The requisition has no column %1.");

QString headerQuery(double requisitionNo, double locationId)
{
    return QStringLiteral("Select Reqh.* from ReqH inner join ReqStat ") +
           QStringLiteral(" on reqh.locid=reqstat.locid and reqh.docno=reqstat.docno ") +
           QStringLiteral("where reqh.DocNo=") + sqlNumber(requisitionNo) +
           QStringLiteral(" And reqh.LocID=") + sqlNumber(locationId) +
           QStringLiteral(" and (QtyReq-POQty)>0 ");
}

QString lineQuery(qint32 requisitionNo, double locationId)
{
    return QStringLiteral("Select ReqD.*, QtyReq-POQty as QtyP, ") +
           QStringLiteral("IcItemV.Descp, icitemv.TaxPer from REQSTAT ReqD ") +
           QStringLiteral(" Inner join ICItemV on ReqD.ItemID=ICItemv.ItemID ") +
           QStringLiteral("Where DocNo=") + QString::number(requisitionNo) + QStringLiteral(" And LocID=") +
           sqlNumber(locationId) + QStringLiteral(" And (QtyReq-POQty)>0 ");
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

// One import, run under one trap: the first failure ends it and is kept to be shown.
class RequisitionImport {
public:
    // HeaderTaken is the header step's own: the import goes on with the lines.
    enum Outcome { Imported, NoLines, NotFound, Failed, HeaderTaken };

    explicit RequisitionImport(TransferControl &ctl) : m_ctl(ctl), m_rs(ctl.WorkRecordset) {}
    Outcome run(double requisitionNo);
    QString failure() const { return m_failure; }

private:
    Outcome readHeader(double requisitionNo, qint32 &docNo);
    Outcome readLines(qint32 docNo);
    bool fillRow(LineArray &lines, int row);
    bool read(const char *column, QVariant &value);
    Outcome fail(const QString &text);

    TransferControl &m_ctl;
    Snapshot &m_rs;
    QString m_failure;
};

RequisitionImport::Outcome RequisitionImport::run(double requisitionNo)
{
    m_rs.close();
    qint32 docNo = 0;
    const Outcome header = readHeader(requisitionNo, docNo);
    return header == HeaderTaken ? readLines(docNo) : header;
}

// The date and narration of the requisition; its number, as stored, for the line query.
RequisitionImport::Outcome RequisitionImport::readHeader(double requisitionNo, qint32 &docNo)
{
    const double locationId = numericValue(m_ctl.form.txtToLocID->text());
    if (!m_rs.open(m_ctl.connection, headerQuery(requisitionNo, locationId)))
        return fail(errorText(m_rs.lastError()));
    if (m_rs.eof())
        return NotFound;

    QVariant value;
    if (!read("DocDate", value))
        return Failed;
    const QDate date = databaseDate(value);
    if (!date.isValid())
        return fail(TypeFailure);
    m_ctl.form.dtpDocDate->setDate(date);

    if (!read("Narration", value))
        return Failed;
    m_ctl.form.txtNarration->setText(value.toString());

    if (!read("DocNo", value))
        return Failed;
    bool isNumber = false;
    const auto number = roundToInt32(value.toDouble(&isNumber));
    if (!isNumber || !number)
        return fail(isNumber ? OverflowFailure : TypeFailure);
    docNo = *number;
    m_rs.close();
    return HeaderTaken;
}

// The open lines joined to their items, into a LineArray of their own. The grid and the control
// are given it only once every line has been read, so a failure leaves the lines they share.
RequisitionImport::Outcome RequisitionImport::readLines(qint32 docNo)
{
    const double locationId = numericValue(m_ctl.form.txtToLocID->text());
    if (!m_rs.open(m_ctl.connection, lineQuery(docNo, locationId)))
        return fail(errorText(m_rs.lastError()));
    if (m_rs.eof())
        return NoLines;

    const int count = m_rs.recordCount();
    auto fresh = std::make_unique<LineArray>();
    fresh->Resize(0, count - 1, 0, m_ctl.LineColumnCount - 1);
    for (int row = 0; row < count && !m_rs.eof(); ++row, m_rs.next()) {
        if (!fillRow(*fresh, row))
            return Failed;
    }
    m_rs.close();

    m_ctl.replaceLines(std::move(fresh));
    UpdateTotalQty(m_ctl);
    return Imported;
}

bool RequisitionImport::fillRow(LineArray &lines, int row)
{
    for (const LineSource &source : LineSources) {
        QVariant value;
        if (!read(source.field, value))
            return false;
        lines.SetCell(row, source.column, databaseText(value));
    }
    lines.SetCell(row, ColEngineNo, QString());
    return true;
}

// A column of the current row that must hold a value: a missing column or a NULL is a failure.
bool RequisitionImport::read(const char *column, QVariant &value)
{
    const QString name = QString::fromLatin1(column);
    if (!m_rs.hasColumn(name)) {
        fail(ColumnFailure.arg(name));
        return false;
    }
    value = m_rs.value(name);
    if (value.isNull()) {
        fail(NullFailure);
        return false;
    }
    return true;
}

// Records the failure that ends the import.
RequisitionImport::Outcome RequisitionImport::fail(const QString &text)
{
    m_failure = text;
    qCWarning(lcReferences) << "requisition import failed:" << text;
    return Failed;
}

} // namespace

// The shared pick list over the requisition lines of the destination location as typed.
void cmdFindPo_Click(TransferControl &ctl)
{
    if (companions::LookupDialog *list = ctl.lookupDialog()) {
        list->SetFilter(QString());
        list->SetTitle(RequisitionsTitle);
        list->SetConnection(ctl.connection);
        list->SetSource(RequisitionsSource);
        list->SetFilter(QStringLiteral("LocID=") + ctl.form.txtToLocID->text());
        list->SetKeyColumn(1);
        list->SetSearchText(ctl.form.txtReqNo->text());
        list->SetResultColumn(1);
        list->SetOwner(ctl.hostWindow());
        list->ShowList();
        if (!list->SelectedValue().isEmpty())
            ctl.form.txtReqNo->setText(list->SelectedValue());
    }
    ctl.form.txtReqNo->setFocus();
}

// Does nothing without a requisition number and a destination. A requisition that is unknown for
// the destination or fully served is reported; a failure shows its own description. Header
// fields already taken keep their new values either way.
void cmdRef_Click(TransferControl &ctl)
{
    const double requisitionNo = numericValue(ctl.form.txtReqNo->text());
    if (requisitionNo == 0 || numericValue(ctl.form.txtToLocID->text()) == 0)
        return;

    ctl.form.grdDetail->setFocus();
    BusyCursor busy;
    RequisitionImport import(ctl);
    switch (import.run(requisitionNo)) {
    case RequisitionImport::NotFound:
        showMessage(ctl.widget(), QMessageBox::Warning, NotFoundText, NotFoundTitle);
        break;
    case RequisitionImport::Failed:
        showMessage(ctl.widget(), QMessageBox::Critical, import.failure());
        break;
    case RequisitionImport::Imported:
    case RequisitionImport::NoLines:
    case RequisitionImport::HeaderTaken:
        break;
    }
    ctl.WorkRecordset.close();
}

} // namespace qvtrnsfr
