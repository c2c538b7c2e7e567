#pragma once
#include "viewer/channel_presentation.h"

namespace ruvenset {

// The two vertical scroll bars of a strip: the scale bar zooms the value axis by 2^(scale/4) around its
// centre, the offset bar moves the centre across the whole base range (offset -10000 at its bottom,
// +10000 at its top).
inline constexpr int kScaleMin = -8;  // a quarter of the base range
inline constexpr int kScaleMax = 40;  // 1/1024 of it
inline constexpr int kOffsetLimit = 10000;

// The visible value window; the base range itself when the result would not be finite or not grow
// upwards.
AxisRange ScaledWindow(AxisRange base, int scale, int offset);

}  // namespace ruvenset
