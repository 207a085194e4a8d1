#include "app/win32/instance_lock.h"

namespace torvik::win32 {

std::string InstanceLockName(std::string_view userKey) {
    std::string name = "Local\\TORVIK-SingleInstance-";
    const std::size_t room = kMaxInstanceLockName - name.size();
    for (char c : userKey.substr(0, room)) {
        name.push_back(c == '\\' || c == '\0' ? '_' : c);
    }
    return name;
}

}  // namespace torvik::win32
