// The transfer control as a host sees it: the form, first focus, modes and numbering, the printed
// voucher, column widths, totals and price lists.

#include "control/FormRoutines.h"
#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qvtrnsfr;
using Profile = RecordingFactory::Profile;
Q_DECLARE_METATYPE(Profile)

namespace {

// Whether the fields a mode decides on are shown and enabled, and the caption of cmdSave.
QString modeStates(const TransferForm &f)
{
    QStringList states;
    const QList<QWidget *> fields{f.txtDocNo,          f.cmdNew,    f.cmdFindDoc,
                                  f.cmdPrintGLVoucher, f.cmdDelete, f.cmdSave};
    for (QWidget *w : fields)
        states << w->objectName() + (w->isHidden() ? " hidden" : w->isEnabled() ? " on" : " off");
    return states.join(", ") + ' ' + f.cmdSave->text();
}

} // namespace

class TestControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { QSettings(QStringLiteral("Quorvane"), QStringLiteral("Settings")).remove("ICTRNCols"); }

    void shouldLayOutTheFormAsDesigned_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        const auto at = [](const char *name, const char *caption, int l, int t, int w, int h) {
            QTest::newRow(name) << QString::fromLatin1(caption) << QRect(l, t, w, h);
        };
        // clang-format off
        at("lblSegID", "From Location:", 150, 135, 1050, 195); at("cmdFindCC", "", 2550, 135, 315, 315);
        at("txtFromLocID", "", 1350, 135, 1215, 315); at("txtFromLocName", "", 3000, 135, 4005, 300);
        at("Label24", "From Req. No.:", 3000, 525, 1080, 195); at("txtReqNo", "", 4125, 525, 915, 285);
        at("Label1", "Document No.:", 150, 540, 1080, 195); at("cmdRef", "", 5025, 525, 315, 315);
        at("cmdFindPo", "", 5355, 525, 315, 315); at("cmdNew", "", 2550, 540, 315, 315);
        at("cmdFindDoc", "", 2550, 540, 315, 315); at("txtDocNo", "", 1365, 540, 1215, 285);
        at("Label5", "To Location:", 150, 885, 900, 195); at("txtToLocID", "", 1365, 885, 990, 315);
        at("cmdFindLoc", "", 2385, 885, 315, 315); at("txtToLocName", "", 3000, 885, 4080, 300);
        at("Label2", "Documnt Date:", 150, 1320, 1080, 195); at("dtpDocDate", "", 1365, 1320, 1290, 315);
        at("Label3", "Narration:", 150, 1755, 690, 195); at("txtNarration", "", 1365, 1755, 7530, 285);
        at("Label6", "Sales Order No.:", 9075, 1800, 1170, 195); at("txtOrdNo", "", 10395, 1770, 1110, 315);
        at("grdDetail", "", 120, 2205, 11400, 3600); at("Label9", "Total Qty.:", 9075, 5970, 735, 195);
        at("chkScanMode", "Enable Scanning Mode", 150, 5970, 2340, 315);
        at("txtTotalQty", "0.00", 9975, 5970, 1515, 280); at("cboPriceList", "", 2850, 6345, 1440, 315);
        at("chkPrice", "Show item pricing using price list", 150, 6345, 2640, 240);
        at("cmdPrintGLVoucher", "Print Voucher", 6300, 6675, 1365, 315);
        at("cmdSave", "&Save", 7725, 6675, 1215, 315); at("cmdDelete", "&Delete", 9000, 6675, 1215, 315);
        at("cmdClose", "&Close", 10275, 6675, 1215, 315);
        // clang-format on
    }

    // In a font small enough for every caption each field is at its designed place; a font that
    // needs more room widens (and heightens) every place and size by one factor.
    void shouldLayOutTheFormAsDesigned()
    {
        QFETCH(QRect, twips);
        ctlTransfer control;
        auto *field = control.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(field && field->parentWidget() == &control);
        const auto at = [&twips](QSizeF scale) {
            const auto across = [&](int v) { return qRound(v * scale.width() / 15.0); };
            const auto down = [&](int v) { return qRound(v * scale.height() / 15.0); };
            return QRect(across(twips.x()), down(twips.y()), across(twips.width()), down(twips.height()));
        };
        const QSizeF scale = control.findChild<TransferControl *>()->form().scale();
        QVERIFY(scale.width() >= 1 && scale.height() >= 1);
        QCOMPARE(field->geometry(), at(scale));
        QFont small = control.font();
        small.setPointSizeF(6);
        control.setFont(small);
        QCOMPARE(control.findChild<TransferControl *>()->form().scale(), QSizeF(1, 1));
        QCOMPARE(field->geometry(), at(QSizeF(1, 1)));
        QCOMPARE(control.minimumSize(), QSize(781, 480)); // 11715 x 7200 twips
        QTEST(field->inherits("QDateEdit") ? QString() : field->property("text").toString(), "caption");
        if (auto *button = qobject_cast<QPushButton *>(field); button && button->text().isEmpty())
            QVERIFY(!button->icon().isNull() && !button->toolTip().isEmpty());
    }

    void shouldRunFirstFocusOnceInItsOrder()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        auto factory = std::make_shared<RecordingFactory>();
        factory->profile.number = 7;
        ControlHost host(db.connection(), QStringLiteral("ann"), false, factory);
        QVERIFY(host.start());
        const QString expected = "create settings, create inventory, inventory SetConnection, create rights, "
                                 "rights SetConnection, rights SetUser ann, rights LoadProfile, "
                                 "inventory SetProfileNumber 7, create ledger, ledger SetConnection, "
                                 "ledger LoadSetup, ledger released, create attachment";
        QCOMPARE(factory->log.join(", "), expected);

        // Later entries set nothing up, reset nothing, propose no new number; leaving stores widths.
        host.form().txtNarration->setText(QStringLiteral("kept"));
        QVERIFY(db.exec(QStringLiteral("insert into ICTRANH (FromLocID, DocNo) values (0, 1)")));
        for (int round = 0; round < 2; ++round) {
            host.focusOutside();
            host.focusControl();
        }
        QCOMPARE(factory->log.join(", "), expected + ", create settings, create settings");
        QCOMPARE(host.form().txtNarration->text() + host.form().txtDocNo->text(), QStringLiteral("kept1"));
    }

    void shouldApplyTheUserProfile_data()
    {
        QTest::addColumn<Profile>("profile");
        QTest::addColumn<int>("ledger"); // the transaction setting; -1: the query fails
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("effects");
        const Profile branch{7, 2, true, true, true, false};
        const std::nullopt_t no = std::nullopt;
        // clang-format off
        QTest::newRow("own location") << branch << 3 << ""
            << "from 2, no 42, source fixed, date fixed, serials, negative, transaction";
        QTest::newRow("free") << Profile{0, 2, false, false, false, true} << 0 << "" << "from , no 1";
        QTest::newRow("unknown user") << Profile{no, no, no, no, no, no} << -1 << "" << "from , no 1";
        QTest::newRow("no companions") << branch << 3 << "rights inventory ledger settings" << "from , no 1";
        // clang-format on
    }

    void shouldApplyTheUserProfile()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        QVERIFY(db.exec("insert into ICTRANH (FromLocID, DocNo) values (2, 41), (2, 7), (3, 90)"));
        auto factory = std::make_shared<RecordingFactory>();
        QFETCH(Profile, profile);
        QFETCH(int, ledger);
        QFETCH(QString, missing);
        factory->profile = profile;
        factory->transactionSetting = ledger < 0 ? std::nullopt : std::optional<int>(ledger);
        factory->missing = missing.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ControlHost host(db.connection(), QStringLiteral("bob"), false, factory);
        QVERIFY(host.start());

        const TransferForm &f = host.form();
        const TransferControl &c = *host.state();
        QStringList effects;
        effects << "from " + f.txtFromLocID->text() << "no " + f.txtDocNo->text()
                << (f.txtFromLocID->isEnabled() || f.cmdFindCC->isEnabled() ? "" : "source fixed")
                << (f.dtpDocDate->isEnabled() ? "" : "date fixed")
                << (c.stockOptions().trackSerialNo ? "serials" : "")
                << (c.stockOptions().allowNegativeInventory ? "negative" : "")
                << (c.useTransaction() ? "transaction" : "");
        effects.removeAll(QString());
        QTEST(effects.join(", "), "effects");
    }

    // Each mode shows its buttons; cmdNew starts a new voucher, and a reset in edit mode keeps the number
    // typed.
    void shouldSwitchBetweenModes()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        QVERIFY(db.exec("insert into ICTRANH (FromLocID, DocNo) values (1, 41), (3, 5)"));
        ControlHost add(db.connection());
        QVERIFY(add.start());
        TransferForm &f = add.form();
        QCOMPARE(modeStates(f), "txtDocNo off, cmdNew on, cmdFindDoc hidden, cmdPrintGLVoucher hidden, "
                                "cmdDelete off, cmdSave on &Add");

        // cmdNew clears the voucher in progress but keeps its source, requisition and sales order.
        add.setLines({{"10-00-00-0001", "", "", "", "2"}});
        for (QLineEdit *edit : {f.txtFromLocID, f.txtToLocID, f.txtNarration, f.txtReqNo, f.txtOrdNo})
            edit->setText(QStringLiteral("1"));
        f.dtpDocDate->setDate(QDate(2020, 1, 1));
        f.chkPrice->setChecked(true);
        QTest::mouseClick(f.cmdNew, Qt::LeftButton);
        QStringList after{add.lineRows().join(';'), f.dtpDocDate->date().toString(Qt::ISODate)};
        for (auto *e : {f.txtFromLocID, f.txtDocNo, f.txtToLocID, f.txtNarration, f.txtReqNo, f.txtOrdNo,
                        f.txtTotalQty})
            after << e->text();
        after << (f.chkPrice->isChecked() || !f.grdDetail->isColumnHidden(ColSalePrice) ? "prices" : "-");
        QCOMPARE(after.join(','), ',' + QDate::currentDate().toString(Qt::ISODate) + ",1,42,,,1,1,0.00,-");

        ControlHost edit(db.connection(), QStringLiteral("demo"), true);
        QVERIFY(edit.start());
        TransferForm &e = edit.form();
        QCOMPARE(modeStates(e), "txtDocNo on, cmdNew hidden, cmdFindDoc on, cmdPrintGLVoucher off, "
                                "cmdDelete off, cmdSave off &Save");
        e.txtDocNo->setText(QStringLiteral("17"));
        edit.state()->ResetForm();
        QCOMPARE(e.txtDocNo->text(), QStringLiteral("17"));
    }

    // The voucher on the form, not saved, printed to a PDF: header, every line, the total and the
    // signature lines; a voucher of two pages repeats its number and the column captions on the
    // second. Ctrl+P opens the print preview.
    void shouldPrintTheVoucherOnTheForm()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        ControlHost host(db.connection());
        QVERIFY(host.start());
        TransferForm &f = host.form();
        f.txtFromLocID->setText("1");
        f.txtFromLocName->setText("Main Warehouse");
        f.txtToLocID->setText("3");
        f.txtToLocName->setText("South Branch");
        f.txtNarration->setText("Stock for the <spring> sale");
        QList<QStringList> rows;
        for (int n = 1; n <= 70; ++n)
            rows << QStringList{QString("10-00-00-%1").arg(n, 4, 10, QChar('0')),
                                "Bolt",
                                "BOX",
                                "12",
                                QString::number(n),
                                "SN-" + QString::number(n),
                                "EN-" + QString::number(n)};
        host.setLines(rows);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("voucher.pdf");
        QVERIFY(host.control()->printTransferVoucher(pdf));
        const auto text = [&pdf](const QStringList &pages) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", pages + QStringList{"-layout", pdf, "-"});
            return pdftotext.waitForFinished(30000) ? QString::fromUtf8(pdftotext.readAllStandardOutput())
                                                    : QString("pdftotext did not run");
        };
        const QString all = text({});
        for (const QString &expected :
             {QString("Transfer Voucher"), "Voucher No.: " + f.txtDocNo->text(), QString("1 Main Warehouse"),
              QString("3 South Branch"), QString("Stock for the <spring> sale"), QString("10-00-00-0070"),
              QString("SN-70"), QString("EN-70"), "Total Quantity: " + f.txtTotalQty->text(),
              QString("Issued by"), QString("Received by")})
            QVERIFY2(all.contains(expected), qPrintable(expected + " is not in:\n" + all));
        QCOMPARE(all.count("10-00-00-00"), 70);
        const QString second = text({"-f", "2", "-l", "2"});
        QVERIFY2(second.contains("Voucher No.: " + f.txtDocNo->text()) && second.contains("Item Code") &&
                     !second.contains("10-00-00-0001 "),
                 qPrintable(second));

        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = modal->metaObject()->className();
                modal->close();
            }
        });
        QTest::keyClick(f.txtNarration, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(opened, "QPrintPreviewDialog");
    }

    // With drafts kept, a stored line writes the voucher to the user's draft of the mode; a control
    // destroyed without saving leaves it, and the next first focus offers it: Yes restores header
    // and lines, No drops it. A save drops the draft too.
    void shouldKeepAndRestoreDrafts()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        QVERIFY(db.exec("insert into ICLoc (LocID, LocName) values (1, 'Main'), (2, 'Branch')"));
        auto factory = std::make_shared<RecordingFactory>();
        factory->allowed = {{1, 1}, {2, 2}};
        const auto typeVoucher = [](ControlHost &host) {
            TransferForm &f = host.form();
            f.txtFromLocID->setText("1");
            f.txtToLocID->setText("2");
            f.txtNarration->setText("Half done");
            LineGrid *grid = f.grdDetail;
            const QModelIndex cell = grid->model()->index(0, ColItemCode);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
            for (const auto &[column, text] :
                 {std::pair{ColItemCode, "10-00-00-0001"}, std::pair{ColDescription, "Bolt"},
                  std::pair{ColUnit, "PCS"}, std::pair{ColConversion, "1"}, std::pair{ColQty, "3"}})
                grid->setCell(column, QString(text));
            return grid->storeCurrentRow();
        };
        QString path;
        {
            ControlHost first(db.connection(), "clerk", false, factory);
            first.control()->setKeepDrafts(true);
            QVERIFY(first.start());
            QVERIFY(typeVoucher(first));
            path = DraftPath(*first.state());
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
        for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
            MessageCatcher messages;
            messages.answerNext(answer);
            ControlHost next(db.connection(), "clerk", false, factory);
            next.control()->setKeepDrafts(true);
            QVERIFY(next.start());
            QTRY_COMPARE(messages.count(), 1);
            QVERIFY2(
                messages.last().startsWith("question Host Caption: A voucher of 1 line(s) that was not saved "
                                           "was kept on "),
                qPrintable(messages.last()));
            const bool restored = answer == QMessageBox::Yes;
            QCOMPARE(next.lineRows(5).join(' '), restored ? "10-00-00-0001|Bolt|PCS|1|3" : "");
            QCOMPARE(next.form().txtNarration->text(), restored ? "Half done" : "");
            QCOMPARE(next.form().txtTotalQty->text(), restored ? "3.00" : "0.00");
            QCOMPARE(QFile::exists(path), restored);
        }
        ControlHost saver(db.connection(), "clerk", false, factory);
        saver.control()->setKeepDrafts(true);
        QVERIFY(saver.start());
        QVERIFY(typeVoucher(saver));
        QVERIFY(QFile::exists(path));
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        QTest::mouseClick(saver.form().cmdSave, Qt::LeftButton);
        QTRY_COMPARE(messages.count(), 1);
        QVERIFY2(messages.last().contains("Is Saved Successfully"), qPrintable(messages.summaries()));
        QVERIFY(!QFile::exists(path));
    }

    void shouldKeepColumnWidthsPerUser()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        const auto widths = [](ControlHost &host) {
            QList<double> twips;
            for (int column = 0; column < LineColumns; ++column)
                twips << host.form().grdDetail->columnWidthTwips(column);
            return twips;
        };
        {
            ControlHost host(db.connection());
            QVERIFY(host.start());
            QCOMPARE(widths(host), QList<double>(LineColumns, 1000)); // nothing stored yet
            host.form().grdDetail->setColumnWidthTwips(ColQty, 1234);
            host.focusOutside();
            QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Settings"));
            settings.beginGroup(QStringLiteral("ICTRNCols"));
            QCOMPARE(settings.childKeys().size(), LineColumns);
            QCOMPARE(settings.value("Col4").toString() + ' ' + settings.value("Col7").toString(),
                     "1234 1000");
            const QStringList stored{"1500.5", "0", "", "abc"};
            for (int column = 0; column < stored.size(); ++column)
                settings.setValue(QStringLiteral("Col%1").arg(column), stored.at(column));
            settings.remove(QStringLiteral("Col5"));
        }
        ControlHost host(db.connection());
        QVERIFY(host.start());
        QCOMPARE(widths(host), QList<double>({1500.5, 1000, 1000, 1000, 1234, 1000, 1000, 1000}));
    }

    void shouldFillPriceLists()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        QVERIFY(db.exec("insert into icprc (PriceList) values ('B'), ('A  '), ('C')"));
        ControlHost host(db.connection());
        QVERIFY(host.start());
        QComboBox *lists = host.form().cboPriceList;
        QCOMPARE(lists->itemText(0) + lists->itemText(1) + lists->currentText(), QStringLiteral("ABC"));
        QVERIFY(!host.form().chkPrice->isHidden());

        // A list without a name ends the filling with a message; the set-up goes on.
        QVERIFY(db.exec("insert into icprc (PriceList) values (NULL)"));
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok);
        ControlHost failing(db.connection());
        QVERIFY(failing.start());
        QCOMPARE(catcher.summaries(),
                 "critical Error: Error 94 (Invalid use of Null) in procedure FillPriceList"
                 " of User Control ctlTransfer");
        QCOMPARE(failing.form().txtDocNo->text(), QStringLiteral("1"));
    }

    // Alt+A presses cmdSave (the empty voucher is refused); Alt+C closes the window, asking nothing.
    void shouldTakeAccessKeysAndCloseWithoutAQuestion()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        ControlHost host(db.connection(), "demo", false, std::make_shared<RecordingFactory>());
        QVERIFY(host.start());
        const QSizeF scale = host.form().scale();
        QCOMPARE(host.control()->minimumSize(),
                 QSize(qRound(781 * scale.width()), qRound(480 * scale.height())));
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok);
        QSignalSpy added(host.form().cmdSave, &QPushButton::clicked);
        host.form().txtNarration->setFocus();
        QTest::keyClick(host.window(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(added.count(), 1);
        QTRY_COMPARE(catcher.summaries(), "warning Host Caption: Empty from location can not be allowed.");
        catcher.expectNone();
        QTest::keyClick(host.window(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!host.window()->isVisible());
        QCOMPARE(catcher.count(), 1);
    }
};

QVT_HOST_TEST_MAIN(TestControl)
#include "TestControl.moc"
