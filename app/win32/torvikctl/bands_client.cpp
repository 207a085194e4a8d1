#include "app/win32/torvikctl/bands_client.h"

#include <cstdio>

#include "app/ctl_command.h"
#include "bands/bands_command.h"

namespace torvik::ctl {
namespace {

constexpr UINT kAnswerTimeoutMilliseconds = 5000;
constexpr const char* kReplyClass = "TorvikctlBandsReply";

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && lParam != 0) {
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* reply = reinterpret_cast<std::string*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (data.dwData == bands::kBandsReplyTag && reply != nullptr && data.lpData != nullptr) {
            reply->assign(static_cast<const char*>(data.lpData), data.cbData);
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window that keeps the reply text; destroyed with the object.
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

}  // namespace

int RunBandsCommand(HWND torvik, const std::vector<std::string>& words, unsigned long tag) {
    const std::optional<bands::BandsReply> reply = SendWords(torvik, words, tag);
    if (!reply) return kExitNoAnswer;
    std::fputs(reply->text.c_str(), reply->code == bands::kReplyOk ? stdout : stderr);
    return reply->code;
}

std::optional<bands::BandsReply> SendWords(HWND torvik, const std::vector<std::string>& words,
                                           unsigned long tag) {
    std::string reply;
    ReplyWindow replyWindow(reply);
    std::string request = bands::JoinWords(words);
    if (request.size() > bands::kMaxRequestBytes) {
        std::fputs("torvikctl: the command is too long\n", stderr);
        return bands::BandsReply{kExitUsage, {}};
    }
    COPYDATASTRUCT data{tag, static_cast<DWORD>(request.size()),
                        request.data()};
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(
        torvik, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow.Get()),
        reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
        kAnswerTimeoutMilliseconds, &answer);
    if (sent == 0) {
        std::fprintf(stderr, "torvikctl: Torvik did not answer (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return std::nullopt;
    }
    const auto code = static_cast<long long>(answer) - bands::kReplyHandled;
    if (code < 0 || code > 0xFF) {
        std::fputs("torvikctl: this Torvik does not know this command\n", stderr);
        return std::nullopt;
    }
    return bands::BandsReply{static_cast<int>(code), std::move(reply)};
}

}  // namespace torvik::ctl
