#include "link/configuration.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <map>
#include <vector>

#include "common/file_io.h"
#include "common/trimmed_text.h"

namespace ruvenset {
namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// A line or value of the file without its blanks, tabs and carriage returns.
std::string Trim(std::string_view s) {
  return Trimmed(s, " \t\r");
}

Sections ParseSections(const std::string& text) {
  Sections sections;
  std::string current;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = Trim(std::string_view(line).substr(1, line.size() - 2));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    sections[current][Trim(std::string_view(line).substr(0, eq))] =
        Trim(std::string_view(line).substr(eq + 1));
  }
  return sections;
}

// Parses a whole decimal integer within [lo, hi].
bool ParseInt(const std::string& text, long lo, long hi, long& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= lo && value <= hi;
}

constexpr long kIntMin = -2147483647L - 1;
constexpr long kIntMax = 2147483647L;

// One key of the file: where it lives, its documented range, and the field behind it. The order of
// this table is the order of the file.
struct Key {
  const char* section;
  const char* name;
  long lo;
  long hi;
  long (*get)(const Configuration&);
  void (*set)(Configuration&, long);
};

#define RUVENSET_FIELD(expr, type)                       \
  [](const Configuration& c) -> long { return c.expr; }, \
      [](Configuration& c, long v) { c.expr = static_cast<type>(v); }

constexpr Key kKeys[] = {
    {"Parametres", "BaudRate", 0, kSpeedCount - 1, RUVENSET_FIELD(link.speedIndex, int)},
    {"Parametres", "NumPort", 0, kComSlotCount - 1, RUVENSET_FIELD(link.portIndex, int)},
    {"Parametres", "WeitTime1", 1, 20, RUVENSET_FIELD(link.firstByteWait, int)},
    {"Parametres", "WeitTime2", 55, 3000, RUVENSET_FIELD(link.nextByteWait, int)},
    {"Parametres", "Kol_povt", 1, 5, RUVENSET_FIELD(link.attempts, uint8_t)},
    {"Parametres", "Upr_Sign", kIntMin, kIntMax, RUVENSET_FIELD(link.rtsKeying, int)},
    {"Parametres", "TypSvyaz", kIntMin, kIntMax, RUVENSET_FIELD(waitForUser, int)},
    {"Parametres", "AOSkor", kIntMin, kIntMax, RUVENSET_FIELD(link.speedSearch, int)},
    {"Parametres", "Preamb", 0, 25, RUVENSET_FIELD(link.preambles, int)},
    {"Adress", "Adress", 1, 254, RUVENSET_FIELD(link.address, uint8_t)},
    {"Language", "LangRus", 0, 1, RUVENSET_FIELD(langRus, int)},
    {"Language", "AllChannels", 0, 1, RUVENSET_FIELD(allChannels, int)},
    {"OtlObmen", "KolZapusk", 0, kIntMax, RUVENSET_FIELD(startsLeft, int)},
    {"OtlObmen", "KalendarZapros", 0, 255, RUVENSET_FIELD(calendarRequest, uint8_t)},
};

#undef RUVENSET_FIELD

// The keys of [Protocol]: one permissible error per channel, in the order of ProtocolSettings::limits.
constexpr const char* kLimitKeys[kProtocolChannels] = {"LimitPressure", "LimitTemperature",
                                                       "LimitDiffPressure", "LimitLowerDiffPressure",
                                                       "LimitUpperDiffPressure"};
constexpr const char* kTechnicianKey = "Technician";

// A name as one line of the file: line breaks become blanks, blanks around it go.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return Trim(text);
}

// Sets a key of [Protocol]; false for another key. A limit that does not read is no limit.
bool SetProtocolKey(ProtocolSettings& protocol, const std::string& name, const std::string& value) {
  if (name == kTechnicianKey) {
    protocol.technician = OneLine(value);
    return true;
  }
  for (int k = 0; k < kProtocolChannels; ++k) {
    if (name == kLimitKeys[k]) {
      protocol.limits[k] = ParsePermissibleError(value);
      return true;
    }
  }
  return false;
}

// "COM1".."COM8" -> slot 0..7, else -1.
int PortSlotOfKey(const std::string& key) {
  if (key.size() != 4 || key.compare(0, 3, "COM") != 0 || key[3] < '1' || key[3] > '0' + kComSlotCount)
    return -1;
  return key[3] - '1';
}

}  // namespace

Configuration ParseConfiguration(const std::string& text) {
  const Sections sections = ParseSections(text);
  Configuration c;
  for (const Key& key : kKeys) {
    const auto sec = sections.find(key.section);
    if (sec == sections.end()) continue;
    const auto it = sec->second.find(key.name);
    long value = 0;
    if (it != sec->second.end() && ParseInt(it->second, key.lo, key.hi, value)) key.set(c, value);
  }
  if (const auto ports = sections.find("Ports"); ports != sections.end()) {
    for (const auto& [name, path] : ports->second) {
      if (const int slot = PortSlotOfKey(name); slot >= 0) c.ports[slot] = path;
    }
  }
  if (const auto protocol = sections.find("Protocol"); protocol != sections.end()) {
    for (const auto& [name, value] : protocol->second) SetProtocolKey(c.protocol, name, value);
  }
  return c;
}

bool OverrideConfigurationKey(Configuration& config, const std::string& name, const std::string& value) {
  if (const int slot = PortSlotOfKey(name); slot >= 0) {
    config.ports[slot] = value;
    return true;
  }
  if (name == kTechnicianKey) return SetProtocolKey(config.protocol, name, value);
  for (const char* limitKey : kLimitKeys) {
    if (name == limitKey) {
      if (!ParsePermissibleError(value)) return false;
      return SetProtocolKey(config.protocol, name, value);
    }
  }
  for (const Key& key : kKeys) {
    long parsed = 0;
    if (name == key.name && ParseInt(value, key.lo, key.hi, parsed)) {
      key.set(config, parsed);
      return true;
    }
  }
  return false;
}

Configuration LoadConfiguration(const std::string& path) {
  std::vector<uint8_t> bytes;
  Configuration c;
  if (ReadWholeFile(path, bytes, 1 << 20) == FileStatus::Ok)
    c = ParseConfiguration(std::string(bytes.begin(), bytes.end()));
  if (c.startsLeft > 0) --c.startsLeft;
  return c;
}

std::string FormatConfiguration(const Configuration& config) {
  Configuration c = config;
  if (c.startsLeft == 0) c.calendarRequest = 0;
  std::string t;
  std::string section;
  for (const Key& key : kKeys) {
    if (section != key.section) {
      section = key.section;
      t += "[" + section + "]\r\n";
    }
    t += std::string(key.name) + "=" + std::to_string(key.get(c)) + "\r\n";
  }
  std::string ports;
  for (int i = 0; i < kComSlotCount; ++i) {
    if (!c.ports[i].empty()) ports += "COM" + std::to_string(i + 1) + "=" + c.ports[i] + "\r\n";
  }
  if (!ports.empty()) t += "[Ports]\r\n" + ports;
  std::string protocol;
  for (int k = 0; k < kProtocolChannels; ++k) {
    if (c.protocol.limits[k])
      protocol += std::string(kLimitKeys[k]) + "=" + FormatPermissibleError(*c.protocol.limits[k]) + "\r\n";
  }
  const std::string technician = OneLine(c.protocol.technician);
  if (!technician.empty()) protocol += std::string(kTechnicianKey) + "=" + technician + "\r\n";
  if (!protocol.empty()) t += "[Protocol]\r\n" + protocol;
  return t;
}

bool SaveConfiguration(const std::string& path, const Configuration& config) {
  const auto slash = path.find_last_of("/\\");
  if (slash != std::string::npos && slash > 0) MakeDirectories(path.substr(0, slash));
  return WriteFileAtomically(path, FormatConfiguration(config)) == FileStatus::Ok;
}

}  // namespace ruvenset
