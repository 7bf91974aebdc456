#include "voucher/Voucher.h"

#include "platform/Numeric.h"

#include <cmath>

namespace qvtrnsfr {

NumberText NumberText::read(const QString &text)
{
    return {text, numericValue(text), wholeNumberValue(text), qvtrnsfr::localeNumber(text)};
}

std::optional<qint32> NumberText::leadingRounded() const
{
    return roundToInt32(leading);
}

VoucherLine VoucherLine::fromRow(const LineArray &lines, int row)
{
    return {lines.cellText(row, ColItemCode),
            lines.cellText(row, ColDescription),
            lines.cellText(row, ColUnit),
            NumberText::read(lines.cellText(row, ColConversion)),
            NumberText::read(lines.cellText(row, ColQty)),
            lines.cellText(row, ColSerialNo),
            lines.cellText(row, ColEngineNo),
            NumberText::read(lines.cellText(row, ColSalePrice))};
}

double VoucherLine::baseQuantity() const
{
    return quantity.leading * conversion.leading;
}

std::optional<double> VoucherLine::otherLineQuantity() const
{
    if (!quantity.localeNumber || !conversion.localeNumber)
        return std::nullopt;
    return *quantity.localeNumber * *conversion.localeNumber;
}

QString Voucher::dateText() const
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

std::optional<QVariant> storedNumber(const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double totalQuantity(const LineArray &lines)
{
    double total = 0;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        if (const auto qty = localeNumber(lines.cellText(row, ColQty)))
            total += *qty;
    }
    return total;
}

} // namespace qvtrnsfr
