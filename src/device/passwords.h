#pragma once
#include <cstdint>
#include <string>

#include "device/device_prompts.h"
#include "session/connection_record.h"

namespace ruvenset {

// The technician's entry (UTF-8) as the flow computer keeps a password: code page 866, at most 16
// characters, padded with spaces.
void EncodePassword(const std::string& entry, uint8_t out[kPasswordSize]);

enum class [[nodiscard]] PasswordResult{Given, Cancelled};

// The write-password dialog; the password is stored when given.
PasswordResult AskWritePassword(ConnectionRecord& record, PasswordPrompt& prompt, bool singleEntry);

// The parameter-password dialog, once per connection: nothing happens when it was already entered.
// A cancelled dialog changes nothing.
void AskParameterPassword(ConnectionRecord& record, PasswordPrompt& prompt);

}  // namespace ruvenset
