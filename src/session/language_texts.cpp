#include "session/language_texts.h"

#include <cstdio>
#include <cstdlib>

#include "common/file_io.h"

namespace ruvenset {
namespace {

// Widths and precisions beyond this are refused: no text of the program needs them, and a damaged
// catalogue must not make the formatter allocate megabytes.
constexpr int kMaxFieldSize = 256;

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size };

// One parsed "%..." conversion.
struct Conversion {
  bool valid = false;
  size_t size = 0;  // characters of the conversion in the text, '%' included
  std::string flags;
  int width = -1;
  int precision = -1;
  Length length = Length::None;
  char type = 0;  // the conversion character; '%' for a literal percent sign
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool ReadNumber(std::string_view text, size_t& pos, int& value) {
  if (pos >= text.size() || !IsDigit(text[pos])) return false;
  long long number = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    number = number * 10 + (text[pos] - '0');
    if (number > kMaxFieldSize) return false;
    ++pos;
  }
  value = static_cast<int>(number);
  return true;
}

// Parses the conversion that starts at text[start] == '%'.
Conversion ParseConversion(std::string_view text, size_t start) {
  Conversion conv;
  size_t pos = start + 1;
  while (pos < text.size() && std::string_view("-+ #0").find(text[pos]) != std::string_view::npos) {
    conv.flags += text[pos++];
  }
  if (pos < text.size() && IsDigit(text[pos]) && !ReadNumber(text, pos, conv.width)) return conv;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    conv.precision = 0;
    if (pos < text.size() && IsDigit(text[pos]) && !ReadNumber(text, pos, conv.precision)) return conv;
  }
  if (pos < text.size()) {
    switch (text[pos]) {
      case 'h':
        ++pos;
        conv.length = Length::Short;
        if (pos < text.size() && text[pos] == 'h') {
          ++pos;
          conv.length = Length::Char;
        }
        break;
      case 'l':
        ++pos;
        conv.length = Length::Long;
        if (pos < text.size() && text[pos] == 'l') {
          ++pos;
          conv.length = Length::LongLong;
        }
        break;
      case 'L':
        ++pos;
        conv.length = Length::LongDouble;
        break;
      case 'z':
      case 'j':
      case 't':
        ++pos;
        conv.length = Length::Size;
        break;
      default:
        break;
    }
  }
  if (pos >= text.size()) return conv;
  conv.type = text[pos++];
  conv.size = pos - start;
  if (conv.type == '%') {
    conv.valid = conv.size == 2;
  } else {
    conv.valid = std::string_view("diuxXocfFeEgGaAs").find(conv.type) != std::string_view::npos;
  }
  return conv;
}

char SignatureLetter(char type) {
  if (type == 's') return 's';
  if (std::string_view("fFeEgGaA").find(type) != std::string_view::npos) return 'f';
  return 'd';
}

// Length of the conversion text to copy when a conversion cannot be formatted: the whole parsed part,
// or just the '%' when nothing sensible follows it.
size_t RawSize(const Conversion& conv) {
  return conv.size == 0 ? 1 : conv.size;
}

std::string Printf(const std::string& conversionText, auto value) {
  int needed = std::snprintf(nullptr, 0, conversionText.c_str(), value);
  if (needed <= 0) return std::string();
  std::string out(static_cast<size_t>(needed) + 1, '\0');
  std::snprintf(out.data(), out.size(), conversionText.c_str(), value);
  out.resize(static_cast<size_t>(needed));
  return out;
}

std::string ConversionPrefix(const Conversion& conv) {
  std::string conversionText = "%" + conv.flags;
  if (conv.width >= 0) conversionText += std::to_string(conv.width);
  if (conv.precision >= 0) conversionText += "." + std::to_string(conv.precision);
  return conversionText;
}

std::string FormatInteger(const Conversion& conv, int64_t value) {
  if (conv.type == 'c')
    return Printf(ConversionPrefix(conv) + "c", static_cast<int>(static_cast<unsigned char>(value)));
  const bool isSigned = conv.type == 'd' || conv.type == 'i';
  const std::string conversionText = ConversionPrefix(conv) + "ll" + conv.type;
  // Without a length modifier an integer is 32 bits wide, as in the program's texts ("%lu" included).
  switch (conv.length) {
    case Length::Char:
      return isSigned ? Printf(conversionText, static_cast<long long>(static_cast<int8_t>(value)))
                      : Printf(conversionText, static_cast<unsigned long long>(static_cast<uint8_t>(value)));
    case Length::Short:
      return isSigned ? Printf(conversionText, static_cast<long long>(static_cast<int16_t>(value)))
                      : Printf(conversionText, static_cast<unsigned long long>(static_cast<uint16_t>(value)));
    case Length::LongLong:
    case Length::Size:
      return isSigned ? Printf(conversionText, static_cast<long long>(value))
                      : Printf(conversionText, static_cast<unsigned long long>(static_cast<uint64_t>(value)));
    default:
      return isSigned ? Printf(conversionText, static_cast<long long>(static_cast<int32_t>(value)))
                      : Printf(conversionText, static_cast<unsigned long long>(static_cast<uint32_t>(value)));
  }
}

// Bytes of the first n characters of UTF-8 text (the whole text when it has fewer).
size_t Utf8Prefix(const std::string& text, size_t n) {
  size_t pos = 0;
  for (size_t chars = 0; pos < text.size() && chars < n; ++chars) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

size_t Utf8Length(const std::string& text) {
  size_t chars = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++chars;
  }
  return chars;
}

std::string FormatString(const Conversion& conv, const std::string& value) {
  std::string out =
      conv.precision >= 0 ? value.substr(0, Utf8Prefix(value, static_cast<size_t>(conv.precision))) : value;
  const size_t length = Utf8Length(out);
  if (conv.width > 0 && length < static_cast<size_t>(conv.width)) {
    const std::string padding(static_cast<size_t>(conv.width) - length, ' ');
    out = conv.flags.find('-') != std::string::npos ? out + padding : padding + out;
  }
  return out;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

bool Unescape(std::string_view raw, std::string& out) {
  out.clear();
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\t') return false;
    if (raw[i] != '\\') {
      out += raw[i];
      continue;
    }
    if (++i >= raw.size()) return false;
    switch (raw[i]) {
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        return false;
    }
  }
  return true;
}

// "id<TAB>text" with id in 1001..3999.
bool ParseEntry(std::string_view line, int& id, std::string& text) {
  const size_t tab = line.find('\t');
  if (tab == std::string_view::npos || tab == 0 || tab > 4) return false;
  id = 0;
  for (size_t i = 0; i < tab; ++i) {
    if (!IsDigit(line[i])) return false;
    id = id * 10 + (line[i] - '0');
  }
  if (id < kFirstLanguageText || id > kLastLanguageText) return false;
  return Unescape(line.substr(tab + 1), text);
}

}  // namespace

bool TextSignature(std::string_view text, std::string& signature) {
  signature.clear();
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] != '%') continue;
    const Conversion conv = ParseConversion(text, pos);
    if (!conv.valid) return false;
    if (conv.type != '%') signature += SignatureLetter(conv.type);
    pos += conv.size - 1;
  }
  return true;
}

std::string FormatTextArgs(std::string_view format, std::initializer_list<TextArg> args) {
  std::string out;
  const TextArg* next = args.begin();
  size_t pos = 0;
  while (pos < format.size()) {
    const size_t percent = format.find('%', pos);
    if (percent == std::string_view::npos) {
      out.append(format.substr(pos));
      break;
    }
    out.append(format.substr(pos, percent - pos));
    const Conversion conv = ParseConversion(format, percent);
    pos = percent + RawSize(conv);
    if (!conv.valid) {
      out.append(format.substr(percent, RawSize(conv)));
      continue;
    }
    if (conv.type == '%') {
      out += '%';
      continue;
    }
    const char letter = SignatureLetter(conv.type);
    const TextArg* arg = next != args.end() ? next : nullptr;
    bool fits = false;
    if (arg != nullptr) {
      if (letter == 'd') fits = arg->kind() == TextArg::Kind::Integer;
      if (letter == 'f') fits = arg->kind() != TextArg::Kind::String;
      if (letter == 's') fits = arg->kind() == TextArg::Kind::String;
    }
    if (!fits) {
      // The argument stays for the next conversion only when there was none to take.
      out.append(format.substr(percent, conv.size));
      if (arg != nullptr) ++next;
      continue;
    }
    ++next;
    if (letter == 'd') {
      out += FormatInteger(conv, arg->integer());
    } else if (letter == 'f') {
      const double value =
          arg->kind() == TextArg::Kind::Integer ? static_cast<double>(arg->integer()) : arg->real();
      out += Printf(ConversionPrefix(conv) + conv.type, value);
    } else {
      out += FormatString(conv, arg->string());
    }
  }
  return out;
}

LangLoadResult LanguageTexts::Load(const std::string& path, LanguageTexts& out) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes) != FileStatus::Ok) return {LangLoadStatus::MissingFile, 0};
  return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out);
}

LangLoadResult LanguageTexts::Parse(std::string_view catalogue, LanguageTexts& out) {
  LanguageTexts loaded;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos < catalogue.size()) {
    size_t end = catalogue.find('\n', pos);
    if (end == std::string_view::npos) end = catalogue.size();
    std::string_view line = catalogue.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!IsValidUtf8(line)) return {LangLoadStatus::BadLine, lineNumber};
    if (line.empty() || line.front() == '#') continue;
    int id = 0;
    std::string text;
    if (!ParseEntry(line, id, text) || loaded.Has(id)) return {LangLoadStatus::BadLine, lineNumber};
    loaded.texts_.emplace(id, std::move(text));
  }
  out.texts_ = std::move(loaded.texts_);
  out.placeholders_.clear();
  return {LangLoadStatus::Ok, 0};
}

const std::string& LanguageTexts::Text(int id) const {
  const auto found = texts_.find(id);
  if (found != texts_.end()) return found->second;
  return placeholders_.try_emplace(id, "#" + std::to_string(id)).first->second;
}

std::string LanguageTexts::FormatText(int id, std::initializer_list<TextArg> args) const {
  if (!Has(id)) return Text(id);
  return FormatTextArgs(Text(id), args);
}

std::vector<int> LanguageTexts::Ids() const {
  std::vector<int> ids;
  ids.reserve(texts_.size());
  for (const auto& entry : texts_) ids.push_back(entry.first);
  return ids;
}

std::string LanguageCatalogueName(int langRus) {
  return "Lang0" + std::to_string(langRus) + ".txt";
}

std::vector<std::string> LanguageCatalogueCandidates(int langRus, const std::string& envDir,
                                                     const std::string& exeDir) {
  const std::string name = LanguageCatalogueName(langRus);
  if (!envDir.empty()) return {envDir + "/" + name};
  if (exeDir.empty()) return {};
  return {exeDir + "/lang/" + name, exeDir + "/../share/ruvenset/lang/" + name};
}

std::string FindLanguageCatalogue(int langRus) {
  const char* env = std::getenv(kLanguageDirVariable);
  for (const std::string& path : LanguageCatalogueCandidates(langRus, env ? env : "", ProgramDirectory())) {
    if (IsRegularFile(path)) return path;
  }
  return std::string();
}

LangLoadResult LoadLanguageTexts(int langRus, LanguageTexts& out) {
  const std::string path = FindLanguageCatalogue(langRus);
  if (path.empty()) return {LangLoadStatus::MissingFile, 0};
  return LanguageTexts::Load(path, out);
}

}  // namespace ruvenset
