#pragma once

#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "platform/system_platform.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QMessageBox;

namespace hopwick::testing {

// A modal dialog as the test saw it when it came up.
struct ShownModal {
    QString title;
    QString text;        // a message box's prompt
    QStringList filters; // a file dialog's name filters
};

using ModalAnswer = std::function<int(QDialog&)>;

// Answers: press a message box's button, choose a file in a file dialog, or cancel either.
ModalAnswer press(int standardButton);
ModalAnswer choose(const QString& path);
ModalAnswer cancel();

// The real Qt platform, with the program folder in a test folder, and with modal dialogs answered from a
// script and launches recorded instead of run.
class TestPlatform final : public SystemPlatform, public QtPlatform {
public:
    explicit TestPlatform(std::string programFolder);

    operator Platform() { return {*this, *this, *this}; }

    std::deque<ModalAnswer> answers;
    std::vector<ShownModal> modals;
    int unanswered = 0;                  // modals that came up with no answer left; each was cancelled
    std::vector<std::string> starts;     // program files started
    std::vector<std::string> shellOpens; // files opened through the shell
    int beeps = 0;

    std::string programFolder() override { return programFolder_; }
    std::string userConfigFolder() override { return programFolder_ + "/config"; }
    std::string shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                             ShowCommand showCommand) override;
    ProgramStart startProgram(const std::string& programFile, ShowCommand windowStyle) override;
    void beep() override { ++beeps; }

protected:
    int runModal(QDialog& dialog) override;

private:
    std::string programFolder_;
};

} // namespace hopwick::testing
