#include "voucher/Gs1.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace qvtrnsfr {

namespace {

const QChar GroupSeparator(0x1D);

// The identifiers read, with the length of their field: fixed, or at most `length` when variable.
struct Identifier {
    const char *ai;
    int length;
    bool variable;
    bool digits;
};

const Identifier Identifiers[] = {{"00", 18, false, true}, {"01", 14, false, true}, {"02", 14, false, true},
                                  {"10", 20, true, false}, {"11", 6, false, true},  {"12", 6, false, true},
                                  {"13", 6, false, true},  {"15", 6, false, true},  {"16", 6, false, true},
                                  {"17", 6, false, true},  {"20", 2, false, true},  {"21", 20, true, false},
                                  {"30", 8, true, true},   {"37", 8, true, true}};

const Identifier *identifier(const QString &ai)
{
    for (const Identifier &known : Identifiers) {
        if (ai == QLatin1String(known.ai))
            return &known;
    }
    return nullptr;
}

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}

// The texts of the problems, translated in the context "qvtrnsfr::Gs1".
class Gs1Texts {
    Q_DECLARE_TR_FUNCTIONS(qvtrnsfr::Gs1)
};

// The code without its symbology identifier or leading FNC1; empty when it has neither and does
// not start with a GTIN.
std::optional<QString> elementString(const QString &code)
{
    static const QRegularExpression startsWithGtin(QStringLiteral("^01[0-9]{14}"));
    for (const char *prefix : {"]C1", "]d2", "]Q3"}) {
        if (code.startsWith(QLatin1String(prefix)))
            return code.mid(3);
    }
    if (code.startsWith(GroupSeparator) || startsWithGtin.match(code).hasMatch())
        return code;
    return std::nullopt;
}

} // namespace

int gs1CheckDigit(const QString &digitsWithoutCheck)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digitsWithoutCheck.size() - 1; i >= 0; --i) {
        sum += digitsWithoutCheck.at(i).digitValue() * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

std::optional<Gs1Scan> parseGs1(const QString &code)
{
    const std::optional<QString> elements = elementString(code);
    if (!elements)
        return std::nullopt;
    const QString &text = *elements;
    Gs1Scan scan;
    QString seen;
    const auto refuse = [&scan](const QString &problem) {
        scan.problem = problem;
        return scan;
    };
    qsizetype at = 0;
    while (at < text.size()) {
        if (text.at(at) == GroupSeparator) {
            ++at;
            continue;
        }
        const QString ai = text.mid(at, 2);
        const Identifier *known = identifier(ai);
        if (!allDigits(ai) || ai.size() < 2)
            return refuse(Gs1Texts::tr("no application identifier at character %1").arg(at + 1));
        if (!known)
            return refuse(Gs1Texts::tr("the application identifier (%1) is not known").arg(ai));
        if (seen.contains(QLatin1Char('(') + ai + QLatin1Char(')')))
            return refuse(Gs1Texts::tr("(%1) appears twice").arg(ai));
        seen += QLatin1Char('(') + ai + QLatin1Char(')');
        at += 2;
        QString field;
        if (known->variable) {
            const qsizetype end = text.indexOf(GroupSeparator, at);
            field = text.mid(at, end < 0 ? -1 : end - at);
            if (field.isEmpty())
                return refuse(Gs1Texts::tr("(%1) is empty").arg(ai));
            if (field.size() > known->length)
                return refuse(Gs1Texts::tr("(%1) is longer than %2 characters").arg(ai).arg(known->length));
        } else {
            field = text.mid(at, known->length);
            if (field.size() < known->length)
                return refuse(Gs1Texts::tr("(%1) is shorter than %2 digits").arg(ai).arg(known->length));
        }
        if (known->digits && !allDigits(field))
            return refuse(Gs1Texts::tr("(%1) holds more than digits").arg(ai));
        at += field.size();
        if (ai == QLatin1String("01"))
            scan.gtin = field;
        else if (ai == QLatin1String("21"))
            scan.serial = field;
        else if (ai == QLatin1String("10"))
            scan.lot = field;
        else if (ai == QLatin1String("30") || ai == QLatin1String("37"))
            scan.quantity = field.toLongLong();
    }
    if (scan.gtin.isEmpty())
        return refuse(Gs1Texts::tr("it names no GTIN (01)"));
    if (gs1CheckDigit(scan.gtin.left(13)) != scan.gtin.at(13).digitValue())
        return refuse(Gs1Texts::tr("the check digit of GTIN %1 is wrong").arg(scan.gtin));
    if (seen.contains(QLatin1String("(30)")) && seen.contains(QLatin1String("(37)")))
        return refuse(Gs1Texts::tr("it holds two counts, (30) and (37)"));
    return scan;
}

} // namespace qvtrnsfr
