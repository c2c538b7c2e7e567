#pragma once
#include <string>

namespace ruvenset {

// A fixed-width text of the flow computer (its identification text) without the blanks and zero bytes
// that pad it on either side.
std::string WithoutPadding(const std::string& text);

}  // namespace ruvenset
