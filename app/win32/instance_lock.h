#pragma once
// The name of the per-user lock that keeps a second copy of the program from starting.

#include <cstddef>
#include <string>
#include <string_view>

namespace torvik::win32 {

// "Local\TORVIK-SingleInstance-<user>": one lock per user in the session. Characters that a
// kernel object name cannot hold after its namespace (backslashes) become '_', and an
// overlong user key is cut so that the name stays within kMaxInstanceLockName.
inline constexpr std::size_t kMaxInstanceLockName = 200;
std::string InstanceLockName(std::string_view userKey);

}  // namespace torvik::win32
