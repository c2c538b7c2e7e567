#pragma once
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace ruvenset::sim {

// A pseudo-terminal for a simulated device. The slave side stays open here, set raw, so the master never
// reads EIO between clients and nothing is echoed; a symbolic link can name the slave.
class PseudoTerminal {
 public:
  // linkPath: made a symbolic link to the slave (an old symbolic link there is replaced; any other file
  // is left alone and the open fails). Empty: no link.
  static std::unique_ptr<PseudoTerminal> Open(const LineSettings& line, const std::string& linkPath,
                                              std::string* error);
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int master() const { return master_; }
  // The path a client opens: the link when there is one, else the slave device.
  const std::string& path() const { return linkPath_.empty() ? slavePath_ : linkPath_; }

 private:
  PseudoTerminal() = default;

  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace ruvenset::sim
