#include "shell/link_dialog_rules.h"

#include <algorithm>
#include <charconv>

#include "device/value_entry.h"

namespace ruvenset {
namespace {

int Clamp(int value, int low, int high) {
  return std::min(std::max(value, low), high);
}

std::optional<int> WithinRange(const std::string& text, int low, int high) {
  const auto value = ParseDigits(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

}  // namespace

bool DigitKeyAccepted(char32_t key) {
  return (key >= '0' && key <= '9') || key == kBackspace;
}

std::optional<int> ParseDigits(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || last != end || text[0] == '-' || text[0] == '+') return std::nullopt;
  return value;
}

std::optional<int> AcceptAddress(const std::string& text) {
  return WithinRange(text, kMinAddress, kMaxAddress);
}

std::optional<int> AcceptNextByteWait(const std::string& text) {
  return WithinRange(text, kMinNextByteWait, kMaxNextByteWait);
}

LinkParametersEntry LinkParametersOf(const Configuration& config) {
  const LinkSettings& l = config.link;
  LinkParametersEntry e;
  e.portIndex = Clamp(l.portIndex, 0, kComSlotCount - 1);
  e.speedIndex = Clamp(l.speedIndex, 0, kSpeedCount - 1);
  e.firstByteWaitIndex = Clamp(l.firstByteWait, 1, kMaxFirstByteWait) - 1;
  e.nextByteWait = std::to_string(l.nextByteWait);
  e.attemptsIndex = Clamp(l.attempts, 1, kMaxAttempts) - 1;
  e.rtsKeying = l.rtsKeying != 0;
  e.speedSearch = l.speedSearch != 0;
  e.portPaths = config.ports;
  return e;
}

LinkParametersVerdict AcceptLinkParameters(const LinkParametersEntry& entry,
                                           const std::array<bool, kComSlotCount>& available,
                                           Configuration& config) {
  const auto nextByteWait = AcceptNextByteWait(entry.nextByteWait);
  if (!nextByteWait) return LinkParametersVerdict::BadNextByteWait;
  const int port = Clamp(entry.portIndex, 0, kComSlotCount - 1);
  if (!entry.givenPort && !available[port]) return LinkParametersVerdict::PortUnavailable;
  LinkSettings& l = config.link;
  l.firstByteWait = Clamp(entry.firstByteWaitIndex, 0, kMaxFirstByteWait - 1) + 1;
  l.nextByteWait = *nextByteWait;
  l.attempts = static_cast<uint8_t>(Clamp(entry.attemptsIndex, 0, kMaxAttempts - 1) + 1);
  l.speedIndex = Clamp(entry.speedIndex, 0, kSpeedCount - 1);
  if (!entry.givenPort) l.portIndex = port;
  l.rtsKeying = entry.rtsKeying ? 1 : 0;
  l.speedSearch = entry.speedSearch ? 1 : 0;
  config.ports = entry.portPaths;
  return LinkParametersVerdict::Accepted;
}

}  // namespace ruvenset
