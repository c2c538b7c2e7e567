#include "viewer/readings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "viewer/viewer_texts.h"

namespace ruvenset {

VerificationReadStatus LoadReadings(const std::string& path, uint8_t channel, Readings& out) {
  VerificationFileReader reader;
  VerificationReadStatus status = reader.Open(path);
  if (status != VerificationReadStatus::Ok) return status;
  ChannelSummary summary;
  status = SummariseChannel(reader, channel, summary);
  if (status != VerificationReadStatus::Ok) return status;

  Readings readings;
  readings.channel = channel;
  readings.unit = summary.unit;
  const size_t count = static_cast<size_t>(summary.count);
  readings.time.reserve(count);
  readings.value.reserve(count);
  readings.channelAdc.reserve(count);
  readings.ambientAdc.reserve(count);
  reader.ForEachRecord([&](const VerificationRecord& record) {
    if (record.channel != channel || readings.size() == count) return;
    const float value = RecordValueInUnit(record, readings.unit);
    readings.time.push_back(record.time);
    readings.value.push_back(value);
    readings.channelAdc.push_back(record.channelAdc);
    readings.ambientAdc.push_back(record.ambientAdc);
    if (!std::isfinite(value)) return;
    readings.minValue = readings.hasFiniteValue ? std::min(readings.minValue, value) : value;
    readings.maxValue = readings.hasFiniteValue ? std::max(readings.maxValue, value) : value;
    readings.hasFiniteValue = true;
  });
  if (readings.size() == 0) return VerificationReadStatus::NoChannelData;
  out = std::move(readings);
  return VerificationReadStatus::Ok;
}

std::string LoadFailureText(VerificationReadStatus status, const std::string& path) {
  const char* format = nullptr;
  switch (status) {
    case VerificationReadStatus::Ok:
      return {};
    case VerificationReadStatus::CannotOpen:
      return viewer_text::kCannotOpen;
    case VerificationReadStatus::NotVerificationFile:
      format = viewer_text::kNotStatistics;
      break;
    case VerificationReadStatus::NoChannelData:
      format = viewer_text::kNoChannelData;
      break;
  }
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string text(format);
  text.replace(text.find("%s"), 2, name);
  return text;
}

}  // namespace ruvenset
