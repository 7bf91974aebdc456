#include "grid/PriceList.h"

#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "platform/Db.h"
#include "platform/Ui.h"

#include <QSqlRecord>

namespace qvtrnsfr {

namespace {

// The message of a failure in FillPriceList: its number and its description.
void reportPriceListFailure(TransferControl &ctl, int number, const QString &description)
{
    showMessage(ctl.widget(), QMessageBox::Critical,
                QStringLiteral("Error ") + QString::number(number) + QStringLiteral(" (") + description +
                    QStringLiteral(") in procedure FillPriceList of User Control ctlTransfer"),
                QStringLiteral("Error"));
}

// A database error's number: the driver's native code where it is a number (SQLite's result
// codes), otherwise Qt's error type (PostgreSQL reports SQLSTATE texts, not numbers).
int errorNumber(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? code : static_cast<int>(error.type());
}

constexpr int InvalidUseOfNull = 94;

} // namespace

void FillPriceList(TransferControl &ctl)
{
    QComboBox *lists = ctl.form.cboPriceList;
    lists->clear();
    ForwardReader reader;
    if (!reader.exec(ctl.connection, QStringLiteral("select * from icprc order by pricelist"))) {
        reportPriceListFailure(ctl, errorNumber(reader.lastError()), errorText(reader.lastError()));
        return;
    }
    const int nameColumn = reader.columnOf(QStringLiteral("PriceList"));
    while (reader.next()) {
        const QVariant name = nameColumn >= 0 ? reader.value(nameColumn) : QVariant();
        if (name.isNull()) {
            reportPriceListFailure(ctl, InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
            return;
        }
        lists->addItem(name.toString().trimmed());
    }
    if (reader.lastError().isValid()) {
        reportPriceListFailure(ctl, errorNumber(reader.lastError()), errorText(reader.lastError()));
        return;
    }
    ctl.form.chkPrice->setVisible(lists->count() > 0);
    lists->setCurrentIndex(lists->count() - 1);
}

double GetItemPrice(TransferControl &ctl, const QString &itemCode, const QString &priceList)
{
    Snapshot price;
    if (!price.open(ctl.connection, QStringLiteral("select * from icpric where itemid=? and pricelist=?"),
                    {itemCode, priceList}) ||
        price.eof())
        return 0;
    return price.value(QStringLiteral("Price")).toDouble();
}

void PriceCheckChanged(TransferControl &ctl)
{
    const bool shown = ctl.form.chkPrice->isChecked();
    ctl.form.grdDetail->setColumnHidden(ColSalePrice, !shown);
    ctl.form.cboPriceList->setVisible(shown);
}

} // namespace qvtrnsfr
