// The menu bar: File, Edit, View, Review and Help, each command with its shortcut and disabled rule.
#pragma once

#include <vector>

#include <QObject>

class QAction;
class QMainWindow;

namespace marrowick {

class ReviewStore;

class AppMenus : public QObject {
    Q_OBJECT

public:
    // Builds the menus into the window's menu bar. "Quit" closes the window, which passes
    // through the quit confirmation; "About Marrowick" opens the About box.
    AppMenus(ReviewStore& store, QMainWindow& window);

    // The command titled `title` (as in the menu), or null.
    QAction* action(const QString& title) const;

private:
    struct Bound {
        QAction* action;
        bool (*enabled)(const ReviewStore&);
        bool (*checked)(const ReviewStore&);
    };

    void refreshEnabled();
    void refreshChecked();

    ReviewStore& store_;
    std::vector<Bound> actions_;
};

}  // namespace marrowick
