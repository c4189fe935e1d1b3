// The preview pane's region until the player and timeline arrive: its empty state.
#pragma once

#include <QWidget>

class QLabel;

namespace marrowick {

class ReviewStore;

class PreviewPlaceholder : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPlaceholder(ReviewStore& store, QWidget* parent = nullptr);

private:
    void refresh();

    ReviewStore& store_;
    QLabel* title_;
};

}  // namespace marrowick
