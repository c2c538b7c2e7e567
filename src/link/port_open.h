#pragma once
#include <functional>
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace ruvenset {

enum class PortOpenError : int { None = 0, NotFound, NoPermission, Busy, NotATerminal, Other };

struct PortOpenResult {
  PortOpenError error = PortOpenError::None;
  int systemError =
      0;  // the system's code of the failed call (errno, or Windows' error), for the explanation
};

// One plain sentence explaining why a port did not open (the path included).
std::string PortOpenErrorText(const std::string& path, const PortOpenResult& result);

// Opens a port by its name (the real one, or a stand-in in tests).
using PortOpener = std::function<PortOpenResult(const std::string& path, std::unique_ptr<SerialPort>& port)>;

// Opens a serial port of this system exclusively: a device path on Linux (/dev/ttyUSB0), a COM port
// on Windows (COM3, COM12, or any device path).
PortOpenResult OpenSerialPort(const std::string& path, std::unique_ptr<SerialPort>& port);

}  // namespace ruvenset
