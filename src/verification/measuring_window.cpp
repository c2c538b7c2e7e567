#include "verification/measuring_window.h"

#include "common/device_models.h"

#include <cmath>
#include <cstdio>

#include "common/adaptive_format.h"
#include "common/unit_tables.h"
#include "device/exchange.h"
#include "device/format_value.h"
#include "device/identify.h"

namespace ruvenset {
namespace {

constexpr int kMarkerInterval = 450;
constexpr int kPlainInterval = 900;
constexpr int64_t kMarkerSettleNs = 350'000'000;
constexpr int kMarkersFrom = 6;

// Models whose channel ADC code of a differential-pressure channel is shown.
bool ShowsDiffPressureCode(int deviceType) {
  return ModelOf(deviceType).diffPressureCode;
}

std::string Printf(const char* format, double a) {
  char text[64];
  std::snprintf(text, sizeof text, format, a);
  return text;
}

}  // namespace

bool ReportsMeasurementMarkers(int deviceType) {
  return IsMarkerModel(deviceType);
}

NumberRequest ActualValueRequest(const ProgramState& state, int channelKind, const ChannelRange& range) {
  NumberRequest r;
  r.caption = state.Text(2208);
  r.prompt = std::string(state.Bilingual("Действительное значение, ", "Дійсне значення, ")) +
             state.Text(state.channelNameText);
  char text[64];
  std::snprintf(text, sizeof text, "[ %g ... %g ]", range.lower, range.upper);
  r.rangeText = text;
  r.lower = range.lower;
  r.upper = range.upper;
  r.maxLength = 9;
  r.filter = channelKind == kKindTemperature ? NumberFilter::DigitsPointMinus : NumberFilter::DigitsPoint;
  r.acceptText = state.Text(2613);
  r.cancelText = state.Text(2614);
  return r;
}

MeasuringWindow::MeasuringWindow(ProgramState& state, Technician& technician, VerificationPages& pages,
                                 const MeasuringSetup& setup, WallClock& wallClock)
    : state_(state),
      technician_(technician),
      pages_(pages),
      setup_(setup),
      wallClock_(wallClock),
      points_(setup.referenceMode, setup.actualRange) {
  const int kind = setup_.channelKind;
  display_.caption = state_.Text(2208) +
                     (kind == kKindPressure ? state_.Bilingual("канала давления газа", "каналу тиску газу")
                      : kind == kKindTemperature
                          ? state_.Bilingual("канала температуры газа", "каналу температури газу")
                          : state_.Bilingual("канала перепада давления газа", "каналу перепаду тиску газу"));
  if (setup_.referenceMode == kReferenceTyped) display_.actual = Printf("%.2f", setup_.actual);
  points_.Begin(Now(), setup_.actual);
}

std::time_t MeasuringWindow::Now() {
  std::time_t seconds = 0;
  int ms = 0;
  wallClock_.Now(seconds, ms);
  return seconds;
}

std::string MeasuringWindow::Number(float value) const {
  return FormatAdaptive(value);
}

int MeasuringWindow::Timer1Timer() {
  const int interval = setup_.markers ? kMarkerInterval : kPlainInterval;
  if (setup_.markers) {
    const int at = kMarkersFrom + ChannelCodeOfKind(setup_.channelKind);
    Request request;
    request.command = 0x1D;
    request.answerData = at + 1;
    if (Exchange(state_, technician_, request) != LinkOk) {
      display_.message = state_.Text(2217);
      return interval;
    }
    const int marker = state_.link.answer().data()[at];
    if (marker == lastMarker_) return interval;
    lastMarker_ = marker;
    state_.link.clock().SleepFor(kMarkerSettleNs);
  }
  Measure();
  return interval;
}

void MeasuringWindow::Measure() {
  Request request;
  request.writeRequest = 1;
  request.command = 0x0C;
  request.data = {static_cast<uint8_t>(setup_.pipeline),
                  static_cast<uint8_t>(ChannelCodeOfKind(setup_.channelKind))};
  request.answerData = kMeasurementReplySize;
  if (Exchange(state_, technician_, request) != LinkOk) {
    display_.message = state_.Text(2217);
    return;
  }
  const ResponseView answer = state_.link.answer();
  if (answer.IsRefusalOf(0x0C)) {
    display_.message = state_.texts.FormatText(2996, {answer.data()[0]});
    return;
  }
  MeasurementReply reply;
  if (!ParseMeasurementReply(answer.data().data(), answer.size(), reply)) {
    display_.message = state_.Text(2218);
    return;
  }
  const ChannelReading reading = ReadingOfKind(reply, setup_.channelKind);
  if (!reading.valid || !std::isfinite(reading.value)) {
    ClearValueLines();
    return;
  }
  display_.message.clear();
  std::time_t seconds = 0;
  int ms = 0;
  wallClock_.Now(seconds, ms);
  statistics_.AddReading(reading.value);
  points_.AddReading(static_cast<double>(seconds) + ms / 1000.0, reading.value);
  ShowReading(reply, reading, seconds);
  if (setup_.file != nullptr && setup_.file->open()) Record(reply, reading, seconds, ms);

  if (!meanShown_ || statistics_.mean() != shownMean_) {
    shownMean_ = statistics_.mean();
    meanShown_ = true;
    display_.mean = Number(shownMean_);
  }
  Deviation(reading.value);
}

void MeasuringWindow::ShowReading(const MeasurementReply& reply, const ChannelReading& reading,
                                  std::time_t seconds) {
  char text[64];
  last_ = TakenReading{};
  last_.count = statistics_.count();
  last_.time = FormatReadingTime(seconds);
  last_.ambientAdc = reply.ambientAdc;
  last_.channelAdc = reading.adc;
  last_.value = reading.value;

  std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(last_.count));
  display_.count = text;
  display_.time = last_.time;
  std::snprintf(text, sizeof text, "%u(0x%04X)", static_cast<unsigned>(reply.ambientAdc),
                static_cast<unsigned>(reply.ambientAdc));
  display_.ambientAdc = text;
  display_.ambientTemperature = Printf("%.2f", reply.ambient);
  if (IsDiffPressureKind(setup_.channelKind) && !ShowsDiffPressureCode(state_.record.id.type)) {
    display_.channelAdc = "-";
  } else {
    std::snprintf(text, sizeof text, "%8lu(0x%06X)", static_cast<unsigned long>(reading.adc),
                  static_cast<unsigned>(reading.adc));
    display_.channelAdc = text;
  }
  display_.value = Number(reading.value) + " " + state_.Text(state_.channelNameText);
  if (setup_.showConverted) {
    const int kind = setup_.channelKind == kKindPressure ? 0 : 2;
    display_.converted = FormatValue(state_, kind, reading.value, true) + " " + setup_.convertedUnit;
  }
}

void MeasuringWindow::Record(const MeasurementReply& reply, const ChannelReading& reading,
                             std::time_t seconds, int ms) {
  const VerificationRecord r =
      MakeVerificationRecord(seconds, ms, setup_.recordChannel, setup_.recordUnit, reply.ambientAdc,
                             reply.replyWord, reading.adc, reading.value);
  if (setup_.file->Append(r) != DataFileStatus::Ok) {
    display_.fileError = std::string(state_.Bilingual("Ошибка записи файла данных поверки: ",
                                                      "Помилка запису файлу даних повірки: ")) +
                         setup_.file->path();
  }
}

void MeasuringWindow::Deviation(float value) {
  switch (setup_.referenceMode) {
    case kReferenceTyped:
      last_.hasDeviation = true;
      last_.deviation = value - setup_.actual;
      if (statistics_.CompareWithActual(value, setup_.actual)) ShowDeviation();
      break;
    case kReferenceTransmitter:
      PollReference(value);
      break;
    default:
      if (statistics_.CompareWithMean(value)) ShowDeviation();
      break;
  }
}

void MeasuringWindow::PollReference(float value) {
  HartLink* hart = setup_.hart;
  const int status = hart != nullptr ? hart->Poll(setup_.channelKind) : kHartWriteFailed;
  if (status != kHartOk) {
    const int text = HartReadingErrorTextId(status);
    display_.referenceError = state_.Text(2218) + (text != 0 ? ", " + state_.Text(text) : std::string());
    statistics_.LoseReference();
    points_.LoseReference();
    display_.reference.clear();
    display_.referenceMean.clear();
    return;
  }
  display_.referenceError.clear();
  const ConnectionRecord& record = state_.record;
  const float factor = setup_.channelKind == kKindPressure
                           ? HartPressureFactor(hart->unitCode(), record.pressureUnit())
                           : HartDiffPressureFactor(hart->unitCode(), record.diffPressureUnit());
  float reference = hart->reading() * factor;
  if (setup_.atmosphericMode == 1) reference += setup_.atmospheric;
  if (setup_.atmosphericMode == 2) reference -= setup_.atmospheric;
  const float previous = statistics_.lastReference();
  const float previousMean = statistics_.referenceMean();
  statistics_.AddReference(reference);
  points_.AddReference(reference, value);
  if (statistics_.lastReference() != previous) display_.reference = Number(statistics_.lastReference());
  if (statistics_.referenceMean() != previousMean)
    display_.referenceMean = Number(statistics_.referenceMean());
  last_.hasDeviation = true;
  last_.deviation = value - statistics_.referenceMean();
  if (statistics_.CompareWithReference(value)) ShowDeviation();
}

void MeasuringWindow::ShowDeviation() {
  const float largest = statistics_.largestDeviation();
  display_.largestDeviation = Number(statistics_.largestBelow() ? -largest : largest);
}

void MeasuringWindow::ClearValueLines() {
  display_.message.clear();
  display_.count.clear();
  display_.time.clear();
  display_.ambientAdc.clear();
  display_.ambientTemperature.clear();
  display_.channelAdc.clear();
  display_.value.clear();
  display_.converted.clear();
}

void MeasuringWindow::BitBtn1Click() {
  points_.Close(Now());
  closed_ = true;
}

void MeasuringWindow::BitBtn2Click() {
  const std::time_t now = Now();
  points_.Close(now);
  points_.Begin(now, setup_.actual);
  statistics_.Reset();
  lastMarker_ = 255;
  meanShown_ = false;
  display_.mean.clear();
  display_.largestDeviation.clear();
  display_.reference.clear();
  display_.referenceMean.clear();
  display_.resetTime = FormatReadingTime(now);
}

void MeasuringWindow::BitBtn3Click() {
  const std::optional<float> value =
      pages_.AskActualValue(ActualValueRequest(state_, setup_.channelKind, setup_.actualRange));
  if (!value || *value < setup_.actualRange.lower || *value > setup_.actualRange.upper) return;
  setup_.actual = *value;
  display_.actual = Printf("%.2f", *value);
  const std::time_t now = Now();
  points_.Close(now);
  points_.Begin(now, setup_.actual);
  display_.actualSince = FormatReadingTime(now);
}

}  // namespace ruvenset
