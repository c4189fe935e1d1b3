// 1 x 3 x 3 convolutions (zero padding) by Winograd's minimal filtering F(4 x 4, 3 x 3): each
// 4 x 4 block of outputs costs 36 products per channel pair instead of 144.
#pragma once

#include <vector>

#include "analysis/internal/transnet_layers.h"

namespace marrowick::transnet {

// Kernels in the transformed domain: 36 matrices of inChannels x outChannels.
struct WinogradKernels {
    int inChannels = 0;
    int outChannels = 0;
    std::vector<float> values;  // [36][in][out]
};

// Transforms spatial kernels laid out as spatialConvolution takes them: row (kh * 3 + kw) * in + ci,
// column o.
WinogradKernels winogradKernels(const std::vector<float>& weights, int inChannels, int outChannels);

// Working space of the convolution, grown as needed and kept between windows.
struct WinogradBuffers {
    std::vector<float> transformed, products;
};

// The same result as spatialConvolution with the untransformed kernels, up to rounding.
void winogradConvolution(const Volume& input, const WinogradKernels& kernels, Volume& output,
                         WinogradBuffers& buffers);

}  // namespace marrowick::transnet
