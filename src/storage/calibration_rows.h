#pragma once
#include <cstdint>
#include <string>

#include "session/calibration_image.h"
#include "session/program_state.h"

namespace ruvenset {

// The capacity of a channel section (Тос points, points per table).
ChannelLimits LimitsOf(CalibrationSection section);
// The channel's name in messages (language text 2143 + selector).
std::string ChannelName(const ProgramState& state, CalibrationSection section);
// The unit of the channel's values: pressure and differential pressure by the image's unit code, °C for
// temperature.
std::string ChannelUnitName(const ProgramState& state, const CalibrationImage& image,
                            CalibrationSection section);

// A Тос point of a list: Тос value, Тос ADC code and the number of points of its table.
std::string TosRow(const ProgramState& state, ConstChannelSection channel, int k);
// A point of a table, numbered from 1, as the viewer and as the editor show it.
std::string ViewerPointRow(int number, int32_t code, float value);
std::string EditorPointRow(int number, int32_t code, float value);
// A correction point: number from 1, flow value and multiplier in the program's float format.
std::string CorrectionRow(int number, float flow, float multiplier);

// Header lines of a point table: the Тос value with °C, and the column titles with the unit.
std::string PointHeader1(const ProgramState& state, ConstChannelSection channel, int k);
std::string PointHeader2(const ProgramState& state, const CalibrationImage& image,
                         CalibrationSection section);

}  // namespace ruvenset
