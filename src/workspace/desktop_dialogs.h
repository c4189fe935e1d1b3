// What the workspace asks of the desktop: file dialogs, modal alerts and revealing a folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowick {

// A modal alert: a message, an informative text and its buttons in display order.
struct AlertRequest {
    std::string message;
    std::string informativeText;
    std::vector<std::string> buttons;
};

// File name extensions (without the dot) a dialog accepts; empty accepts every file.
using FileExtensions = std::vector<std::string>;

// Implemented by the desktop user interface; tests use a scripted fake. Every call is made on the
// main thread and blocks until the user answers.
class DesktopDialogs {
public:
    virtual ~DesktopDialogs() = default;

    // The chosen file, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> openFile(const FileExtensions& extensions) = 0;
    // Several files in the order chosen; empty when the user cancels. By default, one file.
    virtual std::vector<std::filesystem::path> openFiles(const FileExtensions& extensions) {
        std::optional<std::filesystem::path> file = openFile(extensions);
        return file ? std::vector<std::filesystem::path>{*file} : std::vector<std::filesystem::path>{};
    }
    // One file, with a message shown in the dialog. By default the message is not shown.
    virtual std::optional<std::filesystem::path> openFileWithMessage(const FileExtensions& extensions,
                                                                     const std::string& /*message*/) {
        return openFile(extensions);
    }
    // The chosen target, proposing `proposedName`; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> saveFile(const std::string& proposedName,
                                                          const FileExtensions& extensions) = 0;
    virtual std::optional<std::filesystem::path> chooseFolder() = 0;
    // The index of the button the user chose in `request.buttons`.
    virtual std::size_t alert(const AlertRequest& request) = 0;
    virtual void revealFolder(const std::filesystem::path& folder) = 0;
    // A folder chooser that allows creating folders and whose confirm button reads `confirmButton`;
    // nothing when the user cancels. Desktops without a labelled chooser fall back to chooseFolder().
    virtual std::optional<std::filesystem::path> chooseExportFolder(const std::string& confirmButton) {
        static_cast<void>(confirmButton);
        return chooseFolder();
    }
};

}  // namespace marrowick
