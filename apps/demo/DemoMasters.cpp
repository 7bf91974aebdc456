// The reference tables: locations, items with their aliases, units and prices, the ledger
// setup, and the users with their profiles and location rights.

#include "DemoGenerator.h"

namespace demodata {

bool DemoGenerator::writeLocations()
{
    TableWriter &writer =
        openWriter(QStringLiteral("ICLoc"), {QStringLiteral("LocID"), QStringLiteral("LocName")});
    if (!writer.isReady()) {
        return fail(writer);
    }
    for (const DemoLocation &location : demoLocations()) {
        if (!writer.insert({location.id, location.name})) {
            return fail(writer);
        }
    }
    return true;
}

bool DemoGenerator::writeItems()
{
    TableWriter &writer =
        openWriter(QStringLiteral("ICItem"),
                   {QStringLiteral("ItemID"), QStringLiteral("Descp"), QStringLiteral("StockUnit"),
                    QStringLiteral("TaxPer"), QStringLiteral("StdCost")});
    if (!writer.isReady()) {
        return fail(writer);
    }
    for (const DemoItem &item : m_items) {
        if (!writer.insert({item.code, item.description, item.stockUnit, item.taxPer, item.stdCost})) {
            return fail(writer);
        }
    }
    return true;
}

bool DemoGenerator::writeAliases()
{
    // Every third item carries a shelf bar code "BC-1000nn", every fifth a 13-digit EAN code:
    // codes a scanner types into the grid in scanning mode.
    TableWriter &writer =
        openWriter(QStringLiteral("ICItemL"), {QStringLiteral("item"), QStringLiteral("itemid")});
    if (!writer.isReady()) {
        return fail(writer);
    }
    for (int index = 0; index < int(m_items.size()); ++index) {
        const QString &code = m_items[size_t(index)].code;
        const int number = index + 1;
        if (index % 3 == 0 && !writer.insert({QStringLiteral("BC-%1").arg(100000 + number), code})) {
            return fail(writer);
        }
        if (index % 5 == 0 &&
            !writer.insert({QStringLiteral("890%1").arg(number, 10, 10, QLatin1Char('0')), code})) {
            return fail(writer);
        }
    }
    return true;
}

bool DemoGenerator::writeUnits()
{
    TableWriter &writer =
        openWriter(QStringLiteral("ICUnit"),
                   {QStringLiteral("ItemID"), QStringLiteral("Unit"), QStringLiteral("Conver")});
    if (!writer.isReady()) {
        return fail(writer);
    }
    for (const DemoItem &item : m_items) {
        for (const DemoUnit &unit : item.units) {
            if (!writer.insert({item.code, unit.name, unit.factor})) {
                return fail(writer);
            }
        }
    }
    return true;
}

bool DemoGenerator::writePrices()
{
    TableWriter &lists = openWriter(QStringLiteral("icprc"), {QStringLiteral("PriceList")});
    if (!lists.isReady()) {
        return fail(lists);
    }
    for (const QString &name : priceListNames()) {
        if (!lists.insert({name})) {
            return fail(lists);
        }
    }
    TableWriter &prices =
        openWriter(QStringLiteral("icpric"),
                   {QStringLiteral("itemid"), QStringLiteral("pricelist"), QStringLiteral("Price")});
    if (!prices.isReady()) {
        return fail(prices);
    }
    for (int index = 0; index < int(m_items.size()); ++index) {
        const DemoItem &item = m_items[size_t(index)];
        const DemoPrices p = itemPrices(item, index);
        const double values[] = {p.retail, p.trade, p.wholesale};
        for (int list = 0; list < 3; ++list) {
            if (values[list] > 0 && !prices.insert({item.code, priceListNames().at(list), values[list]})) {
                return fail(prices);
            }
        }
    }
    return true;
}

bool DemoGenerator::writeSetup()
{
    TableWriter writer(
        m_db, QStringLiteral("GLSetup"),
        {QStringLiteral("DbID"), QStringLiteral("UseTransaction"), QStringLiteral("CompanyName")});
    if (!writer.isReady() || !writer.insert({1, 1, QStringLiteral("Velta Demo Trading Co.")})) {
        return fail(writer);
    }
    return true;
}

bool DemoGenerator::writeUsers()
{
    TableWriter &profiles =
        openWriter(QStringLiteral("UserProfile"),
                   {QStringLiteral("UserName"), QStringLiteral("ProfileNo"), QStringLiteral("TrackSerialNo"),
                    QStringLiteral("AllowNegative"), QStringLiteral("DateFixed"),
                    QStringLiteral("MayChangeSource"), QStringLiteral("OwnLocID")});
    TableWriter &rights =
        openWriter(QStringLiteral("UserLocRight"),
                   {QStringLiteral("UserName"), QStringLiteral("LocID"), QStringLiteral("Direction")});
    if (!profiles.isReady()) {
        return fail(profiles);
    }
    if (!rights.isReady()) {
        return fail(rights);
    }
    for (const DemoUser &user : demoUsers()) {
        if (!profiles.insert({user.name, user.profileNo, user.trackSerialNo, user.allowNegative, false,
                              user.mayChangeSource, user.ownLocation})) {
            return fail(profiles);
        }
        for (int location : user.sources) {
            if (!rights.insert({user.name, location, 1})) {
                return fail(rights);
            }
        }
        for (int location : user.destinations) {
            if (!rights.insert({user.name, location, 2})) {
                return fail(rights);
            }
        }
    }
    return true;
}

} // namespace demodata
