#pragma once
// A device's place on the bus as a numeric location id, written as the link's identity text
// (decimal) and read back strictly: anything but plain digits that fit names no device.

#include <cstdint>
#include <optional>
#include <string>

namespace torvik {

std::string IdentityOfLocation(std::uint32_t locationId);
std::optional<std::uint32_t> LocationOfIdentity(const std::string& identity);

}  // namespace torvik
