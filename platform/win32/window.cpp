#include "platform/win32/window.h"

#include <algorithm>
#include <unordered_map>

#include "platform/win32/wide_text.h"

namespace torvik::win32 {
namespace {

// Every window object of the user-interface thread by its handle.
std::unordered_map<HWND, Window*>& Registry() {
    static std::unordered_map<HWND, Window*> registry;
    return registry;
}

HINSTANCE g_resourceInstance = nullptr;

}  // namespace

Window::~Window() { Detach(); }

Window* Window::FromHandle(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto found = Registry().find(hwnd);
    return found == Registry().end() ? nullptr : found->second;
}

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::WalkPreTranslateTree(MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd != nullptr;) {
        if (Window* window = FromHandle(hwnd); window != nullptr && window->PreTranslateMessage(msg)) {
            return true;
        }
        // Stop at the top-level window: GetParent would answer its owner.
        if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
        hwnd = GetParent(hwnd);
    }
    return false;
}

int Window::ControlId() const { return GetDlgCtrlID(hwnd_); }

HWND Window::Parent() const { return hwnd_ != nullptr ? GetParent(hwnd_) : nullptr; }

void Window::RedrawNow() const {
    if (hwnd_ != nullptr) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

bool Window::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Window::Attach(HWND hwnd) {
    Detach();
    hwnd_ = hwnd;
    if (hwnd != nullptr) {
        Registry()[hwnd] = this;
    }
}

void Window::Detach() {
    if (hwnd_ != nullptr) {
        auto found = Registry().find(hwnd_);
        if (found != Registry().end() && found->second == this) {
            Registry().erase(found);
        }
        hwnd_ = nullptr;
    }
}

HINSTANCE ResourceInstance() {
    return g_resourceInstance != nullptr ? g_resourceInstance : GetModuleHandleA(nullptr);
}

void SetResourceInstance(HINSTANCE instance) { g_resourceInstance = instance; }

std::string WindowText(HWND window) {
    if (window == nullptr) return {};
    // Most texts fit the first buffer; only a longer one costs the length query (under Wine
    // each of these calls is a round trip to the window server).
    std::string text(256, '\0');
    int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    if (copied >= static_cast<int>(text.size()) - 1) {
        const int length = GetWindowTextLengthA(window);
        text.assign(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    }
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string WindowTextUtf8(HWND window) {
    if (window == nullptr) return {};
    std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1,
                      L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Utf8FromWide(text);
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
    if (window != nullptr) SetWindowTextW(window, WideFromUtf8(text).c_str());
}

}  // namespace torvik::win32
