#include <cstdio>
#include <string>

#include "calibration/save_calibration.h"
#include "cli/cli_session.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/trimmed_text.h"
#include "storage/adc_parameters_read.h"

namespace ruvenset::cli {
namespace {

// The file named on the command line; replacing it is what the command was asked for.
class GivenPath final : public SaveCalibrationPages {
 public:
  explicit GivenPath(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> AskSavePath(const FileDialogRequest&) override {
    if (asked_) return std::nullopt;
    asked_ = true;
    return path_;
  }
  bool ConfirmReplace(const std::string&, const std::string&) override { return true; }

 private:
  std::string path_;
  bool asked_ = false;
};

const char* FieldName(AdcField field) {
  switch (field) {
    case AdcField::Gain:
      return "gain";
    case AdcField::Rate:
      return "rate";
    case AdcField::Range:
      return "range";
    case AdcField::Buffer:
      return "buffer";
    case AdcField::ClockDivider:
      return "clock-divider";
    case AdcField::Polarity:
      return "polarity";
    case AdcField::Clock:
      return "clock";
    case AdcField::FilterSync:
      return "filter-sync";
    case AdcField::Filter:
      return "filter";
  }
  return "?";
}

}  // namespace

// Reads the flow computer's whole calibration into a calibration file with its report beside it.
int RunSaveCalibration(const CliArgs& args) {
  std::string file;
  if (!OneFileArgument(args, {"--password"}, "save-calibration", file)) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  GivenPath pages(file);
  const SaveCalibrationOutcome outcome = SaveCalibrationParameters(session.state(), technician, pages);
  if (!outcome.calibrationPath.empty()) std::printf("saved %s\n", outcome.calibrationPath.c_str());
  if (!outcome.reportPath.empty()) std::printf("report %s\n", outcome.reportPath.c_str());
  if (outcome.result == SaveCalibrationResult::Saved) return kExitOk;
  std::printf("failed %s\n", outcome.message.c_str());
  return kExitFailed;
}

// Prints the decoded ADC channel parameters of a channel, or of every channel the model has.
int RunAdcParams(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--channel", "--password"}, {}, unknown)) {
    std::fprintf(stderr, "adc-params: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  int selector = 3;
  if (const auto channel = args.Value("--channel")) {
    const std::string names[] = {"pressure", "temperature", "dp"};
    selector = -1;
    for (int i = 0; i < 3; ++i)
      if (*channel == names[i]) selector = i;
    if (selector < 0) {
      std::fprintf(stderr, "adc-params: --channel is pressure, temperature or dp\n");
      return kExitUsage;
    }
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  ProgramState& state = session.state();
  AdcBlocks blocks;
  if (!ReadAdcBlocks(state, technician, selector, blocks)) {
    std::printf("failed %s\n", state.Text(2196).c_str());
    return kExitFailed;
  }
  const int model = state.record.id.type;
  for (int channel = 0; channel < 3; ++channel) {
    if (selector != 3 && selector != channel) continue;
    for (const AdcRow& row : AdcRows(model, channel)) {
      if (selector == 3 && channel == 2 && !HasSecondAdcBlock(model)) break;
      static const char* const kChannels[] = {"pressure", "temperature", "dp"};
      std::printf("%s-input%d-%s %s\n", kChannels[channel], row.setting.input + 1,
                  FieldName(row.setting.field),
                  Trimmed(AdcValueText(blocks, model, row.setting, state.texts)).c_str());
    }
  }
  return kExitOk;
}

}  // namespace ruvenset::cli
