// JSON strings of label styles.
#include "model/label_style.h"

namespace marrowick {

std::string_view labelStyleString(LabelStyle style) {
    switch (style) {
        case LabelStyle::white: return "white";
        case LabelStyle::black: return "black";
        case LabelStyle::white50: return "white50";
        case LabelStyle::black50: return "black50";
    }
    return "white";
}

std::optional<LabelStyle> parseLabelStyle(std::string_view text) {
    for (LabelStyle s : {LabelStyle::white, LabelStyle::black, LabelStyle::white50, LabelStyle::black50})
        if (labelStyleString(s) == text) return s;
    return std::nullopt;
}

}  // namespace marrowick
