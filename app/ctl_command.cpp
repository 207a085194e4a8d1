#include "app/ctl_command.h"

#include <charconv>

#include "app/window_messages.h"
#include "bands/bands_command.h"

namespace torvik::ctl {
namespace {

constexpr const char* kUsageHead =
    "usage: torvikctl COMMAND\n"
    "Sends one remote-control message to the running Torvik (the top-level window\n"
    "whose title contains TORVIK) and prints its answer.\n"
    "\n"
    "commands:\n"
    "  get        prints \"mask M count C\": M the antenna mask (bit 0 antenna 1, bit 1\n"
    "             antenna 2, bit 2 antenna 3, bit 3 the fourth output), C the antenna\n"
    "             count of the box last found (0 before any box was found)\n"
    "  set MASK   sets the antenna mask (0 to 15, decimal or 0x-hex) and\n"
    "             prints \"mask M\", the mask now in effect\n"
    "  reload     reloads the settings; prints \"reloaded\"\n"
    "  hide       hides the window to the tray; prints \"hidden\"\n"
    "  exit       ends the program; prints \"-1 hidden\" or \"1 shown\", how the window\n"
    "             was meant to be\n"
    "  --help     prints this text\n";

constexpr const char* kUsageTail =
    "\n"
    "exit codes: 0 done, 1 usage error, 2 no copy of Torvik running, 3 no answer,\n"
    "4 no box connected (bands), 5 Torvik.ini could not be written (bands)\n";

}  // namespace

std::optional<std::uint32_t> ParseMask(const std::string& text) {
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value > kMaxMask) {
        return std::nullopt;
    }
    return value;
}

std::optional<Command> ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    const std::string& verb = arguments[0];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        return arguments.size() == 1 ? std::optional<Command>(Command{Verb::Help}) : std::nullopt;
    }
    if (verb == "bands") {
        return Command{Verb::Bands};
    }
    if (verb == "set") {
        if (arguments.size() != 2) {
            return std::nullopt;
        }
        const std::optional<std::uint32_t> mask = ParseMask(arguments[1]);
        if (!mask) {
            return std::nullopt;
        }
        return Command{Verb::Set, *mask};
    }
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    if (verb == "get") {
        return Command{Verb::Get};
    }
    if (verb == "reload") {
        return Command{Verb::Reload};
    }
    if (verb == "hide") {
        return Command{Verb::Hide};
    }
    if (verb == "exit") {
        return Command{Verb::Exit};
    }
    return std::nullopt;
}

std::uint32_t MessageFor(Verb verb) {
    switch (verb) {
        case Verb::Get: return msg::kRemoteGetState;
        case Verb::Set: return msg::kRemoteSetState;
        case Verb::Reload: return msg::kRemoteReload;
        case Verb::Hide: return msg::kRemoteHide;
        case Verb::Exit: return msg::kRemoteExit;
        case Verb::Help: break;
        case Verb::Bands: break;  // travels as WM_COPYDATA
    }
    return 0;
}

std::string FormatAnswer(Verb verb, std::intptr_t answer) {
    const auto value = static_cast<std::uint32_t>(answer);
    switch (verb) {
        case Verb::Get:
            return "mask " + std::to_string((value >> 16) & 0xF) + " count " +
                   std::to_string(value & 0xFFFF);
        case Verb::Set:
            return "mask " + std::to_string(value & 0xF);
        case Verb::Reload:
            return "reloaded";
        case Verb::Hide:
            return "hidden";
        case Verb::Exit: {
            // The answer tells how the window was meant to be when it ended. Any other value
            // is printed as it came rather than passed off as one of the two.
            const auto signedValue = static_cast<std::int32_t>(value);
            if (signedValue == -1) {
                return "-1 hidden";
            }
            if (signedValue == 1) {
                return "1 shown";
            }
            return std::to_string(signedValue);
        }
        case Verb::Help:
        case Verb::Bands:
            break;
    }
    return {};
}

std::string UsageText() {
    return kUsageHead + bands::BandsUsage() + kUsageTail;
}

}  // namespace torvik::ctl
