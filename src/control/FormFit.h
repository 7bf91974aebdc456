#pragma once
// How much room the text of a form field takes: its caption's width and the font's height, plus
// what the field's style draws around the text (frame, margins, check indicator, drop-down
// button). The form grows its designed places by the largest need over the designed size, so
// that a larger font or a wider typeface shows every caption whole instead of cutting it off.

#include <QSize>

class QWidget;

namespace qvtrnsfr {

// The least size at which the field shows its whole text in its current font and style; a
// dimension that does not depend on the text (the width of a text box, say) is 0.
QSize textRoom(const QWidget *field);

} // namespace qvtrnsfr
