// JSON strings and display titles of decisions.
#include "model/disclosure.h"

namespace marrowick {

std::string_view disclosureString(Disclosure disclosure) {
    switch (disclosure) {
        case Disclosure::unreviewed: return "unreviewed";
        case Disclosure::none: return "none";
        case Disclosure::modified: return "modified";
        case Disclosure::generated: return "generated";
    }
    return "unreviewed";
}

std::optional<Disclosure> parseDisclosure(std::string_view text) {
    for (Disclosure d : {Disclosure::unreviewed, Disclosure::none, Disclosure::modified, Disclosure::generated})
        if (disclosureString(d) == text) return d;
    return std::nullopt;
}

std::string_view disclosureTitle(Disclosure disclosure) {
    switch (disclosure) {
        case Disclosure::unreviewed: return "Unreviewed";
        case Disclosure::none: return "No label";
        case Disclosure::modified: return "AI modified";
        case Disclosure::generated: return "AI generated";
    }
    return "Unreviewed";
}

}  // namespace marrowick
