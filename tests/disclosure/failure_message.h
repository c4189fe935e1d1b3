// The ReviewError message an action throws, for tests that check user-facing failure texts.
#pragma once

#include <string>

#include "model/review_error.h"

namespace marrowick {

template <class Action>
std::string failureMessage(Action action) {
    try {
        action();
    } catch (const ReviewError& error) {
        return error.message();
    }
    return "(no failure)";
}

}  // namespace marrowick
