#include "DemoCatalog.h"

#include <cmath>

namespace demodata {

int Random::between(int low, int high)
{
    if (high <= low) {
        return low;
    }
    const auto span = static_cast<std::uint32_t>(high - low) + 1U;
    return low + static_cast<int>(m_engine() % span);
}

double Random::money(double low, double high)
{
    const double unit = static_cast<double>(m_engine()) / 4294967295.0;
    return roundToCents(low + (high - low) * unit);
}

bool Random::chance(int percent)
{
    return between(0, 99) < percent;
}

double roundToCents(double value)
{
    return std::round(value * 100.0) / 100.0;
}

const std::vector<DemoLocation> &demoLocations()
{
    static const std::vector<DemoLocation> locations = {
        {1, QStringLiteral("Main Warehouse")}, {2, QStringLiteral("North Branch")},
        {3, QStringLiteral("South Branch")},   {4, QStringLiteral("City Showroom")},
        {5, QStringLiteral("Service Centre")}, {6, QStringLiteral("Returns Depot")},
    };
    return locations;
}

QString locationName(int id)
{
    for (const DemoLocation &location : demoLocations()) {
        if (location.id == id) {
            return location.name;
        }
    }
    return QString();
}

std::vector<DemoUser> demoUsers()
{
    std::vector<int> all;
    for (const DemoLocation &location : demoLocations()) {
        all.push_back(location.id);
    }
    std::vector<int> allButTwo;
    for (int id : all) {
        if (id != 2) {
            allButTwo.push_back(id);
        }
    }
    return {
        // Everything allowed, stock may not go negative.
        {QStringLiteral("demo"), 1, false, false, true, 1, all, all},
        // A branch clerk: the source is fixed to the own branch, sending goes only from there.
        {QStringLiteral("branch"), 2, false, false, false, 2, {2}, allButTwo},
        // Serial numbers are checked on every line.
        {QStringLiteral("serial"), 3, true, false, true, 1, all, all},
        // Stock may go negative.
        {QStringLiteral("free"), 4, false, true, true, 1, all, all},
    };
}

namespace {

struct Category {
    const char *stockUnit;
    std::vector<DemoUnit> units;
    double taxPer;
    double minCost;
    double maxCost;
    bool serial;
    std::vector<const char *> names;
};

const std::vector<Category> &categories()
{
    static const std::vector<Category> list = {
        {"PCS",
         {{"BOX", 12}, {"CTN", 144}},
         18,
         0.5,
         25,
         false,
         {"Hex Bolt M8 x 40", "Hex Bolt M10 x 50", "Wood Screw 4 x 30", "Door Hinge Brass 3 in",
          "Padlock 40 mm", "Wall Plug 8 mm", "Steel Nail 2 in", "Cabinet Handle Chrome"}},
        {"PCS",
         {{"BOX", 12}},
         12,
         2,
         90,
         false,
         {"LED Bulb 9W", "LED Bulb 12W", "Wall Switch 2-Way", "Extension Cord 5 m", "Circuit Breaker 16A",
          "Circuit Breaker 32A", "Socket Outlet Double", "Ceiling Fan 48 in"}},
        {"LTR",
         {{"CAN", 4}, {"DRUM", 200}},
         18,
         3,
         40,
         false,
         {"Emulsion Paint White", "Emulsion Paint Ivory", "Wood Varnish Clear", "Metal Primer Grey",
          "Paint Thinner", "Enamel Paint Black"}},
        {"MTR",
         {{"ROLL", 100}},
         12,
         0.3,
         6,
         false,
         {"Copper Cable 1.5 mm", "Copper Cable 2.5 mm", "Speaker Wire", "Coaxial Cable RG6",
          "Garden Hose 1/2 in", "Steel Wire 2 mm"}},
        {"KG",
         {{"BAG", 25}, {"TON", 1000}},
         5,
         0.4,
         8,
         false,
         {"Lawn Seed Premium", "NPK Fertilizer", "Potting Soil", "Rock Salt", "Cement Grade 53",
          "Tile Adhesive"}},
        {"PCS",
         {},
         18,
         150,
         2500,
         true,
         {"Petrol Generator 2.5 kVA", "Petrol Generator 5 kVA", "Water Pump 2 in", "Motorcycle 125 cc",
          "Air Compressor 50 L", "Chainsaw 18 in"}},
    };
    return list;
}

} // namespace

QString itemCode(int category, int n)
{
    const QChar zero(u'0');
    return QStringLiteral("%1-%2-%3-%4")
        .arg(10 + category)
        .arg((n / 1000000) % 100, 2, 10, zero)
        .arg((n / 10000) % 100, 2, 10, zero)
        .arg(n % 10000, 4, 10, zero);
}

std::vector<DemoItem> makeItems(int count, Random &random)
{
    const std::vector<Category> &kinds = categories();
    const int kindCount = static_cast<int>(kinds.size());
    std::vector<DemoItem> items;
    items.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index) {
        const Category &kind = kinds[static_cast<size_t>(index % kindCount)];
        const char *name = kind.names[static_cast<size_t>(random.between(0, int(kind.names.size()) - 1))];
        DemoItem item;
        item.code = itemCode(index % kindCount, index / kindCount + 1);
        item.description = QLatin1String(name);
        item.stockUnit = QLatin1String(kind.stockUnit);
        item.units = kind.units;
        item.taxPer = kind.taxPer;
        item.stdCost = random.money(kind.minCost, kind.maxCost);
        item.serial = kind.serial;
        items.push_back(item);
    }
    return items;
}

DemoPrices itemPrices(const DemoItem &item, int index)
{
    // Every item has a retail price; trade and wholesale prices are missing for some, which
    // the form shows as a price of 0.
    DemoPrices prices{roundToCents(item.stdCost * 1.35), 0, 0};
    if (index % 2 == 0) {
        prices.trade = roundToCents(item.stdCost * 1.2);
    }
    if (index % 3 != 2) {
        prices.wholesale = roundToCents(item.stdCost * 1.1);
    }
    return prices;
}

const QStringList &priceListNames()
{
    static const QStringList names = {QStringLiteral("RETAIL"), QStringLiteral("TRADE"),
                                      QStringLiteral("WHOLESALE")};
    return names;
}

} // namespace demodata
