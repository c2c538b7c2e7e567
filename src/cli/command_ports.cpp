#include <cstdio>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "link/com_slots.h"

namespace ruvenset::cli {

// The port slots COM1..COM8 with the device behind each, then the serial ports the system knows of now.
int RunPorts(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({}, {}, unknown)) {
    std::fprintf(stderr, "ports: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  for (int slot = 0; slot < kComSlotCount; ++slot)
    std::printf("slot COM%d %s\n", slot + 1, ComSlotPath(session.config(), slot).c_str());
  for (const std::string& port : PresentSerialPorts()) std::printf("present %s\n", port.c_str());
  return kExitOk;
}

}  // namespace ruvenset::cli
