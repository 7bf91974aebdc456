#pragma once
// The routines of the form, named as the system names them, grouped by the part of the form they
// serve. Each reads the form into values, asks the core (src/voucher), and shows what it answers:
// the fields it fills, the message box of a refusal, the focus.

#include <QString>

namespace qvtrnsfr {

class TransferControl;
struct Refusal;

// Connects every field, button and grid notification to its routine (FormEvents.cpp).
void wireForm(TransferControl &ctl);

// A refusal of the core in its message box, titled with the host window's caption unless it
// names a title; the focus goes to the field it names, unless the check is the field's own as
// it is left (FormVoucher.cpp).
void showRefusal(TransferControl &ctl, const Refusal &refusal, bool moveFocus = true);

// Recalling, saving, deleting and printing (Vouchers.cpp).
bool LoadDocument(TransferControl &ctl);
bool txtDocNo_Validate(TransferControl &ctl);
void cmdFindDoc_Click(TransferControl &ctl);
bool SaveDocument(TransferControl &ctl);
void cmdSave_Click(TransferControl &ctl);
void cmdDelete_Click(TransferControl &ctl);
void cmdPrintGLVoucher_Click(TransferControl &ctl);
// The voucher on the form, saved or not, in a print preview, or written to pdfPath when one is
// given; false when the file cannot be written.
bool PrintTransferVoucher(TransferControl &ctl, const QString &pdfPath = QString());
// Lines from the clipboard's tab-separated rows, or from a CSV file the user picks, added after
// the stored lines when every row passes the line check; otherwise one box lists the rows refused
// and nothing is added.
void PasteLines(TransferControl &ctl);
// The draft of the voucher on the form, while the host keeps drafts (Drafts.cpp).
QString DraftPath(const TransferControl &ctl);
void WriteDraft(TransferControl &ctl);
void DiscardDraft(TransferControl &ctl);
void OfferDraft(TransferControl &ctl); // at first focus: restore the draft left behind, or drop it
void ImportLinesFromCsv(TransferControl &ctl);

// Entering lines in the grid (LineEntry.cpp, CellLookups.cpp).
void ResolveItem(TransferControl &ctl);
void GetConversion(TransferControl &ctl);
bool CheckCurrentRow(TransferControl &ctl); // the line check of the row the grid is storing
void CellButtonPressed(TransferControl &ctl, int column);
void GridKeyPress(TransferControl &ctl, int &keyCode);
void ScanModeChanged(TransferControl &ctl);

// The total and the prices (Totals.cpp).
void UpdateTotalQty(TransferControl &ctl);
void TotalQtyChanged(TransferControl &ctl);
void FillPriceList(TransferControl &ctl);
void PriceCheckChanged(TransferControl &ctl);

// The locations and requisitions (Locations.cpp, Requisitions.cpp).
bool txtFromLocID_Validate(TransferControl &ctl);
bool txtToLocID_Validate(TransferControl &ctl);
void cmdFindCC_Click(TransferControl &ctl);
void cmdFindLoc_Click(TransferControl &ctl);
void cmdFindPo_Click(TransferControl &ctl);
void cmdRef_Click(TransferControl &ctl);

} // namespace qvtrnsfr
