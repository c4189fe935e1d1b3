// What both programs print for --version: the version and the resource folder they use.
#pragma once

#include <ostream>

namespace marrowick::ProgramVersion {

// "marrowick <version>" and "resources: <resource root>", one line each.
void print(std::ostream& out);

}  // namespace marrowick::ProgramVersion
