#include "viewer/instance_name.h"

#include <cstdint>

namespace ruvenset {
namespace {

// Latin spelling of а..я (U+0430..U+044F); capitals use the same with the first letter raised.
constexpr const char* kCyrillic[32] = {"a",  "b",  "v",  "g",    "d", "e", "zh", "z", "i",  "y", "k",
                                       "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f", "kh",
                                       "ts", "ch", "sh", "shch", "",  "y", "",   "e", "yu", "ya"};

// Decodes one UTF-8 character at text[i], advancing i; returns 0xFFFD for a broken sequence.
char32_t NextCodePoint(const std::string& text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t lead = byte(i++);
  if (lead < 0x80) return lead;
  int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (more < 0) return 0xFFFD;
  char32_t cp = lead & (0x3F >> more);
  for (; more > 0; --more) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (byte(i++) & 0x3F);
  }
  return cp;
}

void AppendSafe(std::string& out, const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const char32_t cp = NextCodePoint(text, i);
    if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9')) {
      out += static_cast<char>(cp);
    } else if (cp >= 0x0430 && cp <= 0x044F) {
      out += kCyrillic[cp - 0x0430];
    } else if (cp >= 0x0410 && cp <= 0x042F) {
      std::string letter = kCyrillic[cp - 0x0410];
      if (!letter.empty()) letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
      out += letter;
    } else if (cp == 0x0451 || cp == 0x0401) {
      out += cp == 0x0451 ? "yo" : "Yo";
    } else {
      out += '_';
    }
  }
}

}  // namespace

std::string InstanceChannelName(const std::string& windowClass, const std::string& caption, unsigned userId) {
  std::string name;
  AppendSafe(name, windowClass);
  name += '-';
  AppendSafe(name, caption);
  name += '-';
  name += std::to_string(userId);
  return name;
}

}  // namespace ruvenset
