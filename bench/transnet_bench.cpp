// TransNetV2 speed: seconds per 100-frame window and achieved GFLOP/s as a share of the machine's
// SGEMM peak, both measured in this run.
#include <algorithm>
#include <cblas.h>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "analysis/transnet_v2.h"
#include "analysis/window_inputs.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kWindowFlop = 83.2e9;  // multiply-adds of one window, counted twice

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The best of a few large square SGEMMs, in GFLOP/s.
double sgemmPeak() {
    const int n = 2048;
    std::vector<float> a(n * n, 0.5f), b(n * n, 0.25f), c(n * n);
    double best = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, n, n, n, 1.0f, a.data(), n, b.data(), n, 0.0f, c.data(), n);
        best = std::max(best, 2.0 * n * n * n / seconds(start) / 1e9);
    }
    return best;
}

marrowick::TensorMap randomWeights() {
    std::mt19937 generator(1);
    std::uniform_real_distribution<float> uniform(-0.05f, 0.05f);
    marrowick::TensorMap tensors;
    for (const auto& [name, shape] : marrowick::TransNetV2::tensorShapes()) {
        std::int64_t count = 1;
        for (const auto extent : shape) count *= extent;
        marrowick::Tensor tensor{shape, std::vector<float>(count)};
        for (float& value : tensor.values) value = name.find("running_var") != std::string::npos ? 1.0f : uniform(generator);
        tensors.emplace(name, std::move(tensor));
    }
    return tensors;
}

marrowick::WindowInputs randomInputs() {
    std::mt19937 generator(2);
    std::uniform_int_distribution<int> byte(0, 255);
    marrowick::WindowInputs inputs{std::vector<float>(100 * marrowick::kTinyValues), std::vector<float>(100 * 101, 0.5f)};
    for (float& value : inputs.rgb) value = static_cast<float>(byte(generator));
    return inputs;
}

}  // namespace

int main() {
    marrowick::TransNetV2 network(randomWeights());
    const marrowick::WindowInputs inputs = randomInputs();
    network.score(inputs);  // warm-up
    const int windows = 4;
    double best = 1e9, total = 0;
    for (int i = 0; i < windows; ++i) {
        const auto start = Clock::now();
        network.score(inputs);
        const double elapsed = seconds(start);
        best = std::min(best, elapsed);
        total += elapsed;
    }
    const double peak = sgemmPeak();
    const double achieved = kWindowFlop / best / 1e9;
    std::printf("metric: transnetv2_window_seconds %.3f s\n", total / windows);
    std::printf("metric: transnetv2_window_seconds_best %.3f s\n", best);
    std::printf("metric: transnetv2_gflops %.1f GFLOP/s\n", achieved);
    std::printf("metric: sgemm_peak_gflops %.1f GFLOP/s\n", peak);
    std::printf("metric: transnetv2_share_of_sgemm_peak %.3f ratio\n", achieved / peak);
    return 0;
}
