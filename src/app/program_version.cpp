// The version lines of marrowick and marrowick-cli.
#include "app/program_version.h"

#include "model/resource_root.h"

namespace marrowick::ProgramVersion {

void print(std::ostream& out) {
    out << "marrowick " MARROWICK_VERSION "\n"
        << "resources: " << resourceRoot(runningExecutable()).string() << "\n";
}

}  // namespace marrowick::ProgramVersion
