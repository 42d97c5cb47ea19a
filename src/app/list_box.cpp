#include "app/list_box.h"

namespace hopwick {

void ListBox::setListIndex(int index) {
    select(index, Report::OnChange);
}

void ListBox::setSelected(int index, bool selected) {
    if (selected) {
        select(index, Report::OnChange);
    } else if (Selected(index)) {
        select(-1, Report::OnChange);
    }
}

void ListBox::clickEntry(int index) {
    select(index, Report::Always);
}

void ListBox::moveSelection(int index) {
    select(index, Report::Never);
}

void ListBox::select(int index, Report report) {
    if (index < -1 || index >= ListCount()) {
        return;
    }
    const bool moved = index != listIndex_;
    listIndex_ = index;
    if (moved) {
        changed();
    }
    // The handler may change the list itself; nothing of this call's state is used after it.
    if (index >= 0 && report != Report::Never && (moved || report == Report::Always) && click_) {
        click_();
    }
}

void ListBox::scrollIntoView(int index) {
    if (index < 0 || index >= ListCount()) {
        return;
    }
    entryToShow_ = index;
    ++scrollRequests_;
    changed();
}

std::string ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return entries_[static_cast<std::size_t>(index)];
}

void ListBox::setList(int index, const std::string& text) {
    if (index >= 0 && index < ListCount()) {
        entries_[static_cast<std::size_t>(index)] = text;
        changed();
    } else if (index == ListCount()) {
        AddItem(text);
    }
}

void ListBox::AddItem(const std::string& text) {
    AddItem(text, ListCount());
}

void ListBox::AddItem(const std::string& text, int index) {
    if (index < 0 || index > ListCount()) {
        return;
    }
    entries_.insert(entries_.begin() + index, text);
    if (listIndex_ >= index) {
        ++listIndex_; // the selection stays on the same entry
    }
    changed();
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) {
        return;
    }
    entries_.erase(entries_.begin() + index);
    listIndex_ = -1;
    changed();
}

void ListBox::Clear() {
    entries_.clear();
    listIndex_ = -1;
    changed();
}

} // namespace hopwick
