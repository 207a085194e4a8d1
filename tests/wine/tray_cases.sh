# Cases of the tray icon for tests/wine/run-all: hovering, its menu by either button, and the
# double-click event; with the helpers that find the icon and its menu.
# Uses the harness of tests/e2e_lib.sh and tests/wine/helpers.sh (new_case, plug_box,
# start_torvik, ctl_says, check, log_lines, ...); run-all lists the cases in order.

# The tray icon: the window that Wine's shell docks into trayer's panel.
tray_icon() {
    local panel
    panel=$(xdotool search --name '^panel$' 2>/dev/null | head -1)
    [ -n "$panel" ] || return 1
    xwininfo -tree -id "$panel" 2>/dev/null | awk '/\("explorer.exe"/ { print $1; exit }'
}
tray_docked() { [ -n "$(tray_icon)" ]; }
point_at_tray_icon() {
    local icon w h
    icon=$(tray_icon)
    [ -n "$icon" ] || return 1
    w=$(xwininfo -id "$icon" | awk '/Width:/ { print $2 }')
    h=$(xwininfo -id "$icon" | awk '/Height:/ { print $2 }')
    xdotool mousemove --window "$icon" $((w / 2)) $((h / 2))
}
# The open popup menu: a visible, nameless window of Torvik's process.
tray_menu() {
    local w
    for w in $(xdotool search --onlyvisible --class 'torvik.exe' 2>/dev/null); do
        [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && { echo "$w"; return 0; }
    done
    return 1
}
menu_open() { [ -n "$(tray_menu)" ]; }
menu_closed() { [ -z "$(tray_menu)" ]; }
# choose_menu_item INDEX COUNT: clicks the INDEX-th (from 0) of COUNT items of the open menu.
choose_menu_item() {
    local menu geometry height
    menu=$(tray_menu)
    [ -n "$menu" ] || return 1
    height=$(xwininfo -id "$menu" | awk '/Height:/ { print $2 }')
    xdotool mousemove --window "$menu" 20 $((3 + ($1 * 2 + 1) * (height - 6) / ($2 * 2)))
    xdotool click 1
}
open_tray_menu() {   # open_tray_menu BUTTON
    point_at_tray_icon && xdotool click "$1" && wait_until 10 menu_open
}

case_tray_hover() {
    new_case tray_hover
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "tray icon docked" wait_until 20 tray_docked
    check "pointer over the icon" point_at_tray_icon
    xdotool mousemove_relative 1 1
    check "the icon's tip shows: the pointer reached the icon" wait_until 10 tooltip_visible
    check "Wine keeps the window hidden" main_window_hidden
    check "the window manager caught up" wm_caught_up
    check "window still hidden" no_visible_window
    check "but meant to be shown" ctl_says "1 hidden flag clear" exit
}

case_tray_menu() {
    new_case tray_menu
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "tray icon docked" wait_until 20 tray_docked
    # With a box: Antenna 1, Antenna 2, Antenna 3, open Dialog, Band following, MQTT, Lock, Exit.
    check "left press opens the menu" open_tray_menu 1
    check "choose Antenna 3" choose_menu_item 2 8
    check "antenna 3 selected" wait_until 10 ctl_says "mask 4 count 3" get
    check "antenna 3 written" test "$(last_write)" = 0x09
    check "menu closed" wait_until 5 menu_closed
    check "right press opens the menu" open_tray_menu 3
    check "choose open Dialog" choose_menu_item 3 8
    check "window shown" wait_until 10 has_visible_window
    check "window hidden by message" ctl_says "hidden" hide
    check "menu once more" open_tray_menu 1
    check "choose Exit" choose_menu_item 7 8
    check "Exit ends the program" wait_until 15 gone "${torvik_pids[0]}"
    check "running bit cleared at exit" test "$(last_write)" = 0x01
}

# The double-click event alone, as a shell that sends only that would send it (the real double
# click with the mouse is in firsthour_cases.sh).
case_tray_double_click() {
    new_case tray_double_click
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "double-click event answered" test "$(wine_output "$probe_exe" tray 0x203)" = "answer 0"
    check "window shown" wait_until 10 has_visible_window
    check "hidden flag cleared" ctl_says "1 hidden flag clear" exit
}
