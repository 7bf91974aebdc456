#pragma once
// The pictures of the form's picture buttons, drawn at run time so they follow the palette.

#include <QIcon>

namespace qvtrnsfr::FormIcons {

QIcon pickList();     // magnifier over a list: locations and saved vouchers
QIcon requisitions(); // a clipboard: the requisition pick list
QIcon importLines();  // an arrow into a tray: fill the lines from the requisition
QIcon newVoucher();   // a blank page with a plus: start a new voucher

} // namespace qvtrnsfr::FormIcons
