// Naming the reviewer on the history entries an edit wrote.
#include "model/project.h"

namespace marrowick {

void Project::attribute(std::size_t firstEvent, const std::optional<Reviewer>& reviewer) {
    if (!reviewer || reviewer->name.empty()) return;
    for (std::size_t index = firstEvent; index < history.size(); ++index) history.mut(index).reviewer = reviewer;
}

}  // namespace marrowick
