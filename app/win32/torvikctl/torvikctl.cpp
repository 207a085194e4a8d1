// torvikctl on Windows: the remote-control messages to the running Torvik's main window. What
// it sends, prints and exits with is the core's (app/ctl_client, app/ctl_command); this file is
// the link over window messages.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ctl_client.h"
#include "app/win32/instance_lock.h"
#include "app/win32/remote_messages.h"
#include "app/win32/window_messages.h"
#include "platform/win32/wide_text.h"

namespace {

using torvik::bands::BandsReply;

constexpr const char* kReplyClass = "TorvikctlBandsReply";

std::string LastError() { return "error " + std::to_string(GetLastError()); }

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && lParam != 0) {
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* reply = reinterpret_cast<std::string*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (data.dwData == torvik::msg::kBandsReplyTag && reply != nullptr &&
            data.lpData != nullptr) {
            reply->assign(static_cast<const char*>(data.lpData), data.cbData);
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window that keeps the bands reply's text; destroyed with the object.
class ReplyWindow {
public:
    explicit ReplyWindow(std::string& reply) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &ReplyProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kReplyClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, kReplyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        if (window_ != nullptr) {
            SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
        }
    }
    ~ReplyWindow() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

class WindowMessageLink final : public torvik::ctl::ProgramLink {
public:
    bool Find(std::string& notFound) override {
        torvik_ = torvik::win32::FindMainWindow();
        if (torvik_ == nullptr) notFound = "no Torvik main window found";
        return torvik_ != nullptr;
    }

    std::optional<std::intptr_t> Send(const torvik::Command& command, int timeoutMs,
                                      std::string& why) override {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(torvik_, torvik::win32::MessageFor(command.verb),
                                torvik::win32::WParamFor(command), 0,
                                SMTO_NORMAL | SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs),
                                &answer) == 0) {
            why = LastError();
            return std::nullopt;
        }
        return static_cast<std::intptr_t>(answer);
    }

    // The words go as a WM_COPYDATA naming our reply window, which the text comes back to; the
    // answer is the reply's code above kBandsReplyHandled.
    std::optional<BandsReply> SendWords(torvik::ctl::WordChannel channel,
                                        const std::string& request, int timeoutMs,
                                        std::string& why) override {
        std::string text;
        ReplyWindow replyWindow(text);
        COPYDATASTRUCT data{channel == torvik::ctl::WordChannel::Bands
                                ? torvik::msg::kBandsRequestTag
                                : torvik::msg::kStationRequestTag,
                            static_cast<DWORD>(request.size()), const_cast<char*>(request.data())};
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(torvik_, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow.Get()),
                                reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                static_cast<UINT>(timeoutMs), &answer) == 0) {
            why = LastError();
            return std::nullopt;
        }
        const long long code = static_cast<long long>(answer) - torvik::msg::kBandsReplyHandled;
        return BandsReply{code < -1 || code > 0xFFFF ? -1 : static_cast<int>(code), text};
    }

private:
    HWND torvik_ = nullptr;
};

// The words as UTF-8, the program's text: main's arguments would come in the code page, which
// cannot carry every antenna name. What is printed is UTF-8 too, so the console is told.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> words;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return words;
    for (int i = 1; i < count; ++i) words.push_back(torvik::win32::Utf8FromWide(wide[i]));
    LocalFree(wide);
    return words;
}

}  // namespace

int main() {
    SetConsoleOutputCP(CP_UTF8);
    WindowMessageLink link;
    return torvik::ctl::RunClient(Utf8Arguments(), link);
}
