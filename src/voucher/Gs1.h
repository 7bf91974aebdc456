#pragma once
// GS1 element strings as a scanner types them: an optional symbology identifier ("]C1" GS1-128,
// "]d2" GS1 DataMatrix, "]Q3" GS1 QR) or a leading FNC1 (sent as the GS character, 0x1D), then
// application identifiers each followed by its field; a field of variable length ends at a GS or
// at the end of the code. A code without a prefix is read as GS1 when it starts with (01) and a
// GTIN-14, so that plain item codes and bar codes keep their meaning.
//
// Read: (01) GTIN-14, its check digit verified; (10) batch or lot; (21) serial number; (30) and
// (37) a count. Known identifiers of a fixed length that a transfer does not use ((00), (02),
// (11) to (17), (20)) are passed over; any other identifier is refused.

#include <QString>
#include <optional>

namespace qvtrnsfr {

struct Gs1Scan {
    QString gtin;                   // the 14 digits of (01)
    QString serial;                 // (21), empty when absent
    QString lot;                    // (10), empty when absent
    std::optional<qint64> quantity; // (30) or (37)
    QString problem;                // why the code cannot be read; empty when it was read
};

// Empty when the code is no GS1 element string (a plain code); otherwise what it holds, or the
// problem that keeps it from being read.
std::optional<Gs1Scan> parseGs1(const QString &code);

// The GS1 check digit of the digits before it (mod 10, weights 3 and 1 from the right).
int gs1CheckDigit(const QString &digitsWithoutCheck);

} // namespace qvtrnsfr
