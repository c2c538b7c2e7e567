#pragma once
#include <array>
#include <optional>
#include <string>

#include "common/permissible_error.h"
#include "link/link_settings.h"

namespace ruvenset {

inline constexpr int kComSlotCount = 8;
inline constexpr const char* kConfigurationFileName = "Div3AzErur.ini";
// Channels with a permissible error of their own, in the order of the verification's channel kinds:
// pressure, temperature, differential pressure, its lower range, its upper range.
inline constexpr int kProtocolChannels = 5;

// What the verification protocols take from the configuration (section [Protocol]).
struct ProtocolSettings {
  // LimitPressure, LimitTemperature, LimitDiffPressure, LimitLowerDiffPressure, LimitUpperDiffPressure:
  // "0.25%" or "0.2"; none: the protocol gives no verdict.
  std::array<std::optional<PermissibleError>, kProtocolChannels> limits;
  std::string technician;  // Technician: who signs the protocols
};

// The program's configuration file: the link settings, the language, the automatic connect and the
// start counters, plus the device path behind each of the eight port slots COM1..COM8.
struct Configuration {
  LinkSettings link;
  int waitForUser = 0;          // TypSvyaz: 0 connects automatically at start-up
  int langRus = 1;              // 1 Russian, 0 Ukrainian
  int allChannels = 0;          // AllChannels: 1 shows the menus of every channel, 0 the temperature edition
  int startsLeft = 0;           // KolZapusk
  uint8_t calendarRequest = 0;  // KalendarZapros
  // Device path typed into a slot; empty means the slot's default device (see DefaultComSlotPaths).
  std::array<std::string, kComSlotCount> ports;
  ProtocolSettings protocol;
};

// Where the configuration file lives when no --config is given: $XDG_CONFIG_HOME/ruvenset/ or
// ~/.config/ruvenset/ on Linux, %APPDATA%\ruvenset\ on Windows.
std::string DefaultConfigurationPath();

// Reads the file; a missing file, a missing key, a value that is not a number or one outside its
// documented range yields that key's default. A start with a positive start count uses one up.
Configuration LoadConfiguration(const std::string& path);

// Parses configuration text the same way (without using up a start).
Configuration ParseConfiguration(const std::string& text);

// Sets one key ("BaudRate", "Adress", "COM3", "LimitPressure", ...) for this run; false for an unknown key or
// a value outside the key's range.
bool OverrideConfigurationKey(Configuration& config, const std::string& name, const std::string& value);

// The file's text: every key, in the fixed order, after the calendar rule (no starts left: the
// calendar request is written as 0).
std::string FormatConfiguration(const Configuration& config);

// Writes the file whole (creating its folder); false when it could not be written.
bool SaveConfiguration(const std::string& path, const Configuration& config);

}  // namespace ruvenset
