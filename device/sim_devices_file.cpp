#include "device/sim_devices_file.h"

#include <charconv>
#include <fstream>
#include <optional>

namespace torvik::sim {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::uint32_t> ParseLocation(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;   // not a number, trailing junk, or more than 32 bits
    }
    return value;
}

bool ApplyFlags(std::string_view text, SimDevice& device) {
    if (text.empty()) {
        return true;
    }
    for (std::string_view flag : Split(text, ',')) {
        flag = Trim(flag);
        if (flag == "open-fails") {
            device.openFails = true;
        } else if (flag == "bitmode-fails") {
            device.bitModeFails = true;
        } else if (flag == "write-fails") {
            device.writeFails = true;
        } else if (flag == "short-write") {
            device.shortWrite = true;
        } else if (flag == "held") {
            device.heldElsewhere = true;
        } else {
            return false;   // a misspelt flag makes the whole line doubtful
        }
    }
    return true;
}

std::optional<SimDevice> ParseLine(std::string_view line) {
    const std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() < 3 || fields.size() > 4) {
        return std::nullopt;
    }
    SimDevice device;
    const std::string_view serial = Trim(fields[0]);
    const std::optional<std::uint32_t> location = ParseLocation(Trim(fields[1]));
    if (serial.empty() || !location) {
        return std::nullopt;
    }
    device.serial = serial;
    device.locationId = *location;
    device.description = Trim(fields[2]);
    if (fields.size() == 4 && !ApplyFlags(Trim(fields[3]), device)) {
        return std::nullopt;
    }
    return device;
}

}  // namespace

std::vector<SimDevice> ParseDevices(std::string_view text) {
    std::vector<SimDevice> devices;
    for (std::string_view line : Split(text, '\n')) {
        if (line.size() > kMaxLineLength) {
            continue;
        }
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#' || line.find('\0') != std::string_view::npos) {
            continue;
        }
        if (std::optional<SimDevice> device = ParseLine(line)) {
            devices.push_back(std::move(*device));
        }
    }
    return devices;
}

std::string ReadDevicesText(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    std::string text(kMaxFileSize, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() == kMaxFileSize) {   // cut off: a partial last line would lie
        const std::size_t lastNewline = text.rfind('\n');
        text.resize(lastNewline == std::string::npos ? 0 : lastNewline + 1);
    }
    return text;
}

bool SameDevice(const SimDevice& a, const SimDevice& b) {
    return a.serial == b.serial && a.locationId == b.locationId;
}

}  // namespace torvik::sim
