#include "companions/LedgerVoucher.h"

#include "companions/CompanionsLog.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

namespace companions {

namespace {

const char VoucherSql[] = "SELECT VoucherNo, VoucherDate, AccountID, AccountName, Narration, Debit, Credit"
                          " FROM GLTRH WHERE DetID = ? ORDER BY LineNo";

// A label of the printed voucher in the user's language.
QString text(const char *source)
{
    return QCoreApplication::translate("companions::LedgerVoucher", source);
}

QString amount(double value)
{
    return QLocale::c().toString(value, 'f', 2);
}

QString cell(const QString &text, const char *align = "left")
{
    return QStringLiteral("<td align=\"%1\">%2</td>").arg(QLatin1String(align), text.toHtmlEscaped());
}

QString linesHtml(const LedgerVoucher &voucher, double *debit, double *credit)
{
    QString html;
    for (const LedgerVoucherLine &line : voucher.lines) {
        html += QStringLiteral("<tr>") + cell(line.accountId) + cell(line.accountName) +
                cell(line.narration) + cell(amount(line.debit), "right") +
                cell(amount(line.credit), "right") + QStringLiteral("</tr>");
        *debit += line.debit;
        *credit += line.credit;
    }
    return html;
}

QString voucherHtml(const LedgerVoucher &voucher, const QString &title)
{
    double debit = 0;
    double credit = 0;
    const QString rows = linesHtml(voucher, &debit, &credit);
    QString heads;
    for (const char *head : {QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Account ID"),
                             QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Account Name"),
                             QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Narration"),
                             QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Debit"),
                             QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Credit")})
        heads += QStringLiteral("<th>%1</th>").arg(text(head).toHtmlEscaped());
    // The printed voucher keeps one date and amount format, whatever the language of its labels.
    return QStringLiteral("<h2 align=\"center\">%1</h2>").arg(title.toHtmlEscaped()) +
           QStringLiteral("<p>%1 %2<br>%3 %4</p>")
               .arg(text(QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Voucher No.:")).toHtmlEscaped(),
                    voucher.voucherNo.toHtmlEscaped(),
                    text(QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Date:")).toHtmlEscaped(),
                    voucher.voucherDate.toString(QStringLiteral("dd/MM/yyyy"))) +
           QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>") +
           heads + QStringLiteral("</tr>") + rows +
           QStringLiteral("<tr><th colspan=\"3\" align=\"right\">%1</th>")
               .arg(text(QT_TRANSLATE_NOOP("companions::LedgerVoucher", "Total")).toHtmlEscaped()) +
           cell(amount(debit), "right") + cell(amount(credit), "right") + QStringLiteral("</tr></table>");
}

} // namespace

std::optional<LedgerVoucher> readLedgerVoucher(const QSqlDatabase &db, int detailId)
{
    QSqlQuery query(db);
    if (!query.prepare(QString::fromLatin1(VoucherSql))) {
        qCWarning(lcCompanions) << "ledger: prepare failed:" << query.lastError().text();
        return std::nullopt;
    }
    query.addBindValue(detailId);
    if (!query.exec()) {
        qCWarning(lcCompanions) << "ledger: query failed:" << query.lastError().text();
        return std::nullopt;
    }
    LedgerVoucher voucher;
    while (query.next()) {
        if (voucher.lines.isEmpty()) {
            voucher.voucherNo = query.value(0).toString();
            voucher.voucherDate = query.value(1).toDate();
        }
        voucher.lines.append({query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
                              query.value(5).toDouble(), query.value(6).toDouble()});
    }
    return voucher;
}

std::unique_ptr<QTextDocument> ledgerVoucherDocument(const LedgerVoucher &voucher, const QString &title)
{
    auto document = std::make_unique<QTextDocument>();
    document->setHtml(voucherHtml(voucher, title));
    return document;
}

} // namespace companions
