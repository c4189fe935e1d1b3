// The building blocks of the TransNetV2 forward pass over CBLAS, on channels-last volumes.
#pragma once

#include <vector>

namespace marrowick::transnet {

// Activations of one window: frames x rows x columns x channels, channels fastest.
struct Volume {
    int frames = 0, height = 0, width = 0, channels = 0;
    std::vector<float> values;

    Volume() = default;
    Volume(int t, int h, int w, int c)
        : frames(t), height(h), width(w), channels(c), values(static_cast<std::size_t>(t) * h * w * c, 0.0f) {}
    long positions() const { return static_cast<long>(frames) * height * width; }
    std::size_t count() const { return static_cast<std::size_t>(positions()) * channels; }
    // Takes the new shape, keeping the storage when it is large enough: windows after the first
    // reuse their buffers. The values are left as they were; every layer overwrites its output.
    void reshape(int t, int h, int w, int c) {
        frames = t;
        height = h;
        width = w;
        channels = c;
        if (values.size() < count()) values.resize(count());
    }
};

// A 1 x 3 x 3 convolution (zero padding) as im2col + SGEMM, a few frames at a time, into output.
// weights: (3 x 3 x inChannels) rows by outChannels columns; row (kh * 3 + kw) * in + ci.
// columns is working space, grown as needed.
void spatialConvolution(const Volume& input, const std::vector<float>& weights, int outChannels, Volume& output,
                        std::vector<float>& columns);

// A 3 x 1 x 1 convolution with dilation d over the channel slice [inOffset, inOffset + inChannels)
// of input, written into the channel slice [outOffset, outOffset + outChannels) of output. Frames
// outside the window count as 0. taps[j] is an inChannels x outChannels matrix for offset (j - 1) d.
void temporalConvolution(const Volume& input, int inOffset, int inChannels, const std::vector<float> (&taps)[3],
                         int dilation, Volume& output, int outOffset, int outChannels);

// Adds a per-channel bias, then applies ReLU when asked.
void addBias(Volume& volume, const std::vector<float>& bias, bool relu);

// ReLU(b) + a, in place in b.
void reluAdd(Volume& b, const Volume& a);

// 1 x 2 x 2 average pooling, stride 2, into output; an odd last row or column is dropped.
void averagePool(const Volume& input, Volume& output);

// The rows x rows table of dot products of the rows of a rows x columns matrix.
void gram(const float* matrix, int rows, int columns, float* table);

// rows x in times the transpose of weights (out x in, PyTorch layout), plus bias; ReLU when asked.
std::vector<float> linear(const float* input, int rows, int inFeatures, int inStride, const std::vector<float>& weights,
                          const std::vector<float>& bias, int outFeatures, bool relu);

}  // namespace marrowick::transnet
