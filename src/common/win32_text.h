#pragma once
#include <string>

namespace ruvenset {

// The program's UTF-8 text and Windows' UTF-16 at the system calls. Invalid UTF-8 becomes U+FFFD, so a
// bad name fails to open instead of naming another file.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace ruvenset
