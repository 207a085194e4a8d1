#include "app/win32/station_requests.h"

#include <string_view>

#include "app/station_command.h"
#include "app/win32/copydata_reply.h"

namespace torvik::win32 {

bool AnswerStationRequest(HWND window, SwitchController& controller, UINT message,
                          WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COPYDATA || lParam == 0) return false;
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data.dwData != kStationRequestTag) return false;
    bands::BandsReply reply;
    if (data.cbData > bands::kMaxRequestBytes || (data.cbData > 0 && data.lpData == nullptr)) {
        reply = {bands::kReplyUsage, "request too long\n"};
    } else {
        const std::string_view request(static_cast<const char*>(data.lpData), data.cbData);
        reply = RunStationWords(controller, bands::SplitWords(request));
    }
    SendReplyText(reinterpret_cast<HWND>(wParam), window, reply.text);
    result = bands::kReplyHandled + reply.code;
    return true;
}

}  // namespace torvik::win32
