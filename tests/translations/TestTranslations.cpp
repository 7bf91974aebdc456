// The library's texts and their catalogues: every text the form and its boxes show goes through
// a catalogue, the German catalogue translates all of them, the first control loads the catalogue
// of the user's language, and a control follows a change of language while it is shown.

#include "control/FormRoutines.h"
#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace qvtrnsfr;

namespace {

const QString Open = QStringLiteral("\u27E6");
const QString Close = QStringLiteral("\u27E7");

using Source = QPair<QString, QString>; // context, source text

// Answers every text with the source text between marks, and records what was asked.
class PseudoTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (!source || !*source)
            return QString();
        asked.insert({QString::fromUtf8(context), QString::fromUtf8(source)});
        return Open + QString::fromUtf8(source) + Close;
    }
    bool isEmpty() const override { return false; }

    mutable QSet<Source> asked;
};

// The library's contexts, as opposed to Qt's own (QPlatformTheme, QShortcut, ...).
bool isOurs(const Source &source)
{
    return !QRegularExpression(QStringLiteral("^Q[A-Z]")).match(source.first).hasMatch();
}

bool isMarked(const QString &text)
{
    return text.startsWith(Open) && text.endsWith(Close);
}

// The texts a person reads on a window and its children that did not come from a catalogue:
// titles, captions, buttons, tooltips, accessible names and the grid's column headers. Field
// contents (line edits, the date, lists) are data. The host's caption is the host's.
QStringList unmarkedTexts(QWidget *window)
{
    QStringList found;
    const auto check = [&found](const QWidget *w, const char *what, const QString &text) {
        if (!text.isEmpty() && text != ControlHost::Caption && !isMarked(text))
            found << w->objectName() + '.' + what + ": " + text;
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : std::as_const(widgets)) {
        check(w, "windowTitle", w->windowTitle());
        check(w, "toolTip", w->toolTip());
        check(w, "accessibleName", w->accessibleName());
        if (auto *label = qobject_cast<QLabel *>(w))
            check(w, "text", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(w, "text", button->text());
        if (auto *grid = qobject_cast<LineGrid *>(w)) {
            for (int column = 0; column < grid->model()->columnCount(); ++column)
                check(w, "header", grid->model()->headerData(column, Qt::Horizontal).toString());
        }
    }
    return found;
}

// Walks every message box and pick list that opens while it lives, then closes it (No, Escape
// or Cancel); the walked windows' unmarked texts are collected.
class WindowWalker {
public:
    WindowWalker()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
        m_timer.start();
    }
    QStringList unmarked;
    QStringList titles;

private:
    void poll()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(window);
            if (!dialog || !dialog->isVisible())
                continue;
            titles << dialog->windowTitle();
            unmarked << unmarkedTexts(dialog);
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (box && box->button(QMessageBox::No))
                box->button(QMessageBox::No)->click();
            else if (box && box->escapeButton())
                box->escapeButton()->click();
            else
                dialog->reject();
            return;
        }
    }
    QTimer m_timer;
};

// The German catalogue as built into the library.
bool loadGerman(QTranslator &german)
{
    return german.load(QStringLiteral("qvtrnsfr_de"), QStringLiteral(":/qvtrnsfr/translations"));
}

// The library's own translators on the application, taken off again.
void removeLibraryTranslators()
{
    for (QTranslator *translator : qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Each %n placeholder of a text, sorted, and its access key count.
QString shape(const QString &text)
{
    QStringList placeholders;
    for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        placeholders << m.captured();
    placeholders.sort();
    return placeholders.join(',') + " &" + QString::number(QString(text).remove("&&").count('&'));
}

const char *const Seed[] = {
    "insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch')",
    "insert into ICTRANH (FromLocID, DocNo) values (1, 41)",
};

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // First in the program: the first control loads the catalogue itself, for QLocale(), which
    // follows LANGUAGE in the second run and is set here in the first.
    void shouldLoadTheCatalogueOfTheUsersLanguage()
    {
        const bool fromEnvironment = !qEnvironmentVariableIsEmpty("LANGUAGE");
        if (!fromEnvironment)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(QLocale().language(), QLocale::German);
        QTranslator german;
        QVERIFY(loadGerman(german));
        {
            ctlTransfer control;
            auto *state = control.findChild<TransferControl *>();
            TransferForm &f = state->form();
            for (const auto &[shown, source] :
                 {std::pair{f.lblSegID->text(), "From Location:"}, std::pair{f.cmdClose->text(), "&Close"},
                  std::pair{f.cmdFindCC->toolTip(), "Choose the source location"}}) {
                QCOMPARE(shown, german.translate("ctlTransfer", source));
                QVERIFY(shown != QLatin1String(source));
            }
            QCOMPARE(f.grdDetail->model()->headerData(ColItemCode, Qt::Horizontal).toString(),
                     german.translate("qvtrnsfr::LineArray", "Item Code"));
            // The date shows in the locale's form, the year in four digits; it is kept as a date.
            // LANGUAGE names the language only: dates follow LC_TIME (C in the second run).
            f.dtpDocDate->setDate(QDate(2024, 3, 5));
            if (!fromEnvironment)
                QCOMPARE(f.dtpDocDate->text(), QStringLiteral("05.03.2024"));
        }
        removeLibraryTranslators();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // The form, its grid and the boxes and pick lists of typical actions, under a catalogue that
    // marks every text it gives: no text a person reads is left unmarked. Every text the walk
    // asked of the library's catalogue has a German translation.
    void shouldShowNoTextOutsideTheCatalogue()
    {
        PseudoTranslator pseudo;
        QCoreApplication::installTranslator(&pseudo);
        TestDatabase db(TestDatabase::Sqlite);
        for (const char *statement : Seed)
            QVERIFY2(db.exec(statement), qPrintable(db.errorText()));
        WindowWalker walker;
        QStringList unmarked;
        {
            ControlHost host(db.connection());
            QVERIFY(host.start());
            TransferForm &f = host.form();
            unmarked << unmarkedTexts(host.control());
            // The routines run as their buttons do once the focus has left the fields.
            cmdSave_Click(*host.state()); // no source location
            f.txtFromLocID->setText("1");
            f.txtToLocID->setText("1");
            cmdSave_Click(*host.state()); // the same location twice
            f.txtToLocID->setText("2");
            QVERIFY(!txtToLocID_Validate(*host.state())); // no rights to it
            f.txtReqNo->setText("15");
            cmdRef_Click(*host.state());     // no such requisition
            cmdFindLoc_Click(*host.state()); // the pick list of locations
        }
        {
            ControlHost host(db.connection(), QStringLiteral("demo"), true);
            QVERIFY(host.start());
            TransferForm &f = host.form();
            unmarked << unmarkedTexts(host.control());
            f.txtFromLocID->setText("1");
            f.txtDocNo->setText("99");
            QVERIFY(!txtDocNo_Validate(*host.state())); // not found
            f.txtDocNo->setText("41");
            QVERIFY(txtDocNo_Validate(*host.state()));
            unmarked << unmarkedTexts(host.control()); // a recalled voucher's form
            cmdDelete_Click(*host.state());            // asks first; answered No
        }
        QTRY_COMPARE(walker.titles.size(), 7);
        unmarked << walker.unmarked;
        QCoreApplication::removeTranslator(&pseudo);
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join('\n')));
        for (const char *title : {"PO", "Locations", "Delete Transfer", "From Loc"})
            QVERIFY2(walker.titles.contains(Open + title + Close), qPrintable(walker.titles.join(", ")));

        QTranslator german;
        QVERIFY(loadGerman(german));
        QStringList untranslated;
        int ours = 0;
        for (const Source &source : std::as_const(pseudo.asked)) {
            if (!isOurs(source))
                continue;
            ++ours;
            if (german.translate(qPrintable(source.first), qPrintable(source.second)).isEmpty())
                untranslated << source.first + ": " + source.second;
        }
        QVERIFY2(ours >= 40, qPrintable(QString::number(ours))); // the walk reached the library's texts
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
    }

    // Every entry of every catalogue is finished, and keeps its source's placeholders and access
    // key.
    void shouldKeepEveryCatalogueFinished()
    {
        const QDir dir(QStringLiteral(QVT_TRANSLATIONS_SOURCE_DIR));
        const QStringList catalogues = dir.entryList({QStringLiteral("qvtrnsfr_*.ts")});
        QVERIFY(catalogues.contains(QStringLiteral("qvtrnsfr_de.ts")));
        for (const QString &name : catalogues) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader ts(&file);
            QString source;
            QString type;
            QStringList faults;
            int messages = 0;
            const auto check = [&](const QString &text) {
                if (!type.isEmpty() || text.isEmpty())
                    faults << "unfinished: " + source;
                else if (shape(text) != shape(source))
                    faults << "placeholders or access key differ: " + source + " -> " + text;
            };
            // A text counted by %n has a translation per plural form, each checked alone.
            bool numerus = false;
            while (!ts.atEnd()) {
                if (ts.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (ts.name() == QLatin1String("message")) {
                    numerus = ts.attributes().value(QStringLiteral("numerus")) == QLatin1String("yes");
                } else if (ts.name() == QLatin1String("source")) {
                    source = ts.readElementText();
                } else if (ts.name() == QLatin1String("translation")) {
                    ++messages;
                    type = ts.attributes().value(QStringLiteral("type")).toString();
                    if (!numerus)
                        check(ts.readElementText());
                } else if (ts.name() == QLatin1String("numerusform")) {
                    check(ts.readElementText());
                }
            }
            QVERIFY2(!ts.hasError(), qPrintable(name + ": " + ts.errorString()));
            QVERIFY2(messages > 0, qPrintable(name));
            QVERIFY2(faults.isEmpty(), qPrintable(name + ":\n" + faults.join('\n')));
        }
    }

    // A language installed while the form is shown: captions, tooltips and column headers follow,
    // and go back when it is removed.
    void shouldFollowTheLanguageAtRunTime()
    {
        TestDatabase db(TestDatabase::Sqlite);
        ControlHost host(db.connection());
        QVERIFY(host.start());
        TransferForm &f = host.form();
        const auto shown = [&f] {
            return QStringList{f.Label2->text(), f.cmdSave->text(), f.chkPrice->text(),
                               f.cmdFindLoc->toolTip(),
                               f.grdDetail->model()->headerData(ColQty, Qt::Horizontal).toString()};
        };
        const QStringList english = shown();
        QCOMPARE(english.at(1), QStringLiteral("&Add"));
        QTranslator german;
        QVERIFY(loadGerman(german));
        QStringList expected;
        for (const QString &text : english.mid(0, 4))
            expected << german.translate("ctlTransfer", qPrintable(text));
        expected << german.translate("qvtrnsfr::LineArray", qPrintable(english.at(4)));
        QVERIFY(!expected.contains(QString()));
        QCoreApplication::installTranslator(&german);
        QTRY_COMPARE(shown(), expected);
        QCoreApplication::removeTranslator(&german);
        QTRY_COMPARE(shown(), english);
    }
};

QVT_HOST_TEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
