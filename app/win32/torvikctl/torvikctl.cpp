// torvikctl: sends one remote-control message to the running Torvik and prints the answer.
// The command line and the printed texts are in app/ctl_command.cpp.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ctl_command.h"
#include "app/station_command.h"
#include "app/win32/instance_lock.h"
#include "app/win32/remote_messages.h"
#include "app/win32/torvikctl/bands_client.h"

namespace {

constexpr UINT kAnswerTimeoutMilliseconds = 5000;

BOOL CALLBACK FindTorvik(HWND window, LPARAM param) {
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title - 1);
    if (torvik::win32::IsMainWindow(className, title)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTorvikWindow() {
    HWND found = nullptr;
    EnumWindows(&FindTorvik, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace torvik::ctl;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ClientStart start = StartClient(arguments);
    if (!start.command) {
        return start.exitCode;
    }
    const Command& command = *start.command;
    HWND window = FindTorvikWindow();
    if (window == nullptr) {
        std::fputs("torvikctl: Torvik is not running (no Torvik main window found)\n", stderr);
        return kExitNotRunning;
    }
    if (command.verb == Verb::Bands) {
        return RunBandsCommand(window, {arguments.begin() + 1, arguments.end()});
    }
    if (command.verb == Verb::Station) {
        return RunBandsCommand(window, arguments, torvik::kStationRequestTag);
    }
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(window, torvik::win32::MessageFor(command.verb),
                                             torvik::win32::WParamFor(command), 0,
                                             SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                             kAnswerTimeoutMilliseconds, &answer);
    if (sent == 0) {
        std::fprintf(stderr, "torvikctl: Torvik did not answer (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return kExitNoAnswer;
    }
    const std::string line = FormatAnswer(command.verb, static_cast<std::intptr_t>(answer));
    if (command.verb == Verb::Set) {
        // The message's answer is the same for a refusal; the lock says which it was.
        const auto status = torvik::ctl::SendWords(window, {"lock", "status"},
                                                   torvik::kStationRequestTag);
        if (status && status->code == torvik::bands::kReplyOk && torvik::SaysLocked(status->text)) {
            std::fputs(LockedSetText(static_cast<std::intptr_t>(answer)).c_str(), stderr);
            return kExitLocked;
        }
    }
    std::printf("%s\n", line.c_str());
    return kExitOk;
}
