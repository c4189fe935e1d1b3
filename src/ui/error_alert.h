// Shows the controller's error in an alert titled "Marrowick"; dismissing it clears the error.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>

class QWidget;

namespace marrowick {

class ReviewStore;

class ErrorAlert : public QObject {
    Q_OBJECT

public:
    ErrorAlert(ReviewStore& store, QWidget& window);

    // The alert on screen, or null.
    QMessageBox* box() const { return box_; }

private:
    void refresh();

    ReviewStore& store_;
    QWidget& window_;
    QPointer<QMessageBox> box_;
};

}  // namespace marrowick
