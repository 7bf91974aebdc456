// Saved transfer vouchers and the ledger rows of the one that has been posted. Numbers run per
// source location from 1; lines only take what the source holds at that moment.

#include "DemoGenerator.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace demodata {

namespace {

constexpr int kPostedDetailId = 5001;

const char *const kNarrations[] = {
    "Weekly replenishment", "Stock for the branch display", "Seasonal stock", "Return of slow movers",
    "Urgent top-up",
};

QVariant nullInteger()
{
    return QVariant(QMetaType::fromType<int>());
}

int destinationFor(int voucher, int source)
{
    if (source == 1) {
        return 2 + voucher % 4; // the branches, the showroom and the service centre
    }
    return voucher % 2 == 0 ? 1 : 3;
}

} // namespace

bool DemoGenerator::planPlainLine(int line, int source, PlannedLine *planned)
{
    const int item = pickStockedItem(source, 1);
    if (item < 0) {
        return false;
    }
    const DemoItem &it = m_items[size_t(item)];
    const double onHand = balance(source, item);
    planned->item = item;
    planned->serialNo = QStringLiteral("");
    planned->engineNo = QStringLiteral("");
    if (line % 2 == 1 && !it.units.empty() && onHand >= 2 * it.units.front().factor) {
        const DemoUnit &pack = it.units.front();
        planned->unit = pack.name;
        planned->conver = pack.factor;
        planned->qty = m_random.between(1, std::min(5, int(std::floor(onHand / pack.factor))));
    } else {
        planned->unit = it.stockUnit;
        planned->conver = 1;
        planned->qty = m_random.between(1, std::min(20, int(std::floor(onHand))));
    }
    return true;
}

std::vector<PlannedLine> DemoGenerator::planVoucherLines(int voucher, int source, int destination)
{
    std::vector<PlannedLine> lines;
    const int lineCount = 2 + voucher % 4;
    for (int line = 0; line < lineCount; ++line) {
        PlannedLine planned{};
        if (line == 0 && source == 1 && voucher % 3 == 0 && !m_serialsAtMain.empty()) {
            // A serial-numbered unit, with its engine number.
            const SerialUnit unit = m_serialsAtMain.front();
            m_serialsAtMain.pop_front();
            planned = {unit.item,     m_items[size_t(unit.item)].stockUnit,        1, 1,
                       unit.serialNo, QStringLiteral("EN%1").arg(700001 + voucher)};
        } else if (!planPlainLine(line, source, &planned)) {
            continue;
        }
        const double base = planned.qty * planned.conver;
        balance(source, planned.item) -= base;
        balance(destination, planned.item) += base;
        lines.push_back(planned);
    }
    return lines;
}

bool DemoGenerator::writeVouchers()
{
    TableWriter &heads =
        openWriter(QStringLiteral("ICTRANH"),
                   {QStringLiteral("FromLocID"), QStringLiteral("DocNo"), QStringLiteral("DocDate"),
                    QStringLiteral("ToLocID"), QStringLiteral("Narration"), QStringLiteral("TotalQty"),
                    QStringLiteral("AuditUser"), QStringLiteral("AuditTime"), QStringLiteral("OrdNo"),
                    QStringLiteral("Posted"), QStringLiteral("SysDate"), QStringLiteral("DbID"),
                    QStringLiteral("ShowPrice"), QStringLiteral("ReqNo"), QStringLiteral("LinkDetID")});
    TableWriter &details = openWriter(
        QStringLiteral("ICTRAND"),
        {QStringLiteral("FromLocID"), QStringLiteral("DocNo"), QStringLiteral("ItemID"),
         QStringLiteral("Unit"), QStringLiteral("Conver"), QStringLiteral("Qty"), QStringLiteral("Cost"),
         QStringLiteral("Amount"), QStringLiteral("SrNo"), QStringLiteral("EngNo"), QStringLiteral("Price")});
    if (!heads.isReady()) {
        return fail(heads);
    }
    if (!details.isReady()) {
        return fail(details);
    }
    int nextNumber[3] = {0, 1, 1}; // per source location 1 and 2
    for (int v = 0; v < m_size.vouchers; ++v) {
        const int source = v % 4 == 3 ? 2 : 1;
        const int destination = destinationFor(v, source);
        const int docNo = nextNumber[source]++;
        const QDate date = openingDate().addDays(182 + qint64(v) * 180 / std::max(1, m_size.vouchers));
        const bool posted = v == 0;
        const bool showPrice = v % 3 == 1;
        const std::vector<PlannedLine> lines = planVoucherLines(v, source, destination);
        double totalQty = 0;
        for (const PlannedLine &line : lines) {
            totalQty += line.qty;
        }
        const QVariantList head = {source,
                                   docNo,
                                   date,
                                   destination,
                                   QLatin1String(kNarrations[v % 5]),
                                   totalQty,
                                   source == 2 ? QStringLiteral("branch") : QStringLiteral("demo"),
                                   QDateTime(date, QTime(9 + v % 8, (v * 7) % 60)),
                                   v % 5 == 2 ? 4000.0 + v : 0.0,
                                   posted,
                                   date.toString(QStringLiteral("yyyyMMdd")),
                                   1,
                                   showPrice ? 1 : 0,
                                   QStringLiteral("0"),
                                   posted ? QVariant(kPostedDetailId) : nullInteger()};
        if (!heads.insert(head)) {
            return fail(heads);
        }
        for (const PlannedLine &line : lines) {
            const DemoItem &it = m_items[size_t(line.item)];
            const double amount = roundToCents(line.qty * line.conver * it.stdCost);
            const double price = showPrice ? itemPrices(it, line.item).retail : 0.0;
            if (!details.insert({source, docNo, it.code, line.unit, line.conver, line.qty, it.stdCost, amount,
                                 line.serialNo, line.engineNo, price})) {
                return fail(details);
            }
        }
        if (posted && !writeLedger(kPostedDetailId, docNo, date, destination, lines)) {
            return false;
        }
    }
    return true;
}

bool DemoGenerator::writeLedger(int detailId, int docNo, const QDate &date, int destination,
                                const std::vector<PlannedLine> &lines)
{
    // The posting of a transfer: each line debits the destination's stock account, one row
    // credits the main warehouse with the total.
    TableWriter &ledger =
        openWriter(QStringLiteral("GLTRH"),
                   {QStringLiteral("DetID"), QStringLiteral("LineNo"), QStringLiteral("VoucherNo"),
                    QStringLiteral("VoucherDate"), QStringLiteral("AccountID"), QStringLiteral("AccountName"),
                    QStringLiteral("Narration"), QStringLiteral("Debit"), QStringLiteral("Credit")});
    if (!ledger.isReady()) {
        return fail(ledger);
    }
    const QString voucherNo = QStringLiteral("JV-%1").arg(detailId);
    const QString debitAccount = QStringLiteral("1400-%1").arg(destination, 2, 10, QLatin1Char('0'));
    const QString debitName = QStringLiteral("Inventory - %1").arg(locationName(destination));
    int lineNo = 0;
    double total = 0;
    for (const PlannedLine &line : lines) {
        const DemoItem &it = m_items[size_t(line.item)];
        const double amount = roundToCents(line.qty * line.conver * it.stdCost);
        total += amount;
        if (!ledger.insert({detailId, ++lineNo, voucherNo, date, debitAccount, debitName,
                            QStringLiteral("%1 %2").arg(it.code, it.description), amount, 0.0})) {
            return fail(ledger);
        }
    }
    const QString narration = QStringLiteral("Transfer %1 from %2 to %3")
                                  .arg(docNo)
                                  .arg(locationName(1), locationName(destination));
    if (!ledger.insert({detailId, ++lineNo, voucherNo, date, QStringLiteral("1400-01"),
                        QStringLiteral("Inventory - %1").arg(locationName(1)), narration, 0.0,
                        roundToCents(total)})) {
        return fail(ledger);
    }
    return true;
}

} // namespace demodata
