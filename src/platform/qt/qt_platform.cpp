#include "qt_platform.h"

#include "accessibility.h"

#include "app/texts.h"
#include "control_widgets.h"
#include "edit/picture_file.h"
#include "main_window.h"
#include "name_filters.h"
#include "qt_picture.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSignalBlocker>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace hopwick {

namespace {

QString pathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Beside the title, a title bar holds the window's icon, its buttons and margins; four buttons' room and more.
constexpr int kTitleBarExtras = 120;

// A box is as wide as its prompt; like a Windows box it widens so that the title bar shows the whole title,
// which carries the instruction. The title is measured bold, as window managers mostly draw titles.
void widenForTitle(QMessageBox& box) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        box.setMinimumWidth(width);
        return;
    }
    // The box fixes its own size from its layout when it shows: the room has to be in the layout.
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// Selecting a file that the filter does not admit, or typing its name, would list it beside the ones the filter
// admits: the dialog's completion looks the name up. The kept name only stands in the name box, as on Windows,
// and the dialog takes it when the user confirms.
void keepNameOnly(QFileDialog& dialog, const QString& name) {
    auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (nameBox == nullptr) {
        return;
    }
    {
        const QSignalBlocker quiet(nameBox);
        nameBox->setText(name);
    }
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        if (QPushButton* open = buttons->button(QDialogButtonBox::Open)) {
            open->setEnabled(true); // as the dialog enables it for a typed name
        }
    }
}

} // namespace

int QtPlatform::runModal(QDialog& dialog) {
    return dialog.exec();
}

QWidget* QtPlatform::dialogParent() const {
    return window_;
}

MessageAnswer QtPlatform::messageBox(const std::string& prompt, MessageStyle style, const std::string& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(QString::fromUtf8(title.empty() ? std::string(texts::kAppTitle) : title));
    box.setTextFormat(Qt::PlainText); // prompts hold paths, which must not be read as markup
    box.setText(displayText(prompt));
    box.setIcon(QMessageBox::NoIcon);
    widenForTitle(box);
    if (style == MessageStyle::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        // Closing the box or Escape is no answer at all, told apart from No by a button nobody sees.
        box.button(QMessageBox::Cancel)->hide();
        box.setEscapeButton(QMessageBox::Cancel);
        nameButtonsByCaption(box);
        switch (runModal(box)) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
        }
    }
    box.setStandardButtons(QMessageBox::Ok);
    nameButtonsByCaption(box);
    runModal(box);
    return MessageAnswer::Ok;
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
        if (filters.filters.isEmpty() || admits(filters.filters[filters.initial], start.fileName())) {
            dialog.selectFile(start.fileName());
        } else {
            keepNameOnly(dialog, start.fileName());
        }
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
    const FileRead file = system_.readFile(path, kMaxPictureFileBytes);
    switch (file.status) {
    case FileRead::Status::Missing: return {nullptr, texts::kPictureMissingReason};
    case FileRead::Status::Failed: return {nullptr, file.error};
    case FileRead::Status::Read: break;
    }
    if (file.truncated) {
        return {nullptr, texts::kPictureTooLargeReason};
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
