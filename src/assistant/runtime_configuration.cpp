// The shipped runtime's layout and model digests.
#include "assistant/runtime_configuration.h"

#include <random>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace marrowick {
namespace {

constexpr const char* kModelDigest = "089d75c52f4b7ffc56ba998ffc50aae89fcafc755f9e7208aacca281dca6c2ae";
constexpr const char* kProjectorDigest = "f9a68fabba69c3b81e153367b2c7521030b0fa8bb0de400c9599c8e6725f9c82";
constexpr int kFirstFallbackPort = 20000;
constexpr int kFallbackPorts = 12768;  // up to 32767, below the ephemeral range

}  // namespace

int RuntimeConfiguration::freeLoopbackPort() {
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (probe >= 0) close(probe);
    if (bound) return ntohs(address.sin_port);
    std::random_device entropy;
    return kFirstFallbackPort + std::uniform_int_distribution<int>(0, kFallbackPorts - 1)(entropy);
}

RuntimeConfiguration RuntimeConfiguration::bundled(const std::filesystem::path& resourceRoot) {
    RuntimeConfiguration configuration;
    configuration.executable = resourceRoot / "Helpers" / "llama-server";
    configuration.modelFolder = resourceRoot / "LocalVision";
    configuration.modelDigest = kModelDigest;
    configuration.projectorDigest = kProjectorDigest;
    return configuration;
}

}  // namespace marrowick
