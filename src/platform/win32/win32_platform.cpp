#include "platform/win32/win32_platform.h"

#include "app/texts.h"
#include "platform/win32/closable_box.h"
#include "platform/win32/main_window.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

HWND Win32Platform::owner() const {
    return window_ != nullptr ? window_->handle() : nullptr;
}

MessageAnswer Win32Platform::messageBox(const std::string& prompt, MessageStyle style, const std::string& title) {
    const bool yesNo = style == MessageStyle::YesNo;
    const std::wstring caption = widen(title.empty() ? texts::kAppTitle : title);
    const int answer = yesNo ? closableMessageBox(owner(), widen(prompt), caption, MB_YESNO)
                             : MessageBoxW(owner(), widen(prompt).c_str(), caption.c_str(), MB_OK);
    if (answer == IDYES) {
        return MessageAnswer::Yes;
    }
    if (answer == IDCANCEL) {
        return MessageAnswer::Cancel;
    }
    // A box that could not be shown says No to a question: nothing is done that was not agreed to.
    return answer == IDNO || yesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void Win32Platform::beep() {
    MessageBeep(MB_OK);
}

void Win32Platform::setFocus(ControlId control) {
    if (window_ != nullptr) {
        window_->setFocus(control);
    }
}

void Win32Platform::applyWindowSize(int widthTwips, int heightTwips) {
    if (window_ != nullptr) {
        window_->applyWindowSize(widthTwips, heightTwips);
    }
}

void Win32Platform::applyCaption(const std::string& caption) {
    if (window_ != nullptr) {
        window_->applyCaption(caption);
    }
}

void Win32Platform::applyPicture(const std::shared_ptr<const Picture>& picture) {
    if (window_ != nullptr) {
        window_->applyPicture(picture);
    }
}

void Win32Platform::controlChanged(ControlId control) {
    if (window_ != nullptr) {
        window_->controlChanged(control);
    }
}

void Win32Platform::closeWindow() {
    if (window_ != nullptr) {
        window_->close();
    }
}

} // namespace hopwick::win32
