// Display form of a media time: "HH:MM:SS.mmm", hours not wrapped, an em dash when not finite.
#pragma once

#include <string>

namespace marrowick {

std::string clockString(double seconds);

}  // namespace marrowick
