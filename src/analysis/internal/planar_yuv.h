// Pictures in planar 8-bit YUV: recognising them and shrinking their planes by block averages.
#pragma once

#include <cstdint>

struct AVPixFmtDescriptor;

namespace marrowick {

// True for formats whose Y, U and V are three separate planes of 8-bit samples (any subsampling).
bool isPlanarYuv8(const AVPixFmtDescriptor* desc);

// Averages factor x factor blocks of a plane of width x height samples into a plane of
// outWidth x outHeight; blocks that reach past the last row or column repeat it.
void shrinkPlane(const std::uint8_t* source, int stride, int width, int height, int factor, std::uint8_t* target,
                 int targetStride, int outWidth, int outHeight);

}  // namespace marrowick
