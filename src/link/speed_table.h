#pragma once

namespace ruvenset {

inline constexpr int kSpeedCount = 16;
inline constexpr int kSpeedTable[kSpeedCount] = {300,  600,  1200,  2400,  3200,  3600,  4800,  6400,
                                                 7200, 9600, 14400, 19200, 28800, 38400, 57600, 115200};
inline constexpr int kDefaultSpeedIndex = 2;

}  // namespace ruvenset
