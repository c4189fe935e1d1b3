// The inspector's decision controls, acting on the whole selection.
#pragma once

#include <optional>

#include "model/label_style.h"
#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class ReviewStore;

class LabelOptionButton;
class ToggleSwitch;

class DisclosureSection : public InspectorSection {
    Q_OBJECT

public:
    DisclosureSection(ReviewStore& store, QWidget* parent = nullptr);

    void present(const Shot& shot) override;

private:
    ReviewStore& store_;  // the edits this section makes
    void showArtwork(LabelStyle style);

    QWidget* awaiting_;
    QLabel* carried_;            // the earlier cut's decision and range, when the shot carries one
    QPushButton* acceptCarried_;
    ToggleSwitch* requiresLabel_;
    LabelOptionButton* modified_;
    LabelOptionButton* generated_;
    QPushButton* reviewed_;
    QPushButton* reset_;
    QLabel* selectionLine_;
    std::optional<LabelStyle> artworkStyle_;
};

}  // namespace marrowick
