// The header above the review: name and counts, autosave caption, save, export and import.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace marrowick {

class ReviewStore;

class ReviewHeader : public QWidget {
    Q_OBJECT

public:
    explicit ReviewHeader(ReviewStore& store, QWidget* parent = nullptr);

private:
    QToolButton* exportMenu();
    void refreshSummary();
    void refreshControls();

    ReviewStore& store_;
    QLabel* name_;
    QLabel* counts_;
    QLabel* autosaved_;
    QPushButton* save_;
    QToolButton* export_;
    QPushButton* import_;
};

}  // namespace marrowick
