// File dialogs through QFileDialog, alerts through QMessageBox, folders through the file browser.
#include "ui/qt_desktop_dialogs.h"

#include <algorithm>

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>

#include "ui/widget_factory.h"

namespace marrowick {
namespace {

// What a list of extensions holds, named after its first one.
QString kindOf(const std::string& firstExtension) {
    if (firstExtension == "marrowick") return QStringLiteral("Marrowick review");
    if (firstExtension == "json") return QStringLiteral("JSON files");
    if (firstExtension == "edl") return QStringLiteral("Cut lists");
    if (firstExtension == "otio") return QStringLiteral("Timelines");
    return QStringLiteral("Movies");
}

// "Marrowick review (*.marrowick)", "JSON files (*.json)", or every file when no extension is given.
QString nameFilter(const FileExtensions& extensions) {
    if (extensions.empty()) return {};
    QStringList patterns;
    for (const std::string& extension : extensions) patterns << QStringLiteral("*.") + QString::fromStdString(extension);
    return QStringLiteral("%1 (%2)").arg(kindOf(extensions.front()), patterns.join(QLatin1Char(' ')));
}

// The answer of an alert dismissed without a choice (Escape, closing it): "Cancel" when offered,
// otherwise the first button, which in every alert we show keeps things as they are.
std::size_t dismissal(const std::vector<std::string>& buttons) {
    const auto cancel = std::find(buttons.begin(), buttons.end(), "Cancel");
    return cancel == buttons.end() ? 0 : static_cast<std::size_t>(cancel - buttons.begin());
}

std::optional<std::filesystem::path> chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return std::filesystem::path(path.toStdString());
}

}  // namespace

std::optional<std::filesystem::path> QtDesktopDialogs::openFile(const FileExtensions& extensions) {
    return chosen(QFileDialog::getOpenFileName(window_, {}, {}, nameFilter(extensions)));
}

std::optional<std::filesystem::path> QtDesktopDialogs::openFileWithMessage(const FileExtensions& extensions,
                                                                          const std::string& message) {
    return chosen(QFileDialog::getOpenFileName(window_, QString::fromStdString(message), {}, nameFilter(extensions)));
}

std::optional<std::filesystem::path> QtDesktopDialogs::saveFile(const std::string& proposedName,
                                                                const FileExtensions& extensions) {
    QFileDialog dialog(window_, {}, {}, nameFilter(extensions));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QString::fromStdString(proposedName));
    if (!extensions.empty()) dialog.setDefaultSuffix(QString::fromStdString(extensions.front()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return chosen(dialog.selectedFiles().constFirst());
}

std::optional<std::filesystem::path> QtDesktopDialogs::chooseFolder() {
    return chosen(QFileDialog::getExistingDirectory(window_));
}

std::optional<std::filesystem::path> QtDesktopDialogs::chooseExportFolder(const std::string& confirmButton) {
    // Qt's own dialog, because only it shows our confirm text; it can create folders.
    QFileDialog dialog(window_);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(confirmButton));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return chosen(dialog.selectedFiles().constFirst());
}

std::size_t QtDesktopDialogs::alert(const AlertRequest& request) {
    QMessageBox box(window_);
    box.setWindowTitle(QStringLiteral("Marrowick"));
    box.setIcon(QMessageBox::Warning);
    box.setText(QString::fromStdString(request.message));
    box.setInformativeText(QString::fromStdString(request.informativeText));
    WidgetFactory::plainLabels(box);
    std::vector<QAbstractButton*> buttons;
    for (const std::string& title : request.buttons)
        buttons.push_back(box.addButton(QString::fromStdString(title), QMessageBox::AcceptRole));
    if (buttons.empty()) buttons.push_back(box.addButton(QMessageBox::Ok));
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    const std::size_t dismissed = dismissal(request.buttons);
    box.setEscapeButton(buttons[dismissed]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return i;
    return dismissed;
}

void QtDesktopDialogs::revealFolder(const std::filesystem::path& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

}  // namespace marrowick
