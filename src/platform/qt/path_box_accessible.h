#pragma once

class QAccessibleInterface;
class QLineEdit;

namespace hopwick {

// The path box as assistive technologies read it: its text, caret and selection, editable, and one run of
// text attributes over the whole text. Qt's own line edit reports runs of no length, which lead a screen
// reader to read the path one character short.
QAccessibleInterface* pathBoxAccessibleFor(QLineEdit& box);

} // namespace hopwick
