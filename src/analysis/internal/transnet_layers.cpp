// Convolutions, pooling and dense layers of the TransNetV2 forward pass.
#include "analysis/internal/transnet_layers.h"

#include <algorithm>
#include <cblas.h>
#include <cstring>

namespace marrowick::transnet {

namespace {

constexpr std::size_t kIm2colBytes = 16u << 20;  // im2col rows built per SGEMM call

// Copies the 3 x 3 neighbourhoods of every position of frames [first, last) into rows.
void im2col(const Volume& input, int first, int last, float* columns) {
    const int h = input.height, w = input.width, c = input.channels;
    const std::size_t k = 9u * c;
    float* row = columns;
    for (int t = first; t < last; ++t) {
        const float* frame = input.values.data() + static_cast<std::size_t>(t) * h * w * c;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x, row += k) {
                for (int kh = 0; kh < 3; ++kh) {
                    float* target = row + static_cast<std::size_t>(kh) * 3 * c;
                    const int yy = y + kh - 1;
                    if (yy < 0 || yy >= h) {
                        std::memset(target, 0, sizeof(float) * 3 * c);
                        continue;
                    }
                    const float* line = frame + static_cast<std::size_t>(yy) * w * c;
                    const int left = std::max(0, x - 1), right = std::min(w - 1, x + 1);
                    if (x == 0) std::memset(target, 0, sizeof(float) * c);
                    std::memcpy(target + (left - (x - 1)) * c, line + static_cast<std::size_t>(left) * c,
                                sizeof(float) * (right - left + 1) * c);
                    if (x == w - 1) std::memset(target + 2 * c, 0, sizeof(float) * c);
                }
            }
        }
    }
}

}  // namespace

void spatialConvolution(const Volume& input, const std::vector<float>& weights, int outChannels, Volume& output,
                        std::vector<float>& columns) {
    output.reshape(input.frames, input.height, input.width, outChannels);
    const int k = 9 * input.channels;
    const std::size_t frameRows = static_cast<std::size_t>(input.height) * input.width;
    const int framesPerChunk = std::max<int>(1, static_cast<int>(kIm2colBytes / (frameRows * k * sizeof(float))));
    columns.resize(std::max(columns.size(), frameRows * std::min(framesPerChunk, input.frames) * k));
    for (int first = 0; first < input.frames; first += framesPerChunk) {
        const int last = std::min(input.frames, first + framesPerChunk);
        im2col(input, first, last, columns.data());
        const int rows = static_cast<int>(frameRows * (last - first));
        cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, rows, outChannels, k, 1.0f, columns.data(), k,
                    weights.data(), outChannels, 0.0f, output.values.data() + first * frameRows * outChannels,
                    outChannels);
    }
}

void temporalConvolution(const Volume& input, int inOffset, int inChannels, const std::vector<float> (&taps)[3],
                         int dilation, Volume& output, int outOffset, int outChannels) {
    const long frameRows = static_cast<long>(input.height) * input.width;
    const int lda = input.channels, ldc = output.channels;
    const auto gemm = [&](int firstOut, int firstIn, int frames, const std::vector<float>& tap, float beta) {
        if (frames <= 0) return;
        cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, static_cast<int>(frames * frameRows), outChannels,
                    inChannels, 1.0f, input.values.data() + firstIn * frameRows * lda + inOffset, lda, tap.data(),
                    outChannels, beta, output.values.data() + firstOut * frameRows * ldc + outOffset, ldc);
    };
    const int t = input.frames, d = dilation;
    gemm(0, 0, t, taps[1], 0.0f);         // the frame itself
    gemm(d, 0, t - d, taps[0], 1.0f);     // the frame d before
    gemm(0, d, t - d, taps[2], 1.0f);     // the frame d after
}

void addBias(Volume& volume, const std::vector<float>& bias, bool relu) {
    const int c = volume.channels;
    float* value = volume.values.data();
    for (long p = 0; p < volume.positions(); ++p, value += c)
        for (int i = 0; i < c; ++i) {
            const float v = value[i] + bias[i];
            value[i] = relu ? std::max(0.0f, v) : v;
        }
}

void reluAdd(Volume& b, const Volume& a) {
    for (std::size_t i = 0; i < b.count(); ++i) b.values[i] = std::max(0.0f, b.values[i]) + a.values[i];
}

void averagePool(const Volume& input, Volume& output) {
    output.reshape(input.frames, input.height / 2, input.width / 2, input.channels);
    const int c = input.channels;
    const auto at = [&](int t, int y, int x) {
        return input.values.data() + ((static_cast<std::size_t>(t) * input.height + y) * input.width + x) * c;
    };
    float* out = output.values.data();
    for (int t = 0; t < output.frames; ++t)
        for (int y = 0; y < output.height; ++y)
            for (int x = 0; x < output.width; ++x, out += c) {
                const float *a = at(t, 2 * y, 2 * x), *b = a + c, *e = at(t, 2 * y + 1, 2 * x), *f = e + c;
                for (int i = 0; i < c; ++i) out[i] = 0.25f * (a[i] + b[i] + e[i] + f[i]);
            }
}

void gram(const float* matrix, int rows, int columns, float* table) {
    cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasTrans, rows, rows, columns, 1.0f, matrix, columns, matrix, columns,
                0.0f, table, rows);
}

std::vector<float> linear(const float* input, int rows, int inFeatures, int inStride, const std::vector<float>& weights,
                          const std::vector<float>& bias, int outFeatures, bool relu) {
    std::vector<float> output(static_cast<std::size_t>(rows) * outFeatures);
    for (int r = 0; r < rows; ++r) std::copy(bias.begin(), bias.end(), output.begin() + static_cast<long>(r) * outFeatures);
    cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasTrans, rows, outFeatures, inFeatures, 1.0f, input, inStride,
                weights.data(), inFeatures, 1.0f, output.data(), outFeatures);
    if (relu)
        for (float& value : output) value = std::max(0.0f, value);
    return output;
}

}  // namespace marrowick::transnet
