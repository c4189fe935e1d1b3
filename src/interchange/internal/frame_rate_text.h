// Frame rates as messages show them: "25 fps", "23.976 fps".
#pragma once

#include <string>

namespace marrowick::FrameRateText {

// Up to three decimals, trailing zeros dropped, followed by " fps".
std::string of(double frameRate);

}  // namespace marrowick::FrameRateText
