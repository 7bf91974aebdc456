#include "voucher/LineImport.h"

#include "platform/Db.h"
#include "platform/Numeric.h"
#include "voucher/Catalog.h"

#include <QCoreApplication>

namespace qvtrnsfr {

namespace {

class ImportTexts {
    Q_DECLARE_TR_FUNCTIONS(qvtrnsfr::LineImport)
};

// A first row whose first cell names the item column rather than holding a code.
bool isCaptionRow(const QStringList &cells)
{
    if (cells.isEmpty())
        return false;
    const QString first = cells.first().trimmed().toLower();
    return first == QLatin1String("item code") || first == QLatin1String("item") ||
           first == QLatin1String("itemid") || first == LineArray::caption(ColItemCode).toLower();
}

QList<ImportRow> withoutCaptions(QList<ImportRow> rows)
{
    if (!rows.isEmpty() && isCaptionRow(rows.first().cells))
        rows.removeFirst();
    return rows;
}

} // namespace

QList<ImportRow> parsePastedRows(const QString &text)
{
    QList<ImportRow> rows;
    const QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).trimmed().isEmpty())
            rows.append({i + 1, lines.at(i).split(QLatin1Char('\t'))});
    }
    return withoutCaptions(rows);
}

QList<ImportRow> parseCsvRows(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    const QChar separator = firstLine.count(QLatin1Char(';')) > firstLine.count(QLatin1Char(','))
                                ? QLatin1Char(';')
                                : QLatin1Char(',');
    QList<ImportRow> rows;
    QStringList cells;
    QString cell;
    bool quoted = false;
    int line = 1;
    int rowStart = 1;
    const auto endRow = [&] {
        cells << cell;
        cell.clear();
        if (cells.size() > 1 || !cells.first().trimmed().isEmpty())
            rows.append({rowStart, cells});
        cells.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
        } else if (c == QLatin1Char('"') && cell.isEmpty()) {
            quoted = true;
        } else if (c == separator) {
            cells << cell;
            cell.clear();
        } else if (c == QLatin1Char('\n')) {
            endRow();
            rowStart = ++line;
        } else if (c != QLatin1Char('\r')) {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !cells.isEmpty())
        endRow();
    return withoutCaptions(rows);
}

ImportResult resolveImportRows(const QSqlDatabase &db, const QList<ImportRow> &rows, const Voucher &voucher,
                               const StockOptions &options, companions::InventoryService *inventory,
                               const QString &priceList)
{
    ImportResult result;
    StatementCache statements(4); // the look-ups of every row, prepared once
    statements.setDatabase(db);
    Voucher counted = voucher; // the voucher's lines and the rows accepted so far
    result.lines.Resize(0, -1, 0, LineColumns - 1);
    for (const ImportRow &row : rows) {
        const auto cellAt = [&row](int i) { return row.cells.value(i).trimmed(); };
        const auto refuse = [&result, &row](const QString &reason) {
            result.refusals << ImportTexts::tr("Row %1: %2").arg(row.number).arg(reason);
        };
        const QString code = cellAt(0);
        if (code.isEmpty()) {
            refuse(ImportTexts::tr("no item code"));
            continue;
        }
        const Found<Item> item = findTypedItem(statements, code);
        if (!item.ran || !item.value) {
            refuse(item.ran ? ImportTexts::tr("item %1 not found").arg(code)
                            : ImportTexts::tr("the item could not be looked up"));
            continue;
        }
        QString unit = cellAt(1);
        QString conversion = QStringLiteral("1");
        if (unit.isEmpty() || unit == item.value->stockUnit) {
            unit = item.value->stockUnit;
        } else {
            const Found<double> factor = findUnit(statements, item.value->code, unit);
            if (!factor.value) {
                refuse(ImportTexts::tr("%1 is not a unit of item %2").arg(unit, item.value->code));
                continue;
            }
            conversion = sqlNumber(*factor.value);
        }
        if (!storedNumber(cellAt(2))) {
            refuse(ImportTexts::tr("the quantity %1 is not a number").arg(cellAt(2)));
            continue;
        }
        LineArray::Row cells(LineColumns);
        cells[ColItemCode] = item.value->code;
        cells[ColDescription] = item.value->description;
        cells[ColUnit] = unit;
        cells[ColConversion] = conversion;
        cells[ColQty] = cellAt(2);
        cells[ColSerialNo] = cellAt(3);
        cells[ColEngineNo] = cellAt(4);
        cells[ColSalePrice] = voucher.showPrices
                                  ? sqlNumber(GetItemPrice(statements, item.value->code, priceList))
                                  : QStringLiteral("0");
        LineArray single;
        single.Resize(0, -1, 0, LineColumns - 1);
        single.appendRow(cells);
        const int place = counted.lines.rowCount();
        const LineCheck check =
            ValidateLine(VoucherLine::fromRow(single, 0), place, counted, options, inventory);
        if (check.refusal) {
            refuse(check.refusal->text);
            continue;
        }
        counted.lines.appendRow(cells);
        result.lines.appendRow(cells);
    }
    if (!result.refusals.isEmpty())
        result.lines.Resize(0, -1, 0, LineColumns - 1);
    return result;
}

} // namespace qvtrnsfr
