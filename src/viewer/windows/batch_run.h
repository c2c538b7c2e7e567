#pragma once
#include "viewer/viewer_options.h"

namespace ruvenset {

// The viewer without windows on screen: loads --open for --channel, prints "records N" and "unit U"
// (or the message and returns 1), then writes the graph window's picture and the CSV when asked.
// Without --open, writes the picture of the main window with its file menu open.
int RunBatch(const ViewerOptions& options);

}  // namespace ruvenset
