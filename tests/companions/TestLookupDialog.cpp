// The pick list: reading filter conditions, prefix bounds, and the list itself on both engines:
// a filter with a quote, narrowing as the user types, picking with Enter, cancelling with Esc,
// moving with the arrows from the search box, numeric keys, long lists in pages, and sources or
// filters it cannot use.

#include "companions/LookupQuery.h"
#include "companions/SqlLookupDialog.h"
#include "support/TestDatabase.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {

const char *const Fixture[] = {
    "INSERT INTO ICItem (ItemID, Descp) VALUES ('AB-1', 'Bolt 1'), ('AB-2', 'Bolt 2'), ('AC-1', 'Cable'), "
    "('O''Brien', 'Irish item'), ('B 1', 'Blank in code')",
    "INSERT INTO ICUnit (ItemID, Unit, Conver) VALUES ('O''Brien', 'PCS', 1), ('O''Brien', 'BOX', 12), "
    "('AB-1', 'DOZ', 12)",
    "INSERT INTO ICLoc (LocID, LocName) "
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) SELECT i, 'Location ' || "
    "i FROM n",
};

struct ListParts {
    QLineEdit *search = nullptr;
    QTreeWidget *list = nullptr;
    QLabel *note = nullptr;
};

ListParts partsOf(QDialog *dialog)
{
    return {dialog->findChild<QLineEdit *>(QStringLiteral("txtSearch")),
            dialog->findChild<QTreeWidget *>(QStringLiteral("lstRows")),
            dialog->findChild<QLabel *>(QStringLiteral("lblNote"))};
}

QStringList keysListed(const ListParts &parts)
{
    QStringList keys;
    for (int row = 0; row < parts.list->topLevelItemCount(); ++row)
        keys.append(parts.list->topLevelItem(row)->text(0));
    return keys;
}

// Shows the list and, once it is up, runs act on its parts; closes it when act leaves it open.
// Answers whether a list came up at all.
bool showList(companions::SqlLookupDialog &lookup,
              const std::function<void(QDialog *, const ListParts &)> &act)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        const ListParts parts = partsOf(dialog);
        if (parts.search && parts.list && parts.note)
            act(dialog, parts);
        if (dialog->isVisible())
            dialog->reject();
    });
    lookup.ShowList();
    QCoreApplication::processEvents();
    return shown;
}

} // namespace

class TestLookupDialog : public QObject {
    Q_OBJECT

private slots:
    void readsFilterConditions_data();
    void readsFilterConditions();
    void boundsPrefixes_data();
    void boundsPrefixes();

    void filterWithAQuoteListsThatItemsUnits_data() { TestDatabase::addEngineColumn(); }
    void filterWithAQuoteListsThatItemsUnits();
    void typingNarrowsAndEnterPicks_data() { TestDatabase::addEngineColumn(); }
    void typingNarrowsAndEnterPicks();
    void arrowsInTheSearchBoxMoveInTheList_data() { TestDatabase::addEngineColumn(); }
    void arrowsInTheSearchBoxMoveInTheList();
    void numericKeysMatchWholeNumbers_data() { TestDatabase::addEngineColumn(); }
    void numericKeysMatchWholeNumbers();
    void longListsComeInPages_data() { TestDatabase::addEngineColumn(); }
    void longListsComeInPages();
    void unusableFilterListsNothing_data() { TestDatabase::addEngineColumn(); }
    void unusableFilterListsNothing();
    void unusableSourceShowsNothing();

private:
    std::unique_ptr<TestDatabase> filledDatabase(TestDatabase::Engine engine);
    companions::SqlLookupDialog lookupOn(const TestDatabase &db, const char *source, const char *filter,
                                         int key, int result, const char *search);
};

std::unique_ptr<TestDatabase> TestLookupDialog::filledDatabase(TestDatabase::Engine engine)
{
    auto db = std::make_unique<TestDatabase>(engine);
    for (const char *sql : Fixture) {
        if (db->isValid() && !db->exec(QString::fromLatin1(sql)))
            qWarning("cannot fill the tables: %s", qPrintable(db->errorText()));
    }
    return db;
}

companions::SqlLookupDialog TestLookupDialog::lookupOn(const TestDatabase &db, const char *source,
                                                       const char *filter, int key, int result,
                                                       const char *search)
{
    companions::SqlLookupDialog lookup;
    lookup.SetFilter(QString::fromUtf8(filter));
    lookup.SetConnection(db.connection());
    lookup.SetSource(QString::fromLatin1(source));
    lookup.SetKeyColumn(key);
    lookup.SetSearchText(QString::fromUtf8(search));
    lookup.SetResultColumn(result);
    return lookup;
}

void TestLookupDialog::readsFilterConditions_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");

    QTest::newRow("none") << "" << true << ""
                          << "";
    QTest::newRow("number") << "LocID=8" << true << "LocID"
                            << "8";
    QTest::newRow("number after a blank") << "LocID= 8" << true << "LocID"
                                          << " 8";
    QTest::newRow("nothing after the sign") << "LocID=" << true << "LocID"
                                            << "";
    QTest::newRow("quoted") << "ItemID='AB-1'" << true << "ItemID"
                            << "AB-1";
    QTest::newRow("quoted empty") << "ItemID=''" << true << "ItemID"
                                  << "";
    QTest::newRow("quote inside") << "ItemID='O'Brien'" << true << "ItemID"
                                  << "O'Brien";
    QTest::newRow("blanks inside quotes") << " ItemID = ' a b ' " << true << "ItemID"
                                          << " a b ";
    QTest::newRow("no sign") << "LocID" << false << ""
                             << "";
    QTest::newRow("blank in the name") << "Loc ID=1" << false << ""
                                       << "";
    QTest::newRow("not a name") << "1=1" << false << ""
                                << "";
    QTest::newRow("statement in the name") << "x;DROP TABLE ICLoc--=1" << false << ""
                                           << "";
}

void TestLookupDialog::readsFilterConditions()
{
    QFETCH(QString, condition);
    QFETCH(bool, readable);
    QFETCH(QString, column);
    QFETCH(QString, value);
    const std::optional<companions::LookupFilter> filter = companions::parseLookupFilter(condition);
    QCOMPARE(filter.has_value(), readable);
    if (filter) {
        QCOMPARE(filter->column, column);
        QCOMPARE(filter->value, value);
    }
}

void TestLookupDialog::boundsPrefixes_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("bound");

    QTest::newRow("letters") << "AB"
                             << "AC";
    QTest::newRow("dash") << "10-"
                          << "10.";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("highest last") << QString("A") + QString::fromUcs4(U"\U0010FFFF") << "B";
    QTest::newRow("only the highest") << QString::fromUcs4(U"\U0010FFFF") << "";
    QTest::newRow("below the surrogates") << QString("A") + QChar(0xD7FF) << QString("A") + QChar(0xE000);
    QTest::newRow("astral") << QString::fromUcs4(U"\U0001F600") << QString::fromUcs4(U"\U0001F601");
}

void TestLookupDialog::boundsPrefixes()
{
    QFETCH(QString, prefix);
    QFETCH(QString, bound);
    QCOMPARE(companions::prefixUpperBound(prefix), bound);
}

void TestLookupDialog::filterWithAQuoteListsThatItemsUnits()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));
    QWidget host;
    host.show();

    companions::SqlLookupDialog lookup = lookupOn(*db, "ICUnit", "ItemID='O'Brien'", 1, 1, "");
    lookup.SetTitle("Units");
    lookup.SetOwner(&host);
    const bool shown = showList(lookup, [&](QDialog *dialog, const ListParts &parts) {
        QCOMPARE(dialog->windowTitle(), QString("Units"));
        QCOMPARE(dialog->parentWidget(), &host);
        QCOMPARE(parts.list->headerItem()->text(0).toLower(), QString("unit"));
        QCOMPARE(keysListed(parts), QStringList({"BOX", "PCS"}));
        QTest::keyClick(parts.search, Qt::Key_Escape);
    });
    QVERIFY(shown);
    QCOMPARE(lookup.SelectedValue(), QString());
}

void TestLookupDialog::typingNarrowsAndEnterPicks()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));

    companions::SqlLookupDialog lookup = lookupOn(*db, "ICItem", "", 0, 1, "A");
    const bool shown = showList(lookup, [&](QDialog *, const ListParts &parts) {
        QCOMPARE(parts.search->text(), QString("A"));
        QCOMPARE(keysListed(parts), QStringList({"AB-1", "AB-2", "AC-1"}));
        QTest::keyClicks(parts.search, "B");
        QCOMPARE(keysListed(parts), QStringList({"AB-1", "AB-2"}));
        QTest::keyClicks(parts.search, "-2");
        QCOMPARE(keysListed(parts), QStringList({"AB-2"}));
        QTest::keyClick(parts.search, Qt::Key_Return);
    });
    QVERIFY(shown);
    QCOMPARE(lookup.SelectedValue(), QString("Bolt 2"));

    // A code with a quote and one with a blank are found like any other.
    lookup.SetSearchText("O'");
    QVERIFY(showList(lookup, [&](QDialog *, const ListParts &parts) {
        QCOMPARE(keysListed(parts), QStringList({"O'Brien"}));
        parts.search->setText("B ");
        QCOMPARE(keysListed(parts), QStringList({"B 1"}));
        QTest::keyClick(parts.list, Qt::Key_Enter);
    }));
    QCOMPARE(lookup.SelectedValue(), QString("Blank in code"));
}

void TestLookupDialog::arrowsInTheSearchBoxMoveInTheList()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));

    companions::SqlLookupDialog lookup = lookupOn(*db, "ICLOC", "", 0, 1, "");
    QVERIFY(showList(lookup, [&](QDialog *, const ListParts &parts) {
        QTest::keyClick(parts.search, Qt::Key_Down);
        QTest::keyClick(parts.search, Qt::Key_Down);
        QTest::keyClick(parts.search, Qt::Key_Up);
        QCOMPARE(parts.search->text(), QString());
        QTest::keyClick(parts.search, Qt::Key_Enter);
    }));
    QCOMPARE(lookup.SelectedValue(), QString("Location 2"));
}

void TestLookupDialog::numericKeysMatchWholeNumbers()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));

    companions::SqlLookupDialog lookup = lookupOn(*db, "ICLOC", "", 0, 0, "12");
    QVERIFY(showList(lookup, [&](QDialog *, const ListParts &parts) {
        QCOMPARE(keysListed(parts), QStringList({"12"}));
        parts.search->setText("12.0");
        QCOMPARE(keysListed(parts), QStringList({"12"}));
        parts.search->setText("12.5");
        QCOMPARE(keysListed(parts), QStringList());
        parts.search->setText("12a");
        QCOMPARE(keysListed(parts), QStringList());
        parts.search->setText(" 7");
        QTest::keyClick(parts.search, Qt::Key_Return);
    }));
    QCOMPARE(lookup.SelectedValue(), QString("7"));

    // A number in a filter may carry blanks, as a location typed with a leading blank does.
    lookup.SetFilter("LocID= 9");
    lookup.SetSearchText("");
    QVERIFY(showList(
        lookup, [&](QDialog *, const ListParts &parts) { QCOMPARE(keysListed(parts), QStringList({"9"})); }));
}

void TestLookupDialog::longListsComeInPages()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));

    companions::SqlLookupDialog lookup = lookupOn(*db, "ICLOC", "", 0, 0, "");
    QVERIFY(showList(lookup, [&](QDialog *, const ListParts &parts) {
        QCOMPARE(parts.list->topLevelItemCount(), 500);
        QVERIFY(!parts.note->isHidden());
        QVERIFY(parts.note->text().contains("500"));
        parts.list->setCurrentItem(parts.list->topLevelItem(499));
        QTest::keyClick(parts.search, Qt::Key_Down);
        QCOMPARE(parts.list->topLevelItemCount(), 1000);
        QCOMPARE(parts.list->currentItem()->text(0), QString("501"));
        parts.list->scrollToBottom();
        parts.list->verticalScrollBar()->setValue(parts.list->verticalScrollBar()->maximum());
        QCOMPARE(parts.list->topLevelItemCount(), 1200);
        QVERIFY(parts.note->isHidden());
        QCOMPARE(parts.list->topLevelItem(1199)->text(0), QString("1200"));
    }));
}

void TestLookupDialog::unusableFilterListsNothing()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    const auto db = filledDatabase(engine);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));

    for (const char *filter : {"LocID", "NoSuchColumn=1"}) {
        companions::SqlLookupDialog lookup = lookupOn(*db, "ICLOC", filter, 0, 0, "");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lookup: cannot"));
        QVERIFY(showList(lookup, [&](QDialog *, const ListParts &parts) {
            QCOMPARE(parts.list->topLevelItemCount(), 0);
            QVERIFY(!parts.note->isHidden());
            QTest::keyClick(parts.search, Qt::Key_Return);
        }));
        QCOMPARE(lookup.SelectedValue(), QString());
    }
}

void TestLookupDialog::unusableSourceShowsNothing()
{
    const auto db = filledDatabase(TestDatabase::Sqlite);
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));
    companions::SqlLookupDialog lookup = lookupOn(*db, "ICLOC", "", 0, 0, "3");
    QVERIFY(showList(
        lookup, [](QDialog *, const ListParts &parts) { QTest::keyClick(parts.search, Qt::Key_Return); }));
    QCOMPARE(lookup.SelectedValue(), QString("3"));

    for (const char *source : {"ICLoc; DROP TABLE ICLoc", "NoSuchTable"}) {
        lookup.SetSource(source);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lookup: cannot open the source"));
        QVERIFY(!showList(lookup, [](QDialog *, const ListParts &) {}));
        QCOMPARE(lookup.SelectedValue(), QString());
    }
    QCOMPARE(db->scalar("SELECT COUNT(*) FROM ICLoc").toInt(), 1200);
}

QTEST_MAIN(TestLookupDialog)
#include "TestLookupDialog.moc"
