#include <string_view>

#include "fuzz_targets.h"
#include "session/language_texts.h"

namespace ruvenset::fuzz {

// A catalogue either loads or names its bad line; every text it holds formats with any arguments.
int FuzzLanguageCatalogue(const uint8_t* data, size_t size) {
  LanguageTexts texts;
  const LangLoadResult result =
      LanguageTexts::Parse(std::string_view(reinterpret_cast<const char*>(data), size), texts);
  if (result.status != LangLoadStatus::Ok) return 0;
  for (const int id : texts.Ids()) {
    Require(texts.Has(id));
    texts.FormatText(id, {});
    texts.FormatText(id, {1, 2.5, "текст", -7});
  }
  return 0;
}

}  // namespace ruvenset::fuzz
