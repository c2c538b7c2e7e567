#pragma once
#include <cstdint>

#include "session/calibration_image.h"

namespace ruvenset {

// Brings one section of the image into the order in which it is filed: Тос points by ascending Тос
// ADC code (each with its value and whole table; not for the temperature section of a model-9 flow
// computer, modelCode), the points of every used table by ascending ADC code, and the correction
// points by ascending flow value. Counts beyond a section's capacity sort only the entries that exist.
void PutInCanonicalOrder(CalibrationImage& image, CalibrationSection section, uint8_t modelCode);

}  // namespace ruvenset
