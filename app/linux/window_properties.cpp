#include "app/linux/window_properties.h"

#include <algorithm>
#include <cstring>

#include "app/start_options.h"

namespace torvik::x11 {
namespace {

// The first 32-bit item of a format-32 property of the given type, in the client's byte order
// (the server converts format-32 values).
std::optional<std::uint32_t> FirstItem(const PropertyReply& reply, std::uint32_t type) {
    if (reply.format != 32 || reply.type != type || reply.valueLength < 1) return std::nullopt;
    std::uint32_t item = 0;
    if (reply.value.size() < sizeof item) return std::nullopt;
    std::memcpy(&item, reply.value.data(), sizeof item);
    return item;
}

// The bytes of a format-8 property, no more than the server says it holds.
std::optional<std::string_view> Bytes(const PropertyReply& reply) {
    if (reply.format != 8) return std::nullopt;
    const std::size_t length = std::min<std::size_t>(reply.valueLength, reply.value.size());
    return std::string_view(reinterpret_cast<const char*>(reply.value.data()), length);
}

}  // namespace

std::optional<std::uint32_t> ProcessIdFromReply(const PropertyReply& reply) {
    const auto pid = FirstItem(reply, kAtomCardinal);
    if (pid == 0u) return std::nullopt;
    return pid;
}

std::optional<std::uint32_t> WindowFromReply(const PropertyReply& reply) {
    const auto window = FirstItem(reply, kAtomWindow);
    if (window == kNoWindow) return std::nullopt;
    return window;
}

std::optional<std::uint32_t> ChooseFocusedWindow(std::optional<std::uint32_t> checkOnRoot,
                                                 std::optional<std::uint32_t> checkOnChild,
                                                 std::optional<std::uint32_t> activeWindow,
                                                 std::uint32_t inputFocus) {
    const bool managerAlive = checkOnRoot.has_value() && checkOnChild == checkOnRoot;
    if (managerAlive && activeWindow.has_value()) return activeWindow;
    if (inputFocus == kNoWindow || inputFocus == kPointerRoot) return std::nullopt;
    return inputFocus;
}

std::optional<std::string_view> ClassFromReply(const PropertyReply& reply) {
    const auto bytes = Bytes(reply);
    if (!bytes) return std::nullopt;
    const std::size_t instanceEnd = bytes->find('\0');
    if (instanceEnd == std::string_view::npos) return std::nullopt;
    std::string_view windowClass = bytes->substr(instanceEnd + 1);
    const std::size_t classEnd = windowClass.find('\0');
    if (classEnd != std::string_view::npos) windowClass = windowClass.substr(0, classEnd);
    return windowClass;
}

std::optional<std::string_view> TitleFromReply(const PropertyReply& reply) { return Bytes(reply); }

bool IsMainWindow(std::optional<std::string_view> windowClass,
                  std::optional<std::string_view> title) {
    return windowClass == kProgramClass && title &&
           title->find(kInstanceMark) != std::string_view::npos;
}

}  // namespace torvik::x11
