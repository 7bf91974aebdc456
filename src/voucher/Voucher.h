#pragma once
// A transfer voucher as values: its header and its lines, read from the texts the form holds.
//
// The form's number fields are texts, and the system reads one text in several ways: by the
// number it begins with (the leading number: "12abc" is 12, "1,250.00" is 1), as a whole number
// of the user's locale rounded to 32 bits, or as a locale number. A NumberText keeps the text
// with each of its readings, made here once; every rule and statement takes the reading its
// definition names (the number of a voucher's header query is the leading number of the number
// field, the source of its line query the whole-number value of the source field, ...).

#include "voucher/LineArray.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace qvtrnsfr {

struct NumberText {
    QString text;
    double leading = 0;                 // the leading number; 0 when the text begins with none
    std::optional<qint32> whole;        // the whole text as a locale number, rounded; empty when none
    std::optional<double> localeNumber; // the whole text as a locale number; empty when none

    static NumberText read(const QString &text);
    bool isEmpty() const { return text.isEmpty(); }
    std::optional<qint32> leadingRounded() const; // the leading number as a 32-bit integer
};

// One line of the voucher, its cells as texts.
struct VoucherLine {
    QString itemCode;
    QString description;
    QString unit;
    NumberText conversion;
    NumberText quantity;
    QString serialNo;
    QString engineNo;
    NumberText salePrice;

    static VoucherLine fromRow(const LineArray &lines, int row);

    // The line in stock units as the line checks count it: the leading numbers of its quantity
    // and conversion, multiplied ("12abc" boxes of 12 are 144).
    double baseQuantity() const;
    // The line in stock units as it counts among the other lines of its item: quantity and
    // conversion read as locale numbers; empty when either is no number.
    std::optional<double> otherLineQuantity() const;
};

// The header as the form shows it, and its lines.
// A voucher as it was recalled: its key, and the version of its header then. Every save of a
// voucher changes the version, so a save or delete of a recalled voucher that another user has
// saved since is refused instead of overwriting that user's save.
struct RecalledVersion {
    qint32 docNo = 0;
    qint32 fromLocation = 0;
    qint64 version = 0;
};

struct Voucher {
    NumberText docNo;                        // txtDocNo
    NumberText fromLocation;                 // txtFromLocID
    NumberText toLocation;                   // txtToLocID
    QDate date;                              // dtpDocDate
    QString narration;                       // txtNarration
    NumberText orderNo;                      // txtOrdNo
    QString requisition;                     // txtReqNo
    NumberText total;                        // txtTotalQty
    bool showPrices = false;                 // chkPrice
    bool editMode = false;                   // a recalled voucher (the number field is editable)
    LineArray lines;                         // the stored lines, as the grid shows them
    std::optional<RecalledVersion> recalled; // the voucher last recalled on the form, if any

    // The document date as the inventory component takes it: "dd/MM/yyyy".
    QString dateText() const;
};

// A cell written to a number column, converted as the database converts a text to a number:
// the whole text, blanks around it aside, in the C notation ("12", "-1.5", "1e3"). The empty
// text is null; empty when the text is no number.
std::optional<QVariant> storedNumber(const QString &text);

// The total quantity of the lines: the plain sum of their "Qty." cells read as locale numbers,
// each in its own line's unit; a cell that is no number adds nothing.
double totalQuantity(const LineArray &lines);

} // namespace qvtrnsfr
