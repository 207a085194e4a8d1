# Antenna names in Torvik.exe, for tests/wine/run-all (which sources this file and calls
# run_names_lock_cases): a name given through an antenna button's own context menu shows on the
# button (a screenshot), in its tooltip, in the tray menu and in torvikctl; torvikctl renames and
# refuses over WM_COPYDATA; the keyset section is left as it was; names survive a restart.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, ...) and click_control's
# probe (device_cases.sh).

names_value() { ini_section_value "$case_dir/Torvik.ini" "${serial}_NAMES" "$1"; }
keyset_lines() { ini_section_lines "$case_dir/Torvik.ini" "$section"; }
rename_dialog() { xdotool search --onlyvisible --name '^Rename Antenna 1$' 2>/dev/null | head -1; }
rename_shown() { [ -n "$(rename_dialog)" ]; }
rename_gone() { [ -z "$(rename_dialog)" ]; }
names_listed() { ctl names; [ "$rc" -eq 0 ] && [ "$out" = "$1" ]; }
button_text_is() {   # button_text_is ID TEXT
    controls | awk -v id="$1" '$1 == "control" && $2 == id { sub(/.* text /, ""); print }' |
        grep -qxF "$2"
}
control_centre() { wine_output "$probe_exe" centre "$1"; }

case_names_by_menu_and_torvikctl() {
    new_case names
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "antenna 2" ctl_says "mask 2" set 2
    check "antenna 2 stored" wait_until 10 test "$(ini_value ANTENNA-2)" = 1
    local keyset x y
    keyset=$(keyset_lines)

    # The button's own menu: a right click, "Rename...", the name typed, Enter.
    read -r x y < <(control_centre 1001)
    check "pointer on Antenna 1" xdotool mousemove "$x" "$y"
    xdotool click 3
    check "its menu opens" wait_until 10 menu_open
    check "choose Rename..." choose_menu_item 0 1
    check "the rename dialog opens" wait_until 10 rename_shown
    check "it has the focus" focus_window '^Rename Antenna 1$'
    xdotool type --delay 30 "Beverage North-East 240m"
    mkdir -p "$artifacts"
    screenshot "$(rename_dialog)" "$artifacts/rename-dialog.png"
    xdotool key Return
    check "the dialog closes" wait_until 10 rename_gone
    check "the name is stored" wait_until 10 test "$(names_value NAME-1)" = "Beverage North-East 240m"
    check "the keyset is as it was" test "$(keyset_lines)" = "$keyset"
    check "the button carries it" button_text_is 1001 "Beverage North-East 240m"
    check "torvikctl lists it" names_listed $'1: Beverage North-East 240m\n2: Antenna 2 (no name)\n3: Antenna 3 (no name)'

    # torvikctl names; a refusal says why and stores nothing.
    check "name antenna 3" ctl_exit_code 0 names set 3 "Mini-Whip on the roof 9m"
    check "stored" test "$(names_value NAME-3)" = "Mini-Whip on the roof 9m"
    check "too long" ctl_exit_code 1 names set 2 "$(printf 'x%.0s' $(seq 25))"
    check "with the reason" grep -q "at most 24" "$case_dir/ctl.err"
    check "nothing stored for antenna 2" test -z "$(names_value NAME-2)"
    check "name antenna 2" ctl_exit_code 0 names set 2 "Long Wire West 120 metre"
    check "the button carries it" wait_until 5 button_text_is 1002 "Long Wire West 120 metre"
    # Three long names share the row: each is cut with an ellipsis (seen in the screenshot), the
    # whole name is the button's tooltip.
    mkdir -p "$artifacts"
    xdotool mousemove 0 0
    sleep 0.5
    screenshot "$(visible_window)" "$artifacts/main-window-antenna-names.png"
    read -r x y < <(control_centre 1003)
    check "pointer on Antenna 3" xdotool mousemove "$x" "$y"
    xdotool mousemove_relative 1 0
    check "its tooltip has the whole name" wait_until 10 tooltip_shows "Mini-Whip on the roof 9m"
    xdotool mousemove 0 0

    # The tray menu names them; choosing the third selects antenna 3.
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    check "choose antenna 3 by its name" choose_menu_item 2 8
    check "antenna 3 written" wait_until 10 byte_is 0x09

    # After a restart the names are back; cleared, the number is.
    stop_torvik
    start_torvik
    check "answers again" wait_until 40 ready
    check "names after a restart" names_listed $'1: Beverage North-East 240m\n2: Long Wire West 120 metre\n3: Mini-Whip on the roof 9m'
    check "clear 1" ctl_exit_code 0 names clear 1
    check "antenna 1 by its number" wait_until 5 button_text_is 1001 "Antenna 1"
}

lock_value() { ini_section_value "$case_dir/Torvik.ini" "${serial}_LOCK" "$1"; }
# The line under the window's controls (id 1041, shared with band following's status).
lock_line_is() { button_text_is 1041 "$1"; }
lock_line_gone() { controls | grep -qx 'control 1041 missing'; }

# The storm lock from the tray menu: the box goes all off and refuses a click, a hotkey and
# torvikctl set (WM_REMOTE_SET_STATE answers the locked mask; torvikctl's own exit code); a
# restart keeps it locked; unlocking from the tray brings back antenna 2.
case_storm_lock() {
    new_case storm_lock
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "antenna 2" ctl_says "mask 2" set 2
    check "written" wait_until 10 byte_is 0x0C
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    check "choose Lock: all antennas off" choose_menu_item 6 8
    check "all off written" wait_until 10 byte_is 0x08
    check "stored as locked" wait_until 5 test "$(lock_value LOCKED)" = 1
    check "the buttons are disabled" wait_until 5 control_disabled 1003
    check "the window's line says so" wait_until 5 lock_line_is "Locked: all antennas off"
    xdotool mousemove 0 0
    mkdir -p "$artifacts"
    sleep 0.5
    screenshot "$(visible_window)" "$artifacts/main-window-locked.png"
    local writes
    writes=$(count_writes)

    check "click Antenna 3" click_control 1003
    check "Torvik focused" focus_window 'TORVIK'
    xdotool key ctrl+KP_3
    check "torvikctl set is refused" ctl_exit_code 6 set 4
    check "the message answered the locked mask" grep -q "(mask 0)" "$case_dir/ctl.err"
    check "the state is still all off" ctl_says "mask 0 count 3" get
    check "nothing was written" test "$(count_writes)" -eq "$writes"
    check "the keyset keeps antenna 2" test "$(ini_value ANTENNA-2)" = 1

    stop_torvik
    start_torvik
    check "answers again" wait_until 40 ready
    check "still locked after a restart" ctl_says "locked: mask 0, protect mask 0" lock status
    check "and all off" byte_is 0x08
    check "the line again" wait_until 5 lock_line_is "Locked: all antennas off"
    check "menu opens" open_tray_menu 3
    check "choose Lock: all antennas off again" choose_menu_item 6 8
    check "antenna 2 is back" wait_until 10 byte_is 0x0C
    check "unlocked" ctl_says "unlocked: mask 2, protect mask 0" lock status
    check "the line goes with the lock" wait_until 5 lock_line_gone
}

run_names_lock_cases() {
    run_case names_by_menu_and_torvikctl case_names_by_menu_and_torvikctl
    run_case storm_lock case_storm_lock
}
