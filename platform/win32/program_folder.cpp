#include "platform/win32/program_folder.h"

#include <windows.h>

namespace torvik::win32 {
namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

}  // namespace

bool CaptureProgramFolder() {
    // Room for any path whose folder can be accepted; a longer one comes back cut and is refused.
    char path[1024] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::optional<std::string> folder;
    if (length > 0 && length < sizeof(path)) {
        folder = ProgramFolderOf(std::string_view(path, length));
    }
    Folder() = folder.value_or(std::string());
    return folder.has_value();
}

const std::string& ProgramFolder() { return Folder(); }

}  // namespace torvik::win32
