#include "app/linux/window_properties.h"

#include <cstring>

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

}  // namespace torvik::x11
