#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ruvenset {

// The permissible error of a measuring channel: an absolute value in the channel's unit, or a per cent
// of its measuring range.
struct PermissibleError {
  float value = 0;
  bool percent = false;
};

// A permissible error typed as a number (the number rule, no sign) and whether it is a per cent. A
// limit is greater than zero; anything else is no limit.
std::optional<PermissibleError> MakePermissibleError(std::string_view number, bool percent);

// "0.25%", "0,25 %" or "0.2": a number by the number rule, optionally followed by a per cent sign.
std::optional<PermissibleError> ParsePermissibleError(std::string_view text);

// The form the configuration file, the CSV of a protocol and the command line use: a point as the
// decimal separator whatever the locale, "%" after a per cent ("0.25%", "0.2").
std::string FormatPermissibleError(const PermissibleError& limit);

// The limit in the channel's unit for a measuring range `span` wide; nullopt for a per cent of a span
// that is not positive.
std::optional<double> AbsoluteLimit(const PermissibleError& limit, double span);

}  // namespace ruvenset
