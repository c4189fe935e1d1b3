// Applying one layout edit.
#include "disclosure/label_layout_change.h"

namespace marrowick {
namespace {

template <class... Cases>
struct Overloaded : Cases... {
    using Cases::operator()...;
};
// Clang 14 does not deduce aggregate template arguments by itself.
template <class... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

}  // namespace

double& margin(SafeInsets& insets, LayoutChange::Side side) {
    switch (side) {
        case LayoutChange::Side::left: return insets.left;
        case LayoutChange::Side::top: return insets.top;
        case LayoutChange::Side::right: return insets.right;
        case LayoutChange::Side::bottom: return insets.bottom;
    }
    return insets.left;
}

double margin(const SafeInsets& insets, LayoutChange::Side side) {
    SafeInsets copy = insets;
    return margin(copy, side);
}

LabelLayout applied(LabelLayout layout, const LabelLayoutChange& change) {
    std::visit(Overloaded{
                   [&](const LayoutChange::WidthFraction& width) { layout.widthFraction = width.value; },
                   [&](const LayoutChange::X& x) { layout.x = x.value; },
                   [&](const LayoutChange::Y& y) { layout.y = y.value; },
                   [&](const LayoutChange::Guide& guide) {
                       layout.guideID = guide.guideID;
                       if (guide.guideID == "custom" && !layout.customInsets)
                           layout.customInsets = LayoutChange::kStartingMargins;
                   },
                   [&](const LayoutChange::Margin& side) {
                       SafeInsets insets = layout.customInsets.value_or(LayoutChange::kStartingMargins);
                       margin(insets, side.side) = side.value;
                       layout.customInsets = insets;
                   },
                   [&](const LayoutChange::Whole& whole) { layout = whole.layout; },
               },
               change);
    return layout;
}

}  // namespace marrowick
