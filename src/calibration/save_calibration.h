#pragma once
#include <optional>
#include <string>

#include "session/program_state.h"
#include "session/technician.h"
#include "storage/calibration_editor_pages.h"
#include "storage/text_message.h"

namespace ruvenset {

// Reading the whole calibration of the connected flow computer into a calibration parameter file with
// its report beside it.

// The save dialog and its question about an existing file.
class SaveCalibrationPages {
 public:
  virtual ~SaveCalibrationPages() = default;
  // The chosen path; nullopt when cancelled.
  virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
  // Whether to replace the existing file the question names; No asks for another name.
  virtual bool ConfirmReplace(const std::string& caption, const std::string& question) = 0;
};

enum class DeviceReadResult {
  Read,
  ReadFailed,        // a memory read ended (link failure, refusal, short answer)
  CountBeyondLimit,  // a count read from the flow computer exceeds what its tables can hold
};

struct DeviceReadOutcome {
  DeviceReadResult result = DeviceReadResult::Read;
  TextMessage limit;  // the message of a count beyond its limit
  // The temperature Тос values were read off the pressure section's Тос characteristic; without one
  // the flow computer keeps no temperature Тос values and the image leaves them unset.
  bool temperatureTosValues = false;
};

// Reads every table and block of the flow computer's calibration (each read below 128 bytes, the main
// window's panel counting the blocks with language text 1166) into the program's memory mirror and
// rebuilds `image` from it. Nothing is shown here: the caller shows a limit's message.
[[nodiscard]] DeviceReadOutcome ReadDeviceCalibration(ProgramState& state, Technician& technician,
                                                      CalibrationImage& image);

// Whether the connected flow computer has a differential-pressure channel (model 7, or model 16 whose
// first pipeline is not a volume meter) and whether it keeps meter correction multipliers.
bool HasDifferentialChannel(const ProgramState& state);
bool HasCorrectionTable(const ProgramState& state);

enum class SaveCalibrationResult {
  Saved,
  Cancelled,         // the technician left the save dialog
  ReadFailed,        // a memory read ended; nothing was written
  CountBeyondLimit,  // a count beyond its limit was shown; nothing was written
  FileFailed,        // the calibration file could not be written (its message was shown)
  ReportFailed,      // the file was written, the report could not be (its message was shown)
};

struct SaveCalibrationOutcome {
  SaveCalibrationResult result = SaveCalibrationResult::Saved;
  std::string message;  // the text shown for a failure, in the current language
  std::string calibrationPath;
  std::string reportPath;
};

// The General menu's "save calibration parameters": the save dialog, the reads, the rebuilt image in the
// program's calibration image, the file and its report in the current language.
[[nodiscard]] SaveCalibrationOutcome SaveCalibrationParameters(ProgramState& state, Technician& technician,
                                                               SaveCalibrationPages& pages);

}  // namespace ruvenset
