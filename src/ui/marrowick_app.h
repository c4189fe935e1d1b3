// The application shell: the one controller for the run, the delegate and the main window.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ui/app_delegate.h"
#include "ui/qt_desktop_dialogs.h"
#include "ui/single_instance.h"

class QApplication;

namespace marrowick {

class MainWindow;
class QtMediaPlayer;
class ReviewStore;

class MarrowickApp {
public:
    // Applies the dark appearance, creates the controller (which loads the presets from
    // `resourceRoot` and recovers the last review) and the window, and shows it.
    MarrowickApp(QApplication& application, const std::filesystem::path& resourceRoot);
    ~MarrowickApp();

    // Opens the project file the desktop handed over (asking before replacing unsaved work)
    // and imports the films; cancelling the question about the project drops the films too.
    void openDocuments(const std::vector<std::string>& arguments);
    // Becomes the session's one window: later starts hand their arguments here, and the window
    // comes to the front and opens them. `handoff` is how this start's own handoff went; when a
    // running window accepted the connection but never answered, this window does not listen
    // and says so.
    void serveLaterStarts(SingleInstance::Handoff handoff);

    ReviewStore& store() { return *store_; }
    MainWindow& window() { return *window_; }

private:
    QtDesktopDialogs dialogs_;
    std::unique_ptr<ReviewStore> store_;
    AppDelegate delegate_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<SingleInstance> instance_;
};

}  // namespace marrowick
