#pragma once

#include "app/control_host.h"

#include <functional>
#include <string>
#include <vector>

namespace hopwick {

// The launch list: an ordered sequence of texts with at most one selected entry. Every change of the
// selection to an entry, by the program or by the user, runs the click handler before the change returns.
class ListBox {
public:
    explicit ListBox(ControlHost& host) : host_(host) {}

    void setClickHandler(std::function<void()> handler) { click_ = std::move(handler); }

    int ListCount() const { return static_cast<int>(entries_.size()); }
    int ListIndex() const { return listIndex_; }
    // -1 clears the selection; a position beyond the last entry is refused and changes nothing.
    void setListIndex(int index);
    bool Selected(int index) const { return index >= 0 && index == listIndex_; }
    // True selects the entry as setListIndex does; false clears the selection when the entry is selected.
    void setSelected(int index, bool selected);
    // "" at or beyond ListCount.
    std::string List(int index) const;
    // Replaces the entry below ListCount, appends at ListCount; further positions are refused.
    void setList(int index, const std::string& text);
    void AddItem(const std::string& text);
    void AddItem(const std::string& text, int index);
    // Removes the entry; afterwards nothing is selected.
    void RemoveItem(int index);
    void Clear();
    void SetFocus() { host_.focusControl(ControlId::List1); }

    // A mouse click on an entry: selects it and reports the click, also when it was selected already.
    void clickEntry(int index);
    // A move of the selection by keys or through an assistive technology: selects the entry as setListIndex
    // does but reports no click, so that passing over entries starts none of them.
    void moveSelection(int index);

    const std::vector<std::string>& entries() const { return entries_; }

    // How many whole rows the view shows, which a page of the page keys is; the view tells it.
    int rowsInView() const { return rowsInView_; }
    void setRowsInView(int rows) { rowsInView_ = rows > 0 ? rows : 1; }
    // Asks the view to scroll the entry into view, without selecting it. The view serves each request once:
    // scrollRequests() counts them.
    void scrollIntoView(int index);
    int entryToShow() const { return entryToShow_; }
    unsigned scrollRequests() const { return scrollRequests_; }

private:
    enum class Report { OnChange, Always, Never };
    void select(int index, Report report);
    void changed() { host_.controlChanged(ControlId::List1); }

    ControlHost& host_;
    std::function<void()> click_;
    std::vector<std::string> entries_;
    int listIndex_ = -1;
    int rowsInView_ = 1;
    int entryToShow_ = -1;
    unsigned scrollRequests_ = 0;
};

} // namespace hopwick
