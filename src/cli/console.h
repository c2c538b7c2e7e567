#pragma once
#include <string>
#include <vector>

#include "common/stop_signal.h"

namespace ruvenset::cli {

// What the command-line program needs of the system's console.

// The program's arguments as UTF-8. Windows hands main() its arguments in the ANSI code page, which
// loses a Cyrillic file name, so there the wide command line is read instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes the console show the program's UTF-8 output as text (Cyrillic messages) where it would not.
void UseUtf8Console();

// Calls onStop when the user asks the command to end: Ctrl-C or SIGTERM on Linux; Ctrl-C, Ctrl-Break
// or closing the console window on Windows. onStop runs in a signal handler or on a thread of the
// system, so it may only do what is safe there. When the console is being closed, Windows ends the
// process once the handler returns: the handler then waits for the command to finish by itself.
void InstallConsoleStop(void (*onStop)());

// Waits until standard input has something to read (or has ended) or the stop's wake-up object is
// signalled, whichever comes first. Woken says the wait ended without either (a wake-up left over, a
// signal): the caller looks again.
enum class StdinWait { Readable, Woken, Failed };
StdinWait WaitForStdinOrStop(const StopSignal& stop);
// Reads one byte of standard input: 1, 0 at its end, -1 when interrupted (try again).
int ReadStdinByte(char& c);

}  // namespace ruvenset::cli
