#pragma once
// The program folder: the folder of the executable file, captured once at start-up, whatever
// the working directory is (Windows starts the autostart command in a folder of its own choice).
// Every file the program touches is addressed as this folder, a backslash and a file name.

#include <string>

#include "app/start_options.h"

namespace torvik::win32 {

// Reads the executable's path once; false when it cannot be read or its folder is longer than
// kMaxProgramFolder, in which case the folder stays empty.
bool CaptureProgramFolder();

// The captured folder, empty before CaptureProgramFolder succeeded.
const std::string& ProgramFolder();

}  // namespace torvik::win32
