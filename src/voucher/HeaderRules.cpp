#include "voucher/HeaderRules.h"

namespace qvtrnsfr {

namespace {

Refusal warning(const char *text, VoucherField field)
{
    return {Refusal::Severity::Warning, QString::fromLatin1(text), QString(), field};
}

} // namespace

std::optional<Refusal> ValidateDocument(const Voucher &voucher)
{
    if (voucher.fromLocation.isEmpty())
        return warning("Empty from location can not be allowed.", VoucherField::FromLocation);
    if (voucher.toLocation.isEmpty())
        return warning("Empty to location can not be allowed.", VoucherField::ToLocation);
    const auto from = voucher.fromLocation.whole;
    const auto to = voucher.toLocation.whole;
    if (!from || !to || *from == *to)
        return warning("Transfer from location and to location are same.", VoucherField::ToLocation);
    if (voucher.total.leading == 0)
        return warning("Empty voucher can not be saved.", VoucherField::None);
    return std::nullopt;
}

} // namespace qvtrnsfr
