#include "device/passwords.h"

#include <cstring>

#include "common/code_page.h"

namespace ruvenset {

void EncodePassword(const std::string& entry, uint8_t out[kPasswordSize]) {
  const std::string cp1251 = Utf8ToCp1251(entry);
  std::memset(out, ' ', kPasswordSize);
  for (size_t i = 0; i < cp1251.size() && i < static_cast<size_t>(kPasswordSize); ++i) {
    out[i] = Cp1251ToCp866(static_cast<uint8_t>(cp1251[i]));
  }
}

PasswordResult AskWritePassword(ConnectionRecord& record, PasswordPrompt& prompt, bool singleEntry) {
  const auto entry = prompt.AskWritePassword(singleEntry);
  if (!entry) return PasswordResult::Cancelled;
  EncodePassword(*entry, record.writePassword);
  return PasswordResult::Given;
}

void AskParameterPassword(ConnectionRecord& record, PasswordPrompt& prompt) {
  if (record.parameterPasswordEntered) return;
  std::memcpy(record.previousParameterPassword, record.parameterPassword, kPasswordSize);
  const auto entry = prompt.AskParameterPassword();
  if (!entry) return;
  record.parameterPasswordEntered = true;
  EncodePassword(*entry, record.parameterPassword);
}

}  // namespace ruvenset
