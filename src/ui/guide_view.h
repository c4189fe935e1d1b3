// The disclosure guide sheet: a short, fixed explanation of the disclosure duty the review
// supports, with links to the official sources that open in the web browser.
#pragma once

#include <QDialog>

namespace marrowick {

class GuideView : public QDialog {
    Q_OBJECT

public:
    explicit GuideView(QWidget* parent);
};

}  // namespace marrowick
