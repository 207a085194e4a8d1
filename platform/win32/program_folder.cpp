#include "platform/win32/program_folder.h"

#include <direct.h>

namespace torvik::win32 {
namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

}  // namespace

bool CaptureProgramFolder() {
    char buffer[256] = "";
    // With the limit 255, a longer directory is refused (ERANGE) rather than cut.
    if (_getcwd(buffer, 255) == nullptr) {
        Folder().clear();
        return false;
    }
    buffer[sizeof(buffer) - 1] = '\0';
    Folder() = buffer;
    return !Folder().empty();
}

const std::string& ProgramFolder() { return Folder(); }

}  // namespace torvik::win32
