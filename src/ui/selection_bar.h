// The bar over the shot list while shots are selected: their number, the three decisions and
// "Next unreviewed →".
#pragma once

#include <QWidget>

class QLabel;

namespace marrowick {

class ReviewStore;

class SelectionBar : public QWidget {
    Q_OBJECT

public:
    explicit SelectionBar(ReviewStore& store, QWidget* parent = nullptr);

private:
    void refresh();

    ReviewStore& store_;
    QLabel* count_;
};

}  // namespace marrowick
