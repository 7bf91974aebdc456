// Validation on leaving a field, with real widgets in a shown window: Tab, mouse presses and
// access keys that would leave a refused field do nothing, and pass once the check passes.
#include "platform/LeaveValidator.h"
#include "platform/Ui.h"
#include "support/MessageCatcher.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace qvtrnsfr;

class TestLeaveValidator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tabLeavesOnlyWhenTheCheckPasses();
    void buttonClicksOnlyWhenTheCheckPasses_data();
    void buttonClicksOnlyWhenTheCheckPasses();
    void pressesThatTakeNoFocusRunNoCheck();
    void accessKeyClicksOnlyWhenTheCheckPasses();
    void focusMovedByCodeOrToAnotherWindowRunsNoCheck();
    void messageBoxOfTheCheckDoesNotRunItAgain();
    void tabBetweenCellsOfAWatchedViewRunsNoCheck();
    void tabOutOfTheLastSectionOfADateIsCheckedAfterTheMove();
    void validateFocusedAndUnwatch();

private:
    void click(QWidget *widget, bool throughWindow = true);

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<LeaveValidator> m_validator;
    QLineEdit *m_field = nullptr;
    QLineEdit *m_other = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_noFocus = nullptr;
    QLabel *m_label = nullptr;
    QTableWidget *m_grid = nullptr;
    QDateEdit *m_date = nullptr;
    int m_checks = 0;
    bool m_allow = false;
};

void TestLeaveValidator::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->setWindowTitle("Velta Host");
    auto *layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_field = new QLineEdit);
    layout->addWidget(m_other = new QLineEdit);
    layout->addWidget(m_save = new QPushButton("&Save"));
    layout->addWidget(m_noFocus = new QPushButton("No focus"));
    layout->addWidget(m_label = new QLabel("Label"));
    layout->addWidget(m_grid = new QTableWidget(2, 2));
    layout->addWidget(m_date = new QDateEdit(QDate(2024, 3, 31)));
    m_date->setDisplayFormat("dd/MM/yyyy");
    m_noFocus->setFocusPolicy(Qt::NoFocus);
    m_checks = 0;
    m_allow = false;
    m_validator = std::make_unique<LeaveValidator>();
    m_validator->watch(m_field, [this] {
        ++m_checks;
        return m_allow;
    });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_field->setFocus();
    QVERIFY(m_field->hasFocus());
}

void TestLeaveValidator::cleanup()
{
    m_validator.reset();
    m_window.reset();
}

void TestLeaveValidator::click(QWidget *widget, bool throughWindow)
{
    if (throughWindow) {
        const QPoint centre = widget->mapTo(m_window.get(), widget->rect().center());
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centre);
    } else {
        QTest::mouseClick(widget, Qt::LeftButton);
    }
}

void TestLeaveValidator::tabLeavesOnlyWhenTheCheckPasses()
{
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_checks, 1);
    QVERIFY(m_field->hasFocus());
    QTest::keyClick(m_field, Qt::Key_Backtab);
    QCOMPARE(m_checks, 2);
    QVERIFY(m_field->hasFocus());

    m_allow = true;
    QTest::keyClick(m_field, Qt::Key_Tab);
    QVERIFY(m_other->hasFocus());
    QCoreApplication::processEvents(); // nothing checks the same leave late
    QCOMPARE(m_checks, 3);

    QTest::keyClick(m_other, Qt::Key_Tab); // leaving a field nobody watches
    QCOMPARE(m_checks, 3);
}

void TestLeaveValidator::buttonClicksOnlyWhenTheCheckPasses_data()
{
    QTest::addColumn<bool>("throughWindow");
    QTest::newRow("press through the window") << true;
    QTest::newRow("press sent to the button") << false;
}

void TestLeaveValidator::buttonClicksOnlyWhenTheCheckPasses()
{
    QFETCH(bool, throughWindow);
    QSignalSpy pressed(m_save, &QPushButton::pressed);
    QSignalSpy clicked(m_save, &QPushButton::clicked);
    QSignalSpy focusChanges(qApp, &QApplication::focusChanged);
    click(m_save, throughWindow);
    QCoreApplication::processEvents();
    if (throughWindow)
        QCOMPARE(focusChanges.count(), 0); // refused before the press could move the focus
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_checks, 1);

    m_allow = true;
    click(m_save, throughWindow);
    QCoreApplication::processEvents();
    QCOMPARE(clicked.count(), 1);
    QVERIFY(m_save->hasFocus());
    QCOMPARE(m_checks, 2);
}

void TestLeaveValidator::pressesThatTakeNoFocusRunNoCheck()
{
    QSignalSpy clicked(m_noFocus, &QPushButton::clicked);
    click(m_noFocus);
    QCOMPARE(clicked.count(), 1);
    click(m_label);
    click(m_field);
    QCoreApplication::processEvents();
    QCOMPARE(m_checks, 0);
    QVERIFY(m_field->hasFocus());
}

void TestLeaveValidator::accessKeyClicksOnlyWhenTheCheckPasses()
{
    QSignalSpy pressed(m_save, &QPushButton::pressed);
    QSignalSpy clicked(m_save, &QPushButton::clicked);
    QTest::keyClick(m_field, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(m_checks, 1);
    QCOMPARE(pressed.count(), 0); // no press, so no click can follow
    QVERIFY(m_field->hasFocus());

    m_allow = true;
    QTest::keyClick(m_field, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(m_checks, 2);
    QTRY_COMPARE(clicked.count(), 1);
}

void TestLeaveValidator::focusMovedByCodeOrToAnotherWindowRunsNoCheck()
{
    m_other->setFocus();
    QVERIFY(m_other->hasFocus());
    m_field->setFocus();

    QWidget second;
    auto *edit = new QLineEdit(&second);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    second.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    edit->setFocus();
    QTest::mouseClick(edit, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(edit->hasFocus());
    QCOMPARE(m_checks, 0);
}

void TestLeaveValidator::messageBoxOfTheCheckDoesNotRunItAgain()
{
    m_validator->watch(m_field, [this] {
        ++m_checks;
        showMessage(m_field, QMessageBox::Warning, "Location not found.");
        return false;
    });
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok, 3);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_checks, 1);
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().text, QString("Location not found."));
    QCOMPARE(catcher.last().title, QString("Velta Host"));
    QCOMPARE(catcher.last().icon, QMessageBox::Warning);
    QVERIFY(m_field->hasFocus()); // at once: the next key must find the field focused

    QSignalSpy clicked(m_save, &QPushButton::clicked);
    click(m_save);
    QCoreApplication::processEvents();
    QCOMPARE(m_checks, 2);
    QCOMPARE(catcher.count(), 2);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(m_field->hasFocus());
    QTest::keyClick(m_field, Qt::Key_Tab); // the window is active again: the key is checked
    QCOMPARE(m_checks, 3);
    QCOMPARE(catcher.count(), 3);
}

void TestLeaveValidator::tabBetweenCellsOfAWatchedViewRunsNoCheck()
{
    int gridChecks = 0;
    m_validator->watch(m_grid, [&gridChecks] {
        ++gridChecks;
        return false;
    });
    m_grid->setFocus();
    m_grid->setCurrentCell(0, 0);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    QCOMPARE(m_grid->currentColumn(), 1);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    QCOMPARE(m_grid->currentRow(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(gridChecks, 0);
    QVERIFY(m_grid->hasFocus());

    m_grid->setCurrentCell(1, 1); // the view wraps Tab from its last cell round to the first
    QTest::keyClick(m_grid, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(gridChecks, 0);
    QVERIFY(m_grid->hasFocus());
}

void TestLeaveValidator::tabOutOfTheLastSectionOfADateIsCheckedAfterTheMove()
{
    int dateChecks = 0;
    m_validator->watch(m_date, [&dateChecks] {
        ++dateChecks;
        return false;
    });
    m_date->setFocus();
    m_date->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(m_date, Qt::Key_Tab); // to the month: the focus stays
    QCOMPARE(m_date->currentSection(), QDateTimeEdit::MonthSection);
    QTest::keyClick(m_date, Qt::Key_Tab); // to the year
    QCoreApplication::processEvents();
    QCOMPARE(dateChecks, 0);

    QTest::keyClick(m_date, Qt::Key_Tab); // out of the field: refused, the focus comes back
    QTRY_VERIFY(m_date->hasFocus());
    QCOMPARE(dateChecks, 1);
}

void TestLeaveValidator::validateFocusedAndUnwatch()
{
    QVERIFY(!m_validator->validateFocused());
    QCOMPARE(m_checks, 1);
    m_other->setFocus();
    QVERIFY(m_validator->validateFocused()); // no watched field has the focus
    QCOMPARE(m_checks, 1);

    m_field->setFocus();
    m_validator->unwatch(m_field);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QVERIFY(m_other->hasFocus());
    QCOMPARE(m_checks, 1);
}

QTEST_MAIN(TestLeaveValidator)
#include "TestLeaveValidator.moc"
