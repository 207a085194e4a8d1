#pragma once
// The focused program as a test sets it: a process id (or none) and the process list, with
// every look at the list counted.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/hotkey_dispatch.h"

namespace torvik::testing {

class FakeFocus final : public FocusQuery {
public:
    std::optional<std::uint32_t> focused;
    std::map<std::uint32_t, std::string> processes;
    int lookups = 0;

    std::optional<std::uint32_t> FocusedProcessId() override { return focused; }
    std::optional<std::string> ExecutableName(std::uint32_t processId) override {
        ++lookups;
        const auto found = processes.find(processId);
        if (found == processes.end()) return std::nullopt;
        return found->second;
    }
};

}  // namespace torvik::testing
