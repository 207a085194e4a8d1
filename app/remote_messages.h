#pragma once
// The remote-control protocol's message numbers and their decoding into commands. Programs
// written for Windows send these numbers to the main window; the Linux edition takes the same
// numbers over the session bus, so both platforms answer them through the functions here.

#include <cstdint>
#include <optional>

#include "app/command.h"

namespace torvik {

class SwitchController;

namespace msg {

inline constexpr std::uint32_t kRemoteHide = 0x2342;       // WM_REMOTE_HIDE
inline constexpr std::uint32_t kRemoteReload = 0x2354;     // WM_REMOTE_RELOAD
inline constexpr std::uint32_t kRemoteExit = 0x2355;       // WM_REMOTE_EXIT
inline constexpr std::uint32_t kRemoteSetState = 0x26C4;   // WM_REMOTE_SET_STATE
inline constexpr std::uint32_t kRemoteGetState = 0x26C5;   // WM_REMOTE_GET_STATE
inline constexpr std::uint32_t kCommand = 0x0111;          // WM_COMMAND

}  // namespace msg

// WM_REMOTE_HIDE, WM_REMOTE_RELOAD, WM_REMOTE_EXIT, WM_REMOTE_SET_STATE (the mask in wParam),
// WM_REMOTE_GET_STATE; WM_COMMAND with ID_REMOTE_RELOAD, notification code 1 and a sender
// window in lParam (a menu command carries no code); WM_COMMAND with ID_OPEN_DIALOG as a menu
// command (Show). Nothing for any other message: a hotkey press is the system's word to the
// window (HotkeyPress), not one another program sends.
std::optional<Command> CommandFromMessage(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam);

// The answer to a message another program sends: the command's answer, or nothing when the
// message is none of the protocol's (a sent WM_HOTKEY among them: it is no key press).
std::optional<std::intptr_t> AnswerSentMessage(SwitchController& controller,
                                               std::uint32_t message, std::uintptr_t wParam,
                                               std::intptr_t lParam);

}  // namespace torvik
