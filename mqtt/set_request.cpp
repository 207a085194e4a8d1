#include "mqtt/set_request.h"

#include <nlohmann/json.hpp>

namespace torvik::mqtt {
namespace {

using nlohmann::json;

std::optional<std::uint32_t> MaskOf(const json& value) {
    if (!value.is_number_unsigned()) return std::nullopt;
    const auto mask = value.get<std::uint64_t>();
    if (mask > 15) return std::nullopt;
    return static_cast<std::uint32_t>(mask);
}

// A plain number: digits only, 0 to 15.
std::optional<std::uint32_t> PlainMask(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    std::uint32_t mask = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        mask = mask * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (mask > 15) return std::nullopt;
    return mask;
}

std::optional<int> AntennaOf(const json& value, const std::array<std::string, 3>& shownNames) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number >= 1 && number <= 3) return static_cast<int>(number) - 1;
        return std::nullopt;
    }
    if (value.is_string()) {
        const auto& name = value.get_ref<const std::string&>();
        for (std::size_t i = 0; i < shownNames.size(); ++i) {
            if (!name.empty() && name == shownNames[i]) return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<SetRequest> FromObject(const json& object,
                                     const std::array<std::string, 3>& shownNames) {
    SetRequest request;
    if (object.size() == 1 && object.contains("mask")) {
        const auto mask = MaskOf(object["mask"]);
        if (!mask) return std::nullopt;
        request.kind = SetRequest::Kind::kMask;
        request.mask = *mask;
        return request;
    }
    if (object.size() == 2 && object.contains("antenna") && object.contains("on")) {
        const auto antenna = AntennaOf(object["antenna"], shownNames);
        if (!antenna || !object["on"].is_boolean()) return std::nullopt;
        request.kind = SetRequest::Kind::kAntenna;
        request.antenna = *antenna;
        request.on = object["on"].get<bool>();
        return request;
    }
    if (object.size() == 1 && object.contains("mode")) {
        const json& mode = object["mode"];
        if (!mode.is_string()) return std::nullopt;
        request.kind = SetRequest::Kind::kMode;
        if (mode == "mixer") {
            request.mixer = true;
        } else if (mode != "switch") {
            return std::nullopt;
        }
        return request;
    }
    if (object.size() == 1 && object.contains("lock") && object["lock"].is_boolean()) {
        request.kind = SetRequest::Kind::kLock;
        request.on = object["lock"].get<bool>();
        return request;
    }
    return std::nullopt;
}

}  // namespace

std::optional<SetRequest> ParseSetRequest(std::string_view payload,
                                          const std::array<std::string, 3>& shownNames) {
    if (payload.size() > kMaxSetPayload) return std::nullopt;
    if (const auto mask = PlainMask(payload)) {
        SetRequest request;
        request.mask = *mask;
        return request;
    }
    // Nesting is bounded by the size limit; a parse error is no request, never an exception.
    const json parsed = json::parse(payload, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) return std::nullopt;
    return FromObject(parsed, shownNames);
}

}  // namespace torvik::mqtt
