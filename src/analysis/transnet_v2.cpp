// TransNetV2 inference: three blocks of dilated 3D convolution cells, two similarity branches,
// a dense layer and two sigmoid heads, on one window of 100 frames of 48 x 27 RGB.
#include "analysis/transnet_v2.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/internal/transnet_layers.h"
#include "analysis/internal/winograd_convolution.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

using transnet::Volume;

constexpr int kBlocks = 3;
constexpr int kBaseFilters = 16;
constexpr std::array<int, 4> kDilations{1, 2, 4, 8};
constexpr float kBatchNormEpsilon = 1e-3f;
constexpr int kSimilarityFeatures = 128;
constexpr int kProjected = 128;
constexpr int kPooledChannels = 64 + 128 + 256;
constexpr int kFlatFeatures = 3 * 6 * 256;
constexpr int kDenseInput = 2 * kSimilarityFeatures + kFlatFeatures;  // 4864
constexpr int kDense = 1024;
// Cells with this many input channels or more convolve by Winograd's method; the first cell's
// three colour channels are too few for its batched products to pay.
constexpr int kWinogradInput = 16;

int cellFilters(int block) { return kBaseFilters << block; }
int cellInput(int block, int cell) {
    if (cell == 1) return 4 * cellFilters(block);
    return block == 0 ? 3 : 4 * cellFilters(block - 1);
}
std::string cellPrefix(int block, int cell) {
    return "SDDCNN." + std::to_string(block) + ".DDCNN." + std::to_string(cell) + ".";
}

}  // namespace

// Named, not unnamed, namespace: the network's own records below hold these.
namespace transnet {

// The activations of one window and the layers' working space.
struct CellBuffers {
    Volume spatial;
    std::vector<float> columns;
    transnet::WinogradBuffers winograd;
};

// One cell with batch norm folded into its temporal taps and a per-channel bias.
struct CellWeights {
    int filters = 0;
    std::vector<float> spatial;     // (9 x in) x (4 branches x 2f); for the three-channel input only
    transnet::WinogradKernels winograd;  // the same kernels transformed, for every other cell
    std::vector<float> taps[4][3];  // per branch, per temporal offset: 2f x f
    std::vector<float> bias;        // 4f
};

}  // namespace transnet

struct TransNetV2::Weights {
    transnet::CellWeights cells[kBlocks][2];
    std::vector<float> projectionWeight, projectionBias, similarityWeight, similarityBias;
    std::vector<float> histogramWeight, histogramBias, denseWeight, denseBias;
    std::vector<float> singleWeight, singleBias, transitionWeight, transitionBias;
};

namespace {

const Tensor& tensorOf(const TensorMap& tensors, const std::string& name, const std::vector<std::int64_t>& shape) {
    const auto found = tensors.find(name);
    if (found == tensors.end()) throw ReviewError("The TransNetV2 weights file lacks " + name + ".");
    if (found->second.shape != shape) throw ReviewError("The TransNetV2 weights file has a misshaped " + name + ".");
    return found->second;
}

// Spatial kernels of the four branches side by side: row (kh * 3 + kw) * in + ci, column b * 2f + o.
std::vector<float> fusedSpatial(const TensorMap& tensors, int block, int cell) {
    const int in = cellInput(block, cell), f = cellFilters(block), columns = 8 * f;
    std::vector<float> fused(static_cast<std::size_t>(9) * in * columns);
    for (int b = 0; b < 4; ++b) {
        const std::string name = cellPrefix(block, cell) + "Conv3D_" + std::to_string(kDilations[b]) + ".layers.0.weight";
        const Tensor& kernel = tensorOf(tensors, name, {2 * f, in, 1, 3, 3});
        for (int o = 0; o < 2 * f; ++o)
            for (int i = 0; i < in; ++i)
                for (int tap = 0; tap < 9; ++tap)
                    fused[(static_cast<std::size_t>(tap) * in + i) * columns + b * 2 * f + o] = kernel.values[(o * in + i) * 9 + tap];
    }
    return fused;
}

transnet::CellWeights cellWeights(const TensorMap& tensors, int block, int cell) {
    const int f = cellFilters(block);
    const std::string prefix = cellPrefix(block, cell);
    const auto vector = [&](const char* name) { return tensorOf(tensors, prefix + "bn." + name, {4 * f}).values; };
    const std::vector<float> gamma = vector("weight"), beta = vector("bias");
    const std::vector<float> mean = vector("running_mean"), variance = vector("running_var");
    transnet::CellWeights weights;
    weights.filters = f;
    weights.spatial = fusedSpatial(tensors, block, cell);
    if (cellInput(block, cell) >= kWinogradInput) {
        weights.winograd = transnet::winogradKernels(weights.spatial, cellInput(block, cell), 8 * f);
        weights.spatial.clear();
    }
    weights.bias.resize(4 * f);
    std::vector<float> scale(4 * f);
    for (int c = 0; c < 4 * f; ++c) {
        scale[c] = gamma[c] / std::sqrt(variance[c] + kBatchNormEpsilon);
        weights.bias[c] = beta[c] - mean[c] * scale[c];
    }
    for (int b = 0; b < 4; ++b) {
        const std::string name = prefix + "Conv3D_" + std::to_string(kDilations[b]) + ".layers.1.weight";
        const Tensor& kernel = tensorOf(tensors, name, {f, 2 * f, 3, 1, 1});
        for (int j = 0; j < 3; ++j) {
            std::vector<float>& tap = weights.taps[b][j];
            tap.resize(static_cast<std::size_t>(2) * f * f);
            for (int i = 0; i < 2 * f; ++i)
                for (int o = 0; o < f; ++o) tap[i * f + o] = kernel.values[(o * 2 * f + i) * 3 + j] * scale[b * f + o];
        }
    }
    return weights;
}

void runCell(const Volume& input, const transnet::CellWeights& cell, bool relu, Volume& output,
             transnet::CellBuffers& buffers) {
    const int f = cell.filters;
    if (cell.spatial.empty()) transnet::winogradConvolution(input, cell.winograd, buffers.spatial, buffers.winograd);
    else transnet::spatialConvolution(input, cell.spatial, 8 * f, buffers.spatial, buffers.columns);
    output.reshape(input.frames, input.height, input.width, 4 * f);
    for (int b = 0; b < 4; ++b)
        transnet::temporalConvolution(buffers.spatial, b * 2 * f, 2 * f, cell.taps[b], kDilations[b], output, b * f, f);
    transnet::addBias(output, cell.bias, relu);
}

}  // namespace

struct TransNetV2::Buffers {
    Volume volume, first, second;
    transnet::CellBuffers cell;
};

namespace {

// Channel means over rows and columns, per frame, written at column offset of a frames x 448 table.
void spatialMeans(const Volume& volume, std::vector<float>& table, int offset) {
    const long area = static_cast<long>(volume.height) * volume.width;
    for (int t = 0; t < volume.frames; ++t) {
        float* row = table.data() + static_cast<std::size_t>(t) * kPooledChannels + offset;
        const float* value = volume.values.data() + t * area * volume.channels;
        for (long p = 0; p < area; ++p, value += volume.channels)
            for (int c = 0; c < volume.channels; ++c) row[c] += value[c];
        for (int c = 0; c < volume.channels; ++c) row[c] /= static_cast<float>(area);
    }
}

// The +-50 band of a frames x frames similarity table, zero outside the window.
std::vector<float> similarityBand(const std::vector<float>& similarities, int frames) {
    const int half = kSimilarityWidth / 2;
    std::vector<float> band(static_cast<std::size_t>(frames) * kSimilarityWidth, 0.0f);
    for (int t = 0; t < frames; ++t)
        for (int k = 0; k < kSimilarityWidth; ++k) {
            const int other = t + k - half;
            if (other >= 0 && other < frames) band[t * kSimilarityWidth + k] = similarities[t * frames + other];
        }
    return band;
}

float sigmoid(float logit) { return 1.0f / (1.0f + std::exp(-logit)); }

}  // namespace

TransNetV2::TransNetV2(const std::filesystem::path& weights) : TransNetV2(Safetensors::read(weights)) {}

TransNetV2::TransNetV2(const TensorMap& tensors)
    : weights_(std::make_unique<Weights>()), buffers_(std::make_unique<Buffers>()) {
    for (const auto& [name, shape] : tensorShapes())
        if (name.find("num_batches_tracked") == std::string::npos) tensorOf(tensors, name, shape);
    for (int block = 0; block < kBlocks; ++block)
        for (int cell = 0; cell < 2; ++cell) weights_->cells[block][cell] = cellWeights(tensors, block, cell);
    Weights& w = *weights_;
    w.projectionWeight = tensors.at("frame_sim_layer.projection.weight").values;
    w.projectionBias = tensors.at("frame_sim_layer.projection.bias").values;
    w.similarityWeight = tensors.at("frame_sim_layer.fc.weight").values;
    w.similarityBias = tensors.at("frame_sim_layer.fc.bias").values;
    w.histogramWeight = tensors.at("color_hist_layer.fc.weight").values;
    w.histogramBias = tensors.at("color_hist_layer.fc.bias").values;
    w.denseWeight = tensors.at("fc1.weight").values;
    w.denseBias = tensors.at("fc1.bias").values;
    w.singleWeight = tensors.at("cls_layer1.weight").values;
    w.singleBias = tensors.at("cls_layer1.bias").values;
    w.transitionWeight = tensors.at("cls_layer2.weight").values;
    w.transitionBias = tensors.at("cls_layer2.bias").values;
}

TransNetV2::~TransNetV2() = default;

std::vector<std::pair<std::string, std::vector<std::int64_t>>> TransNetV2::tensorShapes() {
    std::vector<std::pair<std::string, std::vector<std::int64_t>>> shapes;
    for (int block = 0; block < kBlocks; ++block)
        for (int cell = 0; cell < 2; ++cell) {
            const std::int64_t f = cellFilters(block), in = cellInput(block, cell);
            const std::string prefix = cellPrefix(block, cell);
            for (const int d : kDilations) {
                const std::string conv = prefix + "Conv3D_" + std::to_string(d);
                shapes.push_back({conv + ".layers.0.weight", {2 * f, in, 1, 3, 3}});
                shapes.push_back({conv + ".layers.1.weight", {f, 2 * f, 3, 1, 1}});
            }
            for (const char* name : {"weight", "bias", "running_mean", "running_var"})
                shapes.push_back({prefix + "bn." + name, {4 * f}});
            shapes.push_back({prefix + "bn.num_batches_tracked", {}});
        }
    shapes.push_back({"frame_sim_layer.projection.weight", {kProjected, kPooledChannels}});
    shapes.push_back({"frame_sim_layer.projection.bias", {kProjected}});
    shapes.push_back({"frame_sim_layer.fc.weight", {kSimilarityFeatures, kSimilarityWidth}});
    shapes.push_back({"frame_sim_layer.fc.bias", {kSimilarityFeatures}});
    shapes.push_back({"color_hist_layer.fc.weight", {kSimilarityFeatures, kSimilarityWidth}});
    shapes.push_back({"color_hist_layer.fc.bias", {kSimilarityFeatures}});
    shapes.push_back({"fc1.weight", {kDense, kDenseInput}});
    shapes.push_back({"fc1.bias", {kDense}});
    shapes.push_back({"cls_layer1.weight", {1, kDense}});
    shapes.push_back({"cls_layer1.bias", {1}});
    shapes.push_back({"cls_layer2.weight", {1, kDense}});
    shapes.push_back({"cls_layer2.bias", {1}});
    return shapes;
}

WindowScores TransNetV2::score(const WindowInputs& inputs) {
    const Weights& w = *weights_;
    const int frames = kWindowFrames;
    Buffers& buffers = *buffers_;
    Volume& volume = buffers.volume;
    volume.reshape(frames, kTinyHeight, kTinyWidth, 3);
    for (std::size_t i = 0; i < volume.count(); ++i) volume.values[i] = inputs.rgb[i] / 255.0f;

    std::vector<float> means(static_cast<std::size_t>(frames) * kPooledChannels, 0.0f);
    int meanOffset = 0;
    for (int block = 0; block < kBlocks; ++block) {
        runCell(volume, w.cells[block][0], true, buffers.first, buffers.cell);
        runCell(buffers.first, w.cells[block][1], false, buffers.second, buffers.cell);
        transnet::reluAdd(buffers.second, buffers.first);
        transnet::averagePool(buffers.second, volume);
        spatialMeans(volume, means, meanOffset);
        meanOffset += volume.channels;
    }

    std::vector<float> projected = transnet::linear(means.data(), frames, kPooledChannels, kPooledChannels,
                                                    w.projectionWeight, w.projectionBias, kProjected, false);
    for (int t = 0; t < frames; ++t) {
        float* row = projected.data() + static_cast<std::size_t>(t) * kProjected;
        float squares = 0;
        for (int c = 0; c < kProjected; ++c) squares += row[c] * row[c];
        const float norm = std::max(std::sqrt(squares), 1e-12f);
        for (int c = 0; c < kProjected; ++c) row[c] /= norm;
    }
    std::vector<float> similarities(static_cast<std::size_t>(frames) * frames);
    transnet::gram(projected.data(), frames, kProjected, similarities.data());

    const std::vector<float> learned = transnet::linear(similarityBand(similarities, frames).data(), frames,
                                                        kSimilarityWidth, kSimilarityWidth, w.similarityWeight,
                                                        w.similarityBias, kSimilarityFeatures, true);
    const std::vector<float> colours = transnet::linear(inputs.histograms.data(), frames, kSimilarityWidth,
                                                        kSimilarityWidth, w.histogramWeight, w.histogramBias,
                                                        kSimilarityFeatures, true);
    std::vector<float> features(static_cast<std::size_t>(frames) * kDenseInput);
    for (int t = 0; t < frames; ++t) {
        float* row = features.data() + static_cast<std::size_t>(t) * kDenseInput;
        std::copy_n(colours.data() + t * kSimilarityFeatures, kSimilarityFeatures, row);
        std::copy_n(learned.data() + t * kSimilarityFeatures, kSimilarityFeatures, row + kSimilarityFeatures);
        std::copy_n(volume.values.data() + static_cast<std::size_t>(t) * kFlatFeatures, kFlatFeatures,
                    row + 2 * kSimilarityFeatures);
    }
    const std::vector<float> dense =
        transnet::linear(features.data(), frames, kDenseInput, kDenseInput, w.denseWeight, w.denseBias, kDense, true);
    const std::vector<float> single =
        transnet::linear(dense.data(), frames, kDense, kDense, w.singleWeight, w.singleBias, 1, false);
    const std::vector<float> transition =
        transnet::linear(dense.data(), frames, kDense, kDense, w.transitionWeight, w.transitionBias, 1, false);
    WindowScores scores{std::vector<float>(frames), std::vector<float>(frames)};
    for (int t = 0; t < frames; ++t) {
        scores.single[t] = sigmoid(single[t]);
        scores.transition[t] = sigmoid(transition[t]);
    }
    return scores;
}

}  // namespace marrowick
