#include "companions/DocumentOutput.h"

#include "companions/CompanionsLog.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace companions {

bool writePdf(QTextDocument &document, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcCompanions) << "cannot write" << path << file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    document.print(&writer);
    return true;
}

void showPrintPreview(QTextDocument &document, QWidget *parent)
{
    QPrintPreviewDialog preview(parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter *printer) { document.print(printer); });
    preview.exec();
}

} // namespace companions
