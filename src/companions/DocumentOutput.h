#pragma once
// A laid-out document sent to paper: a print preview over the active window, or an A4 PDF file.

#include <QString>
#include <QTextDocument>

class QWidget;

namespace companions {

// False when the file cannot be written; the reason is logged.
bool writePdf(QTextDocument &document, const QString &path);
void showPrintPreview(QTextDocument &document, QWidget *parent);

} // namespace companions
