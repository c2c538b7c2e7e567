#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>
#include "temp_folder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "session/calibration_image.h"

namespace ruvenset::test {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

inline std::vector<uint8_t> ImageBytes(const CalibrationImage& image) {
  return {image.Bytes(), image.Bytes() + kCalibrationImageSize};
}

// A plausible image: pressure with three Тос points of three points each, temperature with two
// Тос points, differential pressure with one, and a four-point correction table.
inline CalibrationImage SampleImage() {
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(3);
  for (int k = 0; k < 3; ++k) {
    p.SetTosPoint(k, 1000 * (k + 1), -10.0f + 20.0f * static_cast<float>(k));
    p.SetPointCount(k, 3);
    for (int i = 0; i < 3; ++i) p.SetPoint(k, i, 100000 * (i + 1) + k, 1.0f + 10.0f * static_cast<float>(i));
  }
  const ChannelSection t = image.Channel(CalibrationSection::Temperature);
  t.SetTosCount(2);
  for (int k = 0; k < 2; ++k) {
    t.SetTosPoint(k, 2000 + k, 15.0f + static_cast<float>(k));
    t.SetPointCount(k, 2);
    t.SetPoint(k, 0, 10, -45.0f);
    t.SetPoint(k, 1, 8388607, 20.0f);
  }
  const ChannelSection d = image.Channel(CalibrationSection::DifferentialPressure);
  d.SetTosCount(1);
  d.SetTosPoint(0, 3000, 20.0f);
  d.SetPointCount(0, 2);
  d.SetPoint(0, 0, 0, 0.95f);
  d.SetPoint(0, 1, 8388607, 13000.0f);
  image.modelCode = 16;
  image.softwareVersion = 21;
  image.SetIdentificationCode(123456);
  image.SetCorrectionCount(4);
  for (int i = 0; i < 4; ++i) image.SetCorrectionPoint(i, 10.0f * static_cast<float>(i), 1.0f);
  image.StoreCheckBytes();
  return image;
}

}  // namespace ruvenset::test
