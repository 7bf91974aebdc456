// The host-window operations (caption, message boxes, closing, busy pointer) and the message-box
// helper the other test programs rely on.
#include "platform/Ui.h"
#include "support/MessageCatcher.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace qvtrnsfr;

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void messageBoxesBelongToTheHostWindow();
    void severalBoxesInARowAreAnsweredInOrder();
    void unexpectedBoxFailsTheTestAndIsClosed();
    void busyCursorAndClosingTheHostWindow();

private:
    std::unique_ptr<QWidget> m_host;
    QLineEdit *m_control = nullptr;
};

void TestUi::init()
{
    m_host = std::make_unique<QWidget>();
    m_host->setWindowTitle("Velta Host");
    auto *inner = new QWidget(m_host.get()); // the control sits deeper than the window
    auto *layout = new QVBoxLayout(inner);
    layout->addWidget(m_control = new QLineEdit);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void TestUi::cleanup()
{
    m_host.reset();
}

void TestUi::messageBoxesBelongToTheHostWindow()
{
    QCOMPARE(hostWindow(m_control), m_host.get());
    QCOMPARE(hostCaption(m_control), QString("Velta Host"));

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::No);
    const auto answer = showMessage(m_control, QMessageBox::Question, "Delete this document?", QString(),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    QCOMPARE(answer, QMessageBox::No);
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().title, QString("Velta Host"));
    QCOMPARE(catcher.last().text, QString("Delete this document?"));
    QCOMPARE(catcher.last().icon, QMessageBox::Question);
    QCOMPARE(catcher.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(catcher.last().defaultButton, QMessageBox::Yes);

    catcher.answerNext(QMessageBox::Ok);
    QCOMPARE(showMessage(m_control, QMessageBox::Critical, "Failed", "Delete Error"), QMessageBox::Ok);
    QCOMPARE(catcher.last().title, QString("Delete Error"));
    QCOMPARE(catcher.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(m_host->isActiveWindow()); // the keyboard goes back to the host
}

void TestUi::severalBoxesInARowAreAnsweredInOrder()
{
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Yes);
    catcher.answerNext(QMessageBox::Ok, 2);
    QCOMPARE(catcher.pendingAnswers(), 3);
    QCOMPARE(showMessage(m_control, QMessageBox::Question, "one", {}, QMessageBox::Yes | QMessageBox::No),
             QMessageBox::Yes);
    QCOMPARE(showMessage(m_control, QMessageBox::Warning, "two"), QMessageBox::Ok);
    QCOMPARE(showMessage(m_control, QMessageBox::Information, "three"), QMessageBox::Ok);
    QCOMPARE(catcher.count(), 3);
    QCOMPARE(catcher.boxes().at(0).text, QString("one"));
    QCOMPARE(catcher.boxes().at(1).icon, QMessageBox::Warning);
    QCOMPARE(catcher.last().text, QString("three"));
    QCOMPARE(catcher.pendingAnswers(), 0);
    catcher.clear();
    QCOMPARE(catcher.last().text, QString());
}

void TestUi::unexpectedBoxFailsTheTestAndIsClosed()
{
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Yes);
    catcher.expectNone();
    QEXPECT_FAIL("", "a box nobody expected fails the test", Continue);
    const auto answer = showMessage(m_control, QMessageBox::Warning, "surprise", {},
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    QCOMPARE(answer, QMessageBox::Cancel); // closed as Escape would close it
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().answer, QMessageBox::NoButton);
}

void TestUi::busyCursorAndClosingTheHostWindow()
{
    QVERIFY(!QGuiApplication::overrideCursor());
    {
        BusyCursor busy;
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QGuiApplication::overrideCursor());

    closeHostWindow(m_control);
    QVERIFY(!m_host->isVisible());
}

QTEST_MAIN(TestUi)
#include "TestUi.moc"
