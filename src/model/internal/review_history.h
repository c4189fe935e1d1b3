// Appending entries to a project's review history, stamped with the current time.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "model/reference_date.h"

namespace marrowick {

inline void appendHistory(Project& project, std::string action, std::vector<Uuid> shotIDs, std::string detail) {
    project.history.push_back(ReviewEvent{referenceDateNow(), std::move(action), std::move(shotIDs), std::move(detail)});
}

}  // namespace marrowick
