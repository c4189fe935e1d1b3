// Test helper: autosaves a large project to the given file in a tight loop until it is killed.
// Prints one line after its first completed write.
#include <cstdio>
#include <string>

#include "workspace/autosave_writer.h"
#include "workspace_fixtures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: autosave-crash-helper FILE SHOTS\n");
        return 64;
    }
    const std::filesystem::path file = argv[1];
    marrowick::Project project = marrowick::testing::makeProject(10, std::stoi(argv[2]) / 10);
    bool announced = false;
    marrowick::AutosaveWriter writer([&](const std::optional<std::string>&) {
        if (announced) return;
        announced = true;
        std::printf("written\n");
        std::fflush(stdout);
    });
    for (std::size_t round = 0;; ++round) {
        project.shots.mut(round % project.shots.size()).note = "round " + std::to_string(round);
        if (round % 2 == 0) writer.submit(project, file);
        else writer.writeNow(project, file);
    }
}
