// The guide part of the label layout editor: the guide picker, the custom margins or the chosen
// profile's source and kind, and the warning when the label leaves the guide.
#pragma once

#include <array>
#include <functional>
#include <string>

#include <QWidget>

#include "disclosure/label_layout_change.h"
#include "disclosure/layout_placement.h"

class QComboBox;
class QLabel;

namespace marrowick {

class LayoutQueries;
class StepSlider;

class LayoutGuideControls : public QWidget {
    Q_OBJECT

public:
    using Change = std::function<void(const LabelLayoutChange&)>;

    // The width of the row titles, shared with the rest of the layout editor.
    static constexpr int kTitleWidth = 62;

    // Every choice is handed to `change` for the layout being edited.
    LayoutGuideControls(const LayoutQueries& layouts, Change change, QWidget* parent = nullptr);

    // Shows the layout stored (or shown) under `key` for the output; the choices are enabled when
    // `editable` (no activity runs).
    void present(const std::string& key, const LabelLayout& layout, const LayoutOutput& output, bool editable);

    // The upper end of a margin slider: the opposite margin leaves at least 6 %, never past 0.9.
    static double marginMaximum(double opposite);

private:
    void addStoredGuide(const std::string& guideID);
    void presentProfile(const LabelLayout& layout, const LayoutOutput& output);

    const LayoutQueries& layouts_;
    Change change_;
    QComboBox* guide_;
    QWidget* custom_;
    std::array<StepSlider*, 4> margins_{};
    QWidget* profile_;
    QLabel* profileCaption_;
    QLabel* link_;
    QLabel* kind_;
    QWidget* warning_;
};

}  // namespace marrowick
