#pragma once
#include <span>
#include <string>
#include <string_view>

namespace ruvenset {

// One row of a program's option table: the help lists every row with a text, in table order.
struct OptionHelpRow {
  const char* name;       // "--config"
  const char* valueName;  // "FILE", or nullptr for a flag
  const char* help;       // nullptr keeps the option out of the help
};

// "  --config FILE         Read and write ..." lines, one per listed row, the texts in one column.
std::string FormatOptionHelp(std::span<const OptionHelpRow> rows);

// The row named `name`, or nullptr.
const OptionHelpRow* FindOptionRow(std::span<const OptionHelpRow> rows, std::string_view name);

// The version every program prints for --version.
const char* ProgramVersion();

}  // namespace ruvenset
