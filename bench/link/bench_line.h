#pragma once
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace ruvenset::bench {

// The line the benchmark exchanges over: the named port, served by a simulator outside the benchmark
// (on Windows under Wine, a COM port mapped to the Linux simulator), or with no name the simulated
// flow computer on a pseudo-terminal of this process (Linux only). Null, with the reason, when neither
// can be had.
std::unique_ptr<SerialPort> OpenBenchLine(int bitsPerSecond, const std::string& port, std::string& error);

// Processor time of the whole process and of the calling thread, in seconds.
double ProcessCpuSeconds();
double ThreadCpuSeconds();

}  // namespace ruvenset::bench
