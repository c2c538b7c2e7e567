#pragma once
#include <optional>
#include <string>
#include <vector>

namespace ruvenset::cli {

// The command line: global options, the command word and the command's own options.
struct CliArgs {
  std::string configPath;
  std::string portPath;
  std::vector<std::string> overrides;  // "Key=Value"
  bool demo = false;
  std::vector<std::string> simCommands;  // control commands for the in-process simulator (--sim)
  bool trace = false;
  bool help = false;     // --help before the command: the program's help
  bool version = false;  // --version before the command
  std::string command;
  std::vector<std::string> rest;

  // Value of "--name VALUE" among the command's options.
  std::optional<std::string> Value(const std::string& name) const;
  bool Flag(const std::string& name) const;
  // Every "--name VALUE" or "--flag" among the command's options is one of `known`.
  bool OnlyKnown(const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                 std::string& unknown) const;
};

// Parses argv; false (with a message) on an unknown global option or a missing value.
bool ParseCliArgs(int argc, char** argv, CliArgs& args, std::string& error);

// The global options' lines of the help, from the option table.
std::string GlobalOptionHelp();

// Whole decimal (or 0x-prefixed hexadecimal) integer within [lo, hi].
bool ParseNumber(const std::string& text, long lo, long hi, long& value);

// The one word of a command that is not an option (its file), past the options of `valued`, which take a
// value; false after printing what is wrong.
bool OneFileArgument(const CliArgs& args, const std::vector<std::string>& valued, const char* command,
                     std::string& file);

}  // namespace ruvenset::cli
