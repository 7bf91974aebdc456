#include "control/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QPointer>
#include <QStandardPaths>
#include <QTranslator>

namespace qvtrnsfr {

namespace {

Q_LOGGING_CATEGORY(lcTranslations, "qvtrnsfr.translations", QtInfoMsg)

} // namespace

QStringList translationDirectories()
{
    // The catalogue built with the library matches its texts; a language added later is found
    // where catalogues are installed.
    return QStringList{QStringLiteral(":/qvtrnsfr/translations")} +
           QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                     QStringLiteral("qvtrnsfr/translations"),
                                     QStandardPaths::LocateDirectory);
}

void installTranslations()
{
    // Controls are created on the application's thread; the guard follows the application object,
    // so an application created anew gets the catalogue again.
    static QPointer<QCoreApplication> done;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || done == app)
        return;
    done = app;
    auto *translator = new QTranslator(app);
    const QLocale locale;
    for (const QString &directory : translationDirectories()) {
        if (translator->load(locale, QStringLiteral("qvtrnsfr"), QStringLiteral("_"), directory)) {
            qCDebug(lcTranslations) << "texts from" << translator->filePath();
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    qCDebug(lcTranslations) << "no catalogue for" << locale.uiLanguages() << "; the texts stay in English";
    delete translator;
}

} // namespace qvtrnsfr
