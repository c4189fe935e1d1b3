// Where the local runtime's server and model files are, what the model files must hash to, and
// the pace of its start-up and unloading.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace marrowick {

struct RuntimeConfiguration {
    static constexpr const char* kModelFile = "Qwen3VL-2B-Instruct-Q4_K_M.gguf";
    static constexpr const char* kProjectorFile = "mmproj-Qwen3VL-2B-Instruct-Q8_0.gguf";

    std::filesystem::path executable;   // the llama-server program
    std::filesystem::path modelFolder;  // holds the two model files
    std::string modelDigest;            // lower-case hexadecimal SHA-256 of each file
    std::string projectorDigest;
    std::chrono::milliseconds probePause{250};
    int probeAttempts = 480;
    std::chrono::milliseconds idleDelay{60'000};
    // The server's port for one start: by default one the kernel reports free on 127.0.0.1.
    std::function<int()> choosePort = freeLoopbackPort;

    // A loopback port nothing listens on now, as the kernel picks it for a bind to port 0; when
    // no socket can be made, a random port below Linux's ephemeral range (32768 and up), where
    // outgoing connections never take it.
    static int freeLoopbackPort();

    // The shipped runtime under the resource root ("Helpers/llama-server", "LocalVision/"),
    // checked against the digests compiled into the program.
    static RuntimeConfiguration bundled(const std::filesystem::path& resourceRoot);

    std::filesystem::path modelPath() const { return modelFolder / kModelFile; }
    std::filesystem::path projectorPath() const { return modelFolder / kProjectorFile; }
};

}  // namespace marrowick
