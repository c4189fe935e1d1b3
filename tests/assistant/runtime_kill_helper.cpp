// Starts the local runtime's stand-in server from a request thread that then ends, prints the
// server's process id and its runtime folder, and waits to be killed.
#include <unistd.h>

#include <iostream>
#include <thread>

#include "assistant/local_runtime.h"
#include "runtime_fixture.h"

int main() {
    using namespace marrowick;
    // Never destroyed: the test kills this program and removes the folder itself.
    auto* folder = new RuntimeFolder;
    folder->script({{"answers", {RuntimeFolder::answer("hi")}}});
    auto* runtime = new LocalRuntime(folder->configuration());
    const nlohmann::json hello = nlohmann::json::array({{{"role", "user"}, {"content", "hello"}}});
    std::thread([&] { runtime->complete(hello, std::nullopt, 7); }).join();
    std::cout << runtime->snapshot().process->pid() << ' ' << folder->root().string() << std::endl;
    for (;;) pause();
}
