// Stock movements (opening stock, serial-numbered units, receipts and issues) and requisitions.
// The generator keeps the quantity on hand of every item and location as it writes, so that
// issues and later transfers never take more than a location holds.

#include "DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace demodata {

namespace {

const QString kOpening = QStringLiteral("OPEN");
const QString kReceipt = QStringLiteral("RECV");
const QString kIssue = QStringLiteral("ISSUE");

QVariant nullText()
{
    return QVariant(QMetaType::fromType<QString>());
}

QVariant nullNumber()
{
    return QVariant(QMetaType::fromType<double>());
}

} // namespace

bool DemoGenerator::writeStockMoves()
{
    TableWriter &moves =
        openWriter(QStringLiteral("StockMove"),
                   {QStringLiteral("ItemID"), QStringLiteral("SrNo"), QStringLiteral("LocID"),
                    QStringLiteral("MoveDate"), QStringLiteral("Qty"), QStringLiteral("UnitCost"),
                    QStringLiteral("MoveKind")});
    if (!moves.isReady()) {
        return fail(moves);
    }
    return writeOpeningStock(moves) && writeSerialUnits(moves) && writeReceiptsAndIssues(moves);
}

bool DemoGenerator::writeMove(TableWriter &moves, int item, const QString &serialNo, int location,
                              const QDate &date, double qty, const QVariant &unitCost, const QString &kind)
{
    const QVariant serial = serialNo.isEmpty() ? nullText() : QVariant(serialNo);
    if (!moves.insert({m_items[size_t(item)].code, serial, location, date, qty, unitCost, kind})) {
        return fail(moves);
    }
    balance(location, item) += qty;
    ++m_movesWritten;
    return true;
}

bool DemoGenerator::writeOpeningStock(TableWriter &moves)
{
    // Every item opens at the main warehouse and at the north branch; a serial-numbered item
    // opens with one unit at each.
    for (int location : {1, 2}) {
        for (int item = 0; item < int(m_items.size()); ++item) {
            if (m_movesWritten >= m_size.movements) {
                return true;
            }
            const DemoItem &it = m_items[size_t(item)];
            QString serialNo;
            double qty = location == 1 ? m_random.between(100, 600) : m_random.between(20, 150);
            if (it.serial) {
                serialNo = serialNumber(item, m_nextSerial[size_t(item)]++);
                qty = 1;
                if (location == 1) {
                    m_serialsAtMain.push_back({item, serialNo});
                }
            }
            if (!writeMove(moves, item, serialNo, location, openingDate(), qty, it.stdCost, kOpening)) {
                return false;
            }
        }
    }
    return true;
}

bool DemoGenerator::writeSerialUnits(TableWriter &moves)
{
    // Three more units of each serial-numbered item arrive at the main warehouse, one at the
    // south branch.
    const QDate date = openingDate().addDays(14);
    for (int item = 0; item < int(m_items.size()); ++item) {
        const DemoItem &it = m_items[size_t(item)];
        if (!it.serial) {
            continue;
        }
        for (int location : {1, 1, 1, 3}) {
            if (m_movesWritten >= m_size.movements) {
                return true;
            }
            const QString serialNo = serialNumber(item, m_nextSerial[size_t(item)]++);
            if (!writeMove(moves, item, serialNo, location, date, 1, it.stdCost, kReceipt)) {
                return false;
            }
            if (location == 1) {
                m_serialsAtMain.push_back({item, serialNo});
            }
        }
    }
    return true;
}

bool DemoGenerator::writeReceiptsAndIssues(TableWriter &moves)
{
    // The rest of the first half year, in date order: two receipts to one issue.
    const qint64 remaining = m_size.movements - m_movesWritten;
    for (qint64 k = 0; k < remaining; ++k) {
        const QDate date = openingDate().addDays(1 + k * 180 / remaining);
        if (k % 3 == 2) {
            const int location = m_random.between(1, 5);
            const int item = pickStockedItem(location, 1);
            if (item >= 0) {
                const int most = std::min(10, int(std::floor(balance(location, item))));
                const double qty = m_random.between(1, most);
                if (!writeMove(moves, item, QString(), location, date, -qty, nullNumber(), kIssue)) {
                    return false;
                }
                continue;
            }
        }
        const int item = pickPlainItem();
        if (item < 0) {
            return true; // only serial-numbered items: nothing to receive in bulk
        }
        const int location = m_random.chance(50) ? 1 : m_random.between(2, 5);
        const double stdCost = m_items[size_t(item)].stdCost;
        const double cost = m_random.money(stdCost * 0.9, stdCost * 1.1);
        if (!writeMove(moves, item, QString(), location, date, m_random.between(10, 120), cost, kReceipt)) {
            return false;
        }
    }
    return true;
}

bool DemoGenerator::writeRequisitions()
{
    // Requisitions of the two branches and the showroom, numbered per location from 1. Line by
    // line they are open, partly served and fully served in turn; every fourth requisition is
    // fully served (completed).
    TableWriter &heads =
        openWriter(QStringLiteral("ReqH"), {QStringLiteral("LocID"), QStringLiteral("DocNo"),
                                            QStringLiteral("DocDate"), QStringLiteral("Narration")});
    TableWriter &lines =
        openWriter(QStringLiteral("ReqStat"),
                   {QStringLiteral("LocID"), QStringLiteral("DocNo"), QStringLiteral("ItemID"),
                    QStringLiteral("Unit"), QStringLiteral("Conver"), QStringLiteral("SrNo"),
                    QStringLiteral("QtyReq"), QStringLiteral("POQty")});
    if (!heads.isReady()) {
        return fail(heads);
    }
    if (!lines.isReady()) {
        return fail(lines);
    }
    for (int r = 0; r < m_size.requisitions; ++r) {
        const int location = 2 + r % 3;
        const int docNo = r / 3 + 1;
        const bool completed = r % 4 == 3;
        const QString narration =
            QStringLiteral("Stock request of %1, slip %2").arg(locationName(location)).arg(docNo);
        if (!heads.insert({location, docNo, openingDate().addDays(330 + r % 30), narration})) {
            return fail(heads);
        }
        const int lineCount = 3 + r % 4;
        for (int j = 0; j < lineCount; ++j) {
            const int item = pickPlainItem();
            if (item < 0) {
                break;
            }
            const DemoItem &it = m_items[size_t(item)];
            const bool pack = j % 3 == 1 && !it.units.empty();
            const QString unit = pack ? it.units.front().name : it.stockUnit;
            const double conver = pack ? it.units.front().factor : 1.0;
            const double requested = pack ? m_random.between(2, 6) : m_random.between(6, 48);
            double served = j % 3 == 0 ? 0.0 : j % 3 == 1 ? std::floor(requested / 2) : requested;
            if (completed) {
                served = requested;
            }
            // SrNo is empty text, not NULL: the import reads every line column as text.
            if (!lines.insert(
                    {location, docNo, it.code, unit, conver, QStringLiteral(""), requested, served})) {
                return fail(lines);
            }
        }
    }
    return true;
}

} // namespace demodata
