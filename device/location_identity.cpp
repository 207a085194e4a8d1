#include "device/location_identity.h"

#include <charconv>

namespace torvik {

std::string IdentityOfLocation(std::uint32_t locationId) {
    return std::to_string(locationId);
}

std::optional<std::uint32_t> LocationOfIdentity(const std::string& identity) {
    std::uint32_t location = 0;
    const char* end = identity.data() + identity.size();
    const auto parsed = std::from_chars(identity.data(), end, location);
    if (identity.empty() || parsed.ec != std::errc() || parsed.ptr != end) {
        return std::nullopt;
    }
    return location;
}

}  // namespace torvik
