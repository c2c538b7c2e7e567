#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset::fuzz {

// Each target feeds one reader an arbitrary input and stops the process (std::abort) when the reader
// breaks a promise it makes about bad input; memory faults are left to the sanitizers. The same
// functions run under libFuzzer and, on the kept corpora, as ordinary unit tests.
using FuzzTarget = int (*)(const uint8_t* data, size_t size);

// The first input byte chooses the command, channel kind, transmitter type and whether the response's
// check byte is made right; the next five are the transmitter's long address, the rest is what the
// line delivers.
int FuzzHartResponse(const uint8_t* data, size_t size);
// The input is a calibration parameter file, read for every section with and without the editor's checks.
int FuzzCalibrationFile(const uint8_t* data, size_t size);
// The input is a verification data file (.ctr), read as the viewer reads it.
int FuzzCtrFile(const uint8_t* data, size_t size);
// The input is the text of a configuration file.
int FuzzConfiguration(const uint8_t* data, size_t size);
// The input is a language catalogue; every text it holds is formatted with arguments.
int FuzzLanguageCatalogue(const uint8_t* data, size_t size);
// The input is a calibration report file, read, paged and printed as the report viewer does; its head
// is also taken as a typed page range.
int FuzzReportPager(const uint8_t* data, size_t size);
// The input is a verification protocol's CSV.
int FuzzProtocolCsv(const uint8_t* data, size_t size);
// The first input byte chooses a read or a write request and whether the first frame's CRC is made
// right; the rest is what the line delivers.
int FuzzTransactResponse(const uint8_t* data, size_t size);

struct NamedFuzzTarget {
  const char* name;  // also the folder of its corpus under fuzz/corpus/
  FuzzTarget run;
};

inline constexpr NamedFuzzTarget kFuzzTargets[] = {
    {"hart_response", FuzzHartResponse},
    {"calibration_file", FuzzCalibrationFile},
    {"ctr_file", FuzzCtrFile},
    {"configuration", FuzzConfiguration},
    {"language_catalogue", FuzzLanguageCatalogue},
    {"transact_response", FuzzTransactResponse},
    {"report_pager", FuzzReportPager},
    {"protocol_csv", FuzzProtocolCsv},
};

// Stops the process when a reader broke its promise.
inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace ruvenset::fuzz
