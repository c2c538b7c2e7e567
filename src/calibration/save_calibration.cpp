#include "calibration/save_calibration.h"

#include <algorithm>
#include <ctime>

#include "calibration/calibration_report.h"
#include "calibration/save_calibration_tables.h"
#include "common/file_io.h"
#include "device/memory_read.h"
#include "storage/calibration_file.h"
#include "storage/calibration_paths.h"
#include "storage/device_tables.h"
#include "storage/upper_flow_limit.h"
#include "storage/write_back_checks.h"
#include "verification/channel_ranges.h"

namespace ruvenset {
namespace {

constexpr int kCaption = 1164;
constexpr int kButton = 2279;
// Every read stays below 128 bytes: at most 12 whole segment records, or 120 bytes of a longer block.
constexpr int kRecordsPerRead = 12;
constexpr size_t kBytesPerRead = 120;
constexpr double kTemperatureLimit = 84.0;

// The limits of one channel's counts and the texts that report them.
struct CountTexts {
  int tosSegments;  // above 10
  int tosPoints;    // above 11 (5 for temperature)
  int tableSegments;
};
constexpr CountTexts kPressureTexts{1167, 1169, 1170};
constexpr CountTexts kDifferentialTexts{1203, 1196, 1202};
constexpr CountTexts kTemperatureTexts{0, 1172, 1173};
constexpr int kNoTemperatureCalibration = 1171;
constexpr int kTooManyCorrectionSegments = 1225;

class DeviceReader {
 public:
  DeviceReader(ProgramState& state, Technician& technician) : state_(state), technician_(technician) {}

  // Reads size bytes at address into the mirror, in reads below 128 bytes.
  bool Read(uint32_t address, size_t size) {
    for (size_t done = 0; done < size;) {
      const size_t part = std::min(kBytesPerRead, size - done);
      if (!ReadOnce(address + static_cast<uint32_t>(done), part)) return false;
      done += part;
    }
    return true;
  }
  // Reads count segment records from first on, as many whole records per read as stay below 128 bytes.
  bool ReadRecords(uint32_t first, int count) {
    for (int j = 0; j < count; j += kRecordsPerRead) {
      const int records = std::min(kRecordsPerRead, count - j);
      if (!ReadOnce(first + kSegmentRecordSize * static_cast<uint32_t>(j),
                    kSegmentRecordSize * static_cast<size_t>(records)))
        return false;
    }
    return true;
  }
  // Reads the count byte at address.
  bool ReadCount(uint32_t address, int& count) {
    uint8_t byte = 0;
    if (!Read(address, 1) || !state_.memoryMirror.Load(address, &byte, 1)) return false;
    count = byte;
    return true;
  }

 private:
  bool ReadOnce(uint32_t address, size_t size) {
    const std::string panel = state_.texts.FormatText(1166, {++counter_});
    std::vector<uint8_t> bytes;
    if (!ReadMemoryBlock(state_, technician_, static_cast<uint16_t>(address), static_cast<uint8_t>(size),
                         panel, bytes))
      return false;
    state_.memoryMirror.Store(address, bytes.data(), bytes.size());
    return true;
  }

  ProgramState& state_;
  Technician& technician_;
  int counter_ = 0;
};

DeviceReadOutcome Limit(int textId, int limit) {
  return {DeviceReadResult::CountBeyondLimit, {textId, {TextArgument::Of(limit)}}};
}
constexpr DeviceReadOutcome kReadFailed{DeviceReadResult::ReadFailed, {}};

DeviceReadOutcome ReadPointTables(DeviceReader& reader, const DeviceChannelTables& tables, int tosPoints,
                                  const CountTexts& texts) {
  for (int o = 0; o < tosPoints; ++o) {
    const uint16_t header = TableAddress(tables, o);
    int u = 0;
    if (!reader.ReadCount(header, u)) return kReadFailed;
    if (u > tables.maxSegments) return Limit(texts.tableSegments, tables.maxSegments);
    if (!reader.Read(header + 1u, 3 * static_cast<size_t>(u) + 2)) return kReadFailed;
    if (!reader.ReadRecords(header + tables.recordsOffset, u)) return kReadFailed;
  }
  return {};
}

// Pressure and differential pressure: the Тос segments, the Тос directory and the point tables.
DeviceReadOutcome ReadWideSection(DeviceReader& reader, const DeviceChannelTables& tables,
                                  const CountTexts& texts) {
  int n = 0;
  if (!reader.ReadCount(tables.tosSegmentTable, n)) return kReadFailed;
  // The layout holds 10 Тос segment records.
  if (n > tables.maxTosSegments) return Limit(texts.tosSegments, tables.maxTosSegments);
  if (!reader.Read(tables.tosSegmentTable + 1u, 3 * static_cast<size_t>(n) + 2)) return kReadFailed;
  if (!reader.ReadRecords(tables.tosSegmentRecords, n)) return kReadFailed;
  int t = 0;
  if (!reader.ReadCount(tables.tosDirectory, t)) return kReadFailed;
  if (t > tables.maxTosPoints) return Limit(texts.tosPoints, tables.maxTosPoints);
  // n segments join n + 1 Тос points; a further Тос point would have no value to take.
  if (t > n + 1) return Limit(texts.tosPoints, n + 1);
  if (!reader.Read(tables.tosDirectory + 1u, 2 * static_cast<size_t>(t) + 2)) return kReadFailed;
  return ReadPointTables(reader, tables, t, texts);
}

DeviceReadOutcome ReadTemperatureSection(DeviceReader& reader) {
  const DeviceChannelTables& tables = kTemperatureDeviceTables;
  int v = 0;
  if (!reader.ReadCount(tables.tosDirectory, v)) return kReadFailed;
  if (v == 0) return Limit(kNoTemperatureCalibration, 0);
  if (v > tables.maxTosPoints) return Limit(kTemperatureTexts.tosPoints, tables.maxTosPoints);
  if (!reader.Read(tables.tosDirectory + 1u, 2 * static_cast<size_t>(v) + 2)) return kReadFailed;
  return ReadPointTables(reader, tables, v, kTemperatureTexts);
}

DeviceReadOutcome ReadCorrectionTable(DeviceReader& reader) {
  int m = 0;
  if (!reader.ReadCount(kCorrectionHeader, m)) return kReadFailed;
  if (m > kCorrectionMaxSegments) return Limit(kTooManyCorrectionSegments, kCorrectionMaxSegments);
  if (!reader.Read(kCorrectionHeader + 1u, 4 * static_cast<size_t>(m) + 2)) return kReadFailed;
  if (!reader.ReadRecords(kCorrectionRecords, m)) return kReadFailed;
  return {};
}

bool ReadRemainingBlocks(DeviceReader& reader, int model) {
  if (!reader.Read(kMainAdcBlock, kAdcBlockData + 2)) return false;
  if ((model == 7 || model == 16) && !reader.Read(kSecondAdcBlock, kAdcBlockData + 2)) return false;
  if (!reader.Read(kUnitsBlock, kUnitsBlockData + 2)) return false;
  if (!reader.Read(kIdentificationAddress, 4)) return false;
  if (!reader.Read(kConstantsBlock, kConstantsBlockData + 2)) return false;
  if ((model == 18 || model == 20) && !reader.Read(kMeasurementBlock, kMeasurementBlockData + 2))
    return false;
  return true;
}

std::vector<uint8_t> MirrorBytes(const DeviceMemoryMirror& mirror, uint32_t address, size_t size) {
  std::vector<uint8_t> out(size, 0);
  mirror.Load(address, out.data(), size);
  return out;
}

// The image fields beyond the tables, from the blocks in the mirror.
void FillSettings(const ProgramState& state, const DeviceMemoryMirror& mirror, CalibrationImage& image) {
  const int model = state.record.id.type;
  const int version = state.record.id.version;
  const DeviceByteOrder order = state.record.id.byteOrder;
  const std::vector<uint8_t> adc = MirrorBytes(mirror, kMainAdcBlock, kAdcBlockData);
  std::copy(adc.begin(), adc.end(), image.pressureAdcParameters);
  if (model == 7 || model == 16) {
    const std::vector<uint8_t> second = MirrorBytes(mirror, kSecondAdcBlock, kAdcBlockData);
    std::copy(second.begin(), second.end(), image.differentialAdcParameters);
  }
  const std::vector<uint8_t> units = MirrorBytes(mirror, kUnitsBlock, kUnitsBlockData);
  image.pressureUnit = units[0];
  image.differentialUnit = units[2];
  image.SetIdentificationCode(
      DeviceIdentificationCode(MirrorBytes(mirror, kIdentificationAddress, 4).data(), order));
  const std::vector<uint8_t> constants = MirrorBytes(mirror, kConstantsBlock, kConstantsBlockData);
  auto at = [&](size_t offset) { return DeviceFloatAt(constants.data() + offset, order); };
  using S = CalibrationSection;
  if (version < 20) {
    image.SetCharacteristic(S::DifferentialPressure, at(8),
                            image.CharacteristicSlope(S::DifferentialPressure));
  } else {
    image.SetCharacteristic(S::Pressure, at(0), at(4));
    image.SetCharacteristic(S::DifferentialPressure, at(8), at(12));
  }
  if (model == 18 || model == 20) {
    const std::vector<uint8_t> block = MirrorBytes(mirror, kMeasurementBlock, kMeasurementBlockData);
    for (int c = 0; c < 3; ++c) {
      StoreLe16(image.measurementPauses[c], DeviceWordAt(block.data() + 2 * c, order));
      image.conversionCounts[c] = block[10 + static_cast<size_t>(c)];
    }
  }
  image.modelCode = static_cast<uint8_t>(model);
  image.softwareVersion = static_cast<uint8_t>(version);
}

std::string ShowMessage(ProgramState& state, Technician& technician, const TextMessage& message) {
  const std::string text = FormatTextMessage(message, state.texts);
  technician.ShowMessageWindow(state.Text(kCaption), text, state.Text(kButton));
  return text;
}

}  // namespace

bool HasDifferentialChannel(const ProgramState& state) {
  const int model = state.record.id.type;
  return model == 7 || (model == 16 && (state.record.pipelineFlag(0) & 0x80) == 0);
}

bool HasCorrectionTable(const ProgramState& state) {
  return state.record.id.version > 10 && state.record.id.type != 9 &&
         (state.record.pipelineFlag(0) & 0x80) != 0;
}

DeviceReadOutcome ReadDeviceCalibration(ProgramState& state, Technician& technician,
                                        CalibrationImage& image) {
  const int model = state.record.id.type;
  DeviceReader reader(state, technician);
  if (model != 9) {
    const DeviceReadOutcome pressure = ReadWideSection(reader, kPressureDeviceTables, kPressureTexts);
    if (pressure.result != DeviceReadResult::Read) return pressure;
  }
  const DeviceReadOutcome temperature = ReadTemperatureSection(reader);
  if (temperature.result != DeviceReadResult::Read) return temperature;
  const bool differential = HasDifferentialChannel(state);
  if (differential) {
    const DeviceReadOutcome dp = ReadWideSection(reader, kDifferentialDeviceTables, kDifferentialTexts);
    if (dp.result != DeviceReadResult::Read) return dp;
  }
  const bool correction = HasCorrectionTable(state);
  if (correction) {
    const DeviceReadOutcome table = ReadCorrectionTable(reader);
    if (table.result != DeviceReadResult::Read) return table;
  }
  if (!ReadRemainingBlocks(reader, model)) return kReadFailed;

  const DeviceMemoryMirror& mirror = state.memoryMirror;
  const DeviceByteOrder order = state.record.id.byteOrder;
  if (model != 9)
    RebuildChannelSection(mirror, kPressureDeviceTables, order, 1.05 * PressureRange(state.record, 0).upper,
                          image.Channel(CalibrationSection::Pressure));
  RebuildChannelSection(mirror, kTemperatureDeviceTables, order, kTemperatureLimit,
                        image.Channel(CalibrationSection::Temperature));
  if (differential)
    RebuildChannelSection(mirror, kDifferentialDeviceTables, order,
                          1.05 * DiffPressureRange(state.record, 0).upper,
                          image.Channel(CalibrationSection::DifferentialPressure));
  if (correction) RebuildCorrectionTable(mirror, order, UpperFlowLimit(state.record, state.connected), image);
  FillSettings(state, mirror, image);
  DeviceReadOutcome outcome;
  outcome.temperatureTosValues = model != 9 && TemperatureTosFromPressure(image);
  return outcome;
}

SaveCalibrationOutcome SaveCalibrationParameters(ProgramState& state, Technician& technician,
                                                 SaveCalibrationPages& pages) {
  SaveCalibrationOutcome outcome;
  EnsureCalibrationDirectory(state.startDirectory);
  const FileDialogRequest dialog{state.Text(1186), state.Text(2874),
                                 CalibrationDirectory(state.startDirectory)};
  std::string path;
  for (;;) {
    const std::optional<std::string> chosen = pages.AskSavePath(dialog);
    if (!chosen || chosen->empty()) {
      outcome.result = SaveCalibrationResult::Cancelled;
      return outcome;
    }
    if (PathExists(*chosen) &&
        !pages.ConfirmReplace(state.Text(kCaption), state.texts.FormatText(1474, {*chosen})))
      continue;
    path = *chosen;
    break;
  }

  // A fresh image: what the flow computer does not have stays empty, whatever the program held before.
  CalibrationImage image;
  const DeviceReadOutcome read = ReadDeviceCalibration(state, technician, image);
  technician.SetProgressText("");
  if (read.result == DeviceReadResult::ReadFailed) {
    outcome.result = SaveCalibrationResult::ReadFailed;
    return outcome;
  }
  if (read.result == DeviceReadResult::CountBeyondLimit) {
    outcome.result = SaveCalibrationResult::CountBeyondLimit;
    outcome.message = ShowMessage(state, technician, read.limit);
    return outcome;
  }

  const CalibrationFileStatus status =
      WriteCalibrationFile(path, CalibrationSection::Temperature, image.modelCode, image);
  state.calibration = image;
  if (status != CalibrationFileStatus::Ok) {
    outcome.result = SaveCalibrationResult::FileFailed;
    outcome.message = ShowMessage(state, technician, CalibrationFileMessage(status, path));
    return outcome;
  }
  outcome.calibrationPath = path;

  ReportOptions options;
  options.russian = state.config.langRus == 1;
  options.differentialChannel = HasDifferentialChannel(state);
  options.correctionTable = HasCorrectionTable(state);
  options.temperatureTosValues = read.temperatureTosValues;
  const std::time_t now = std::time(nullptr);
  localtime_r(&now, &options.when);
  const std::string report = WithCrLf(CalibrationReportText(image, options, state.texts));
  const std::string reportPath = ReportPathFor(path);
  const FileStatus written = WriteFileAtomically(reportPath, report);
  if (written != FileStatus::Ok) {
    outcome.result = SaveCalibrationResult::ReportFailed;
    const int textId = written == FileStatus::CannotOpen ? 1244 : 1245;
    outcome.message = ShowMessage(state, technician, {textId, {TextArgument::Of(reportPath)}});
    return outcome;
  }
  outcome.reportPath = reportPath;
  return outcome;
}

}  // namespace ruvenset
