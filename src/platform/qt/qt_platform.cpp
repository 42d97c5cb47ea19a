#include "qt_platform.h"

#include "accessibility.h"

#include "app/texts.h"
#include "control_widgets.h"
#include "main_window.h"
#include "name_filters.h"
#include "qt_picture.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

namespace hopwick {

namespace {

// Far larger than any picture that fits behind the window; a larger file is not taken for one.
constexpr std::size_t kPictureReadLimit = 64 * 1024 * 1024;

QString pathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QtPlatform::QtPlatform(std::string commandLine) : commandLine_(std::move(commandLine)) {}

int QtPlatform::runModal(QDialog& dialog) {
    return dialog.exec();
}

QWidget* QtPlatform::dialogParent() const {
    return window_;
}

int QtPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(QString::fromUtf8(title.empty() ? std::string(texts::kAppTitle) : title));
    box.setTextFormat(Qt::PlainText); // prompts hold paths, which must not be read as markup
    box.setText(displayText(prompt));
    box.setIcon(QMessageBox::NoIcon);
    if (style == kStyleYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        nameButtonsByCaption(box);
        // Closing the box or Escape answers No.
        return runModal(box) == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    nameButtonsByCaption(box);
    runModal(box);
    return kAnswerOk;
}

void QtPlatform::beep() {
    QApplication::beep();
}

// The dialog's option flags ask only to hide a read-only check box, which Qt's dialog does not have.
std::optional<std::string> QtPlatform::showOpenDialog(const OpenDialogRequest& request) {
    QFileDialog dialog(dialogParent());
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the same dialog everywhere, which takes any name
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name need not exist
    const NameFilters filters = nameFilters(request.filter);
    if (!filters.filters.isEmpty()) {
        dialog.setNameFilters(filters.filters);
        dialog.selectNameFilter(filters.filters[filters.initial]);
    }
    if (!request.fileName.empty()) {
        const QFileInfo start(pathText(request.fileName));
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    QDir::setCurrent(chosen.absolutePath());
    return pathBytes(chosen.absoluteFilePath());
}

PictureLoad QtPlatform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    // Read through the system's side, which takes the path's bytes as they are.
    const FileRead file = readFile(path, kPictureReadLimit);
    switch (file.status) {
    case FileRead::Status::Missing: return {nullptr, "The file does not exist."};
    case FileRead::Status::Failed: return {nullptr, file.error};
    case FileRead::Status::Read: break;
    }
    if (file.truncated) {
        return {nullptr, "The file is too large for a picture."};
    }
    return decodePicture(file.bytes);
}

void QtPlatform::setFocus(ControlId control) {
    withWindow([&](MainWindow& window) { window.focusControl(control); });
}

void QtPlatform::applyWindowSize(int widthTwips, int heightTwips) {
    withWindow([&](MainWindow& window) { window.showWindowSize(widthTwips, heightTwips); });
}

void QtPlatform::applyCaption(const std::string& caption) {
    withWindow([&](MainWindow& window) { window.showCaption(caption); });
}

void QtPlatform::applyPicture(const std::shared_ptr<const Picture>& picture) {
    withWindow([&](MainWindow& window) { window.showPicture(picture); });
}

void QtPlatform::controlChanged(ControlId control) {
    withWindow([&](MainWindow& window) { window.showControl(control); });
}

void QtPlatform::closeWindow() {
    withWindow([&](MainWindow& window) { window.close(); });
}

} // namespace hopwick
