// Paint timings of the skinned buttons on Windows, through the real GDI canvas and the real
// main window made from dialog template 102. A Windows program; under Wine:
//     wine build-dir/controls/win32/bench/win32_paint_bench.exe
// (with a display: DISPLAY set to an X server, e.g. Xvfb). Prints microseconds per operation.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "controls/win32/button_painter.h"
#include "controls/win32/my_button.h"
#include "controls/win32/tests/skinned_dialog.h"
#include "platform/win32/win_handle.h"
#include "platform/win32/window.h"
#include "res/resource.h"

namespace {

using namespace torvik::win32;
using namespace torvik::win32::testing;

double Microseconds(LONGLONG ticks) {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(ticks) * 1e6 / frequency;
}

// Runs op in batches and prints the median and the fastest batch's time per operation.
void Measure(const char* name, int batches, int perBatch, const std::function<void()>& op) {
    for (int i = 0; i < perBatch; ++i) {
        op();  // warm up: fonts, caches
    }
    std::vector<double> perOp;
    for (int batch = 0; batch < batches; ++batch) {
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&start);
        for (int i = 0; i < perBatch; ++i) {
            op();
        }
        QueryPerformanceCounter(&end);
        perOp.push_back(Microseconds(end.QuadPart - start.QuadPart) / perBatch);
    }
    std::sort(perOp.begin(), perOp.end());
    std::printf("%-58s median %9.1f us   best %9.1f us   (%d x %d)\n", name,
                perOp[perOp.size() / 2], perOp.front(), batches, perBatch);
}

}  // namespace

int main() {
    SetResourceInstance(GetModuleHandleA(nullptr));
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    SkinnedDialog dialog(IDD_TORVIK_DIALOG);
    MyButton* antenna = dialog.Button(IDC_ANTENNA1);
    if (!dialog.Exists() || antenna == nullptr) {
        std::printf("the main window's template could not be made\n");
        return 1;
    }
    DressMainWindow(dialog);
    dialog.ShowAt(20, 20);

    // An antenna button as the template sizes it: 87 x 13 dialog units.
    RECT face{0, 0, 87, 13};
    MapDialogRect(dialog.Handle(), &face);
    char title[128];
    std::snprintf(title, sizeof(title), "one antenna button paint, %ld x %ld px, idle",
                  face.right, face.bottom);
    {
        WindowDc dc(antenna->Handle());
        Measure(title, 21, 200, [&] { PaintButton(dc.Get(), face, *antenna); });
        antenna->SetChecked(1, false);
        std::snprintf(title, sizeof(title), "one antenna button paint, %ld x %ld px, checked",
                      face.right, face.bottom);
        Measure(title, 21, 200, [&] { PaintButton(dc.Get(), face, *antenna); });
    }

    // The same paint into an off-screen bitmap: the face without the copy to the window.
    {
        WindowDc screen(antenna->Handle());
        MemoryDc memory(CreateCompatibleDC(screen.Get()));
        BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), face.right, face.bottom));
        SelectGuard selected(memory.Get(), bitmap.Get());
        std::snprintf(title, sizeof(title), "one antenna button paint into a memory bitmap");
        Measure(title, 21, 200, [&] { PaintButton(memory.Get(), face, *antenna); });
    }

    std::snprintf(title, sizeof(title), "one antenna button repaint by RedrawWindow");
    Measure(title, 21, 200, [&] {
        RedrawWindow(antenna->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });

    std::snprintf(title, sizeof(title), "main window repaint, %zu skinned buttons",
                  dialog.Buttons().size());
    Measure(title, 11, 20, [&] {
        RedrawWindow(dialog.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    return 0;
}
