#include "platform/Numeric.h"

#include <cmath>
#include <limits>

namespace qvtrnsfr {

namespace {

bool isIgnoredSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Value of c as a digit of the given base, or -1.
int digitValue(QChar c, int base)
{
    const ushort u = c.unicode();
    int value = -1;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    return value < base ? value : -1;
}

// The base of an "&H" or "&O" prefix at the start of text, 0 when there is none.
int radixPrefixBase(const QString &text)
{
    if (text.size() < 2 || text.at(0) != QLatin1Char('&'))
        return 0;
    const QChar kind = text.at(1).toUpper();
    if (kind == QLatin1Char('H'))
        return 16;
    if (kind == QLatin1Char('O'))
        return 8;
    return 0;
}

// Reads digits of base from text at pos on; returns how many were read.
int readRadixDigits(const QString &text, int pos, int base, double *value)
{
    int count = 0;
    for (; pos < text.size(); ++pos, ++count) {
        const int digit = digitValue(text.at(pos), base);
        if (digit < 0)
            break;
        *value = *value * base + digit;
    }
    return count;
}

int skipDigits(const QString &text, int pos)
{
    while (pos < text.size() && isAsciiDigit(text.at(pos)))
        ++pos;
    return pos;
}

// Length of the decimal number at the start of text (sign, digits, one point, exponent), 0 if none.
int decimalPrefixLength(const QString &text)
{
    int pos = 0;
    if (pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-')))
        ++pos;
    const int intStart = pos;
    pos = skipDigits(text, pos);
    bool anyDigit = pos > intStart;
    if (pos < text.size() && text.at(pos) == QLatin1Char('.')) {
        const int fracStart = pos + 1;
        pos = skipDigits(text, fracStart);
        anyDigit = anyDigit || pos > fracStart;
    }
    if (!anyDigit)
        return 0;
    if (pos < text.size() && text.at(pos).toLower() == QLatin1Char('e')) {
        int expPos = pos + 1;
        if (expPos < text.size() &&
            (text.at(expPos) == QLatin1Char('+') || text.at(expPos) == QLatin1Char('-')))
            ++expPos;
        const int expEnd = skipDigits(text, expPos);
        if (expEnd > expPos)
            pos = expEnd; // an exponent counts only when digits follow it
    }
    return pos;
}

// "&HFF" / "&o17" as a whole text (digits to the end), for the locale readings.
std::optional<double> wholeRadixNumber(const QString &text)
{
    const int base = radixPrefixBase(text);
    if (base == 0)
        return std::nullopt;
    double value = 0;
    const int count = readRadixDigits(text, 2, base, &value);
    if (count == 0 || 2 + count != text.size())
        return std::nullopt;
    return value;
}

} // namespace

double numericValue(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isIgnoredSpace(c))
            compact.append(c);
    }
    if (const int base = radixPrefixBase(compact)) {
        double value = 0;
        readRadixDigits(compact, 2, base, &value);
        return value;
    }
    const int length = decimalPrefixLength(compact);
    if (length == 0)
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(QStringView(compact).left(length), &ok);
    // Underflow reads as 0 (ok is false but the value is right); an overflow has no value.
    return std::isfinite(value) ? value : 0;
}

std::optional<double> localeNumber(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const auto radix = wholeRadixNumber(trimmed))
        return radix;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> roundToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1;
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

std::optional<qint32> wholeNumberValue(const QString &text, const QLocale &locale)
{
    const auto value = localeNumber(text, locale);
    if (!value)
        return std::nullopt;
    return roundToInt32(*value);
}

QString sqlNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("NULL"); // no SQL literal for it; NULL matches nothing
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString formatTotal(double value, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const QString zero = grouped.toString(0.0, 'f', 2);
    if (std::signbit(value) && grouped.toString(-value, 'f', 2) == zero)
        return zero; // a small negative rounds to zero and shows without its sign
    return grouped.toString(value, 'f', 2);
}

} // namespace qvtrnsfr
