#pragma once
// The demo's fixed reference data (locations, users) and its item catalogue, built in memory
// from a fixed seed so that every run writes the same database.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <vector>

namespace demodata {

// A deterministic source of numbers: std::mt19937's output is fixed by the standard, and the
// ranges are derived from it here rather than by a library's distribution.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    int between(int low, int high);        // both ends included; low when high < low
    double money(double low, double high); // rounded to cents
    bool chance(int percent);

private:
    std::mt19937 m_engine;
};

double roundToCents(double value);

struct DemoLocation {
    int id;
    QString name;
};
const std::vector<DemoLocation> &demoLocations();
QString locationName(int id);

struct DemoUser {
    QString name;
    int profileNo;
    bool trackSerialNo;
    bool allowNegative;
    bool mayChangeSource;
    int ownLocation;
    std::vector<int> sources;      // locations allowed as source of a transfer
    std::vector<int> destinations; // locations allowed as destination
};
std::vector<DemoUser> demoUsers();

struct DemoUnit {
    QString name;
    double factor; // stock units per one of this unit
};

struct DemoItem {
    QString code; // "10-00-00-0001": category, then the item's number in it
    QString description;
    QString stockUnit;
    std::vector<DemoUnit> units; // ICUnit rows; the first is the pack used on vouchers
    double taxPer = 0;
    double stdCost = 0;
    bool serial = false; // kept one unit per serial number
};

// The code of the n-th item (from 1) of a category (from 0): category 0 gives "10-...".
QString itemCode(int category, int n);
// count items, spread over the categories in turn.
std::vector<DemoItem> makeItems(int count, Random &random);

// The prices of an item in the three price lists; 0 where the list has no price for it.
struct DemoPrices {
    double retail;
    double trade;
    double wholesale;
};
DemoPrices itemPrices(const DemoItem &item, int index);
const QStringList &priceListNames();

} // namespace demodata
