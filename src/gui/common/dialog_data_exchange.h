#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace wb::gui {

// The standard messages of a field that does not read; each shown with the program's
// title, an OK button and the exclamation icon.
QString ParseUIntMessage();
QString RangeMessage(unsigned min, unsigned max);
QString MaxCharsMessage(int max);

// Reads `field` as an unsigned decimal number within min..max, the way the dialogs read
// their fields (blanks around the digits allowed). On failure shows the standard message,
// puts the focus in the field with its text selected, and returns false; `value` is then
// unchanged.
bool ExchangeUInt(QWidget* dialog, QLineEdit* field, unsigned min, unsigned max, unsigned& value);

// Checks that `field` holds at most `max` characters, with the same failure handling.
bool ExchangeMaxChars(QWidget* dialog, QLineEdit* field, int max);

}  // namespace wb::gui
