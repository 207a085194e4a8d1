#include "app/linux/proc_exe.h"

#include <climits>
#include <unistd.h>

#include <array>

namespace torvik {
namespace {

constexpr std::string_view kDeletedMark = " (deleted)";
constexpr std::size_t kPathLimit = PATH_MAX;  // with its terminating zero
constexpr std::size_t kNameLimit = NAME_MAX;

}  // namespace

std::optional<std::string> ExecutableNameFromLink(std::string_view linkText) {
    if (linkText.size() >= kPathLimit + kDeletedMark.size()) return std::nullopt;
    if (linkText.ends_with(kDeletedMark)) linkText.remove_suffix(kDeletedMark.size());
    if (!linkText.starts_with('/') || linkText.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = linkText.substr(linkText.rfind('/') + 1);
    if (name.empty() || name.size() > kNameLimit) return std::nullopt;
    return std::string(name);
}

std::optional<std::string> ExecutableNameOfProcess(std::uint32_t processId) {
    if (processId == 0) return std::nullopt;
    const std::string link = "/proc/" + std::to_string(processId) + "/exe";
    // Room for the longest path and its mark; a link that fills the room may be cut short.
    std::array<char, kPathLimit + kDeletedMark.size() + 1> text{};
    const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) return std::nullopt;
    return ExecutableNameFromLink(std::string_view(text.data(), static_cast<std::size_t>(length)));
}

}  // namespace torvik
