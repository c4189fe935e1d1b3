// TransNetV2 speed: seconds per 100-frame window and achieved GFLOP/s as a share of the machine's
// SGEMM peak, and as a ratio to the PyTorch reference (tools/transnetv2_reference.py --time),
// all measured in this run. The reference needs Debian's python3-torch (a developer tool only);
// without it the ratio is left out and the bench says so.
#include <algorithm>
#include <cblas.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <random>
#include <vector>

#include "bench_timing.h"
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
    marrowick::WindowInputs inputs;
    inputs.rgb.resize(100 * marrowick::kTinyValues);
    inputs.histograms.assign(100 * 101, 0.5f);
    for (float& value : inputs.rgb) value = static_cast<float>(byte(generator));
    return inputs;
}

struct Seconds {
    double wall = 0;
    double cpu = 0;
};

// Wall and CPU seconds per window of the PyTorch reference, or nothing without PyTorch.
std::optional<Seconds> referenceSeconds() {
    const std::string script = std::string(MARROWICK_SOURCE_DIR) + "/tools/transnetv2_reference.py";
    if (std::system("/usr/bin/python3 -c 'import torch' >/dev/null 2>&1") != 0) return std::nullopt;
    FILE* pipe = popen(("/usr/bin/python3 '" + script + "' --time 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    Seconds seconds{-1, -1};
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::sscanf(line, "metric: transnetv2_pytorch_window_seconds %lf", &seconds.wall);
        std::sscanf(line, "metric: transnetv2_pytorch_window_cpu_seconds %lf", &seconds.cpu);
    }
    pclose(pipe);
    if (seconds.wall <= 0 || seconds.cpu <= 0) return std::nullopt;
    return seconds;
}

// The best of a few windows of our forward pass, in wall seconds; bestCpu takes the best CPU time.
double bestWindow(marrowick::TransNetV2& network, const marrowick::WindowInputs& inputs, int windows, double& total,
                  double& bestCpu) {
    double best = 1e9;
    for (int i = 0; i < windows; ++i) {
        const auto start = Clock::now();
        const double cpuStart = marrowick::bench::processSeconds();
        network.score(inputs);
        const double elapsed = seconds(start);
        bestCpu = std::min(bestCpu, marrowick::bench::processSeconds() - cpuStart);
        best = std::min(best, elapsed);
        total += elapsed;
    }
    return best;
}

}  // namespace

int main() {
    marrowick::TransNetV2 network(randomWeights());
    const marrowick::WindowInputs inputs = randomInputs();
    network.score(inputs);  // warm-up
    const int windows = 4;
    double total = 0, bestCpu = 1e9;
    // Ours before and after the reference, so that both see the same load on a shared machine.
    double best = bestWindow(network, inputs, windows / 2, total, bestCpu);
    const std::optional<Seconds> reference = referenceSeconds();
    best = std::min(best, bestWindow(network, inputs, windows / 2, total, bestCpu));
    if (reference) {
        std::printf("metric: transnetv2_pytorch_window_seconds %.3f s\n", reference->wall);
        std::printf("metric: transnetv2_to_pytorch_ratio %.3f ratio\n", best / reference->wall);
        std::printf("metric: transnetv2_to_pytorch_cpu_ratio %.3f ratio\n", bestCpu / reference->cpu);
    } else {
        std::printf("PyTorch reference not run: Debian's python3-torch is not installed\n");
    }
    const double peak = sgemmPeak();
    const double achieved = kWindowFlop / best / 1e9;
    std::printf("metric: transnetv2_window_seconds %.3f s\n", total / windows);
    std::printf("metric: transnetv2_window_seconds_best %.3f s\n", best);
    std::printf("metric: transnetv2_window_cpu_seconds_best %.3f s\n", bestCpu);
    std::printf("metric: transnetv2_gflops %.1f GFLOP/s\n", achieved);
    std::printf("metric: sgemm_peak_gflops %.1f GFLOP/s\n", peak);
    std::printf("metric: transnetv2_share_of_sgemm_peak %.3f ratio\n", achieved / peak);
    return 0;
}
