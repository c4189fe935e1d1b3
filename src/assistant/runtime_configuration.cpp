// The shipped runtime's layout and model digests.
#include "assistant/runtime_configuration.h"

#include <random>

namespace marrowick {
namespace {

constexpr const char* kModelDigest = "089d75c52f4b7ffc56ba998ffc50aae89fcafc755f9e7208aacca281dca6c2ae";
constexpr const char* kProjectorDigest = "f9a68fabba69c3b81e153367b2c7521030b0fa8bb0de400c9599c8e6725f9c82";
constexpr int kFirstDynamicPort = 49152;
constexpr int kDynamicPorts = 16384;

}  // namespace

int RuntimeConfiguration::randomDynamicPort() {
    std::random_device entropy;
    return kFirstDynamicPort + std::uniform_int_distribution<int>(0, kDynamicPorts - 1)(entropy);
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
