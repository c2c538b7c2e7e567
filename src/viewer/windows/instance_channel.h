#pragma once
#include <QString>

namespace ruvenset {

// The single-instance channel of the viewer: a running viewer listens on a local socket named after its
// main window's class and caption and the user (see InstanceChannelName), and answers "show" (bring the
// main window up maximised) and "quit" (end the program). These calls are Ruvenset's side of it.

// The channel name of this user's viewer.
QString ViewerInstanceName();

// Asks a running viewer to show its main window maximised; false when none answers.
bool ShowRunningViewer(const QString& name = ViewerInstanceName());

// Asks a running viewer to end; false when none answers.
bool QuitRunningViewer(const QString& name = ViewerInstanceName());

// Starts `<programDir>/grafmira` as a detached process with Ruvenset's start directory as its current
// folder, so that its open dialog starts in the folder where Ruvenset keeps the data files. Never waits
// for it; false when it could not be started (nothing is shown).
bool StartViewer(const QString& programDir, const QString& startDir);

}  // namespace ruvenset
