#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "storage/calibration_checks.h"
#include "storage/calibration_edits.h"
#include "storage/calibration_file.h"
#include "storage/calibration_rows.h"
#include "storage/calibration_viewer.h"
#include "storage/headless_write_back_pages.h"
#include "storage/write_back.h"

namespace ruvenset::cli {
namespace {

struct SectionName {
  const char* name;
  CalibrationSection section;
};
constexpr SectionName kSections[] = {{"pressure", CalibrationSection::Pressure},
                                     {"temperature", CalibrationSection::Temperature},
                                     {"dp", CalibrationSection::DifferentialPressure},
                                     {"meter", CalibrationSection::CorrectionMultipliers}};

const char* NameOf(CalibrationSection section) {
  for (const SectionName& s : kSections) {
    if (s.section == section) return s.name;
  }
  return "?";
}

// The file argument and the --section option; false after printing what is wrong.
bool FileAndSection(const CliArgs& args, const char* command, bool sectionRequired, std::string& file,
                    std::optional<CalibrationSection>& section, const std::vector<std::string>& valued) {
  if (!OneFileArgument(args, valued, command, file)) return false;
  if (const auto name = args.Value("--section")) {
    for (const SectionName& s : kSections) {
      if (*name == s.name) section = s.section;
    }
    if (!section) {
      std::fprintf(stderr, "%s: --section is pressure, temperature, dp or meter\n", command);
      return false;
    }
  }
  if (sectionRequired && !section) {
    std::fprintf(stderr, "%s: --section is required\n", command);
    return false;
  }
  return true;
}

// Reads and checks the file as the viewer (or, with `editor`, the editor) does; prints the message of a
// failed check.
bool ReadChecked(const ProgramState& state, const std::string& file, CalibrationSection section, bool editor,
                 CalibrationImage& image) {
  CalibrationReadRequest request;
  request.section = section;
  request.editorChecks = editor;
  const CalibrationFileStatus status = ReadCalibrationFile(file, request, image);
  if (status == CalibrationFileStatus::Ok) return true;
  if (status == CalibrationFileStatus::NotFound) {
    std::printf("%s\n", state.texts.FormatText(3102, {file}).c_str());
  } else {
    std::printf("%s\n", FormatTextMessage(CalibrationFileMessage(status, file), state.texts).c_str());
  }
  return false;
}

void PrintSummary(const CalibrationImage& image) {
  std::printf("model %d version %d id %u\n", image.modelCode, image.softwareVersion,
              image.IdentificationCode());
  for (const SectionName& s : kSections) {
    if (!IsChannelSection(s.section)) continue;
    const ConstChannelSection channel = image.Channel(s.section);
    std::printf("%s tos %d points", s.name, channel.TosCount());
    for (int k = 0; k < channel.UsedTosPoints(); ++k) std::printf(" %d", channel.PointCount(k));
    if (s.section != CalibrationSection::Temperature) std::printf(" unit %d", image.UnitCode(s.section));
    std::printf("\n");
  }
  std::printf("meter points %d\n", image.CorrectionCount());
}

void PrintList(const FulfillList& list) {
  std::printf("%s\n%s\n", list.header1.c_str(), list.header2.c_str());
  for (const std::string& row : list.rows) std::printf("%s\n", row.c_str());
}

// Prints each write the flow computer accepted; the foreign-image notice goes to stderr.
class PrintingWriteBackPages final : public HeadlessWriteBackPages {
 public:
  using HeadlessWriteBackPages::HeadlessWriteBackPages;
  void StepWritten(int number, const WriteStep& step) override {
    std::printf("step %d %d %u\n", number, static_cast<int>(step.kind), step.address);
  }
  void ShowNotice3(const std::string& caption, const std::string& line1, const std::string& line2,
                   const std::string& line3) override {
    std::fprintf(stderr, "message: %s: %s %s %s\n", caption.c_str(), line1.c_str(), line2.c_str(),
                 line3.c_str());
  }
};

}  // namespace

// Reads and checks a calibration parameter file and prints what it holds.
int RunCalibrationCheck(const CliArgs& args) {
  std::string file;
  std::optional<CalibrationSection> section;
  if (!FileAndSection(args, "check", false, file, section, {"--section"})) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  const ProgramState& state = session.state();
  CalibrationImage image;
  if (!ReadChecked(state, file, section.value_or(CalibrationSection::Pressure), section.has_value(), image))
    return kExitFailed;
  if (!section) {
    for (const CalibrationSection other :
         {CalibrationSection::Temperature, CalibrationSection::DifferentialPressure}) {
      const CalibrationFileStatus status = CheckSection(image, other);
      if (status != CalibrationFileStatus::Ok) {
        std::printf("%s\n", FormatTextMessage(CalibrationFileMessage(status, file), state.texts).c_str());
        return kExitFailed;
      }
    }
  }
  // A table whose codes (or values) do not rise strictly is one the flow computer would refuse: two
  // points taken at one input.
  for (const SectionName& s : kSections) {
    if (!IsChannelSection(s.section) || (section && *section != s.section)) continue;
    const WriteBackCheck tables = CheckTablesBeforeSaving(image, s.section);
    if (!tables.Ok()) {
      std::printf("%s\n", FormatTextMessage(WriteBackMessage(tables), state.texts).c_str());
      return kExitFailed;
    }
  }
  std::printf("ok\n");
  PrintSummary(image);
  return kExitOk;
}

// Prints a section of a calibration parameter file as the viewer's lists show it.
int RunCalibrationShow(const CliArgs& args) {
  std::string file;
  std::optional<CalibrationSection> section;
  if (!FileAndSection(args, "show", true, file, section, {"--section"})) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  ProgramState& state = session.state();
  if (!ReadChecked(state, file, *section, false, state.calibration)) return kExitFailed;
  if (!IsChannelSection(*section)) {
    PrintList(CorrectionList(state, false));
    return kExitOk;
  }
  const FulfillList tos = TosLevelList(state, *section, false);
  std::printf("%s\n", tos.caption.c_str());
  PrintList(tos);
  for (int k = 0; k < state.calibration.Channel(*section).UsedTosPoints(); ++k) {
    std::printf("\n");
    PrintList(PointLevelList(state, *section, k, false));
  }
  return kExitOk;
}

// Stores a section of a calibration parameter file in the flow computer.
int RunWriteBack(const CliArgs& args) {
  std::string file;
  std::optional<CalibrationSection> section;
  if (!FileAndSection(args, "write-back", true, file, section, {"--section", "--password"}))
    return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  ProgramState& state = session.state();
  if (!ReadChecked(state, file, *section, false, state.calibration)) return kExitFailed;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  state.channel.code = static_cast<int>(*section);
  state.channel.selector = static_cast<int>(*section);
  CliServiceHost host(state);
  PrintingWriteBackPages pages(state, technician, &host);
  const WriteBackOutcome outcome = WriteBack(state, technician, technician, pages, *section);
  switch (outcome.result) {
    case WriteBackResult::Stored:
      std::printf("stored %s %d\n", NameOf(*section), outcome.stepsWritten);
      return kExitOk;
    case WriteBackResult::NothingToWrite:
      std::printf("nothing to write\n");
      return kExitOk;
    case WriteBackResult::RefusalAbandoned:
      std::printf("refused %s\n", outcome.message.c_str());
      return kExitRefused;
    default:
      std::printf("failed %s\n", outcome.message.c_str());
      return kExitFailed;
  }
}

}  // namespace ruvenset::cli
