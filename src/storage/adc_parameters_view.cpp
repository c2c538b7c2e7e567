#include "storage/adc_parameters_view.h"

#include <algorithm>

#include "common/crc16.h"
#include "device/exchange.h"
#include "device/memory_read.h"
#include "device/service_mode_line.h"
#include "storage/adc_parameters_read.h"
#include "storage/device_tables.h"
#include "storage/write_sequence.h"

namespace ruvenset {
namespace {

constexpr int kWriteMemory = 0x14;
constexpr uint8_t kServiceFlag = 1;  // channel parameters enter with flag byte 0
constexpr int kConversionChoices[] = {1, 3, 5, 7, 9};

// Writes one block (data and fresh check bytes) with the write-memory request.
bool WriteBlock(AdcTools& t, uint16_t address, RecordKind kind, uint8_t channelCode,
                std::vector<uint8_t> data, const std::string& panel) {
  StoreCrc16(data.data(), data.size() - 2);
  WriteStep step{kind, 0, 0, address, data};
  Request request;
  request.writeRequest = 1;
  request.command = kWriteMemory;
  request.data = WriteRequestData(t.state.record, channelCode, step);
  request.progressText = panel;
  if (WriteWithRetry(t.state, t.technician, request) != ExchangeResult::Ok) return false;
  t.state.memoryMirror.Store(address, data.data(), data.size());
  return true;
}

std::vector<uint8_t> WithCheckBytes(const uint8_t* data, size_t size) {
  std::vector<uint8_t> block(data, data + size);
  block.resize(size + 2);
  return block;
}

AdcParameterList BuildList(const ProgramState& state, const AdcBlocks& blocks, int model,
                           const std::vector<AdcRow>& rows, bool readOnly, int selected) {
  AdcParameterList list;
  list.caption = state.Text(1176);
  list.header = state.Text(2390);
  for (const AdcRow& row : rows) list.rows.push_back(AdcRowText(blocks, model, row, state.texts));
  list.selected = selected;
  list.readOnly = readOnly;
  list.changeText = state.Text(2210);
  list.acceptText = readOnly ? "Ok" : state.Text(2279);
  list.leaveText = state.Text(2278);
  return list;
}

// How a write under service mode ended: written only when the flow computer also left service mode.
AdcParametersResult WriteOutcome(bool written, ServiceResult left) {
  if (!written) return AdcParametersResult::WriteAbandoned;
  return left == ServiceResult::Succeeded ? AdcParametersResult::Written : AdcParametersResult::LeaveFailed;
}

// Ends a write with its message: the settings stored, or what failed and whether the flow computer was
// taken out of service mode. Returns `result`.
AdcParametersResult Reported(AdcTools& t, AdcParametersResult result, ServiceResult left,
                             const std::string& stored) {
  const ProgramState& state = t.state;
  std::string message;
  switch (result) {
    case AdcParametersResult::Written:
      message = stored + "\n" + ServiceModeLine(state, true);
      break;
    case AdcParametersResult::LeaveFailed:
      message = stored + "\n" + state.Text(3358) + "\n" + ServiceModeLine(state, false);
      break;
    case AdcParametersResult::ServiceFailed:
      message = state.Text(3356);
      break;
    default:
      message = state.Text(3364) + "\n" + ServiceModeLine(state, left == ServiceResult::Succeeded);
      break;
  }
  t.technician.ShowMessageWindow(state.Text(2197), message, state.Text(2278));
  return result;
}

}  // namespace

std::optional<ChoiceRequest> AdcChoiceRequestFor(const ProgramState& state, const AdcBlocks& blocks,
                                                 int model, const AdcRow& row) {
  const AdcFamily family = AdcFamilyOf(model);
  const std::vector<AdcChoice> choices = AdcChoicesToPick(family, row.setting.field);
  if (choices.empty()) return std::nullopt;
  ChoiceRequest request;
  request.caption = state.Text(1176);
  request.title = family == AdcFamily::Sigma && row.setting.field == AdcField::Range
                      ? "RANGE"
                      : AdcRowText(blocks, model, row, state.texts);
  for (const AdcChoice& c : choices)
    request.items.push_back(c.textId != 0 ? state.Text(c.textId) : c.literal);
  request.preselected = DecodeAdcSetting(blocks.Of(row.setting.block), family, row.setting);
  request.columns = row.setting.field == AdcField::Gain ? 4 : 2;
  request.acceptText = state.Text(2613);
  request.cancelText = state.Text(2614);
  return request;
}

AdcParametersResult ShowAdcParameters(AdcTools& t, int selector) {
  ProgramState& state = t.state;
  const int model = state.record.id.type;
  AdcBlocks blocks;
  if (!ReadAdcBlocks(state, t.technician, selector, blocks)) return AdcParametersResult::ReadFailed;
  const std::vector<AdcRow> rows = AdcRows(model, selector);
  const bool readOnly = selector == 3;
  bool changedPressure = false, changedTemperature = false, changedSecond = false;
  std::vector<bool> changedRows(rows.size(), false);
  int selected = 0;
  for (;;) {
    const AdcListAnswer answer =
        t.pages.ShowParameterList(BuildList(state, blocks, model, rows, readOnly, selected));
    if (answer.action == AdcListAction::Leave && !readOnly) return AdcParametersResult::Left;
    if (answer.action != AdcListAction::Change || readOnly) break;
    if (answer.row < 0 || answer.row >= static_cast<int>(rows.size())) continue;
    selected = answer.row;
    const AdcRow& row = rows[static_cast<size_t>(answer.row)];
    int value = 0;
    if (const std::optional<ChoiceRequest> request = AdcChoiceRequestFor(state, blocks, model, row)) {
      const std::optional<int> chosen = t.pages.AskAdcChoice(*request);
      if (!chosen) continue;
      value = *chosen;
    } else {
      NumberRequest entry;
      entry.caption = state.Text(1638);
      entry.prompt = AdcRowText(blocks, model, row, state.texts);
      entry.rangeText = state.texts.FormatText(2334, {double{kFilterMin}, double{kFilterMax}});
      entry.lower = kFilterMin;
      entry.upper = kFilterMax;
      entry.proposed =
          std::to_string(DecodeAdcSetting(blocks.Of(row.setting.block), AdcFamilyOf(model), row.setting));
      entry.maxLength = 4;
      entry.filter = NumberFilter::None;
      entry.acceptText = state.Text(2613);
      entry.cancelText = state.Text(2614);
      const std::optional<float> number = t.values.AskNumber(entry);
      if (!number || !(*number >= kFilterMin && *number <= kFilterMax)) continue;
      value = static_cast<int>(*number);
    }
    EncodeAdcSetting(blocks.Of(row.setting.block), AdcFamilyOf(model), row.setting, value);
    changedRows[static_cast<size_t>(answer.row)] = true;
    if (row.setting.block == AdcBlock::Second) {
      changedSecond = true;
    } else if (selector == 1) {
      changedTemperature = true;
    } else {
      changedPressure = true;
    }
  }
  if (!changedPressure && !changedTemperature && !changedSecond) return AdcParametersResult::Unchanged;
  // The mirror keeps the edited blocks whether or not they are written now.
  state.memoryMirror.Store(kMainAdcBlock, blocks.main, kAdcBlockData);
  if (changedSecond) state.memoryMirror.Store(kSecondAdcBlock, blocks.second, kAdcBlockData);
  if (!t.technician.ConfirmWrite(state.Text(2197), state.Text(2198))) return AdcParametersResult::Declined;

  std::string stored = state.Text(3363);
  for (size_t r = 0; r < rows.size(); ++r)
    if (changedRows[r]) stored += "\n" + AdcRowText(blocks, model, rows[r], state.texts);
  ServiceWindowHost& host = t.pages.ServiceHost();
  if (RunServiceOperation(state, t.technician, t.passwords, host, kServiceEnter, kServiceFlag,
                          state.Text(2202)) != ServiceResult::Succeeded)
    return Reported(t, AdcParametersResult::ServiceFailed, ServiceResult::Failed, stored);
  bool written = true;
  if (changedPressure)
    written = WriteBlock(t, kMainAdcBlock, RecordKind::ChannelParameters, 0, WithCheckBytes(blocks.main, 9),
                         state.Text(1132));
  if (written && changedSecond)
    written = WriteBlock(t, kSecondAdcBlock, RecordKind::ChannelParameters, 2,
                         WithCheckBytes(blocks.second, 9), state.Text(1134));
  if (written && changedTemperature)
    written = WriteBlock(t, kMainAdcBlock, RecordKind::ChannelParameters, 1, WithCheckBytes(blocks.main, 9),
                         state.Text(1133));
  const ServiceResult left = RunServiceOperation(state, t.technician, t.passwords, host, kServiceLeave,
                                                 kServiceFlag, state.Text(1573));
  return Reported(t, WriteOutcome(written, left), left, stored);
}

AdcParametersResult ShowMeasurementParameters(AdcTools& t, int channel) {
  ProgramState& state = t.state;
  const int model = state.record.id.type;
  std::vector<uint8_t> block;
  if (!ReadMemoryBlock(state, t.technician, kMeasurementBlock, kMeasurementBlockData + 2, state.Text(1204),
                       block))
    return AdcParametersResult::ReadFailed;
  state.memoryMirror.Store(kMeasurementBlock, block.data(), block.size());
  const DeviceByteOrder order = state.record.id.byteOrder;
  const int c = std::clamp(channel, 0, 2);
  MeasurementRequest request;
  request.caption = state.Text(1207);
  request.pause = DeviceWordAt(block.data() + 2 * c, order);
  const uint8_t stored = block[10 + static_cast<size_t>(c)];
  for (int i = 0; i < 5; ++i)
    if (kConversionChoices[i] == stored) request.conversionsIndex = i;
  if (model == 20) {
    request.lowerPause = 30;
    request.upperPause = 200;
  }
  const std::optional<MeasurementAnswer> answer = t.pages.AskMeasurement(request);
  if (!answer) return AdcParametersResult::Left;
  const bool knownCount = std::find(std::begin(kConversionChoices), std::end(kConversionChoices),
                                    answer->conversions) != std::end(kConversionChoices);
  if (!knownCount || answer->pause < request.lowerPause || answer->pause > request.upperPause)
    return AdcParametersResult::Left;
  StoreDeviceWord(block.data() + 2 * c, static_cast<uint16_t>(answer->pause), order);
  block[10 + static_cast<size_t>(c)] = static_cast<uint8_t>(answer->conversions);
  const std::string written = state.texts.FormatText(3365, {answer->pause, answer->conversions});
  ServiceWindowHost& host = t.pages.ServiceHost();
  if (RunServiceOperation(state, t.technician, t.passwords, host, kServiceEnter, kServiceFlag,
                          state.Text(2202)) != ServiceResult::Succeeded)
    return Reported(t, AdcParametersResult::ServiceFailed, ServiceResult::Failed, written);
  const bool done = WriteBlock(t, kMeasurementBlock, RecordKind::MeasurementParameters,
                               static_cast<uint8_t>(c == 0 ? 0 : 1), block, state.Text(1204));
  const ServiceResult left = RunServiceOperation(state, t.technician, t.passwords, host, kServiceLeave,
                                                 kServiceFlag, state.Text(1207));
  return Reported(t, WriteOutcome(done, left), left, written);
}

AdcParametersResult DisplayMeasurementParameters(AdcTools& t, bool singleChannel) {
  ProgramState& state = t.state;
  std::vector<uint8_t> block;
  if (!ReadMemoryBlock(state, t.technician, kMeasurementBlock, kMeasurementBlockData + 2, state.Text(1204),
                       block))
    return AdcParametersResult::ReadFailed;
  state.memoryMirror.Store(kMeasurementBlock, block.data(), block.size());
  // Model 20 keeps its one pause and count in word 0 and byte 10.
  const int pause = DeviceWordAt(block.data(), state.record.id.byteOrder);
  const int conversions = block[10];
  const std::string title =
      state.Text(1207) + " " +
      (singleChannel ? state.Bilingual("канала температуры", "каналу температури")
                     : state.Bilingual("каналов давления и температуры", "каналів тиску та температури"));
  const char* pauseLine = singleChannel ? state.Bilingual("Пауза перед измерением в канале: %d мс",
                                                          "Пауза перед вимірюванням у каналі: %d мс")
                                        : state.Bilingual("Пауза перед измерением в каналах: %d мс",
                                                          "Пауза перед вимірюванням у каналах: %d мс");
  const char* countLine = singleChannel ? state.Bilingual("Количество преобразований в канале: %d",
                                                          "Кiлькiсть перетворювань у каналі: %d")
                                        : state.Bilingual("Количество преобразований в каналах: %d",
                                                          "Кiлькiсть перетворювань у каналах: %d");
  (void)t.technician.Confirm3(title, FormatTextArgs(pauseLine, {pause}),
                              FormatTextArgs(countLine, {conversions}), "");
  return AdcParametersResult::Unchanged;
}

bool ShowCalibrationUnits(AdcTools& t) {
  ProgramState& state = t.state;
  std::vector<uint8_t> block;
  if (!ReadMemoryBlock(state, t.technician, kUnitsBlock, kUnitsBlockData + 2, state.Text(2917), block))
    return false;
  state.memoryMirror.Store(kUnitsBlock, block.data(), block.size());
  std::vector<std::string> lines;
  const int pressure = block[0];
  lines.push_back(pressure <= 1 ? state.texts.FormatText(2919, {state.Text(2168 + pressure)})
                                : state.texts.FormatText(2921, {pressure}));
  const int model = state.record.id.type;
  if (model == 7 || (model == 16 && (state.record.pipelineFlag(0) & 0x80) == 0)) {
    const int differential = block[2];
    lines.push_back(differential <= 1 ? state.texts.FormatText(2922, {state.Text(2155 + differential)})
                                      : state.texts.FormatText(2923, {differential}));
  }
  t.values.ShowInformation(state.Text(2917), lines);
  return true;
}

}  // namespace ruvenset
