#include "app/win32/station_requests.h"

#include <string_view>

#include "app/win32/copydata_reply.h"
#include "app/win32/window_messages.h"

namespace torvik::win32 {

bool AnswerStationRequest(HWND window, SwitchController& controller, mqtt::MqttSession* mqtt,
                          UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COPYDATA || lParam == 0) return false;
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data.dwData != msg::kStationRequestTag) return false;
    const bands::BandsReply reply =
        data.cbData > 0 && data.lpData == nullptr
            ? bands::RequestTooLong()
            : mqtt::RunStationOrMqtt(
                  controller, mqtt,
                  std::string_view(static_cast<const char*>(data.lpData), data.cbData));
    SendReplyText(reinterpret_cast<HWND>(wParam), window, reply.text);
    result = msg::kBandsReplyHandled + reply.code;
    return true;
}

}  // namespace torvik::win32
