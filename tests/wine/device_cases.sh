# Cases of the link to the box for tests/wine/run-all, which sources this file and calls
# run_device_cases: the stand-in driver as the vendor's behaves (exclusive opens, devices held
# by another program, whole lists, short writes), and how Torvik.exe meets each of these: the
# message box with the device closed, one write per change, a held box, failed writes, and a
# driver library of the wrong architecture.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl_says, check, log_lines, ...).

error_windows() { xdotool search --onlyvisible --name '^Error$' 2>/dev/null; }
error_count() { error_windows | grep -c .; }
one_error_shown() { [ "$(error_count)" -eq 1 ]; }
no_error_shown() { [ "$(error_count)" -eq 0 ]; }
# no_error_box: Wine has no message box Error. Asked after a torvikctl answer, it is sure: the
# answer comes from a message loop, the main window's (what ran before is done) or a new box's
# (which exists by then).
no_error_box() { ! wine_output "$probe_exe" dialog Error >/dev/null; }
close_error() {   # close_error: a click on the open message box's OK button
    local id
    id=$(error_windows | head -1)
    [ -n "$id" ] || return 1
    click_control 1 Error && wait_until 10 window_gone "$id"
}
# The case's driver file is the stand-in built here, whatever the program embeds.
use_standin() { cp "$standin_dll" "$case_dir/FTD2XX.dll"; }
status_text() { controls | awk '$1 == "control" && $2 == 1009 { sub(/.* text /, ""); print }'; }
status_says() { [ "$(status_text)" = "$1" ]; }
# click_control ID [TITLE]: a real click on the middle of a control of the main window (or of
# the window titled TITLE).
click_control() {
    local x y
    read -r x y < <(wine_output "$probe_exe" centre "$@")
    [ -n "$y" ] || return 1
    xdotool mousemove "$x" "$y" click 1
}
# replug [FLAGS]: the box out, seen gone, and in again (with FLAGS). A change of flags alone
# is no change of devices and sends no notice.
no_box() { [ "$(log_lines | grep '^LIST' | tail -1)" = "LIST 0" ]; }
replug() { unplug_all; wait_until 15 no_box && plug_box "$@"; }
count_lines() { log_lines | grep -c "$1"; }
# tray_tip_says TEXT: hovering over the tray icon shows TEXT as its tip.
tray_tip_says() {
    point_at_tray_icon || return 1
    xdotool mousemove_relative 1 0
    wait_until 8 tooltip_shows "$1"
}
tooltip_shows() { wine_output "$probe_exe" tooltips | grep -qxF "tooltip $1"; }
differs() { ! cmp -s "$1" "$2"; }
shot_main() {   # shot_main NAME: a picture of the main window for build/artifacts
    mkdir -p "$artifacts"
    sleep 0.5
    screenshot "$(visible_window)" "$artifacts/$1.png"
}

case_standin_as_the_driver() {
    new_case standin_driver
    {
        printf 'A1MIRVAX8\t0x11\tfree box\n'
        printf 'B2ZELKOR5\t0x22\tbox in use\theld\n'
        printf 'C3\t0x33\tslow box\tshort-write\n'
    } > "$case_dir/devices.txt"
    local nodes
    nodes=$(probe nodes 1)
    check "the whole list whatever the room: $nodes" grep -qx 'count 3 status 0 written 3' <<<"$nodes"
    check "a free device in full" grep -qxF "node flags 0 serial 'A1MIRVAX8' location 0x00000011 description 'free box'" <<<"$nodes"
    check "a held device: opened flag, nothing else" grep -qxF "node flags 1 serial '' location 0x00000000 description ''" <<<"$nodes"
    check "a held device cannot be opened" grep -qx 'open 3' <<<"$(probe cycle 0x22 0x0A)"
    check "a short write succeeds having taken nothing" grep -qx 'write 0 written 0' <<<"$(probe cycle 0x33 0x0A)"
    check "and the log says so" log_has "WRITE 0x0A 0 short"
}

# The refused mode's message box runs a message loop: a device notice inside it searches and
# writes again, and must find the box closed, where it is, and raise no second box.
case_device_box_while_open() {
    new_case box_while_open
    use_standin
    plug_box bitmode-fails
    start_torvik
    check "message box Error" wait_until 40 one_error_shown
    local opens
    opens=$(count_lines '^OPEN')
    printf 'FT9OTHER\t0x77\tanother device\n' >> "$case_dir/devices.txt"
    last_open() { log_lines | grep '^OPEN' | tail -1; }
    searched_again() { [ "$(count_lines '^OPEN')" -gt "$opens" ]; }
    check "the arrival is searched and written inside the box" wait_until 15 searched_again
    check "and finds the box where it is" test "$(last_open)" = "OPEN $location 0"
    check "answers after the search" ready
    check "the window manager caught up" wm_caught_up
    check "one message box, not $(error_count)" one_error_shown
    check "closed" close_error
    check "answers after the box" ready
    check "no second box after it" no_error_box
    # The box takes the mode from now on; without a replug, so no notice and no new search.
    { printf '%s\t%s\t%s\n' "$serial" "$location" "Antenna switch"
      printf 'FT9OTHER\t0x77\tanother device\n'; } > "$case_dir/devices.new"
    mv "$case_dir/devices.new" "$case_dir/devices.txt"
    check "set 2" ctl_says "mask 2" set 2
    check "the change opens the box where it is" test "$(last_open)" = "OPEN $location 0"
    check "and writes it" test "$(last_write)" = 0x0C
}

# A click writes the box once; a box that refuses the mode is told once, not once per write.
case_device_one_write_per_change() {
    new_case one_write_per_change
    use_standin
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "the start writes once" test "$(count_lines '^OPEN')" -eq 1
    local opens
    opens=$(count_lines '^OPEN')
    check "click on Antenna 2" click_control 1002
    check "antenna 2 chosen" wait_until 10 ctl_says "mask 2 count 3" get
    check "one write for the click, not $(($(count_lines '^OPEN') - opens))" \
        test "$(count_lines '^OPEN')" -eq $((opens + 1))
    check "the byte of antenna 2" test "$(last_write)" = 0x0C
    check "replugged" replug bitmode-fails
    check "a box refusing the mode: one message box" wait_until 20 one_error_shown
    check "closed" close_error
    check "answers after the box" ready
    check "and no further one" no_error_box
    opens=$(count_lines '^OPEN')
    check "window focused" focus_window 'TORVIK'
    check "click on Antenna Mixer" click_control 1006
    check "mixer mode" wait_until 10 eval '[ "$(ini_value SWITCHMIXER)" = 1 ]'
    check "answers after the click" ready
    check "the same refusal is not told again" no_error_box
    check "one write for the click" test "$(count_lines '^OPEN')" -eq $((opens + 1))
}

# A box held by another program is not "no Device": it is shown as in use, and looked at again
# until the other program lets go, which sends no device notice.
case_device_held_elsewhere() {
    new_case held_elsewhere
    use_standin
    plug_box held
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "status: in use, not '$(status_text)'" wait_until 10 status_says "Device in use by another program"
    check "status text shown" control_shown 1009
    shot_main main-window-device-in-use
    check "tray tip: in use" tray_tip_says "Karrow Antenna Control - device in use"
    screenshot root "$artifacts/tray-tip-device-in-use.png"
    check "no box while held" ctl_says "mask 1 count 0" get
    # The same device, let go: its line changes in one step, and no notice comes.
    printf '%s\t%s\t%s\n' "$serial" "$location" "Antenna switch" > "$case_dir/devices.new"
    mv "$case_dir/devices.new" "$case_dir/devices.txt"
    check "found once free" wait_until 15 ctl_says "mask 1 count 3" get
    check "and written" wait_until 5 log_has "WRITE 0x0A 0"
    check "antenna buttons shown" wait_until 5 control_shown 1001
    check "status text hidden" control_hidden 1009
    local lists
    lists=$(count_lines '^LIST')
    sleep 5
    check "no more looking once found" test "$(count_lines '^LIST')" -eq "$lists"
}

# A failed write is shown until a write succeeds; the chosen state is kept and written at the
# next arrival; the write's timeout is bounded.
case_device_failed_writes() {
    new_case failed_writes
    use_standin
    plug_box write-fails
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "the write timeout is set before the write" \
        test "$(log_lines | grep -v '^LIST' | head -3 | tr '\n' ,)" = "OPEN $location 0,TIMEOUTS 500 500 0,BITMODE 0xFF 0x01 0,"
    check "status: not taken, not '$(status_text)'" wait_until 10 status_says "Device did not take the setting"
    check "status text shown" control_shown 1009
    check "in place of the antenna buttons" control_hidden 1001
    check "the options stay usable" control_enabled 1006
    shot_main main-window-write-failed
    check "tray tip: write failed" tray_tip_says "Karrow Antenna Control - write failed"
    check "set 4 keeps the choice" ctl_says "mask 4" set 4
    check "and stores it" test "$(ini_value ANTENNA-3)" = 1
    check "still failing" status_says "Device did not take the setting"
    check "replugged" replug short-write
    check "a short write fails too" wait_until 15 log_has "WRITE 0x09 0 short"
    check "still shown" status_says "Device did not take the setting"
    check "replugged" replug
    check "the chosen antenna is written at the arrival" wait_until 15 log_has "WRITE 0x09 0"
    check "status text hidden" wait_until 10 control_hidden 1009
    check "antenna buttons back" control_shown 1003
    check "tray tip back to the name" tray_tip_says "Karrow Antenna Control"
}

# A driver library of the other architecture in the program folder: the system folder's driver
# is used; without one, the status line says that no usable driver was found.
case_device_wrong_architecture_driver() {
    new_case wrong_architecture
    use_standin
    local offset system_dll="$WINEPREFIX/drive_c/windows/system32/FTD2XX.dll"
    offset=$(od -An -tu4 -j60 -N4 "$case_dir/FTD2XX.dll" | tr -d ' ')
    printf '\x4c\x01' | dd of="$case_dir/FTD2XX.dll" bs=1 seek=$((offset + 4)) conv=notrunc status=none
    cp "$standin_dll" "$system_dll"
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "the box through the system folder's driver" ctl_says "mask 1 count 3" get
    check "the program folder's file is left alone" differs "$case_dir/FTD2XX.dll" "$standin_dll"
    check "exit" ctl_says "1 hidden flag clear" exit
    check "program ended" wait_until 15 gone "${torvik_pids[0]}"
    rm -f "$system_dll"
    start_torvik
    check "answers again" wait_until 40 ready
    check "no box without a usable driver" ctl_says "mask 1 count 0" get
    check "status: no usable driver, not '$(status_text)'" status_says "no usable FTD2XX driver --- reinstall it"
    shot_main main-window-no-driver
}

run_device_cases() {
    run_case standin_as_the_driver case_standin_as_the_driver standin
    run_case device_box_while_open case_device_box_while_open
    run_case device_one_write_per_change case_device_one_write_per_change
    run_case device_held_elsewhere case_device_held_elsewhere
    run_case device_failed_writes case_device_failed_writes
    run_case device_wrong_architecture_driver case_device_wrong_architecture_driver
    rm -f "$WINEPREFIX/drive_c/windows/system32/FTD2XX.dll"
}
