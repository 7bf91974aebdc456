#pragma once
// Text-to-number rules shared by every routine of the control.

#include <QLocale>
#include <QString>
#include <optional>

namespace qvtrnsfr {

// The number at the start of a text: digits with an optional sign, one decimal point and an
// optional exponent, or a whole number in hexadecimal (&H) or octal (&O). Blanks, tabs and line
// feeds are ignored wherever they stand; reading stops at the first character that cannot continue
// the number. The decimal point is always '.', whatever the locale. 0 when there is no number.
// "12abc" -> 12, "1 2" -> 12, "1,250.00" -> 1, "" -> 0, "&HFF" -> 255. A number beyond the range
// of double (1e999) also gives 0.
double numericValue(const QString &text);

// The whole text read as a number with the locale's separators, rounded to the nearest 32-bit
// integer, halves to the even neighbour. Empty when the text is not a number or does not fit.
std::optional<qint32> wholeNumberValue(const QString &text, const QLocale &locale = QLocale());

// The whole text read as a double with the locale's separators ("1,250.00" -> 1250 where the comma
// groups thousands). Empty when the text is not a number.
std::optional<double> localeNumber(const QString &text, const QLocale &locale = QLocale());

// A double rounded half to even to a 32-bit integer; empty when it does not fit.
std::optional<qint32> roundToInt32(double value);

// The shortest decimal form of a number, as spliced into SQL text: 12, 12.5, -150; never an
// exponent (100000, not 1e+05) and never "-0". Infinity and NaN have no literal: "NULL".
QString sqlNumber(double value);

// The total format "#,##0.00": thousands grouped, two decimals (1234.5 -> "1,234.50"); a value
// that rounds to zero shows as "0.00", never "-0.00".
QString formatTotal(double value, const QLocale &locale = QLocale());

} // namespace qvtrnsfr
