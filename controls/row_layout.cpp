#include "controls/row_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace torvik {

namespace {

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int TextWidth(const LayoutWindow& window) {
    return ClampToInt(std::int64_t{window.MeasureCaptionInBold()} + kCaptionPadding);
}

int PlaceButton(LayoutWindow& window, int x, int y, int height, int extra) {
    const int width = ClampToInt(std::int64_t{TextWidth(window)} + extra);
    window.MoveAndSize(x, y, width, height);
    return ClampToInt(std::int64_t{x} + width);
}

void LayoutRow(const Rect& area, std::span<LayoutWindow* const> windows, int count, int gap) {
    if (count <= 0) {
        return;
    }
    std::vector<LayoutWindow*> row;
    for (LayoutWindow* window : windows.first(std::min<std::size_t>(count, windows.size()))) {
        if (window != nullptr) {
            row.push_back(window);
        }
    }
    if (row.empty()) {
        return;
    }
    const auto n = static_cast<std::int64_t>(row.size());

    std::int64_t sum = 0;
    for (const LayoutWindow* window : row) {
        sum += TextWidth(*window);
    }
    const std::int64_t free =
        std::int64_t{area.right} - area.left - (n - 1) * std::int64_t{gap} - sum;
    const std::int64_t share = free / n;  // truncates toward zero: rest has the sign of free
    std::int64_t rest = free - share * n;

    const int height = ClampToInt(std::int64_t{area.bottom} - area.top);
    int x = area.left;
    for (LayoutWindow* window : row) {
        std::int64_t extra = share;
        if (rest > 0) {
            ++extra;
            --rest;
        } else if (rest < 0) {
            --extra;
            ++rest;
        }
        x = ClampToInt(std::int64_t{PlaceButton(*window, x, area.top, height,
                                                ClampToInt(extra))} + gap);
    }
}

}  // namespace torvik
