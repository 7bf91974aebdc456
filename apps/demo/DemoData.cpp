#include "DemoData.h"

#include "DemoGenerator.h"

#include <QSqlError>

namespace demodata {

namespace {
constexpr std::uint32_t kSeed = 20240101U;
}

QDate openingDate()
{
    return QDate(2024, 1, 1);
}

TableWriter::TableWriter(const QSqlDatabase &db, const QString &table, const QStringList &columns)
    : m_query(db), m_table(table)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    m_ready = m_query.prepare(sql);
}

bool TableWriter::insert(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i) {
        m_query.bindValue(i, values.at(i));
    }
    return m_query.exec();
}

QString TableWriter::errorText() const
{
    return QStringLiteral("writing %1 failed: %2").arg(m_table, m_query.lastError().text());
}

DemoGenerator::DemoGenerator(QSqlDatabase db, const DemoSize &size)
    : m_db(std::move(db)), m_size(size), m_random(kSeed)
{
    m_items = makeItems(m_size.items, m_random);
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (!m_items[size_t(i)].serial) {
            m_plainItems.push_back(i);
        }
    }
    const size_t locationSlots = demoLocations().size() + 1; // indexed by LocID
    m_stock.assign(locationSlots, std::vector<double>(m_items.size(), 0.0));
    m_nextSerial.assign(m_items.size(), 1);
}

bool DemoGenerator::run()
{
    return writeLocations() && writeItems() && writeAliases() && writeUnits() && writePrices() &&
           writeSetup() && writeUsers() && writeStockMoves() && writeRequisitions() && writeVouchers();
}

TableWriter &DemoGenerator::openWriter(const QString &table, const QStringList &columns)
{
    m_writers.push_back(std::make_unique<TableWriter>(m_db, table, columns));
    return *m_writers.back();
}

int DemoGenerator::pickPlainItem()
{
    if (m_plainItems.empty()) {
        return -1;
    }
    return m_plainItems[size_t(m_random.between(0, int(m_plainItems.size()) - 1))];
}

int DemoGenerator::pickStockedItem(int location, double atLeast)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int item = pickPlainItem();
        if (item >= 0 && balance(location, item) >= atLeast) {
            return item;
        }
    }
    return -1;
}

QString DemoGenerator::serialNumber(int item, int unitNo) const
{
    QString digits = m_items[size_t(item)].code;
    digits.remove(QLatin1Char('-'));
    return QStringLiteral("SN%1-%2").arg(digits).arg(unitNo, 3, 10, QLatin1Char('0'));
}

double &DemoGenerator::balance(int location, int item)
{
    return m_stock[size_t(location)][size_t(item)];
}

bool DemoGenerator::fail(const QString &what)
{
    m_error = what;
    return false;
}

} // namespace demodata

namespace {

bool failWith(QString *error, const QString &text)
{
    if (error) {
        *error = text;
    }
    return false;
}

} // namespace

namespace demodata {

bool refuseUnlessWithoutItems(const QSqlDatabase &db, const QString &what, QString *error)
{
    if (!db.isOpen())
        return failWith(error, QStringLiteral("the database is not open"));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ICItem")) || !query.next())
        return failWith(error,
                        QStringLiteral("reading the item table failed: %1").arg(query.lastError().text()));
    const qint64 items = query.value(0).toLongLong();
    if (items > 0)
        return failWith(error, QStringLiteral("the database already holds %1 items; %2 is written only into "
                                              "a database without items")
                                   .arg(items)
                                   .arg(what));
    return true;
}

} // namespace demodata

bool generateDemoData(QSqlDatabase db, const DemoSize &size, QString *error)
{
    if (size.items < 0 || size.vouchers < 0 || size.movements < 0 || size.requisitions < 0) {
        return failWith(error, QStringLiteral("row counts must not be negative"));
    }
    if (!demodata::refuseUnlessWithoutItems(db, QStringLiteral("demo data"), error)) {
        return false;
    }
    if (!db.transaction()) {
        return failWith(error,
                        QStringLiteral("beginning a transaction failed: %1").arg(db.lastError().text()));
    }
    demodata::DemoGenerator generator(db, size);
    if (!generator.run()) {
        db.rollback();
        generator.release();
        return failWith(error, generator.error());
    }
    generator.release();
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        return failWith(error, QStringLiteral("committing the demo data failed: %1").arg(text));
    }
    return true;
}
