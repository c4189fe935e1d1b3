// The one window: sidebar, header, preview, shot library, inspector and footer, with the menus,
// the error alert, the sheets and the drop target.
#pragma once

#include <vector>

#include <QMainWindow>

namespace marrowick {

class AppDelegate;
class AppMenus;
class ErrorAlert;
class Inspector;
class PreviewPane;
class ReviewStore;
class ShotLibrary;
class Sidebar;
class WindowSheets;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(ReviewStore& store, AppDelegate& delegate, QWidget* parent = nullptr);

    AppMenus& menus() { return *menus_; }
    Sidebar& sidebar() { return *sidebar_; }
    ShotLibrary& library() { return *library_; }
    PreviewPane& preview() { return *preview_; }
    Inspector& inspector() { return *inspector_; }
    ErrorAlert& errorAlert() { return *alert_; }
    WindowSheets& sheets() { return *sheets_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* rightColumn();
    // Shows only the preview pane, full screen, while the presentation asks for it.
    void followFullScreen();
    // The label layout editor in the inspector and the output preview around the player.
    void hostLayoutEditor();

    ReviewStore& store_;
    AppDelegate& delegate_;
    Sidebar* sidebar_ = nullptr;
    ShotLibrary* library_ = nullptr;
    PreviewPane* preview_ = nullptr;
    Inspector* inspector_ = nullptr;
    AppMenus* menus_ = nullptr;
    ErrorAlert* alert_ = nullptr;
    WindowSheets* sheets_ = nullptr;
    std::vector<QWidget*> chrome_;  // everything but the preview pane
    bool fullScreen_ = false;
    bool wasMaximized_ = false;
};

}  // namespace marrowick
