#pragma once
#include <string>

namespace ruvenset {

// The command line of the viewer. Without --open it starts with its main window; with --open it loads
// the file as the file menu would, prints what it loaded, writes what was asked and ends (no window is
// shown, so it also runs on the offscreen platform). --screenshot alone pictures the main window with
// its file menu open.
//   --open FILE --channel CODE [--step K] [--screenshot PNG] [--csv FILE]
//   --screenshot PNG
// CODE is a channel code 0..255 (0 pressure, 1 temperature, 2 differential pressure, any other shown as
// temperature); K the time step 0..14 ("1 c" .. "5 ч"). --instance NAME replaces the name of the
// single-instance channel (tests run their own). A FILE without an option (as a file manager passes it)
// opens in the main window for every channel it holds. --help and --version print and end.
struct ViewerOptions {
  std::string open;
  int channel = -1;
  int step = -1;
  std::string screenshot;
  std::string csv;
  std::string instance;
  std::string file;
  bool help = false;
  bool version = false;

  bool Batch() const { return !open.empty() || !screenshot.empty(); }
};

// False with a one-line reason in `error` when the arguments are not understood.
bool ParseViewerOptions(int argc, const char* const* argv, ViewerOptions& out, std::string& error);

// The usage line and the option list, from the option table.
std::string ViewerHelpText();

}  // namespace ruvenset
