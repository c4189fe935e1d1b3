// The preview's output choice, safe-zone switch and label-position toggle.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace marrowick {

class ReviewDocument;

class OutputBar : public QWidget {
    Q_OBJECT

public:
    explicit OutputBar(ReviewDocument& review, QWidget* parent = nullptr);

private:
    void refreshPresets();
    void refreshPresentation();
    void choose(int index);

    ReviewDocument& review_;
    QComboBox* output_;
    QCheckBox* safeZones_;
    QPushButton* position_;
};

}  // namespace marrowick
