// The label layout editor beside the output preview: which layout is edited, the label's width
// and position, the guide, Fit in guide and the reset.
#pragma once

#include <optional>
#include <string>

#include "disclosure/label_layout_change.h"
#include "ui/inspector_section.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace marrowick {

class ReviewStore;

class LayoutGuideControls;
class StepSlider;

class LabelLayoutControls : public InspectorSection {
    Q_OBJECT

public:
    explicit LabelLayoutControls(ReviewStore& store, QWidget* parent = nullptr);

    void present(const Shot& shot) override;

    // "preset": the previewed preset's own layout for this ratio; "aspect": the ratio's layout.
    const std::string& scope() const { return scope_; }
    void setScope(std::string scope);
    // The layout key the edits go to; nothing without an output to edit.
    std::optional<std::string> editedKey() const;

signals:
    // The edited layout changed to another key.
    void scopeChanged();

private:
    ReviewStore& store_;  // the edits this section makes
    void refresh();
    void change(const LabelLayoutChange& change);
    StepSlider* positionSlider(const QString& title, double minimum, double maximum,
                               LabelLayoutChange (*make)(double));
    QPushButton* fitMenu();

    std::string scope_ = "preset";
    QLabel* output_;
    QWidget* scopeRow_;
    QComboBox* scopePicker_;
    QLabel* overrideNote_;
    QLabel* aspectNote_;
    StepSlider* width_;
    StepSlider* horizontal_;
    StepSlider* vertical_;
    LayoutGuideControls* guide_;
    QPushButton* fit_;
    QPushButton* reset_;
};

}  // namespace marrowick
