// Reading the runtime server's model list ("v1/models"), the sign that it has loaded its model.
#pragma once

#include <string>
#include <string_view>

namespace marrowick::ModelListing {

// True when the body is a JSON object whose "data" array holds an object whose "id" is `id`.
// Anything else, including text that is not JSON, is false.
bool lists(std::string_view body, const std::string& id);

}  // namespace marrowick::ModelListing
