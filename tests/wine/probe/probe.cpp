// probe.exe: a test helper for the end-to-end tests under Wine.
//   probe DLL list                  lists the driver's devices
//   probe DLL cycle LOCID BYTE      open by location, bit mode 0xFF/0x01, write BYTE, close
//   probe DLL nodes ROOM            lists with room for ROOM nodes named to the driver (space
//                                   for all is there) and says how many nodes it wrote
//   probe DLL watch SECONDS COUNT   waits for COUNT device notices on a window of its own
//   probe controls                  the running Torvik's window and its controls
//   probe dialog TITLE              the texts inside the top-level dialog titled TITLE
//   probe tray MOUSE-MESSAGE        sends the running Torvik a tray icon event, e.g. 0x203
//   probe centre ID [TITLE]         screen position of the middle of a control of Torvik's
//                                   window, or of the top-level window titled TITLE
//   probe tooltips                  the texts of the visible tooltips of every program
//   probe foreground                the title of the window Wine holds as the foreground one
// DLL is the path of the driver library file to load. Exit code 0 when the command did its
// work, 2 when there was nothing to look at, 3 on a timeout, 1 on a usage or load error.

#include <windows.h>
#include <dbt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using FtStatus = ULONG;
using FtHandle = void*;

struct DeviceNode {   // FT_DEVICE_LIST_INFO_NODE
    ULONG Flags;
    ULONG Type;
    ULONG ID;
    DWORD LocId;
    char SerialNumber[16];
    char Description[64];
    FtHandle ftHandle;
};

struct Driver {
    HMODULE module = nullptr;
    FtStatus(WINAPI* createList)(DWORD*) = nullptr;
    FtStatus(WINAPI* getList)(DeviceNode*, DWORD*) = nullptr;
    FtStatus(WINAPI* openEx)(void*, DWORD, FtHandle*) = nullptr;
    FtStatus(WINAPI* setBitMode)(FtHandle, UCHAR, UCHAR) = nullptr;
    FtStatus(WINAPI* write)(FtHandle, void*, DWORD, DWORD*) = nullptr;
    FtStatus(WINAPI* close)(FtHandle) = nullptr;
};

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool Load(const char* path, Driver& driver) {
    driver.module = LoadLibraryA(path);
    if (driver.module == nullptr) {
        std::fprintf(stderr, "probe: cannot load %s (error %lu)\n", path, GetLastError());
        return false;
    }
    const bool bound = Bind(driver.module, "FT_CreateDeviceInfoList", driver.createList) &&
                       Bind(driver.module, "FT_GetDeviceInfoList", driver.getList) &&
                       Bind(driver.module, "FT_OpenEx", driver.openEx) &&
                       Bind(driver.module, "FT_SetBitMode", driver.setBitMode) &&
                       Bind(driver.module, "FT_Write", driver.write) &&
                       Bind(driver.module, "FT_Close", driver.close);
    if (!bound) {
        std::fprintf(stderr, "probe: %s lacks a driver function\n", path);
    }
    return bound;
}

int List(Driver& driver) {
    DWORD count = 0;
    const FtStatus status = driver.createList(&count);
    std::printf("count %lu status %lu\n", count, status);
    std::vector<DeviceNode> nodes(count + 1);
    DWORD filled = count;
    driver.getList(nodes.data(), &filled);
    for (DWORD i = 0; i < count && i < filled; ++i) {
        std::printf("node %s\t0x%08lX\t%s\ttype %lu\n", nodes[i].SerialNumber, nodes[i].LocId,
                    nodes[i].Description, nodes[i].Type);
    }
    return 0;
}

int Nodes(Driver& driver, const char* roomText) {
    DWORD count = 0;
    const FtStatus status = driver.createList(&count);
    std::vector<DeviceNode> nodes(count + 1);
    std::memset(nodes.data(), 0xAB, nodes.size() * sizeof(DeviceNode));
    DWORD room = std::strtoul(roomText, nullptr, 0);
    driver.getList(nodes.data(), &room);
    DWORD written = 0;
    for (const DeviceNode& node : nodes) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&node);
        bool untouched = true;
        for (std::size_t i = 0; i < sizeof node; ++i) untouched = untouched && bytes[i] == 0xAB;
        if (untouched) break;
        ++written;
        std::printf("node flags %lu serial '%s' location 0x%08lX description '%s'\n", node.Flags,
                    node.SerialNumber, node.LocId, node.Description);
    }
    std::printf("count %lu status %lu written %lu\n", count, status, written);
    return 0;
}

int Cycle(Driver& driver, const char* location, const char* byteText) {
    const auto locId = static_cast<ULONG_PTR>(std::strtoul(location, nullptr, 0));
    unsigned char byte = static_cast<unsigned char>(std::strtoul(byteText, nullptr, 0));
    FtHandle handle = nullptr;
    const FtStatus opened = driver.openEx(reinterpret_cast<void*>(locId), 4, &handle);
    std::printf("open %lu\n", opened);
    if (opened != 0) {
        return 0;
    }
    std::printf("bitmode %lu\n", driver.setBitMode(handle, 0xFF, 0x01));
    DWORD written = 0;
    const FtStatus wrote = driver.write(handle, &byte, 1, &written);
    std::printf("write %lu written %lu\n", wrote, written);
    std::printf("close %lu\n", driver.close(handle));
    return 0;
}

// ---- watch ----

int noticesLeft = 0;

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE &&
        (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && lParam != 0) {
        const auto* header = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(lParam);
        constexpr GUID kClass = {0x219D0508, 0x57A8, 0x4FF5,
                                 {0x97, 0xA1, 0xBD, 0x86, 0x58, 0x7C, 0x6C, 0x7E}};
        const bool classOk = header->dbcc_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
                             std::memcmp(&header->dbcc_classguid, &kClass, sizeof kClass) == 0;
        std::printf("%s type %lu class %s name %s\n",
                    wParam == DBT_DEVICEARRIVAL ? "ARRIVAL" : "REMOVAL", header->dbcc_devicetype,
                    classOk ? "ok" : "wrong", header->dbcc_name);
        std::fflush(stdout);
        if (--noticesLeft <= 0) {
            PostQuitMessage(0);
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Watch(Driver& driver, const char* seconds, const char* count) {
    noticesLeft = std::atoi(count);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WatchProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TorvikProbeWatch";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "probe watch", WS_OVERLAPPED, 0,
                                  0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    DWORD listed = 0;
    driver.createList(&listed);   // first use starts the library's watcher
    std::printf("ready %lu\n", listed);
    std::fflush(stdout);
    const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(seconds) * 1000), nullptr);
    MSG message;
    while (noticesLeft > 0 && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.wParam == timer) {
            std::printf("timeout\n");
            return 3;
        }
        DispatchMessageA(&message);
    }
    return 0;
}

// ---- looking into other windows ----

BOOL CALLBACK FindByTitle(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<const char*, HWND>*>(param);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (search->first == nullptr ? std::strstr(title, "TORVIK") != nullptr
                                 : std::strcmp(title, search->first) == 0) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(const char* exactTitle) {
    std::pair<const char*, HWND> search{exactTitle, nullptr};
    EnumWindows(&FindByTitle, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

int Controls() {
    HWND window = FindTopLevel(nullptr);
    if (window == nullptr) {
        std::printf("no window\n");
        return 2;
    }
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    std::printf("window visible %d title %s\n", IsWindowVisible(window) ? 1 : 0, text);
    HWND foreground = GetForegroundWindow();
    std::printf("foreground %d\n", foreground == window ? 1 : 0);
    // The control with the keyboard focus in the window's thread (0 for none).
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    const bool known = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) != FALSE;
    std::printf("focus %d\n", known && thread.hwndFocus != nullptr && thread.hwndFocus != window
                                   ? GetDlgCtrlID(thread.hwndFocus)
                                   : 0);
    // 1041: the line under the controls (band following, the lock), while there is one.
    for (int id : {1001, 1002, 1003, 1005, 1006, 1007, 1008, 1009, 1, 1020, 1041}) {
        HWND control = GetDlgItem(window, id);
        if (control == nullptr) {
            std::printf("control %d missing\n", id);
            continue;
        }
        GetWindowTextA(control, text, sizeof text);
        std::printf("control %d visible %d enabled %d checked %d text %s\n", id,
                    IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
                    static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)), text);
    }
    return 0;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0') {
        std::printf("text %s\n", text);
    }
    return TRUE;
}

int Dialog(const char* title) {
    HWND window = FindTopLevel(title);
    if (window == nullptr) {
        std::printf("no dialog\n");
        return 2;
    }
    std::printf("dialog visible %d\n", IsWindowVisible(window) ? 1 : 0);
    EnumChildWindows(window, &PrintChildText, 0);
    return 0;
}

// The tray notice as the shell sends it: icon id 149, the mouse message in lParam.
int Tray(const char* mouseMessage) {
    HWND window = FindTopLevel(nullptr);
    if (window == nullptr) {
        std::printf("no window\n");
        return 2;
    }
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, 0x2341, 149,
                            static_cast<LPARAM>(std::strtoul(mouseMessage, nullptr, 0)),
                            SMTO_ABORTIFHUNG, 5000, &answer) == 0) {
        std::printf("no answer\n");
        return 3;
    }
    std::printf("answer %ld\n", static_cast<long>(answer));
    return 0;
}

int Centre(const char* idText, const char* title) {
    HWND window = FindTopLevel(title);
    HWND control = window != nullptr ? GetDlgItem(window, std::atoi(idText)) : nullptr;
    RECT rect;
    if (control == nullptr || GetWindowRect(control, &rect) == FALSE) {
        std::printf("no control\n");
        return 2;
    }
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

BOOL CALLBACK PrintTooltip(HWND window, LPARAM found) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpiA(className, "tooltips_class32") == 0) {
        // The control answers with the text it shows; the message crosses processes.
        char text[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, &length);
        std::printf("tooltip %s\n", text);
        ++*reinterpret_cast<int*>(found);
    }
    return TRUE;
}

int Tooltips() {
    int found = 0;
    EnumWindows(&PrintTooltip, reinterpret_cast<LPARAM>(&found));
    return found > 0 ? 0 : 2;
}

// The window manager's focus and Wine's foreground window can differ for a moment: a hotkey
// pressed in between is judged by the Wine one.
int Foreground() {
    HWND window = GetForegroundWindow();
    if (window == nullptr) {
        std::printf("no window\n");
        return 2;
    }
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    std::printf("%s\n", title);
    return 0;
}

int Usage() {
    std::fputs("usage: probe DLL list | probe DLL cycle LOCID BYTE | probe DLL nodes ROOM"
               " | probe DLL watch SECONDS COUNT | probe controls | probe dialog TITLE"
               " | probe tray MOUSE-MESSAGE | probe centre ID [TITLE] | probe tooltips"
               " | probe foreground\n",
               stderr);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 2 && std::strcmp(argv[1], "foreground") == 0) {
        return Foreground();
    }
    if (argc == 2 && std::strcmp(argv[1], "controls") == 0) {
        return Controls();
    }
    if (argc == 3 && std::strcmp(argv[1], "dialog") == 0) {
        return Dialog(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "tray") == 0) {
        return Tray(argv[2]);
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "centre") == 0) {
        return Centre(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc == 2 && std::strcmp(argv[1], "tooltips") == 0) {
        return Tooltips();
    }
    if (argc < 3) {
        return Usage();
    }
    Driver driver;
    if (!Load(argv[1], driver)) {
        return 1;
    }
    const std::string command = argv[2];
    if (command == "list" && argc == 3) {
        return List(driver);
    }
    if (command == "nodes" && argc == 4) {
        return Nodes(driver, argv[3]);
    }
    if (command == "cycle" && argc == 5) {
        return Cycle(driver, argv[3], argv[4]);
    }
    if (command == "watch" && argc == 5) {
        return Watch(driver, argv[3], argv[4]);
    }
    return Usage();
}
