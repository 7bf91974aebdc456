#pragma once
// The fields of the transfer form, each a child widget whose objectName is its name, placed at
// its designed position (twips shown at 15 twips per device-independent pixel) in focus order.
// The designed places are the least: when the form's font needs more room for a caption than its
// field was designed with, every place and size grows by the same factor across (and another
// down), so the arrangement stays as designed and no caption is cut off.

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
    QWidget *control = nullptr;
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

    // Creates every field on the control in its initial state, arranged for the control's font.
    void build(QWidget *control);
    // Places every field again for the control's font and style, as they are now.
    void arrange();
    // How much larger than designed the places are, across and down; 1 when every caption fits.
    QSizeF scale() const { return m_scale; }

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
    QList<QWidget *> fields() const; // the placed fields
    QSizeF neededScale() const;

    QSizeF m_scale{1, 1};
    bool m_saveEdits = true; // the mode the save button's caption was last set for
};

} // namespace qvtrnsfr
