#include "test_platform.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

namespace hopwick::testing {

ModalAnswer press(int standardButton) {
    return [standardButton](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        QAbstractButton* button = box ? box->button(static_cast<QMessageBox::StandardButton>(standardButton)) : nullptr;
        if (!button) {
            dialog.reject();
            return -1; // the box has no such button: no answer a real user could give
        }
        button->click();
        return dialog.result();
    };
}

ModalAnswer choose(const QString& path) {
    return [path](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) {
            dialog.reject();
            return -1;
        }
        files->selectFile(path);
        dialog.accept(); // the file dialog's own accept, which takes the typed name
        return dialog.result();
    };
}

ModalAnswer cancel() {
    return [](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    };
}

TestPlatform::TestPlatform(std::string programFolder)
    : QtPlatform(static_cast<SystemServices&>(*this)), programFolder_(std::move(programFolder)) {}

std::string TestPlatform::shellExecute(const std::string&, const std::string& file, const std::string&, ShowCommand) {
    shellOpens.push_back(file);
    return {};
}

ProgramStart TestPlatform::startProgram(const std::string& programFile, ShowCommand) {
    starts.push_back(programFile);
    return {true, {}};
}

int TestPlatform::runModal(QDialog& dialog) {
    ShownModal shown{dialog.windowTitle(), {}, {}};
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        shown.text = box->text();
    } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        shown.filters = files->nameFilters();
    }
    modals.push_back(shown);
    if (answers.empty()) {
        ++unanswered;
        return cancel()(dialog);
    }
    const ModalAnswer answer = std::move(answers.front());
    answers.pop_front();
    return answer(dialog);
}

} // namespace hopwick::testing
