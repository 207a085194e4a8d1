# Antenna names in the Linux program, for tests/linux/run-all (which sources this file and calls
# run_names_lock_cases): a name given through an antenna button's own context menu shows on the
# button, in the tray menu and in torvikctl; torvikctl renames and refuses over the bus; the
# keyset section is left as it was; names survive a restart.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, click_at, ...).

names_value() { ini_section_value "$(ini_file)" "${serial}_NAMES" "$1"; }
keyset_lines() { ini_section_lines "$(ini_file)" "$section"; }
rename_dialog() { xdotool search --onlyvisible --name '^Rename Antenna' 2>/dev/null | head -1; }
rename_shown() { [ -n "$(rename_dialog)" ]; }
rename_gone() { [ -z "$(rename_dialog)" ]; }
names_listed() { ctl names; [ "$rc" -eq 0 ] && [ "$out" = "$1" ]; }

case_names_by_menu_and_torvikctl() {
    new_case names
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "box written" wait_until 20 last_write_is 0x0A
    # shellcheck disable=SC2046
    check "click Antenna 2" click_at $(antenna_centre 1)
    check "antenna 2 stored" wait_until 10 ini_has "ANTENNA-2=1"
    local keyset
    keyset=$(keyset_lines)

    # The button's own menu: a right click, "Rename...", the name typed, Enter.
    local window
    window=$(main_window)
    # shellcheck disable=SC2046
    check "pointer on Antenna 1" xdotool mousemove --window "$window" $(antenna_centre 0)
    xdotool click 3
    check "its menu opens" wait_until 10 menu_open
    check "choose Rename..." choose_menu_item 0 1
    check "the rename dialog opens" wait_until 10 rename_shown
    check "its field has the focus" focus_window "$(rename_dialog)"
    xdotool type --delay 20 "Beverage North-East 240m"
    mkdir -p "$artifacts"
    screenshot "$(rename_dialog)" "$artifacts/linux-rename-dialog.png"
    xdotool key Return
    check "the dialog closes" wait_until 10 rename_gone
    check "the name is stored" wait_until 10 test "$(names_value NAME-1)" = "Beverage North-East 240m"
    check "the keyset is as it was" test "$(keyset_lines)" = "$keyset"
    check "torvikctl lists it" names_listed $'1: Beverage North-East 240m\n2: Antenna 2 (no name)\n3: Antenna 3 (no name)'
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/linux-antenna-names.png"

    # torvikctl names over the bus; a refusal says why and stores nothing.
    check "name antenna 3" ctl_exit_code 0 names set 3 "Mini-Whip on the roof 9m"
    check "stored" test "$(names_value NAME-3)" = "Mini-Whip on the roof 9m"
    check "a line break is refused" ctl_exit_code 1 names set 2 $'Loop\nNW'
    check "with the reason" grep -q "line break" "$case_dir/ctl.err"
    check "not an ANSI character" ctl_exit_code 1 names set 2 "Loop NÖ"
    check "with the reason" grep -q "not a Unicode" "$case_dir/ctl.err"
    check "too long" ctl_exit_code 1 names set 2 "$(printf 'x%.0s' $(seq 25))"
    check "nothing stored for antenna 2" test -z "$(names_value NAME-2)"
    # Three long names share the row: each is cut with an ellipsis (seen in the screenshot).
    check "name antenna 2" ctl_exit_code 0 names set 2 "Long Wire West 120 metre"
    screenshot "$(main_window)" "$artifacts/linux-antenna-names-two.png"

    # The tray menu names them; choosing "Mini-Whip" selects antenna 3.
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    sleep 0.3
    import -window root "$artifacts/linux-tray-menu-names.png" >/dev/null 2>&1
    check "choose Mini-Whip" choose_menu_item 2 8
    check "antenna 3 written" wait_until 10 last_write_is 0x09

    # After a restart the names are back; cleared, the number is.
    stop_case
    start_torvik
    check "window again" wait_until 20 window_shown
    check "names after a restart" wait_until 10 names_listed $'1: Beverage North-East 240m\n2: Long Wire West 120 metre\n3: Mini-Whip on the roof 9m'
    check "clear 1" ctl_exit_code 0 names clear 1
    check "antenna 1 by its number" names_listed $'1: Antenna 1 (no name)\n2: Long Wire West 120 metre\n3: Mini-Whip on the roof 9m'
}

count_writes() { log_lines | grep -c '^WRITE '; }
lock_value() { ini_section_value "$(ini_file)" "${serial}_LOCK" "$1"; }

# The storm lock from the tray menu: the box goes all off and refuses a click, a hotkey,
# torvikctl set (its own exit code), a window message and the bus's SetState; a restart keeps
# it locked; unlocking from the tray brings back antenna 2.
case_storm_lock() {
    new_case storm_lock
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 2" ctl_says "mask 2" set 2
    check "written" wait_until 10 last_write_is 0x0C
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    check "choose Lock: all antennas off" choose_menu_item 6 8
    check "all off written" wait_until 10 last_write_is 0x08
    check "stored as locked" wait_until 5 test "$(lock_value LOCKED)" = 1
    # The lock's line under the controls (bands_cases.sh measures the window for it).
    check "the window grows by the lock's line" wait_until 5 status_line_shown
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/linux-main-window-locked.png"
    local writes
    writes=$(count_writes)

    # shellcheck disable=SC2046
    check "click Antenna 3" click_at $(antenna_centre 2)
    check "focus on the window" focus_window "$(main_window)"
    xdotool key ctrl+KP_3
    check "torvikctl set is refused" ctl_exit_code 6 set 4
    check "and says so" grep -q "locked" "$case_dir/ctl.err"
    check "a window message answers the locked mask" message_says "int64 0" 9924 4 0
    check "the bus's SetState too" test "$(timeout 20 dbus-send --session --print-reply=literal \
        --dest=de.velmora.Torvik /de/velmora/Torvik de.velmora.Torvik.SetState uint32:4 |
        sed 's/^ *//')" = "int64 0"
    check "the state is still all off" ctl_says "mask 0 count 3" get
    check "nothing was written" test "$(count_writes)" -eq "$writes"
    check "the keyset keeps antenna 2" ini_has "ANTENNA-2=1"

    stop_case
    start_torvik
    check "window again" wait_until 20 window_shown
    check "still locked after a restart" wait_until 10 ctl_says "locked: mask 0, protect mask 0" lock status
    check "and all off" wait_until 10 last_write_is 0x08
    check "the lock's line again" wait_until 5 status_line_shown
    check "menu opens" open_tray_menu 3
    check "choose Lock: all antennas off again" choose_menu_item 6 8
    check "antenna 2 is back" wait_until 10 last_write_is 0x0C
    check "unlocked" ctl_says "unlocked: mask 2, protect mask 0" lock status
    check "the line goes with the lock" wait_until 5 status_line_gone
}

run_names_lock_cases() {
    run_case names_by_menu_and_torvikctl case_names_by_menu_and_torvikctl
    run_case storm_lock case_storm_lock
}
