#include "common/option_help.h"

#include <algorithm>

namespace ruvenset {
namespace {

std::string Synopsis(const OptionHelpRow& row) {
  std::string text = row.name;
  if (row.valueName != nullptr) text += std::string(" ") + row.valueName;
  return text;
}

}  // namespace

std::string FormatOptionHelp(std::span<const OptionHelpRow> rows) {
  size_t width = 0;
  for (const auto& row : rows) {
    if (row.help != nullptr) width = std::max(width, Synopsis(row).size());
  }
  std::string text;
  for (const auto& row : rows) {
    if (row.help == nullptr) continue;
    const std::string synopsis = Synopsis(row);
    text += "  " + synopsis + std::string(width - synopsis.size() + 2, ' ') + row.help + "\n";
  }
  return text;
}

const OptionHelpRow* FindOptionRow(std::span<const OptionHelpRow> rows, std::string_view name) {
  for (const auto& row : rows) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

const char* ProgramVersion() {
  return RUVENSET_VERSION;
}

}  // namespace ruvenset
