#pragma once
// The fields of the transfer form, each a child widget whose objectName is its name, placed at
// its designed position (twips shown at 15 twips per device-independent pixel) in focus order.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qvtrnsfr {

class LineGrid;

// Twips to device-independent pixels and back.
constexpr double TwipsPerPixel = 15.0;
int twipsToPixels(double twips);

struct TransferForm {
    QLabel *lblSegID = nullptr;
    QPushButton *cmdFindCC = nullptr;
    QLineEdit *txtFromLocID = nullptr;
    QLineEdit *txtFromLocName = nullptr;
    QLabel *Label24 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtReqNo = nullptr;
    QPushButton *cmdRef = nullptr;
    QPushButton *cmdFindPo = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdFindDoc = nullptr;
    QLineEdit *txtDocNo = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *txtToLocID = nullptr;
    QPushButton *cmdFindLoc = nullptr;
    QLineEdit *txtToLocName = nullptr;
    QLabel *Label2 = nullptr;
    QDateEdit *dtpDocDate = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtNarration = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *txtOrdNo = nullptr;
    LineGrid *grdDetail = nullptr;
    QCheckBox *chkScanMode = nullptr;
    QLabel *Label9 = nullptr;
    QLineEdit *txtTotalQty = nullptr;
    QCheckBox *chkPrice = nullptr;
    QComboBox *cboPriceList = nullptr;
    QPushButton *cmdPrintGLVoucher = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdClose = nullptr;

    // Creates every field on the control in its initial state.
    void build(QWidget *control);

    // Sets every caption, tooltip and accessible name, and the date's format, in the current
    // language and locale (FormTexts.cpp); the form runs it when it is built and again when the
    // application's language changes.
    void retranslate();
    // The save button reads "&Save" in edit mode and "&Add" in add mode, in any language.
    void setSaveCaption(bool editMode);

    // The document number field is editable (edit mode: window background) or display-only
    // (add mode: button-face background).
    void setDocNoEditable(bool editable);

private:
    // Captions that do not fit their field are drawn a little smaller.
    void fitCaptions();

    bool m_saveEdits = true; // the mode the save button's caption was last set for
};

} // namespace qvtrnsfr
