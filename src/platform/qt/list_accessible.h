#pragma once

class QAccessibleInterface;

namespace hopwick {

class ItemList;

// The list as assistive technologies meet it: its entries as list items, the selected one told as selected
// and, while the list has the focus, as the focused child. An entry's press action is a click on it, which
// starts it in normal mode; a selection made through the accessible table only moves the selection, so that
// a screen reader passing over the entries starts none of them.
QAccessibleInterface* listAccessibleFor(ItemList& list);

// Tells assistive technologies of the selected entry when the list gets the focus, so that arriving in the
// list speaks the entry that Delete and the arrow keys act on, not only the list.
void reportSelectedEntryOnFocus(ItemList& list);

} // namespace hopwick
