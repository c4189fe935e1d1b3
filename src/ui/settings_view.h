// The review settings sheet: project name and work disclosure, detection and grouping thresholds,
// label artwork, placement and width, and the local model. Changes go straight into the
// controller's project; however the sheet closes, a changed project is marked changed.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "model/project.h"

class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace marrowick {

class ReviewStore;
class StepSlider;
class ToggleSwitch;

class SettingsView : public QDialog {
    Q_OBJECT

public:
    SettingsView(ReviewStore& store, QWidget* parent);

    // The width as shown: whole percent, truncated ("18%").
    static QString percentText(double width);

    // Records the settings when they changed, then closes the sheet (Done, Escape, close button).
    void done(int result) override;

private:
    void buildProject(QBoxLayout& column);
    void buildReviewer(QBoxLayout& column);
    void buildDisplay(QBoxLayout& column);
    void buildDetection(QBoxLayout& column);
    void buildLabels(QBoxLayout& column);
    void buildModel(QBoxLayout& column);
    void refreshProject();
    void refreshAssistant();
    void rebuildGroups();
    void loadModels();
    std::vector<std::string> modelNames() const;

    ReviewStore& store_;
    const Project opened_;  // the project as the sheet found it
    QLineEdit* name_;
    ToggleSwitch* artistic_;
    QLineEdit* workDisclosure_;
    StepSlider* threshold_;
    StepSlider* grouping_;
    QPushButton* rebuild_;
    QComboBox* timeDisplay_;
    ToggleSwitch* compactRows_;
    QComboBox* style_;
    QComboBox* corner_;
    StepSlider* width_;
    QLabel* status_;
    QComboBox* model_;
};

}  // namespace marrowick
