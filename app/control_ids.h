#pragma once
// Control and command ids of the main window that the core talks about. The resource script
// carries the same numbers as plain #defines (res/resource.h); app/win32/resource_ids_check.cpp
// fails the Windows build when the two disagree.

namespace torvik::ids {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAntenna1 = 1001;   // 1002, 1003 follow
inline constexpr int kSwitchRadio = 1005;
inline constexpr int kMixerRadio = 1006;
inline constexpr int kSetup = 1007;
inline constexpr int kManual = 1008;
inline constexpr int kStatusText = 1009;
inline constexpr int kRemoteReload = 1013;  // ID_REMOTE_RELOAD: sent by other programs only
inline constexpr int kBanner = 1014;
inline constexpr int kExit = 1020;
inline constexpr int kOpenDialog = 1024;    // ID_OPEN_DIALOG
inline constexpr int kBandFollowing = 1040; // ID_BAND_FOLLOWING: the tray's "Band following"
inline constexpr int kStormLock = 1041;     // ID_STORM_LOCK: the tray's "Lock: all antennas off"
inline constexpr int kMqtt = 1042;          // ID_MQTT: the tray's "MQTT"

inline constexpr int AntennaButton(int antenna) { return kAntenna1 + antenna; }

}  // namespace torvik::ids
