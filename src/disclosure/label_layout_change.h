// One edit of a stored label layout, as the layout editor and the preview make them.
#pragma once

#include <variant>

#include "model/label_layout.h"

namespace marrowick {

namespace LayoutChange {

// The margins a custom guide starts with before any of them is changed.
inline constexpr SafeInsets kStartingMargins{0.1, 0.1, 0.1, 0.1};

struct WidthFraction {
    double value = 0;
};
struct X {
    double value = 0;
};
struct Y {
    double value = 0;
};
struct Guide {
    std::string guideID;
};
enum class Side { left, top, right, bottom };
struct Margin {
    Side side = Side::left;
    double value = 0;
};
// A whole new placement (a fit, a drag or a nudge); its guide and margins are kept as given.
struct Whole {
    LabelLayout layout;
};

}  // namespace LayoutChange

using LabelLayoutChange = std::variant<LayoutChange::WidthFraction, LayoutChange::X, LayoutChange::Y,
                                       LayoutChange::Guide, LayoutChange::Margin, LayoutChange::Whole>;

// The layout with the change applied, not yet validated. Choosing "custom" without margins gives
// 0.1 on every side; changing one margin keeps the other three (0.1 each when there were none).
LabelLayout applied(LabelLayout layout, const LabelLayoutChange& change);

// The margin of one side.
double& margin(SafeInsets& insets, LayoutChange::Side side);
double margin(const SafeInsets& insets, LayoutChange::Side side);

}  // namespace marrowick
