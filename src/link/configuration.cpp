#include "link/configuration.h"

#include <sys/stat.h>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <map>
#include <vector>

#include "common/file_io.h"

namespace ruvenset {
namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return std::string(s.substr(first, last - first + 1));
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

// A whole decimal integer within [lo, hi], or the default.
int ReadInt(const Sections& s, const char* section, const char* key, int fallback, long lo, long hi) {
  const auto sec = s.find(section);
  if (sec == s.end()) return fallback;
  const auto it = sec->second.find(key);
  if (it == sec->second.end()) return fallback;
  const std::string& text = it->second;
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return fallback;
  if (value < lo || value > hi) return fallback;
  return static_cast<int>(value);
}

constexpr long kIntMin = -2147483647L - 1;
constexpr long kIntMax = 2147483647L;

}  // namespace

std::string DefaultConfigurationPath() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    base = ".";
  }
  return base + "/ruvenset/" + kConfigurationFileName;
}

Configuration ParseConfiguration(const std::string& text) {
  const Sections s = ParseSections(text);
  const Configuration d;
  Configuration c;
  LinkSettings& l = c.link;
  l.speedIndex = ReadInt(s, "Parametres", "BaudRate", d.link.speedIndex, 0, kSpeedCount - 1);
  l.portIndex = ReadInt(s, "Parametres", "NumPort", d.link.portIndex, 0, kComSlotCount - 1);
  l.firstByteWait = ReadInt(s, "Parametres", "WeitTime1", d.link.firstByteWait, 1, 20);
  l.nextByteWait = ReadInt(s, "Parametres", "WeitTime2", d.link.nextByteWait, 55, 3000);
  l.attempts = static_cast<uint8_t>(ReadInt(s, "Parametres", "Kol_povt", d.link.attempts, 1, 5));
  l.rtsKeying = ReadInt(s, "Parametres", "Upr_Sign", d.link.rtsKeying, kIntMin, kIntMax);
  c.waitForUser = ReadInt(s, "Parametres", "TypSvyaz", d.waitForUser, kIntMin, kIntMax);
  l.speedSearch = ReadInt(s, "Parametres", "AOSkor", d.link.speedSearch, kIntMin, kIntMax);
  l.preambles = ReadInt(s, "Parametres", "Preamb", d.link.preambles, 0, 25);
  l.address = static_cast<uint8_t>(ReadInt(s, "Adress", "Adress", d.link.address, 1, 254));
  c.langRus = ReadInt(s, "Language", "LangRus", d.langRus, 0, 1);
  c.startsLeft = ReadInt(s, "OtlObmen", "KolZapusk", d.startsLeft, 0, kIntMax);
  c.calendarRequest =
      static_cast<uint8_t>(ReadInt(s, "OtlObmen", "KalendarZapros", d.calendarRequest, 0, 255));
  if (const auto ports = s.find("Ports"); ports != s.end()) {
    for (int i = 0; i < kComSlotCount; ++i) {
      const auto it = ports->second.find("COM" + std::to_string(i + 1));
      if (it != ports->second.end()) c.ports[i] = it->second;
    }
  }
  return c;
}

Configuration LoadConfiguration(const std::string& path) {
  std::vector<uint8_t> bytes;
  Configuration c;
  if (ReadWholeFile(path, bytes, 1 << 20) == FileStatus::Ok)
    c = ParseConfiguration(std::string(bytes.begin(), bytes.end()));
  if (c.startsLeft > 0) --c.startsLeft;
  return c;
}

std::string FormatConfiguration(const Configuration& c) {
  const LinkSettings& l = c.link;
  const int calendar = c.startsLeft == 0 ? 0 : c.calendarRequest;
  std::string t;
  auto put = [&t](const char* key, long value) {
    t += std::string(key) + "=" + std::to_string(value) + "\r\n";
  };
  t += "[Parametres]\r\n";
  put("BaudRate", l.speedIndex);
  put("NumPort", l.portIndex);
  put("WeitTime1", l.firstByteWait);
  put("WeitTime2", l.nextByteWait);
  put("Kol_povt", l.attempts);
  put("Upr_Sign", l.rtsKeying);
  put("TypSvyaz", c.waitForUser);
  put("AOSkor", l.speedSearch);
  put("Preamb", l.preambles);
  t += "[Adress]\r\n";
  put("Adress", l.address);
  t += "[Language]\r\n";
  put("LangRus", c.langRus);
  t += "[OtlObmen]\r\n";
  put("KolZapusk", c.startsLeft);
  put("KalendarZapros", calendar);
  std::string ports;
  for (int i = 0; i < kComSlotCount; ++i) {
    if (!c.ports[i].empty()) ports += "COM" + std::to_string(i + 1) + "=" + c.ports[i] + "\r\n";
  }
  if (!ports.empty()) t += "[Ports]\r\n" + ports;
  return t;
}

bool SaveConfiguration(const std::string& path, const Configuration& config) {
  const auto slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    const std::string dir = path.substr(0, slash);
    for (size_t p = 1; p <= dir.size(); ++p) {
      if (p == dir.size() || dir[p] == '/') ::mkdir(dir.substr(0, p).c_str(), 0755);
    }
  }
  return WriteFileAtomically(path, FormatConfiguration(config)) == FileStatus::Ok;
}

}  // namespace ruvenset
