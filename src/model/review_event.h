// One entry of a project's append-only review history.
#pragma once

#include <string>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

struct ReviewEvent {
    double date = 0;               // seconds since 2001-01-01T00:00:00 UTC
    std::string action;
    std::vector<Uuid> shotIDs;
    std::string detail;

    friend bool operator==(const ReviewEvent&, const ReviewEvent&) = default;
};

}  // namespace marrowick
