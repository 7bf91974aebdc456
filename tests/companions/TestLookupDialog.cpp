// The pick list on both engines: a filter with a quote, narrowing as typed, Enter, Esc, numeric
// keys, the arrows in the search box, long lists in pages, and filters or sources it cannot use.

#include "companions/SqlLookupDialog.h"
#include "support/EventGuard.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

static const char *const Fixture[] = {
    "INSERT INTO ICItem (ItemID, Descp) VALUES ('AB-1', 'Bolt 1'), ('AB-2', 'Bolt 2'), ('AC-1', 'Cable'), "
    "('O''Brien', 'Irish item'), ('B 1', 'Blank in code')",
    "INSERT INTO ICUnit (ItemID, Unit, Conver) VALUES ('O''Brien', 'PCS', 1), ('O''Brien', 'BOX', 12), "
    "('AB-1', 'DOZ', 12)",
    "INSERT INTO ICLoc (LocID, LocName) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
    "WHERE i < 1200) SELECT i, 'Location number ' || i || ' of the test warehouse' FROM n",
};

struct Parts {
    QDialog *dialog;
    QLineEdit *search;
    QTreeWidget *list;
    QLabel *note;
    QStringList keys() const // the first column of the listed rows
    {
        QStringList keys;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            keys << list->topLevelItem(row)->text(0);
        return keys;
    }
};

class TestLookupDialog : public QObject {
    Q_OBJECT
    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_databases; // filled once
    std::unique_ptr<companions::SqlLookupDialog> m_lookup;

    void lookUp(TestDatabase::Engine engine, const char *source, const char *filter, int key, int result,
                const char *search)
    {
        m_lookup = std::make_unique<companions::SqlLookupDialog>();
        m_lookup->SetConnection(m_databases[engine]->connection());
        m_lookup->SetSource(source);
        m_lookup->SetFilter(QString::fromUtf8(filter));
        m_lookup->SetKeyColumn(key);
        m_lookup->SetResultColumn(result);
        m_lookup->SetSearchText(QString::fromUtf8(search));
    }
    // Shows the list; once it is up, act works on its parts, and what act leaves open is cancelled.
    // Answers what was picked, or "no list" when none came up.
    QString showList(const std::function<void(const Parts &)> &act)
    {
        bool shown = false;
        QObject scope; // the timer goes with it when no list came up
        QTimer::singleShot(0, &scope, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!(shown = dialog != nullptr))
                return;
            const Parts parts{dialog, dialog->findChild<QLineEdit *>("txtSearch"),
                              dialog->findChild<QTreeWidget *>("lstRows"),
                              dialog->findChild<QLabel *>("lblNote")};
            if (parts.search && parts.list && parts.note)
                act(parts);
            else
                QTest::qFail("the list lacks txtSearch, lstRows or lblNote", __FILE__, __LINE__);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_lookup->ShowList();
        return shown ? m_lookup->SelectedValue() : "no list";
    }

private slots:
    void initTestCase()
    {
        for (TestDatabase::Engine engine : TestDatabase::enginesAvailable()) {
            auto &db = m_databases[engine] = std::make_unique<TestDatabase>(engine);
            for (const char *sql : Fixture)
                QVERIFY2(db->isValid() && db->exec(sql), qPrintable(db->errorText()));
        }
    }

    void pickingAUnitOrAnItem_data() { addEngineColumn(); }
    void pickingAUnitOrAnItem()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        lookUp(engine, "ICUnit", "ItemID='O'Brien'", 1, 1, "");
        QWidget host;
        host.show();
        m_lookup->SetTitle("Units");
        m_lookup->SetOwner(&host);
        QCOMPARE(showList([&](const Parts &parts) {
                     QCOMPARE(parts.dialog->windowTitle(), QString("Units"));
                     QCOMPARE(parts.dialog->parentWidget(), &host);
                     QCOMPARE(parts.list->headerItem()->text(0).toLower(), QString("unit"));
                     QCOMPARE(parts.keys(), QStringList({"BOX", "PCS"}));
                     QTest::keyClick(parts.search, Qt::Key_Escape);
                 }),
                 QString());

        lookUp(engine, "ICItem", "", 0, 1, "A");
        QCOMPARE(showList([](const Parts &parts) {
                     QCOMPARE(parts.search->text(), QString("A"));
                     QCOMPARE(parts.keys(), QStringList({"AB-1", "AB-2", "AC-1"}));
                     QTest::keyClicks(parts.search, "B");
                     QCOMPARE(parts.keys(), QStringList({"AB-1", "AB-2"}));
                     QTest::keyClicks(parts.search, "-2");
                     QCOMPARE(parts.keys(), QStringList({"AB-2"}));
                     QTest::keyClick(parts.search, Qt::Key_Return);
                 }),
                 QString("Bolt 2"));
        m_lookup->SetSearchText("O'"); // codes with a quote or a blank are found like any other
        QCOMPARE(showList([](const Parts &parts) {
                     QCOMPARE(parts.keys(), QStringList({"O'Brien"}));
                     parts.search->setText("B ");
                     QCOMPARE(parts.keys(), QStringList({"B 1"}));
                     QTest::keyClick(parts.list, Qt::Key_Enter);
                 }),
                 QString("Blank in code"));
    }

    void pickingALocation_data() { addEngineColumn(); }
    void pickingALocation()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        lookUp(engine, "ICLOC", "", 0, 0, "12");
        QCOMPARE(showList([](const Parts &parts) {
                     QCOMPARE(parts.keys(), QStringList({"12"})); // a numeric key matches whole numbers
                     parts.search->setText("12a");
                     QVERIFY(parts.keys().isEmpty());
                     parts.search->setText(" 7");
                     QTest::keyClick(parts.search, Qt::Key_Return);
                 }),
                 QString("7"));
        m_lookup->SetFilter("LocID= 9"); // as a location typed with a leading blank
        m_lookup->SetSearchText("");
        QCOMPARE(showList([](const Parts &parts) { QCOMPARE(parts.keys(), QStringList({"9"})); }), QString());

        lookUp(engine, "ICLOC", "", 0, 0, "");
        QCOMPARE(showList([](const Parts &parts) {
                     QCOMPARE(parts.list->topLevelItemCount(), 500); // in pages of 500
                     QVERIFY(!parts.note->isHidden() && parts.note->text().contains("500"));
                     parts.list->setCurrentItem(parts.list->topLevelItem(499));
                     QTest::keyClick(parts.search, Qt::Key_Down);
                     QCOMPARE(parts.list->currentItem()->text(0), QString("501"));
                     parts.list->verticalScrollBar()->setValue(parts.list->verticalScrollBar()->maximum());
                     QCOMPARE(parts.list->topLevelItemCount(), 1200);
                     QVERIFY(parts.note->isHidden());
                     parts.list->setCurrentItem(parts.list->topLevelItem(0));
                     for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Enter})
                         QTest::keyClick(parts.search, key);
                 }),
                 QString("2"));

        lookUp(engine, "ICLOC", "", 1, 0, ""); // listed by name
        QCOMPARE(showList([](const Parts &parts) {
                     // the names are wider than their caption: the columns were fitted to the rows
                     const QTreeWidgetItem *first = parts.list->topLevelItem(0);
                     QVERIFY(first && parts.list->header()->sectionSize(0) >
                                          parts.list->fontMetrics().horizontalAdvance(first->text(0)));
                 }),
                 QString());

        for (const char *filter : {"LocID", "NoSuchColumn=1", "x;DROP TABLE ICLoc--=1"}) {
            m_lookup->SetFilter(filter);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lookup: cannot"));
            QCOMPARE(showList([](const Parts &parts) {
                         QVERIFY(parts.keys().isEmpty() && !parts.note->isHidden());
                         QTest::keyClick(parts.search, Qt::Key_Return);
                     }),
                     QString());
        }
        m_lookup->SetFilter("");
        for (const char *source : {"ICLoc; DROP TABLE ICLoc", "NoSuchTable"}) {
            m_lookup->SetSource(source);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lookup: cannot open the source"));
            QCOMPARE(showList([](const Parts &) {}), QString("no list"));
        }
        QCOMPARE(m_databases[engine]->scalar("SELECT COUNT(*) FROM ICLoc").toInt(), 1200);
    }
};

QVT_GUARDED_TEST_MAIN(TestLookupDialog)
#include "TestLookupDialog.moc"
