#pragma once
#include <array>
#include <optional>
#include <string>

#include "link/configuration.h"

namespace ruvenset {

inline constexpr int kMinNextByteWait = 55;
inline constexpr int kMaxNextByteWait = 3000;
inline constexpr int kMinAddress = 1;
inline constexpr int kMaxAddress = 254;
inline constexpr int kMaxFirstByteWait = 20;
inline constexpr int kMaxAttempts = 5;
inline constexpr int kMaxPreambleChoice = 25;

// The address box, the next-byte wait box and the polling-cycle box take digits and backspace only.
bool DigitKeyAccepted(char32_t key);

// A whole decimal number made of digits only (no sign, no blanks); nullopt for anything else.
std::optional<int> ParseDigits(const std::string& text);

// The connect dialog's address: 1..254.
std::optional<int> AcceptAddress(const std::string& text);

// The next-byte wait in milliseconds: 55..3000.
std::optional<int> AcceptNextByteWait(const std::string& text);

// What the link parameters dialog shows and the technician changes: list indexes as the dialog's
// lists count them, the next-byte wait as typed, and the device path typed into each slot (empty: the
// slot's default device).
struct LinkParametersEntry {
  int portIndex = 0;
  int speedIndex = 0;
  int firstByteWaitIndex = 0;  // seconds - 1
  std::string nextByteWait;
  int attemptsIndex = 0;  // attempts - 1
  bool rtsKeying = false;
  bool speedSearch = false;
  std::array<std::string, kComSlotCount> portPaths;
  bool givenPort = false;  // the device given at start is chosen instead of a slot
};

// The entry that shows a configuration, every index within its list.
LinkParametersEntry LinkParametersOf(const Configuration& config);

enum class LinkParametersVerdict { Accepted, BadNextByteWait, PortUnavailable };

// The accept rule of the link parameters dialog: the next-byte wait must lie within 55..3000 and the
// chosen slot must have passed the port test (the device given at start needs no test and leaves the
// configured slot as it was). Only an accepted entry changes the configuration, and then all of it at
// once; a refused one leaves every setting as it was.
LinkParametersVerdict AcceptLinkParameters(const LinkParametersEntry& entry,
                                           const std::array<bool, kComSlotCount>& available,
                                           Configuration& config);

}  // namespace ruvenset
