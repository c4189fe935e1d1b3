// The shot library: header with count, search and "Group similar", the selection bar, and the
// list of visible shots or its empty state.
#pragma once

#include <memory>

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPropertyAnimation;
class QStackedWidget;

namespace marrowick {

class EmptyState;
class ReviewDocument;
class ReviewStore;
class ShotListModel;
class ToggleSwitch;

class ShotLibrary : public QWidget {
    Q_OBJECT

public:
    ShotLibrary(ReviewStore& store, ReviewDocument& review, QWidget* parent = nullptr);

    QListView& listView() { return *list_; }
    ShotListModel& model() { return *model_; }
    const EmptyState& emptyState() const { return *empty_; }
    QLabel& countLabel() { return *count_; }
    // Whether the list (rather than an empty state) is shown.
    bool showsList() const;
    // The context menu of a row: "Show visual group" and "Select all in group".
    std::unique_ptr<QMenu> rowMenu(int row);

private:
    QWidget* header();
    QListView* makeList();
    void refreshContents();
    void refreshOptions();
    void refreshDensity();
    void scheduleScrollToSelection();
    void scrollToSelection();
    void showRowMenu(const QPoint& where);
    void selectGroup(std::int64_t group);

    ReviewStore& store_;  // handed to the selection bar, which decides
    ReviewDocument& review_;
    ShotListModel* model_;
    bool compactRows_;
    QLabel* count_ = nullptr;
    QLineEdit* search_ = nullptr;
    ToggleSwitch* groupSort_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QListView* list_ = nullptr;
    EmptyState* empty_ = nullptr;
    QPropertyAnimation* scroll_ = nullptr;
    bool scrollPending_ = false;
};

}  // namespace marrowick
