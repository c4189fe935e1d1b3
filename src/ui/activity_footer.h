// The window's footer: the running activity with its progress and Cancel, or the notice and
// the shortcut hint.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace marrowick {

class ReviewDocument;

class ActivityFooter : public QWidget {
    Q_OBJECT

public:
    explicit ActivityFooter(ReviewDocument& review, QWidget* parent = nullptr);

private:
    void refresh();

    ReviewDocument& review_;
    QProgressBar* progress_;
    QLabel* activity_;
    QPushButton* cancel_;
    QLabel* shield_;
    QLabel* notice_;
    QLabel* hint_;
};

}  // namespace marrowick
