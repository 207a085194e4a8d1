// Tests of the window layer and the skinned button, run as a Windows program (under Wine on
// the build machine).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/win32/my_button.h"
#include "platform/win32/dialog.h"
#include "platform/win32/message_map.h"
#include "platform/win32/window.h"

namespace {

using namespace torvik::win32;

// --- a parent window that records what its children tell it ---

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Notice> g_notices;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_BUTTON_RCLICK) {
        g_notices.push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeParent() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TorvikTestParent";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "TorvikTestParent", "parent", WS_POPUP, 0, 0, 300, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND MakeButton(HWND parent, int id, DWORD style, const char* caption) {
    return CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | style, 10, 10, 80, 20,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

// Every case gets a parent window of its own that records its children's notices.
class Win32Layer : public testing::Test {
protected:
    void SetUp() override {
        SetResourceInstance(GetModuleHandleA(nullptr));
        g_notices.clear();
        parent = MakeParent();
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
};

std::string TextOf(HWND hwnd) {
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

TEST_F(Win32Layer, AttachTurnsTemplateButtonsOwnerDrawn) {
    MyButton defaultButton;
    MyButton flatToggle;
    EXPECT_TRUE(defaultButton.SubclassWindow(MakeButton(parent, 21, BS_DEFPUSHBUTTON, "Default")));
    EXPECT_TRUE(flatToggle.SubclassWindow(
        MakeButton(parent, 22, BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_FLAT, "Toggle")));
    EXPECT_TRUE((GetWindowLongPtrA(defaultButton.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    EXPECT_TRUE((GetWindowLongPtrA(flatToggle.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    EXPECT_TRUE(defaultButton.look.lookStyle == 0);
    EXPECT_TRUE(flatToggle.look.lookStyle == 1);
    EXPECT_TRUE(Window::FromHandle(flatToggle.Handle()) == &flatToggle);
    // Attaching twice is refused.
    EXPECT_TRUE(!flatToggle.SubclassWindow(defaultButton.Handle()));
}

TEST_F(Win32Layer, ClickIsReportedOnceAtButtonDown) {
    MyButton button;
    button.SubclassWindow(MakeButton(parent, 31, BS_PUSHBUTTON, "Click"));
    HWND hwnd = button.Handle();

    // A press without any move before it: the button's own handling holds the capture.
    g_notices.clear();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_notices.size() == 1);
    if (!g_notices.empty()) {
        EXPECT_TRUE(g_notices[0].message == WM_COMMAND);
        EXPECT_TRUE(g_notices[0].wParam == MAKEWPARAM(31, BN_CLICKED));
        EXPECT_TRUE(g_notices[0].lParam == reinterpret_cast<LPARAM>(hwnd));
    }
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_notices.size() == 1);  // the release reports nothing
    EXPECT_TRUE(GetCapture() != hwnd);

    // The usual way: the pointer enters first, then press and release.
    g_notices.clear();
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_notices.size() == 1);
    EXPECT_TRUE(button.hover == 0 && button.pressed == 0 && button.captured == 0);

    // A quick second press arrives as a double click: it is one more click, never a
    // BN_DOUBLECLICKED that a toggle's owner would miss.
    g_notices.clear();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_notices.size() == 2);
    for (const Notice& notice : g_notices) {
        EXPECT_TRUE(notice.wParam == MAKEWPARAM(31, BN_CLICKED));
    }
}

TEST_F(Win32Layer, HoverPressAndCapture) {
    MyButton button;
    button.SubclassWindow(MakeButton(parent, 41, BS_PUSHBUTTON, "Hover"));
    HWND hwnd = button.Handle();

    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.hover == 1 && button.captured == 1 && button.pressed == 0);
    EXPECT_TRUE(GetCapture() == hwnd);

    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
    EXPECT_TRUE(button.pressed == 1);

    // Off the control with the button held: only the pressed look goes, the capture stays.
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
    EXPECT_TRUE(button.pressed == 0 && button.hover == 1 && button.captured == 1);

    // Off the control with nothing held: hover and capture go.
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));
    EXPECT_TRUE(button.hover == 0 && button.captured == 0);
    EXPECT_TRUE(GetCapture() != hwnd);

    // Focus loss clears every mouse state.
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(button.hover == 0 && button.pressed == 0 && button.captured == 0);
    EXPECT_TRUE(GetCapture() != hwnd);
}

TEST_F(Win32Layer, RightButtonAndPlainFields) {
    MyButton button;
    button.SubclassWindow(MakeButton(parent, 51, BS_PUSHBUTTON, "Right"));
    HWND hwnd = button.Handle();

    g_notices.clear();
    SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_notices.size() == 1);
    if (!g_notices.empty()) {
        EXPECT_TRUE(g_notices[0].message == WM_BUTTON_RCLICK);
        EXPECT_TRUE(g_notices[0].wParam == 51 && g_notices[0].lParam == 0);
    }

    EXPECT_EQ(button.checked, 0);
    button.SetChecked(1, false);
    EXPECT_EQ(button.checked, 1);
    button.SetChecked(0, true);
    EXPECT_EQ(button.checked, 0);

    EXPECT_TRUE(SendMessageA(hwnd, WM_ERASEBKGND, 0, 0) == 1);

    // Without a resource module image the control keeps no image; the alignment is stored.
    button.SetImage(0, 3);
    EXPECT_TRUE(button.look.imageAlign == 3 && button.imageWidth == 0 && !button.imageList);
    button.SetImage(4711, 1);
    EXPECT_TRUE(button.look.imageAlign == 1 && button.imageWidth == 0 && !button.imageList);
}

TEST_F(Win32Layer, MenuCaptions) {
    MyButton key;
    key.SubclassWindow(MakeButton(parent, 61, BS_PUSHBUTTON, "Key"));
    HWND hwnd = key.Handle();

    key.SelectMenuItem(1, "given");
    EXPECT_TRUE(TextOf(hwnd) == "given" && key.selectedItem == 1);

    // A plain button keeps its caption when no text is given.
    key.SelectMenuItem(2, nullptr);
    EXPECT_TRUE(TextOf(hwnd) == "given" && key.selectedItem == 2);

    key.SetKeyMenu(300);
    EXPECT_TRUE(key.menuId == 300);
    key.SelectMenuItem(2, nullptr);
    EXPECT_TRUE(TextOf(hwnd) == "NUM PAD 0");
    key.SelectMenuItem(40, nullptr);
    EXPECT_TRUE(TextOf(hwnd).empty());

    key.SetKeyMenu(999);  // no such menu: an empty caption, nothing else
    key.SelectMenuItem(0, nullptr);
    EXPECT_TRUE(TextOf(hwnd).empty());
}

// --- message maps ---

struct Routed {
    int control = 0;
    int reload = 0;
    LRESULT OnControl(WPARAM, LPARAM) { return ++control; }
    LRESULT OnReload(WPARAM, LPARAM) { return ++reload; }
};

TEST(MessageMap, CommandsRouteByIdAndReloadOnlyFromAControl) {
    static const MessageEntry<Routed> map[] = {
        OnCommand<Routed>(1001, &Routed::OnControl),
        OnControl<Routed>(1, 1013, &Routed::OnReload),
    };
    Routed routed;
    LRESULT result = 0;
    const auto someWindow = static_cast<LPARAM>(0x1234);
    // Buttons and menu commands alike reach an OnCommand entry.
    EXPECT_TRUE(DispatchMessageMap<Routed>(routed, map, WM_COMMAND, MAKEWPARAM(1001, 0), someWindow, result));
    EXPECT_TRUE(DispatchMessageMap<Routed>(routed, map, WM_COMMAND, MAKEWPARAM(1001, 0), 0, result));
    EXPECT_TRUE(routed.control == 2);
    // A command with code 1 routes by its code only with a control window in lParam.
    EXPECT_TRUE(!DispatchMessageMap<Routed>(routed, map, WM_COMMAND, MAKEWPARAM(1013, 1), 0, result));
    EXPECT_TRUE(DispatchMessageMap<Routed>(routed, map, WM_COMMAND, MAKEWPARAM(1013, 1), someWindow, result));
    EXPECT_TRUE(routed.reload == 1);
    // Another notification of a known control is not taken for a click.
    EXPECT_TRUE(!DispatchMessageMap<Routed>(routed, map, WM_COMMAND, MAKEWPARAM(1001, 5), someWindow, result));
}

// --- the modal dialog ---

constexpr UINT WM_TEST_ANSWER = WM_APP + 2;
constexpr UINT WM_TEST_THROW = WM_APP + 3;

class TestDialog final : public Dialog {
public:
    TestDialog(UINT templateId, DWORD flags, bool throwInHandler)
        : Dialog(templateId, nullptr), flags_(flags), throw_(throwInHandler) {}

    INT_PTR DoModal() override { return RunModal(flags_); }

    bool everVisible = false;
    int hotkeysSeen = 0;
    LRESULT answerSeen = 0;

protected:
    BOOL OnInitDialog() override {
        SetTimer(hwnd_, 1, 150, nullptr);
        PostMessageA(hwnd_, WM_HOTKEY, 2400, 0);
        if (throw_) {
            PostMessageA(hwnd_, WM_TEST_THROW, 0, 0);
        }
        return TRUE;
    }

    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_HOTKEY) {
            ++hotkeysSeen;
            return true;
        }
        return Dialog::PreTranslateMessage(msg);
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnTimer(WPARAM, LPARAM) {
        KillTimer(hwnd_, 1);
        everVisible = IsWindowVisible(hwnd_) != FALSE;
        answerSeen = SendMessageA(hwnd_, WM_TEST_ANSWER, 0, 0);
        EndDialog(7);
        return 0;
    }
    LRESULT OnAnswer(WPARAM, LPARAM) { return -1; }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }

    static const MessageEntry<TestDialog> kMap[];
    DWORD flags_;
    bool throw_;
};

const MessageEntry<TestDialog> TestDialog::kMap[] = {
    OnMsg<TestDialog>(WM_TIMER, &TestDialog::OnTimer),
    OnMsg<TestDialog>(WM_TEST_ANSWER, &TestDialog::OnAnswer),
    OnMsg<TestDialog>(WM_TEST_THROW, &TestDialog::OnThrow),
};

bool TestDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap<TestDialog>(*this, kMap, message, wParam, lParam, result) ||
           Dialog::OnMessage(message, wParam, lParam, result);
}

TEST_F(Win32Layer, ModalRunsShowEndAndFailAsAsked) {
    TestDialog hidden(200, 0, false);
    EXPECT_TRUE(hidden.DoModal() == 7);
    EXPECT_TRUE(!hidden.everVisible);          // a hidden start never shows the window
    EXPECT_TRUE(hidden.hotkeysSeen == 1);      // posted messages pass the pre-translation
    EXPECT_TRUE(hidden.answerSeen == -1);      // private messages answer through the dialog result
    EXPECT_TRUE(hidden.Handle() == nullptr);   // destroyed and detached after the run

    TestDialog shown(200, MLF_SHOWONIDLE, false);
    EXPECT_TRUE(shown.DoModal() == 7);
    EXPECT_TRUE(shown.everVisible);

    TestDialog missing(4242, MLF_SHOWONIDLE, false);
    EXPECT_TRUE(missing.DoModal() == -1);

    TestDialog failing(200, 0, true);
    EXPECT_TRUE(failing.DoModal() == -1);      // a throwing handler ends the run with -1
}

}  // namespace
