// The human decision on a shot, and its JSON string.
#pragma once

#include <optional>
#include <string_view>

namespace marrowick {

enum class Disclosure { unreviewed, none, modified, generated };

std::string_view disclosureString(Disclosure disclosure);
std::optional<Disclosure> parseDisclosure(std::string_view text);

// What views show for a decision: "Unreviewed", "No label", "AI modified", "AI generated".
std::string_view disclosureTitle(Disclosure disclosure);

}  // namespace marrowick
