#pragma once
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ruvenset {

// Language texts are numbered 1001..3086, and the program's own texts above them up to 3999; each
// language has its own catalogue file.
inline constexpr int kFirstLanguageText = 1001;
inline constexpr int kLastLanguageText = 3999;

// Environment variable naming a folder that holds the catalogues; when set, only that folder is used.
inline constexpr const char* kLanguageDirVariable = "RUVENSET_LANG_DIR";

enum class LangLoadStatus : int { Ok = 0, MissingFile = 1, BadLine = 2 };

struct LangLoadResult {
  LangLoadStatus status = LangLoadStatus::Ok;
  int line = 0;  // 1-based number of the first bad line (BadLine only)
};

// One argument of a formatted text: an integer, a floating-point value or a string.
class TextArg {
 public:
  enum class Kind { Integer, Real, String };

  template <std::integral T>
  TextArg(T value) : kind_(Kind::Integer), integer_(static_cast<int64_t>(value)) {}
  template <std::floating_point T>
  TextArg(T value) : kind_(Kind::Real), real_(static_cast<double>(value)) {}
  TextArg(const char* value) : kind_(Kind::String), string_(value ? value : "") {}
  TextArg(std::string value) : kind_(Kind::String), string_(std::move(value)) {}
  TextArg(std::string_view value) : kind_(Kind::String), string_(value) {}

  Kind kind() const { return kind_; }
  int64_t integer() const { return integer_; }
  double real() const { return real_; }
  const std::string& string() const { return string_; }

 private:
  Kind kind_;
  int64_t integer_ = 0;
  double real_ = 0.0;
  std::string string_;
};

// The argument list a text expects, one letter per conversion in order: 'd' integer (d i u x X o c),
// 'f' floating point (f F e E g G a A), 's' string. "%%" is a literal percent sign and takes nothing.
// False when a '%' starts something that is not a conversion this program formats.
bool TextSignature(std::string_view text, std::string& signature);

// printf-style formatting that cannot misbehave: each conversion takes the next argument when its type
// fits (an integer also serves a floating-point conversion), otherwise the conversion is left in the
// output as written, so a mismatch shows on the screen instead of reading garbage. Widths and
// precisions of %s count characters, not bytes. Surplus arguments are ignored.
std::string FormatTextArgs(std::string_view format, std::initializer_list<TextArg> args);

// The texts of one language, loaded from a catalogue: UTF-8, one "id<TAB>text" per line, "#" starts a
// comment line, empty lines are skipped, "\n", "\t" and "\\" are the escapes inside a text.
class LanguageTexts {
 public:
  static LangLoadResult Load(const std::string& path, LanguageTexts& out);
  static LangLoadResult Parse(std::string_view catalogue, LanguageTexts& out);

  bool Has(int id) const { return texts_.count(id) != 0; }
  // The text, or a visible placeholder such as "#2855" when the catalogue lacks it.
  const std::string& Text(int id) const;
  std::string FormatText(int id, std::initializer_list<TextArg> args) const;

  size_t Count() const { return texts_.size(); }
  std::vector<int> Ids() const;

 private:
  std::map<int, std::string> texts_;
  mutable std::map<int, std::string> placeholders_;
};

// "Lang01.txt" for Russian (langRus 1), "Lang00.txt" for Ukrainian (langRus 0).
std::string LanguageCatalogueName(int langRus);

// The places a catalogue is looked for, in order: only envDir when it is given (non-empty); otherwise
// <exeDir>/lang/ and then <exeDir>/../share/ruvenset/lang/.
std::vector<std::string> LanguageCatalogueCandidates(int langRus, const std::string& envDir,
                                                     const std::string& exeDir);

// The first existing candidate for this process (RUVENSET_LANG_DIR, the folder of /proc/self/exe), or
// an empty string when there is none.
std::string FindLanguageCatalogue(int langRus);

// Finds and loads the catalogue of a language; MissingFile when none is found.
LangLoadResult LoadLanguageTexts(int langRus, LanguageTexts& out);

}  // namespace ruvenset
