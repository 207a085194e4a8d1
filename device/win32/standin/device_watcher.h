#pragma once
// Follows the devices file and tells the windows of this process about plugged and unplugged
// boxes the way the system does: a WM_DEVICECHANGE with DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE and a device-interface header of the driver's interface class.

#include <string>

namespace torvik::standin {

// Starts the watcher thread once per process (later calls do nothing). `devicesText` is the
// file's content that the caller has just read, so that the devices already there raise no
// arrival.
//
// The thread polls the file every 100 ms and sends one notice per device that came or went
// (removals first) to every top-level window of this process, with SendMessageTimeout so that
// a hung window cannot stall it. It holds a reference on this library and leaves through
// FreeLibraryAndExitThread, so the library cannot be unmapped under it.
void StartWatcher(const std::string& devicesPath, const std::string& devicesText);

// Asks the thread to stop at its next poll. Called when the library is detached from the
// process; at process exit the system has ended the thread already, and nothing waits.
void StopWatcher();

}  // namespace torvik::standin
