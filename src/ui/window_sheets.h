// Shows the settings, the disclosure guide and the delivery window as sheets over the main
// window while their controller flags are set, and clears a flag when its sheet is dismissed.
#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>

#include "workspace/workspace_state.h"

class QDialog;
class QWidget;

namespace marrowick {

class ReviewDocument;
class ReviewStore;

class WindowSheets : public QObject {
    Q_OBJECT

public:
    WindowSheets(ReviewStore& store, ReviewDocument& review, QWidget& window);

    // The sheet shown for a flag, or null.
    QDialog* sheet(bool PresentationState::*flag) const;

private:
    struct Sheet {
        bool PresentationState::*flag;
        std::function<QDialog*()> make;
        QPointer<QDialog> dialog;
    };

    void refresh();
    void open(Sheet& sheet);

    ReviewStore& store_;  // handed to the settings and delivery windows
    ReviewDocument& review_;
    QWidget& window_;
    std::vector<Sheet> sheets_;
};

}  // namespace marrowick
