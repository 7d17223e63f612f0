#pragma once

// The clipboard commands act on the focused text field: a search field, a
// number box or the grid's cell editor.

class QLineEdit;

namespace torvik::app {

// The text field that has the keyboard focus, or null.
QLineEdit *focusedTextField();

void cutFocusedText();
void copyFocusedText();
void pasteIntoFocusedText();

// The platform's rules: cut and copy while the focused field has selected
// text (cut only where it may be edited), paste while the clipboard holds text.
bool canCutFocusedText();
bool canCopyFocusedText();
bool clipboardHoldsText();

} // namespace torvik::app
