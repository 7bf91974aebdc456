// Validation on leaving a field, with real widgets in a shown window: Tab, mouse presses and
// access keys that would leave a refused field do nothing, and pass once the check passes.
#include "platform/LeaveValidator.h"
#include "platform/Ui.h"
#include "support/EventGuard.h"
#include "support/MessageCatcher.h"

#include <QtTest>
#include <QtWidgets>

using namespace qvtrnsfr;

class TestLeaveValidator : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> m_window;
    LeaveValidator *m_validator = nullptr; // a child of the window
    QLineEdit *m_field = nullptr;
    QLineEdit *m_other = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_noFocus = nullptr;
    int m_checks = 0; // runs of the check of m_field
    bool m_allow = false;

    bool check()
    {
        ++m_checks;
        return m_allow;
    }
    void click(QWidget *widget)
    {
        const QPoint centre = widget->mapTo(m_window.get(), widget->rect().center());
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
    }
private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 m_field = new QLineEdit, m_other = new QLineEdit, m_save = new QPushButton("&Save"),
              m_noFocus = new QPushButton("No focus"), new QLabel("Label")})
            layout->addWidget(widget);
        m_noFocus->setFocusPolicy(Qt::NoFocus);
        m_checks = 0;
        m_allow = false;
        m_validator = new LeaveValidator(m_window.get());
        m_validator->watch(m_field, [this] { return check(); });
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_field->setFocus();
    }
    void cleanup() { m_window.reset(); }

    void tabLeavesOnlyWhenTheCheckPasses()
    {
        QTest::keyClick(m_field, Qt::Key_Tab);
        QVERIFY(m_field->hasFocus());
        QTest::keyClick(m_field, Qt::Key_Backtab);
        QVERIFY(m_field->hasFocus());
        m_allow = true;
        QTest::keyClick(m_field, Qt::Key_Tab);
        QVERIFY(m_other->hasFocus());
        QCoreApplication::processEvents();     // nothing checks the same leave late
        QTest::keyClick(m_other, Qt::Key_Tab); // leaving a field nobody watches
        QCOMPARE(m_checks, 3);
    }

    void buttonFiresOnlyWhenTheCheckPasses_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("press through the window") << 0;
        QTest::newRow("press sent to the button") << 1;
        QTest::newRow("access key") << 2;
    }
    void buttonFiresOnlyWhenTheCheckPasses()
    {
        QFETCH(int, way);
        const auto press = [&] {
            if (way == 0)
                click(m_save);
            else if (way == 1)
                QTest::mouseClick(m_save, Qt::LeftButton);
            else
                QTest::keyClick(m_field, Qt::Key_S, Qt::AltModifier);
        };
        QSignalSpy pressed(m_save, &QPushButton::pressed);
        QSignalSpy clicked(m_save, &QPushButton::clicked);
        QSignalSpy focusChanges(qApp, &QApplication::focusChanged);
        press();
        QCoreApplication::processEvents();
        QVERIFY(way == 1 || focusChanges.isEmpty()); // refused before the press could take the focus
        QCOMPARE(pressed.count(), 0);
        QVERIFY(m_field->hasFocus());
        m_allow = true;
        press();
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(m_save->hasFocus(), way != 2); // an access key clicks without taking the focus
        QCOMPARE(m_checks, 2);
    }

    void pressesThatTakeNoFocusAndMovesByCodeRunNoCheck()
    {
        QSignalSpy clicked(m_noFocus, &QPushButton::clicked);
        click(m_noFocus);
        QCOMPARE(clicked.count(), 1);
        click(m_window->findChild<QLabel *>());
        click(m_field);
        m_other->setFocus();
        m_field->setFocus();
        QWidget second; // the focus going to another window
        auto *edit = new QLineEdit(&second);
        second.show();
        second.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&second));
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(edit->hasFocus());
        QCOMPARE(m_checks, 0);
    }

    void messageBoxOfTheCheckDoesNotRunItAgain()
    {
        m_validator->watch(m_field, [this] {
            showMessage(m_field, QMessageBox::Warning, "Location not found.");
            return check();
        });
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok, 3);
        QSignalSpy clicked(m_save, &QPushButton::clicked);
        QTest::keyClick(m_field, Qt::Key_Tab);
        QVERIFY(m_field->hasFocus()); // at once: the next key must find the field focused
        click(m_save);
        QTest::keyClick(m_field, Qt::Key_Tab); // the window is active again: the key is checked
        QCOMPARE(m_checks, 3);                 // one run per leave, none for the box
        QCOMPARE(catcher.count(), 3);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(m_field->hasFocus());
    }
};

QVT_GUARDED_TEST_MAIN(TestLeaveValidator)
#include "TestLeaveValidator.moc"
