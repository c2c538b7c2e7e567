#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ruvenset {

// One printf argument of a language text: a number, a plain string (a path) or another language
// text (a channel name), which the window looks up in the current language before formatting.
struct TextArgument {
  enum class Kind : uint8_t { Number, String, LanguageText };
  Kind kind = Kind::Number;
  int64_t number = 0;
  std::string text;

  static TextArgument Of(int64_t value) { return {Kind::Number, value, {}}; }
  static TextArgument Of(const std::string& value) { return {Kind::String, 0, value}; }
  static TextArgument Text(int textId) { return {Kind::LanguageText, textId, {}}; }
};

// A message to show: language text textId formatted with the arguments. textId 0 means no message.
struct TextMessage {
  int textId = 0;
  std::vector<TextArgument> arguments;
};

class LanguageTexts;

// The message in the given language: argument texts looked up, then the text formatted. Empty for
// textId 0. At most three arguments are used (no message here has more).
std::string FormatTextMessage(const TextMessage& message, const LanguageTexts& texts);

}  // namespace ruvenset
