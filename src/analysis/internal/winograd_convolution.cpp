// Winograd F(4 x 4, 3 x 3): input tiles of 6 x 6, 36 batched SGEMMs, output tiles of 4 x 4.
#include "analysis/internal/winograd_convolution.h"

#include <algorithm>
#include <cblas.h>

namespace marrowick::transnet {

namespace {

constexpr int kOut = 4;             // outputs per tile side
constexpr int kTile = kOut + 2;     // inputs per tile side
constexpr int kPoints = kTile * kTile;
constexpr std::size_t kChunkFloats = 6u << 20;  // transformed inputs and products held per pass

// The interpolation points 0, 1, -1, 2, -2 and infinity.
constexpr float kInput[kTile][kTile] = {  // B transposed
    {4, 0, -5, 0, 1, 0},  {0, -4, -4, 1, 1, 0}, {0, 4, -4, -1, 1, 0},
    {0, -2, -1, 2, 1, 0}, {0, 2, -1, -2, 1, 0}, {0, 4, 0, -5, 0, 1}};
constexpr float kKernel[kTile][3] = {  // G
    {1.0f / 4, 0, 0},
    {-1.0f / 6, -1.0f / 6, -1.0f / 6},
    {-1.0f / 6, 1.0f / 6, -1.0f / 6},
    {1.0f / 24, 1.0f / 12, 1.0f / 6},
    {1.0f / 24, -1.0f / 12, 1.0f / 6},
    {0, 0, 1}};
constexpr float kOutput[kOut][kTile] = {  // A transposed
    {1, 1, 1, 1, 1, 0}, {0, 1, -1, 2, -2, 0}, {0, 1, 1, 4, 4, 0}, {0, 1, -1, 8, -8, 1}};

// Per-tile working space, sized once per convolution: a 6 x 6 patch and a half-transformed one.
struct Scratch {
    std::vector<float> patch, half;
    explicit Scratch(int channels)
        : patch(static_cast<std::size_t>(kPoints) * channels), half(static_cast<std::size_t>(kPoints) * channels) {}
};

struct Tiling {
    int rows = 0, columns = 0;  // tiles per frame
    long perFrame() const { return static_cast<long>(rows) * columns; }
};

// B^T d B of one tile for every channel; d is read from the input with zero padding, and point
// (a, b) of the result goes to row `tile` of matrix a * 6 + b of `transformed`.
void transformInput(const Volume& input, int t, int top, int left, long tile, long tiles, float* transformed,
                    Scratch& scratch) {
    const int c = input.channels;
    std::vector<float>& patch = scratch.patch;
    std::vector<float>& half = scratch.half;
    std::fill(patch.begin(), patch.end(), 0.0f);
    for (int a = 0; a < kTile; ++a) {
        const int y = top + a;
        if (y < 0 || y >= input.height) continue;
        for (int b = 0; b < kTile; ++b) {
            const int x = left + b;
            if (x < 0 || x >= input.width) continue;
            const float* source = input.values.data() + ((static_cast<long>(t) * input.height + y) * input.width + x) * c;
            std::copy_n(source, c, patch.data() + (a * kTile + b) * c);
        }
    }
    for (int a = 0; a < kTile; ++a)
        for (int q = 0; q < kTile; ++q) {
            float* out = half.data() + (a * kTile + q) * c;
            std::fill_n(out, c, 0.0f);
            for (int p = 0; p < kTile; ++p) {
                const float coefficient = kInput[a][p];
                if (coefficient == 0) continue;
                const float* in = patch.data() + (p * kTile + q) * c;
                for (int i = 0; i < c; ++i) out[i] += coefficient * in[i];
            }
        }
    for (int a = 0; a < kTile; ++a)
        for (int b = 0; b < kTile; ++b) {
            float* out = transformed + ((static_cast<long>(a) * kTile + b) * tiles + tile) * c;
            std::fill_n(out, c, 0.0f);
            for (int q = 0; q < kTile; ++q) {
                const float coefficient = kInput[b][q];
                if (coefficient == 0) continue;
                const float* in = half.data() + (a * kTile + q) * c;
                for (int i = 0; i < c; ++i) out[i] += coefficient * in[i];
            }
        }
}

// A^T m A of one tile for every channel, written into the output where it lies inside it.
void transformOutput(const float* products, long tile, long tiles, int t, int top, int left, Volume& output,
                     Scratch& scratch) {
    const int c = output.channels;
    std::vector<float>& half = scratch.half;
    for (int i = 0; i < kOut; ++i)
        for (int b = 0; b < kTile; ++b) {
            float* out = half.data() + (i * kTile + b) * c;
            std::fill_n(out, c, 0.0f);
            for (int a = 0; a < kTile; ++a) {
                const float coefficient = kOutput[i][a];
                if (coefficient == 0) continue;
                const float* in = products + ((static_cast<long>(a) * kTile + b) * tiles + tile) * c;
                for (int k = 0; k < c; ++k) out[k] += coefficient * in[k];
            }
        }
    for (int i = 0; i < kOut && top + i < output.height; ++i)
        for (int j = 0; j < kOut && left + j < output.width; ++j) {
            float* out = output.values.data() +
                         ((static_cast<long>(t) * output.height + top + i) * output.width + left + j) * c;
            std::fill_n(out, c, 0.0f);
            for (int b = 0; b < kTile; ++b) {
                const float coefficient = kOutput[j][b];
                if (coefficient == 0) continue;
                const float* in = half.data() + (i * kTile + b) * c;
                for (int k = 0; k < c; ++k) out[k] += coefficient * in[k];
            }
        }
}

}  // namespace

WinogradKernels winogradKernels(const std::vector<float>& weights, int inChannels, int outChannels) {
    WinogradKernels kernels{inChannels, outChannels,
                            std::vector<float>(static_cast<std::size_t>(kPoints) * inChannels * outChannels)};
    for (int i = 0; i < inChannels; ++i)
        for (int o = 0; o < outChannels; ++o) {
            float g[3][3];
            for (int kh = 0; kh < 3; ++kh)
                for (int kw = 0; kw < 3; ++kw)
                    g[kh][kw] = weights[(static_cast<std::size_t>(kh * 3 + kw) * inChannels + i) * outChannels + o];
            for (int a = 0; a < kTile; ++a)
                for (int b = 0; b < kTile; ++b) {
                    double sum = 0;  // G g G^T
                    for (int kh = 0; kh < 3; ++kh)
                        for (int kw = 0; kw < 3; ++kw)
                            sum += double(kKernel[a][kh]) * g[kh][kw] * double(kKernel[b][kw]);
                    kernels.values[(static_cast<std::size_t>(a * kTile + b) * inChannels + i) * outChannels + o] =
                        static_cast<float>(sum);
                }
        }
    return kernels;
}

void winogradConvolution(const Volume& input, const WinogradKernels& kernels, Volume& output,
                         WinogradBuffers& buffers) {
    const int in = kernels.inChannels, out = kernels.outChannels;
    output.reshape(input.frames, input.height, input.width, out);
    const Tiling tiling{(input.height + kOut - 1) / kOut, (input.width + kOut - 1) / kOut};
    const long floatsPerFrame = tiling.perFrame() * kPoints * (in + out);
    const int framesPerChunk = std::clamp<int>(static_cast<int>(kChunkFloats / floatsPerFrame), 1, input.frames);
    std::vector<float>& transformed = buffers.transformed;
    std::vector<float>& products = buffers.products;
    const std::size_t chunkTiles = static_cast<std::size_t>(framesPerChunk) * tiling.perFrame();
    transformed.resize(std::max(transformed.size(), chunkTiles * kPoints * in));
    products.resize(std::max(products.size(), chunkTiles * kPoints * out));
    Scratch inputScratch(in), outputScratch(out);
    for (int first = 0; first < input.frames; first += framesPerChunk) {
        const int frames = std::min(framesPerChunk, input.frames - first);
        const long tiles = frames * tiling.perFrame();
        long tile = 0;
        for (int t = first; t < first + frames; ++t)
            for (int ty = 0; ty < tiling.rows; ++ty)
                for (int tx = 0; tx < tiling.columns; ++tx, ++tile)
                    transformInput(input, t, ty * kOut - 1, tx * kOut - 1, tile, tiles, transformed.data(), inputScratch);
        for (int point = 0; point < kPoints; ++point)
            cblas_sgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, static_cast<int>(tiles), out, in, 1.0f,
                        transformed.data() + point * tiles * in, in,
                        kernels.values.data() + static_cast<std::size_t>(point) * in * out, out, 0.0f,
                        products.data() + point * tiles * out, out);
        tile = 0;
        for (int t = first; t < first + frames; ++t)
            for (int ty = 0; ty < tiling.rows; ++ty)
                for (int tx = 0; tx < tiling.columns; ++tx, ++tile)
                    transformOutput(products.data(), tile, tiles, t, ty * kOut, tx * kOut, output, outputScratch);
    }
}

}  // namespace marrowick::transnet
