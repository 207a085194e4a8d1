#include "app/win32/copydata_reply.h"

#include "app/win32/window_messages.h"

namespace torvik::win32 {

void SendReplyText(HWND client, HWND from, const std::string& text) {
    if (client == nullptr || IsWindow(client) == FALSE) return;
    COPYDATASTRUCT answer{msg::kBandsReplyTag, static_cast<DWORD>(text.size()),
                          const_cast<char*>(text.data())};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(client, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                        reinterpret_cast<LPARAM>(&answer), SMTO_ABORTIFHUNG, 2000, &ignored);
}

}  // namespace torvik::win32
