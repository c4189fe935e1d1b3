// marrowick-cli version: the program's version.
#include <iostream>

#include "app/cli_command.h"

namespace marrowick::cli {

int runVersion(std::span<const std::string>) {
    std::cout << "marrowick " MARROWICK_VERSION "\n";
    return 0;
}

}  // namespace marrowick::cli
