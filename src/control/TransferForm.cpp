#include "control/TransferForm.h"

#include "control/FormFit.h"
#include "control/FormIcons.h"
#include "grid/LineGrid.h"

#include <QFont>
#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace qvtrnsfr {

int twipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

namespace {

// Every field keeps its designed place, in twips, in this property; arrange() places it from there.
const char *const DesignedTwips = "qvtDesignedTwips";

QRect designedTwips(const QWidget *field)
{
    return field->property(DesignedTwips).toRect();
}

QRect scaledPixels(const QRect &twips, const QSizeF &scale)
{
    const auto across = [&](int v) { return twipsToPixels(v * scale.width()); };
    const auto down = [&](int v) { return twipsToPixels(v * scale.height()); };
    return {across(twips.x()), down(twips.y()), across(twips.width()), down(twips.height())};
}

template <typename W> W *place(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setProperty(DesignedTwips, QRect(left, top, width, height));
    w->setGeometry(scaledPixels(designedTwips(w), QSizeF(1, 1)));
    return w;
}

QLabel *label(QWidget *parent, const char *name, int l, int t, int w, int h)
{
    return place<QLabel>(parent, name, l, t, w, h);
}

QLineEdit *text(QWidget *parent, const char *name, int l, int t, int w, int h, int maxLength = 0)
{
    auto *edit = place<QLineEdit>(parent, name, l, t, w, h);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QPushButton *pictureButton(QWidget *parent, const char *name, const QIcon &icon, int l, int t)
{
    auto *button = place<QPushButton>(parent, name, l, t, 315, 315);
    button->setIcon(icon);
    return button;
}

QPushButton *button(QWidget *parent, const char *name, int l, int t, int w, int h)
{
    auto *b = place<QPushButton>(parent, name, l, t, w, h);
    b->setAutoDefault(false);
    return b;
}

void setBackground(QLineEdit *edit, QPalette::ColorRole role)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, edit->parentWidget()->palette().color(role));
    edit->setPalette(palette);
}

void displayOnly(QLineEdit *edit)
{
    edit->setReadOnly(true);
    setBackground(edit, QPalette::Button);
}

} // namespace

void TransferForm::build(QWidget *c)
{
    control = c;
    const QIcon find = FormIcons::pickList();
    lblSegID = label(c, "lblSegID", 150, 135, 1050, 195);
    cmdFindCC = pictureButton(c, "cmdFindCC", find, 2550, 135);
    txtFromLocID = text(c, "txtFromLocID", 1350, 135, 1215, 315, 10);
    txtFromLocName = text(c, "txtFromLocName", 3000, 135, 4005, 300, 50);
    displayOnly(txtFromLocName);
    Label24 = label(c, "Label24", 3000, 525, 1080, 195);
    Label1 = label(c, "Label1", 150, 540, 1080, 195);
    txtReqNo = text(c, "txtReqNo", 4125, 525, 915, 285);
    cmdRef = pictureButton(c, "cmdRef", FormIcons::importLines(), 5025, 525);
    cmdFindPo = pictureButton(c, "cmdFindPo", FormIcons::requisitions(), 5355, 525);
    cmdNew = pictureButton(c, "cmdNew", FormIcons::newVoucher(), 2550, 540);
    cmdFindDoc = pictureButton(c, "cmdFindDoc", find, 2550, 540);
    txtDocNo = text(c, "txtDocNo", 1365, 540, 1215, 285);
    Label5 = label(c, "Label5", 150, 885, 900, 195);
    txtToLocID = text(c, "txtToLocID", 1365, 885, 990, 315, 10);
    cmdFindLoc = pictureButton(c, "cmdFindLoc", find, 2385, 885);
    txtToLocName = text(c, "txtToLocName", 3000, 885, 4080, 300, 50);
    displayOnly(txtToLocName);
    Label2 = label(c, "Label2", 150, 1320, 1080, 195);
    dtpDocDate = place<QDateEdit>(c, "dtpDocDate", 1365, 1320, 1290, 315);
    dtpDocDate->setCalendarPopup(true);
    Label3 = label(c, "Label3", 150, 1755, 690, 195);
    txtNarration = text(c, "txtNarration", 1365, 1755, 7530, 285, 100);
    Label6 = label(c, "Label6", 9075, 1800, 1170, 195);
    txtOrdNo = text(c, "txtOrdNo", 10395, 1770, 1110, 315);
    grdDetail = place<LineGrid>(c, "grdDetail", 120, 2205, 11400, 3600);
    chkScanMode = place<QCheckBox>(c, "chkScanMode", 150, 5970, 2340, 315);
    Label9 = label(c, "Label9", 9075, 5970, 735, 195);
    txtTotalQty = text(c, "txtTotalQty", 9975, 5970, 1515, 280);
    txtTotalQty->setText(QStringLiteral("0.00"));
    txtTotalQty->setReadOnly(true);
    txtTotalQty->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Bold in the form's font, whatever font and size the host gives the form.
    QFont bold;
    bold.setBold(true);
    txtTotalQty->setFont(bold);
    chkPrice = place<QCheckBox>(c, "chkPrice", 150, 6345, 2640, 240);
    cboPriceList = place<QComboBox>(c, "cboPriceList", 2850, 6345, 1440, 315);
    cboPriceList->setEditable(false);
    cboPriceList->setVisible(false);
    cmdPrintGLVoucher = button(c, "cmdPrintGLVoucher", 6300, 6675, 1365, 315);
    cmdPrintGLVoucher->setEnabled(false);
    cmdPrintGLVoucher->setVisible(false);
    cmdSave = button(c, "cmdSave", 7725, 6675, 1215, 315);
    cmdDelete = button(c, "cmdDelete", 9000, 6675, 1215, 315);
    cmdDelete->setEnabled(false);
    cmdClose = button(c, "cmdClose", 10275, 6675, 1215, 315);

    retranslate();

    // Labels lead to their fields for access and screen readers. Their captions are the form's
    // fixed texts, which mark no access key.
    lblSegID->setBuddy(txtFromLocID);
    Label24->setBuddy(txtReqNo);
    Label1->setBuddy(txtDocNo);
    Label5->setBuddy(txtToLocID);
    Label2->setBuddy(dtpDocDate);
    Label3->setBuddy(txtNarration);
    Label6->setBuddy(txtOrdNo);
    Label9->setBuddy(txtTotalQty);

    // Focus order: the designed tab order of the focusable fields.
    QWidget *order[] = {cmdFindCC,  txtFromLocID, txtFromLocName,    txtReqNo,   cmdRef,      cmdFindPo,
                        cmdNew,     cmdFindDoc,   txtDocNo,          txtToLocID, cmdFindLoc,  txtToLocName,
                        dtpDocDate, txtNarration, txtOrdNo,          grdDetail,  chkScanMode, txtTotalQty,
                        chkPrice,   cboPriceList, cmdPrintGLVoucher, cmdSave,    cmdDelete,   cmdClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QList<QWidget *> TransferForm::fields() const
{
    QList<QWidget *> placed;
    for (QObject *child : control->children()) {
        if (auto *field = qobject_cast<QWidget *>(child); field && designedTwips(field).isValid())
            placed.append(field);
    }
    return placed;
}

QSizeF TransferForm::neededScale() const
{
    QSizeF needed(1, 1);
    for (const QWidget *field : fields()) {
        const QSize room = textRoom(field);
        const QSizeF designed = scaledPixels(designedTwips(field), QSizeF(1, 1)).size();
        needed.setWidth(std::max(needed.width(), room.width() / designed.width()));
        needed.setHeight(std::max(needed.height(), room.height() / designed.height()));
    }
    return needed;
}

void TransferForm::arrange()
{
    m_scale = neededScale();
    for (QWidget *field : fields())
        field->setGeometry(scaledPixels(designedTwips(field), m_scale));
    grdDetail->fitFont();
}

void TransferForm::setDocNoEditable(bool editable)
{
    txtDocNo->setEnabled(editable);
    setBackground(txtDocNo, editable ? QPalette::Base : QPalette::Button);
}

} // namespace qvtrnsfr
