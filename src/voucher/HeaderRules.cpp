#include "voucher/HeaderRules.h"

#include <QCoreApplication>

namespace qvtrnsfr {

namespace {

// The texts are marked for translation where they stand and translated here.
Refusal warning(const char *text, VoucherField field)
{
    return {Refusal::Severity::Warning, QCoreApplication::translate("qvtrnsfr::HeaderRules", text), QString(),
            field};
}

} // namespace

std::optional<Refusal> ValidateDocument(const Voucher &voucher)
{
    if (voucher.fromLocation.isEmpty())
        return warning(QT_TRANSLATE_NOOP("qvtrnsfr::HeaderRules", "Empty from location can not be allowed."),
                       VoucherField::FromLocation);
    if (voucher.toLocation.isEmpty())
        return warning(QT_TRANSLATE_NOOP("qvtrnsfr::HeaderRules", "Empty to location can not be allowed."),
                       VoucherField::ToLocation);
    const auto from = voucher.fromLocation.whole;
    const auto to = voucher.toLocation.whole;
    if (!from || !to || *from == *to)
        return warning(
            QT_TRANSLATE_NOOP("qvtrnsfr::HeaderRules", "Transfer from location and to location are same."),
            VoucherField::ToLocation);
    if (voucher.total.leading == 0)
        return warning(QT_TRANSLATE_NOOP("qvtrnsfr::HeaderRules", "Empty voucher can not be saved."),
                       VoucherField::None);
    return std::nullopt;
}

} // namespace qvtrnsfr
