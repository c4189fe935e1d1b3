// marrowick-cli version: the program's version and resource folder.
#include <iostream>

#include "app/cli_command.h"
#include "app/program_version.h"

namespace marrowick::cli {

int runVersion(std::span<const std::string>) {
    ProgramVersion::print(std::cout);
    return 0;
}

}  // namespace marrowick::cli
