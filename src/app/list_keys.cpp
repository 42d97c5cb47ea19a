#include "app/main_form.h"

#include <algorithm>

namespace hopwick {

namespace {

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The next entry after `from`, round the end, whose text begins with the key's letter or digit; -1 for none.
int nextEntryStartingWith(const ListBox& list, int from, int16_t keyCode) {
    const int count = list.ListCount();
    for (int step = 1; step <= count; ++step) {
        const int index = (from + step + count) % count;
        const std::string entry = list.List(index);
        if (!entry.empty() && upperAscii(entry.front()) == keyCode) {
            return index;
        }
    }
    return -1;
}

// Where a move key takes the selection; with nothing selected every move but End starts from the first entry.
int moveTarget(const ListBox& list, KeyDeed deed) {
    const int last = list.ListCount() - 1;
    const int at = list.ListIndex();
    const int page = std::max(1, list.rowsInView() - 1);
    if (at < 0) {
        return deed == KeyDeed::MoveEnd ? last : 0;
    }
    switch (deed) {
    case KeyDeed::MoveUp: return std::max(0, at - 1);
    case KeyDeed::MoveDown: return std::min(last, at + 1);
    case KeyDeed::MoveHome: return 0;
    case KeyDeed::MoveEnd: return last;
    case KeyDeed::MovePageUp: return std::max(0, at - page);
    case KeyDeed::MovePageDown: return std::min(last, at + page);
    default: return at;
    }
}

} // namespace

// Moving through the list by keys starts nothing, in either mode; Enter and Space start the selected entry as a
// click on it does. Every key with a rule is swallowed, also where it has nothing to act on.
void MainForm::List1_KeyDown(int16_t& KeyCode, int16_t Shift) {
    const KeyRule* rule = findKeyRule(KeyPlace::List, KeyCode, Shift);
    if (rule == nullptr || rule->place != KeyPlace::List) {
        return;
    }
    const int16_t key = KeyCode;
    KeyCode = 0;
    if (List1.ListCount() == 0) {
        return;
    }
    switch (rule->deed) {
    case KeyDeed::StartSelected:
        if (List1.ListIndex() >= 0) {
            List1.clickEntry(List1.ListIndex());
        }
        break;
    case KeyDeed::FindEntry:
        if (const int found = nextEntryStartingWith(List1, List1.ListIndex(), key); found >= 0) {
            List1.moveSelection(found);
        }
        break;
    default: List1.moveSelection(moveTarget(List1, rule->deed)); break;
    }
}

} // namespace hopwick
