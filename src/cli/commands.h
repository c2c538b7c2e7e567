#pragma once
#include "cli/cli_args.h"

namespace ruvenset::cli {

// Each command returns the process exit code.
int RunProbe(const CliArgs& args);
int RunPorts(const CliArgs& args);
int RunTransact(const CliArgs& args);
int RunIdentify(const CliArgs& args);
int RunReleaseService(const CliArgs& args);
int RunCalibrationCheck(const CliArgs& args);
int RunCalibrationShow(const CliArgs& args);
int RunWriteBack(const CliArgs& args);
int RunVerify(const CliArgs&);
int RunCalibrate(const CliArgs& args);
int RunIdentCode(const CliArgs& args);
int RunZero(const CliArgs& args);
int RunCorrect(const CliArgs& args);
int RunSlopeOffset(const CliArgs& args);
int RunSaveCalibration(const CliArgs& args);
int RunAdcParams(const CliArgs& args);
int RunPrintReport(const CliArgs& args);
int RunPrintProtocol(const CliArgs& args);

}  // namespace ruvenset::cli
