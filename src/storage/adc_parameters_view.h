#pragma once
#include <optional>
#include <string>
#include <vector>

#include "device/device_prompts.h"
#include "device/service_operations.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/adc_parameters.h"

namespace ruvenset {

// The ADC channel parameters, the measurement parameters and the units during calibration: read from
// the flow computer, shown decoded, changed a setting at a time and written back under service mode.

// The parameter list window: one row per setting; read-only shows only its "Ok" button.
struct AdcParameterList {
  std::string caption;
  std::string header;
  std::vector<std::string> rows;
  int selected = 0;
  bool readOnly = false;
  std::string changeText, acceptText, leaveText;
};

enum class AdcListAction { Change, Accept, Leave };
struct AdcListAnswer {
  AdcListAction action = AdcListAction::Leave;
  int row = 0;
};

// The measurement parameters window: the number of conversions (1, 3, 5, 7 or 9) and the pause.
struct MeasurementRequest {
  std::string caption;
  int conversionsIndex = -1;  // preselected item, -1 for none
  int pause = 0;
  int lowerPause = 0;
  int upperPause = 1000;
};
struct MeasurementAnswer {
  int conversions = 1;
  int pause = 0;
};

class AdcParameterPages {
 public:
  virtual ~AdcParameterPages() = default;
  virtual AdcListAnswer ShowParameterList(const AdcParameterList& list) = 0;
  // The choice window of one setting; the chosen item, nullopt when left.
  virtual std::optional<int> AskAdcChoice(const ChoiceRequest& request) = 0;
  virtual std::optional<MeasurementAnswer> AskMeasurement(const MeasurementRequest& request) = 0;
  virtual ServiceWindowHost& ServiceHost() = 0;
};

enum class AdcParametersResult {
  Unchanged,       // accepted (or shown read-only) with nothing to write
  Written,         // the changed blocks were written
  Left,            // the technician left the window: nothing written
  ReadFailed,      // a read ended
  Declined,        // the changes were not confirmed: nothing written, the mirror keeps them
  ServiceFailed,   // service mode could not be entered: nothing written
  WriteAbandoned,  // a write failed or was refused and the technician gave up
  LeaveFailed,     // the blocks were written, but the flow computer could not be taken out of service mode
};

struct AdcTools {
  ProgramState& state;
  Technician& technician;
  PasswordPrompt& passwords;
  ValuePrompts& values;
  AdcParameterPages& pages;
};

// Selector 0 pressure, 1 temperature, 2 differential pressure, 3 every channel read-only (the display
// the calibration procedure shows before it calibrates).
[[nodiscard]] AdcParametersResult ShowAdcParameters(AdcTools& tools, int selector);

// Models 18 and 20: the pause before measurement and the number of conversions of a channel.
[[nodiscard]] AdcParametersResult ShowMeasurementParameters(AdcTools& tools, int channel);

// Model 20 before a calibration: the pause and the number of conversions shown, nothing to change.
// With one channel they are the temperature channel's, otherwise those of the pressure and temperature
// channels together.
[[nodiscard]] AdcParametersResult DisplayMeasurementParameters(AdcTools& tools, bool singleChannel);

// The units the flow computer calibrates in, in the information window.
[[nodiscard]] bool ShowCalibrationUnits(AdcTools& tools);

// The choice window's request for a row's setting (nullopt for the filter, which is a number).
std::optional<ChoiceRequest> AdcChoiceRequestFor(const ProgramState& state, const AdcBlocks& blocks,
                                                 int model, const AdcRow& row);

}  // namespace ruvenset
