// Shows the controller's error in an alert titled "Marrowick"; dismissing it clears the error.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>

class QWidget;

namespace marrowick {

class ReviewDocument;

class ErrorAlert : public QObject {
    Q_OBJECT

public:
    ErrorAlert(ReviewDocument& review, QWidget& window);

    // The alert on screen, or null.
    QMessageBox* box() const { return box_; }

private:
    void refresh();

    ReviewDocument& review_;
    QWidget& window_;
    QPointer<QMessageBox> box_;
};

}  // namespace marrowick
