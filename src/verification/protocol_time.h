#pragma once
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace ruvenset {

// Local times as the protocols give them.

// "16.05.2024"
std::string ProtocolDate(std::time_t seconds);
// "10:15:30"
std::string ProtocolTimeOfDay(std::time_t seconds);
// "2024-05-16 10:15:30", the form of the protocol's CSV.
std::string ProtocolTimestamp(std::time_t seconds);
// The moment a ProtocolTimestamp names; nullopt for any other text.
std::optional<std::time_t> ParseProtocolTimestamp(std::string_view text);

}  // namespace ruvenset
