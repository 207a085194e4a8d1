#include "setup/win32/registry_autostart.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/win32/win_handle.h"

namespace torvik::win32 {
namespace {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// Copies text into buffer, cut so that its terminating zero fits.
void CopyText(const char* text, RunCommandBuffer buffer) {
    const std::size_t length = strnlen(text, buffer.size() - 1);
    std::memmove(buffer.data(), text, length);
    buffer[length] = '\0';
}

}  // namespace

LONG ReadRegistryString(HKEY root, const char* keyPath, const char* valueName,
                        const char* defaultText, RunCommandBuffer buffer) {
    // Read into a buffer of our own, so that a default given as the target buffer itself is
    // still intact when it is needed.
    std::array<char, kRunCommandBufferSize> data{};
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(root, keyPath, 0, KEY_READ, &opened);
    if (status == ERROR_SUCCESS) {
        RegistryKey key(opened);
        auto size = static_cast<DWORD>(kRunValueReadLimit);
        status = RegQueryValueExA(key.Get(), valueName, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS) {
            // The data need not end in a zero; the byte after it always exists (255 < 256).
            data[std::min<std::size_t>(size, kRunValueReadLimit)] = '\0';
        }
    }
    if (status == ERROR_SUCCESS) {
        CopyText(data.data(), buffer);
    } else if (defaultText != nullptr) {
        CopyText(defaultText, buffer);
    } else {
        buffer[0] = '\0';
    }
    return status;
}

LONG WriteRegistryString(HKEY root, const char* keyPath, const char* valueName,
                         const char* text) {
    HKEY created = nullptr;
    LONG status = RegCreateKeyExA(root, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                  nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    RegistryKey key(created);
    const std::size_t bytes = std::strlen(text) + 1;
    if (bytes > MAXDWORD) {
        return ERROR_INVALID_PARAMETER;
    }
    return RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(bytes));
}

LONG DeleteRegistryValue(HKEY root, const char* keyPath, const char* valueName) {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(root, keyPath, 0, KEY_ALL_ACCESS, &opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    RegistryKey key(opened);
    return RegDeleteValueA(key.Get(), valueName);
}

std::optional<std::string> FormatRunCommand(std::string_view programFolder) {
    constexpr std::string_view kProgram = "\\Torvik.exe";
    constexpr std::string_view kArguments = " HIDE";
    // Unquoted, a folder with a space would make the system try "C:\Program.exe" and the like
    // first; so such a path is quoted. Without a space the command stays as it always was.
    const bool quoted = programFolder.find(' ') != std::string_view::npos;
    std::string command;
    if (quoted) command += '"';
    command.append(programFolder).append(kProgram);
    if (quoted) command += '"';
    command.append(kArguments);
    if (command.size() + 1 > kRunCommandBufferSize) return std::nullopt;
    return command;
}

RegistryAutostart::RegistryAutostart(std::string programFolder, HKEY root, std::string keyPath)
    : programFolder_(std::move(programFolder)), root_(root), keyPath_(std::move(keyPath)) {}

bool RegistryAutostart::Enabled() {
    // Data longer than the read limit fails the read and counts as no entry.
    std::array<char, kRunCommandBufferSize> buffer{};
    const std::string valueName(kAutostartValueName);
    return ReadRegistryString(root_, keyPath_.c_str(), valueName.c_str(), nullptr, buffer) ==
           ERROR_SUCCESS;
}

bool RegistryAutostart::Enable() {
    const std::optional<std::string> command = FormatRunCommand(programFolder_);
    if (!command) {
        return false;
    }
    const std::string valueName(kAutostartValueName);
    return WriteRegistryString(root_, keyPath_.c_str(), valueName.c_str(), command->c_str()) ==
           ERROR_SUCCESS;
}

bool RegistryAutostart::Disable() {
    const std::string valueName(kAutostartValueName);
    return DeleteRegistryValue(root_, keyPath_.c_str(), valueName.c_str()) == ERROR_SUCCESS;
}

}  // namespace torvik::win32
