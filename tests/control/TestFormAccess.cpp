// The form for every user: each element a screen reader reaches has a name, on the form and in
// its pick list, and every caption, button text and column header shows whole, with the default
// font and with a 12-point one. CTest runs the program at the scale factors 1, 1.5 and 2
// (QT_SCALE_FACTOR).

#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/TestDatabase.h"

#include <QAccessible>
#include <QHeaderView>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

using namespace qvtrnsfr;

namespace {

bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText:
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::List:
    case QAccessible::ColumnHeader:
        return true;
    default:
        return false;
    }
}

// The elements under `root` that a screen reader could not name: interactive elements without a
// name, and columns of a table or list whose cells it could not announce with their header. Each
// as "path: role" or "path: column".
void collectUnnamed(QAccessibleInterface *node, const QString &path, QStringList &unnamed)
{
    const QAccessible::Role role = node->role();
    const QString here = path + '/' + (node->object() ? node->object()->objectName() : QString());
    if (isInteractive(role) && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QStringLiteral("%1: role %2").arg(here).arg(int(role));
    if (QAccessibleTableInterface *table = node->tableInterface()) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->columnDescription(column).trimmed().isEmpty())
                unnamed << QStringLiteral("%1: column %2").arg(here).arg(column);
        }
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            collectUnnamed(child, here, unnamed);
    }
}

QString unnamedUnder(QWidget *root)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(root), QString(), unnamed);
    return unnamed.join("; ");
}

QString shown(const QString &caption)
{
    return QString(caption).remove('&');
}

// A text that does not fit the part of its widget that the style gives to text.
void checkFits(const QWidget *widget, const QString &text, const QRect &area, QStringList &clipped)
{
    const QString name = widget->objectName().isEmpty() ? QStringLiteral("header") : widget->objectName();
    const QFontMetrics metrics = widget->fontMetrics();
    const int width = metrics.horizontalAdvance(shown(text));
    if (width > area.width() || metrics.height() > area.height())
        clipped << QStringLiteral("%1 \"%2\": %3x%4 in %5x%6")
                       .arg(name, text)
                       .arg(width)
                       .arg(metrics.height())
                       .arg(area.width())
                       .arg(area.height());
}

template <typename Button> QRect textArea(const Button *button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    return button->style()->subElementRect(element, &option, button);
}

// Every caption, button text and column header that does not show whole.
QString clippedTexts(ctlTransfer *control, const LineGrid *grid)
{
    QStringList clipped;
    for (const QLabel *label : control->findChildren<QLabel *>())
        checkFits(label, label->text(), label->contentsRect(), clipped);
    for (const QCheckBox *box : control->findChildren<QCheckBox *>())
        checkFits(box, box->text(), textArea(box, QStyle::SE_CheckBoxContents), clipped);
    for (const QPushButton *button : control->findChildren<QPushButton *>()) {
        if (!button->text().isEmpty())
            checkFits(button, button->text(), textArea(button, QStyle::SE_PushButtonContents), clipped);
    }
    const QHeaderView *header = grid->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int column = 0; column < LineColumns; ++column) {
        const QString caption = grid->model()->headerData(column, Qt::Horizontal).toString();
        const QRect section(0, 0, header->sectionSize(column) - 2 * margin, header->height());
        checkFits(header, caption, section, clipped);
    }
    return clipped.join("; ");
}

// Fields reaching beyond the control, or captioned fields whose text is smaller than the form's.
QString outOfPlace(ctlTransfer *control)
{
    QStringList wrong;
    for (const QWidget *field : control->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!control->rect().contains(field->geometry()))
            wrong << field->objectName() + " outside the control";
        if (field->inherits("QLabel") || field->inherits("QAbstractButton") || field->inherits("QDateEdit")) {
            if (field->font().pointSizeF() < control->font().pointSizeF())
                wrong << field->objectName() + " in a smaller font";
        }
    }
    return wrong.join("; ");
}

} // namespace

class TestFormAccess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The scale factor CTest asks for is the one the form is shown at.
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        QWidget probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        QCOMPARE(probe.devicePixelRatioF(), scale);
    }

    void shouldNameEveryElementOfTheFormAndItsPickList()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        QVERIFY(db.exec("insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch')"));
        ControlHost host(db.connection());
        QVERIFY(host.start());
        host.setLines({{"10-00-00-0001", "Bolt", "PCS", "1", "2"}});
        host.form().chkPrice->setChecked(true); // the sale price column and the price-list choice
        QCOMPARE(unnamedUnder(host.control()), QString());

        QString pickList = "no pick list";
        QTimer::singleShot(0, host.window(), [&pickList] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                QVERIFY(dialog->findChild<QTreeWidget *>()->topLevelItemCount() == 2);
                pickList = unnamedUnder(dialog);
                dialog->close();
            }
        });
        host.form().cmdFindCC->click();
        QCOMPARE(pickList, QString());
    }

    void shouldShowEveryTextWhole_data()
    {
        QTest::addColumn<double>("points"); // the application's font; 0: the default
        QTest::addColumn<QString>("language");
        QTest::newRow("default font") << 0.0 << QString();
        QTest::newRow("12 pt font") << 12.0 << QString();
        QTest::newRow("German") << 0.0 << QStringLiteral("de");
    }

    // The font and the language come once the form is up, as a host may set them at any time.
    void shouldShowEveryTextWhole()
    {
        QFETCH(double, points);
        QFETCH(QString, language);
        const QFont initial = QApplication::font();
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        ControlHost host(db.connection());
        QVERIFY(host.start());
        host.form().chkPrice->setChecked(true);
        const QString english = host.form().chkPrice->text();
        if (points > 0) {
            QFont larger = initial;
            larger.setPointSizeF(points);
            QApplication::setFont(larger);
        }
        QTranslator translator;
        if (!language.isEmpty()) {
            QVERIFY(translator.load("qvtrnsfr_" + language, ":/qvtrnsfr/translations"));
            QCoreApplication::installTranslator(&translator);
        }
        QApplication::processEvents();
        const auto restore = qScopeGuard([&] {
            QCoreApplication::removeTranslator(&translator);
            QApplication::setFont(initial);
        });
        QCOMPARE(host.form().chkPrice->text() == english, language.isEmpty());
        QCOMPARE(host.control()->font().pointSizeF(), points > 0 ? points : initial.pointSizeF());
        QVERIFY(host.form().grdDetail->font().pointSizeF() >= host.control()->font().pointSizeF());
        QCOMPARE(clippedTexts(host.control(), host.form().grdDetail), QString());
        QCOMPARE(outOfPlace(host.control()), QString());

        // A column dragged narrower than its caption stops at the caption.
        QHeaderView *header = host.form().grdDetail->horizontalHeader();
        header->resizeSection(ColDescription, 10);
        QCOMPARE(clippedTexts(host.control(), host.form().grdDetail), QString());
    }
};

QVT_HOST_TEST_MAIN(TestFormAccess)
#include "TestFormAccess.moc"
