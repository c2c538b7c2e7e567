#pragma once
#include <string>
#include <string_view>

namespace ruvenset {

// What pads the flow computer's fixed-width texts (its identification text): blanks and zero bytes.
inline constexpr std::string_view kDeviceTextPadding{" \0", 2};

// The text without the characters of `padding` on either side; empty when it holds nothing else.
std::string Trimmed(std::string_view text, std::string_view padding = " ");

}  // namespace ruvenset
