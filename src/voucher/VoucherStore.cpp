#include "voucher/VoucherStore.h"

#include "platform/Db.h"
#include "platform/Numeric.h"
#include "voucher/VoucherSql.h"

#include <QCoreApplication>
#include <QLocale>

namespace qvtrnsfr {

namespace {

// How often a delete runs in all when the database keeps undoing it for another writer.
constexpr int MaxDeleteAttempts = 3;

// The text form of a value; null stays the empty text.
QString textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

LoadedVoucher readHeader(const Snapshot &header)
{
    LoadedVoucher voucher;
    voucher.date = header.value(QStringLiteral("DocDate")).toDate();
    voucher.toLocation = textOf(header.value(QStringLiteral("ToLocID")));
    voucher.narration = textOf(header.value(QStringLiteral("Narration")));
    voucher.orderNo = textOf(header.value(QStringLiteral("OrdNo")));
    voucher.docNo = header.value(QStringLiteral("DocNo")).toInt();
    voucher.showPrices = header.value(QStringLiteral("ShowPrice")).toInt() == 1;
    const QVariant requisition = header.value(QStringLiteral("ReqNo"));
    voucher.requisition = requisition.isNull() ? QStringLiteral("0") : requisition.toString();
    voucher.ledgerLink = qMax(0, header.value(QStringLiteral("LinkDetID")).toInt());
    voucher.version = header.value(VoucherSql::VersionColumn).toLongLong();
    return voucher;
}

// The lines of the current result row by row, every cell the text of its value; a null leaves
// its cell empty, but a null price reads "0".
LineArray readLines(Snapshot &lines)
{
    static const struct {
        LineColumn column;
        const char *field;
    } mapping[] = {{ColItemCode, "ItemID"},   {ColDescription, "Descp"}, {ColUnit, "Unit"},
                   {ColConversion, "Conver"}, {ColQty, "Qty"},           {ColSerialNo, "SrNo"},
                   {ColEngineNo, "EngNo"}};
    LineArray array;
    array.Resize(0, lines.recordCount() - 1, 0, LineColumns - 1);
    for (int row = 0; !lines.eof(); ++row, lines.next()) {
        for (const auto &cell : mapping) {
            if (const QVariant value = lines.value(QLatin1String(cell.field)); !value.isNull())
                array.SetCell(row, cell.column, value.toString());
        }
        const QVariant price = lines.value(QStringLiteral("Price"));
        array.SetCell(row, ColSalePrice, price.isNull() ? QStringLiteral("0") : price.toString());
    }
    return array;
}

// The ledger link of a header as a whole number: 0 when it has none.
qint32 ledgerLink(const Snapshot &header)
{
    const QVariant link = header.value(QStringLiteral("LinkDetID"));
    return link.isNull() ? 0 : roundToInt32(link.toDouble()).value_or(0);
}

} // namespace

QString changedSinceRecalled(const Snapshot &header, bool saving)
{
    const QString by = header.value(QStringLiteral("AuditUser")).toString();
    const QString at =
        QLocale().toString(header.value(QStringLiteral("AuditTime")).toDateTime(), QLocale::ShortFormat);
    const int docNo = header.value(QStringLiteral("DocNo")).toInt();
    return saving
               ? QCoreApplication::translate("qvtrnsfr::VoucherStore",
                                             "Voucher %1 was saved by %2 at %3 after you recalled it. Your "
                                             "changes were not saved; recall the voucher again to see the "
                                             "saved one.")
                     .arg(docNo)
                     .arg(by, at)
               : QCoreApplication::translate("qvtrnsfr::VoucherStore",
                                             "Voucher %1 was saved by %2 at %3 after you recalled it. It was "
                                             "not deleted; recall the voucher again first.")
                     .arg(docNo)
                     .arg(by, at);
}

VoucherStore::VoucherStore(const QSqlDatabase &host) : m_host(host) {}
VoucherStore::~VoucherStore() = default;
VoucherStore::VoucherStore(VoucherStore &&) noexcept = default;
VoucherStore &VoucherStore::operator=(VoucherStore &&) noexcept = default;

// Opened by the first save. On SQLite the host's file gets the write-ahead log where it allows
// one, and the save connection the host's page cache size and busy timeout.
QSqlDatabase VoucherStore::saveConnection()
{
    if (m_save && m_save->isOpen())
        return m_save->database();
    const bool sqlite = !isPostgres(m_host);
    if (sqlite)
        useWriteAheadLog(m_host);
    m_save = std::make_unique<ClonedConnection>(m_host);
    if (sqlite && m_save->isOpen())
        setUpSqliteWriter(m_host, m_save->database());
    return m_save->database();
}

qint32 VoucherStore::NextDocNo(double fromLocation) const
{
    Snapshot numbers;
    if (!numbers.open(m_host, VoucherSql::nextNumber(fromLocation)))
        return 0;
    if (numbers.eof())
        return 1;
    const QVariant highest = numbers.value(QStringLiteral("MaxID"));
    return highest.isNull() ? 1 : highest.toInt() + 1;
}

std::optional<LoadedVoucher> VoucherStore::LoadDocument(const Voucher &voucher) const
{
    const auto fromLocation = voucher.fromLocation.whole;
    if (!fromLocation)
        return std::nullopt;
    Snapshot rows;
    if (!rows.open(m_host, VoucherSql::header(voucher.docNo.leading, *fromLocation)) || rows.eof())
        return std::nullopt;
    LoadedVoucher loaded = readHeader(rows);
    if (rows.open(m_host, VoucherSql::lines(loaded.docNo, *fromLocation)) && !rows.eof())
        loaded.lines = readLines(rows);
    return loaded;
}

DeleteResult VoucherStore::DeleteDocument(const Voucher &voucher) const
{
    const double docNo = voucher.docNo.leading;
    const double fromLocation = voucher.fromLocation.leading;
    Snapshot header;
    if (!header.open(m_host, VoucherSql::headerToDelete(docNo, fromLocation)))
        return {false, false, errorText(header.lastError())};
    const bool found = !header.eof();
    const qint32 link = found ? ledgerLink(header) : 0;
    // A recalled voucher is deleted only as it was recalled.
    std::optional<qint64> version;
    if (found && voucher.recalled &&
        voucher.recalled->docNo == header.value(QStringLiteral("DocNo")).toInt() &&
        voucher.recalled->fromLocation == header.value(QStringLiteral("FromLocID")).toInt()) {
        version = voucher.recalled->version;
        if (*version != header.value(VoucherSql::VersionColumn).toLongLong())
            return {false, false, changedSinceRecalled(header, false)};
    }
    header.close();
    if (!found)
        return {true, false, QString()};
    QSqlError error;
    if (link != 0 && !execute(m_host, VoucherSql::deleteLedger(link), {}, &error))
        return {false, false, errorText(error)};
    // The header goes with its lines in one statement; one that the database undid for another
    // writer's deadlock left nothing behind and runs again.
    int deleted = 0;
    for (int attempt = 1;
         !execute(m_host, VoucherSql::deleteHeader(docNo, fromLocation, version), {}, &error, &deleted);
         ++attempt) {
        if (!undoneForAnother(error) || attempt == MaxDeleteAttempts)
            return {false, false, errorText(error)};
        qCInfo(lcDb) << "The database undid the delete to let another transaction go on; deleting again.";
    }
    if (version && deleted == 0) {
        Snapshot now;
        if (now.open(m_host, VoucherSql::headerToDelete(docNo, fromLocation)) && !now.eof())
            return {false, false, changedSinceRecalled(now, false)};
    }
    return {true, deleted > 0, QString()};
}

} // namespace qvtrnsfr
