#pragma once
// Why the core refuses a field, a line or a voucher: the message the user reads, how it is shown,
// and where the user has to act. The form shows it in a message box and moves the focus.

#include <QString>

namespace qvtrnsfr {

enum class VoucherField { None, DocNo, FromLocation, ToLocation, Lines };

struct Refusal {
    enum class Severity { Warning, Information, Critical };
    Severity severity = Severity::Critical;
    QString text;
    QString title;                           // empty: the caption of the host window
    VoucherField field = VoucherField::None; // None: the focus stays where it is
    int row = -1;                            // the line concerned, when it is one line

    bool operator==(const Refusal &other) const
    {
        return severity == other.severity && text == other.text && title == other.title &&
               field == other.field && row == other.row;
    }
};

} // namespace qvtrnsfr
