#pragma once
// The driver library file: the program carries FTD2XX.dll as a resource and writes it into the
// program folder when the file there is missing or empty.

#include <windows.h>

#include <string>

namespace torvik::win32 {

// 2013-07-12 13:36:00 UTC, the last-write time every provided file gets.
SYSTEMTIME DriverFileTime();

// Writes the resource "FTDIDLL" of type "DLL_SOURCE" to "<programFolder>\FTD2XX.dll" unless a
// non-empty file is there. Nothing is reported; without the resource nothing is written, and a
// write that falls short is removed again so that a later start tries anew.
void ProvideDriverFile(const std::string& programFolder);

// Sets the last-write time of an existing file; false when it cannot be opened or set.
bool SetFileWriteTime(const std::string& path, const SYSTEMTIME& time);

}  // namespace torvik::win32
