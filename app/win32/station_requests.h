#pragma once
// torvikctl's station words (names, lock, unlock, mqtt) as a WM_COPYDATA with msg::kStationRequestTag:
// run by the core, the text sent back to torvikctl's window, the code in the answer as for bands.

#include <windows.h>

#include "app/switch_controller.h"
#include "mqtt/mqtt_session.h"

namespace torvik::win32 {

// True when the message was such a request; result is then its answer.
bool AnswerStationRequest(HWND window, SwitchController& controller, mqtt::MqttSession* mqtt,
                          UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace torvik::win32
