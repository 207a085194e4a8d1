#pragma once
// The program folder: the working directory of the process at its start, captured once.
// Every file the program touches is addressed as this folder, a backslash and a file name.

#include <string>

namespace torvik::win32 {

// Longest folder accepted: it and its terminating NUL fit the 255 bytes _getcwd is given.
inline constexpr std::size_t kMaxProgramFolder = 254;

// Reads the working directory once; false when it cannot be read or is longer than
// kMaxProgramFolder, in which case the folder stays empty.
bool CaptureProgramFolder();

// The captured folder, empty before CaptureProgramFolder succeeded.
const std::string& ProgramFolder();

}  // namespace torvik::win32
