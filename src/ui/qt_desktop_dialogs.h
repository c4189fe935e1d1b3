// The desktop dialogs the controller asks for, as Qt file dialogs and message boxes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "workspace/desktop_dialogs.h"

namespace marrowick {

// Dialogs open over the window given to setWindow (none until the window exists).
class QtDesktopDialogs : public DesktopDialogs {
public:
    void setWindow(QWidget* window) { window_ = window; }

    std::optional<std::filesystem::path> openFile(const FileExtensions& extensions) override;
    // The message is the dialog's title.
    std::optional<std::filesystem::path> openFileWithMessage(const FileExtensions& extensions,
                                                             const std::string& message) override;
    std::optional<std::filesystem::path> saveFile(const std::string& proposedName,
                                                  const FileExtensions& extensions) override;
    std::optional<std::filesystem::path> chooseFolder() override;
    std::optional<std::filesystem::path> chooseExportFolder(const std::string& confirmButton) override;
    std::size_t alert(const AlertRequest& request) override;
    void revealFolder(const std::filesystem::path& folder) override;

private:
    QPointer<QWidget> window_;
};

}  // namespace marrowick
