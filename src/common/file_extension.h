#pragma once
#include <string>
#include <string_view>

namespace ruvenset {

// The extension a save dialog gives a file of this filter: the first pattern of the form "*.ext"
// ("klb" for "*.klb;*.KLB" or "*.klb *.KLB"); empty when the filter takes every file ("*.*", "*").
std::string FilterExtension(std::string_view patterns);

}  // namespace ruvenset
