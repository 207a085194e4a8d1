#include "app/ctl_command.h"

#include <charconv>
#include <cstdio>

#include "app/station_command.h"
#include "bands/bands_command.h"

namespace torvik::ctl {

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

namespace {

struct VerbWord {
    const char* word;
    Verb verb;
};
constexpr VerbWord kPlainVerbs[] = {
    {"get", Verb::Get},   {"show", Verb::Show}, {"reload", Verb::Reload},
    {"hide", Verb::Hide}, {"exit", Verb::Exit}, {"--help", Verb::Help},
    {"-h", Verb::Help},   {"help", Verb::Help},
};

ParsedArguments Error(std::string text) { return {std::nullopt, "torvikctl: " + text}; }

}  // namespace

ParsedArguments ParseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return Error("no command given");
    }
    const std::string& verb = arguments[0];
    if (verb == "bands") {
        return {Command{Verb::Bands}, {}};
    }
    if (IsStationWord(verb)) {
        // The words travel one a line: a line break would make two words of one.
        for (const std::string& word : arguments) {
            if (word.find('\n') != std::string::npos) {
                return Error("a name cannot hold a line break");
            }
        }
        return {Command{Verb::Station}, {}};
    }
    if (verb == "set") {
        if (arguments.size() < 2) {
            return Error("set needs a mask from 0 to 15");
        }
        if (arguments.size() > 2) {
            return Error("set takes one mask, not " + std::to_string(arguments.size() - 1) +
                         " arguments");
        }
        const std::optional<std::uint32_t> mask = ParseMask(arguments[1]);
        if (!mask) {
            return Error("'" + arguments[1] + "' is not a mask from 0 to 15 (decimal or 0x-hex)");
        }
        return {Command{Verb::Set, *mask}, {}};
    }
    for (const VerbWord& plain : kPlainVerbs) {
        if (verb == plain.word) {
            if (arguments.size() != 1) {
                return Error(verb + " takes no arguments");
            }
            return {Command{plain.verb}, {}};
        }
    }
    return Error("unknown command '" + verb + "'");
}

std::optional<Command> ParseArguments(const std::vector<std::string>& arguments) {
    return ParseCommandLine(arguments).command;
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
        case Verb::Show:
            return "shown";
        case Verb::Exit: {
            // The program answers with its hidden flag, not with what the screen shows: the
            // flag is set by a hidden start, OK and Escape, cleared by any event of the tray
            // icon and by "open Dialog"; a hide message hides the window and leaves it clear.
            const auto signedValue = static_cast<std::int32_t>(value);
            if (signedValue == -1) {
                return "-1 hidden flag set";
            }
            if (signedValue == 1) {
                return "1 hidden flag clear";
            }
            return std::to_string(signedValue) + " (not an answer the program gives)";
        }
        case Verb::Help:
        case Verb::Hotkey:
        case Verb::Bands:
        case Verb::Station:
            break;
    }
    return {};
}

std::string LockedSetText(std::intptr_t answer) {
    return "torvikctl: the box is locked; nothing changed (" + FormatAnswer(Verb::Set, answer) +
           "); torvikctl unlock first\n";
}

std::string TransmitHeldSetText(std::intptr_t answer) {
    return "torvikctl: the radio is transmitting; nothing changed (" +
           FormatAnswer(Verb::Set, answer) + ")\n";
}

std::string ShortUsage() {
    return "usage: torvikctl get | set MASK | show | hide | reload | exit | bands ... | names ... | "
           "lock ... | unlock | --help\n";
}

std::string UsageText() {
    return "usage: torvikctl COMMAND\n"
           "Sends one remote-control message to the running Torvik (its main window) and\n"
           "prints the answer.\n"
           "\n"
           "commands:\n"
           "  get        prints \"mask M count C\": M the antenna mask (bit 0 antenna 1, bit 1\n"
           "             antenna 2, bit 2 antenna 3, bit 3 the fourth output), C the antenna\n"
           "             count of the box last found (0 before any box was found)\n"
           "               torvikctl get            ->  mask 1 count 3\n"
           "  set MASK   sets the antenna mask (0 to 15, decimal or 0x-hex) and prints\n"
           "             \"mask M\", the mask now in effect (in switch mode one antenna)\n"
           "               torvikctl set 0x5        ->  mask 5\n"
           "  show       shows the window, as the tray menu's \"open Dialog\"; prints \"shown\"\n"
           "               torvikctl show           ->  shown\n"
           "  hide       hides the window to the tray; prints \"hidden\"\n"
           "               torvikctl hide           ->  hidden\n"
           "  reload     reads the settings file again; prints \"reloaded\"\n"
           "               torvikctl reload         ->  reloaded\n"
           "  exit       ends the program and prints its hidden flag as it was: \"-1 hidden\n"
           "             flag set\" after a hidden start, OK or Escape, \"1 hidden flag clear\"\n"
           "             once the tray icon or \"open Dialog\" was used, or never hidden.\n"
           "             The hide command leaves the flag clear.\n"
           "               torvikctl exit           ->  -1 hidden flag set\n"
           "  --help     prints this text (also -h and help)\n"
           "               torvikctl --help\n" +
           bands::BandsUsage() + StationUsage() +
           "\n"
           "exit codes: 0 done, 1 usage error, 2 no copy of Torvik running, 3 no answer,\n"
           "4 no box connected (bands, names, lock), 5 Torvik.ini could not be written (bands, names),\n"
           "6 set refused: the box is locked\n";
}

ClientStart StartClient(const std::vector<std::string>& arguments) {
    ParsedArguments parsed = ParseCommandLine(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "%s\n%s", parsed.error.c_str(), ShortUsage().c_str());
        return {std::nullopt, kExitUsage};
    }
    if (parsed.command->verb == Verb::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return {std::nullopt, kExitOk};
    }
    return {std::move(parsed.command), kExitOk};
}

}  // namespace torvik::ctl
