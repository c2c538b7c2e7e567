#include <string>

#include "fuzz_targets.h"
#include "session/language_texts.h"
#include "verification/protocol_csv.h"
#include "verification/protocol_document.h"

namespace ruvenset::fuzz {

// Whatever protocol a CSV reads as, it lays out, and written again it reads as the same protocol.
int FuzzProtocolCsv(const uint8_t* data, size_t size) {
  ProtocolRecord record;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (ParseProtocolCsv(text, record).status != ProtocolCsvStatus::Read) return 0;
  const LanguageTexts none;
  (void)ComposeProtocol(record, none);
  const std::string written = FormatProtocolCsv(record);
  ProtocolRecord again;
  Require(ParseProtocolCsv(written, again).status == ProtocolCsvStatus::Read);
  Require(FormatProtocolCsv(again) == written);
  return 0;
}

}  // namespace ruvenset::fuzz
