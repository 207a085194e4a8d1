#include "controls/win32/layout_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/win32/skin_resources.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"
#include "platform/win32/window.h"

namespace torvik::win32 {

int LayoutHwnd::MeasureCaptionInBold() const {
    const std::wstring text = WideFromUtf8(WindowTextUtf8(hwnd_));

    WindowDc dc(hwnd_);
    if (dc.Get() == nullptr) {
        return 0;
    }
    HFONT bold = SharedFont(FontChoice::kBold);
    SelectGuard font(dc.Get(), bold != nullptr ? static_cast<HGDIOBJ>(bold)
                                               : GetStockObject(DEFAULT_GUI_FONT));
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return rect.right - rect.left;
}

void LayoutHwnd::MoveAndSize(int x, int y, int width, int height) {
    SetWindowPos(hwnd_, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

RECT ChildRect(HWND child) {
    RECT rect{0, 0, 0, 0};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void LayoutWindowRow(std::span<const HWND> windows, int gap) {
    if (windows.empty() || std::find(windows.begin(), windows.end(), nullptr) != windows.end()) {
        return;
    }
    const RECT first = ChildRect(windows.front());
    const RECT last = ChildRect(windows.back());
    const Rect area{first.left, first.top, last.right, first.bottom};

    std::vector<LayoutHwnd> row(windows.begin(), windows.end());
    std::vector<LayoutWindow*> views;
    views.reserve(row.size());
    for (LayoutHwnd& window : row) {
        views.push_back(&window);
    }
    LayoutRow(area, views, static_cast<int>(views.size()), gap);
}

}  // namespace torvik::win32
