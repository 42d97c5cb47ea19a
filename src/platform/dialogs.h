#pragma once

#include <optional>
#include <string>

namespace hopwick {

// Message-box styles and answers, as the window's handlers use them.
enum class MessageStyle { Ok = 0, YesNo = 4 }; // Yes is a Yes/No box's default button
enum class MessageAnswer {
    Ok = 1,
    Cancel = 2, // a Yes/No box closed without an answer (Escape, the close button)
    Yes = 6,
    No = 7,
};

struct OpenDialogRequest {
    long flags = 0;
    std::string filter;   // description|pattern pairs, as the handlers set them
    std::string fileName; // the starting name
};

// The modal boxes and dialogs that the window's handlers show, and the beep. Every one runs on the
// user-interface thread and returns when it is closed. Texts are UTF-8.
class Dialogs {
public:
    Dialogs() = default;
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;
    virtual ~Dialogs() = default;

    // An empty title shows the application's title. Answers Ok, Yes or No, or Cancel when a Yes/No box was
    // closed without an answer.
    virtual MessageAnswer messageBox(const std::string& prompt, MessageStyle style, const std::string& title) = 0;
    virtual void beep() = 0;

    // Returns the chosen full path, or nothing when it was cancelled. A confirmed choice makes the chosen file's
    // folder the process's current directory.
    virtual std::optional<std::string> showOpenDialog(const OpenDialogRequest& request) = 0;
};

} // namespace hopwick
