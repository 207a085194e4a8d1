# Band following in the Linux program, for tests/linux/run-all (which sources this file and calls
# run_bands_cases): torvik follows a real rigctld (Hamlib's dummy rig) tuned by rigctl, changes
# nothing while the source is gone and resumes when it is back; the Band following dialog opens
# from the tray menu and torvikctl edits the same rules over the bus.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, last_write, ...).

bands_section_of() { echo "${serial}_BANDS"; }

ini_value() {   # ini_value SECTION KEY
    tr -d '\r' 2>/dev/null < "$(ini_file)" |
        awk -v s="[$1]" -v k="$2" '
            /^\[/ { inside = (tolower($0) == tolower(s)) }
            inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
bands_status_is() { ctl bands; [ "$rc" -eq 0 ] && grep -qxF "status: $1" <<<"$out"; }
antennas_stored() {   # antennas_stored A1/A2/A3: the keyset's ANTENNA-n values
    [ "$(ini_value "$section" ANTENNA-1)/$(ini_value "$section" ANTENNA-2)/$(ini_value "$section" ANTENNA-3)" = "$1" ]
}
count_writes() { log_lines | grep -c '^WRITE '; }
window_height() {
    local WINDOW=0 X=0 Y=0 WIDTH=0 HEIGHT=0 SCREEN=0
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    echo "$HEIGHT"
}
bands_dialog() { xdotool search --onlyvisible --name '^Band following$' 2>/dev/null | head -1; }
bands_dialog_shown() { [ -n "$(bands_dialog)" ]; }
bands_dialog_gone() { [ -z "$(bands_dialog)" ]; }
message_shown() { [ -n "$(xdotool search --onlyvisible --name '^Band rules$' 2>/dev/null)" ]; }
message_gone() { ! message_shown; }
# The status line goes under the template's 109 units (177 pixels with the base units 6 x 13).
status_line_shown() { [ "$(window_height "$(main_window)")" -gt 177 ]; }
status_line_gone() { [ "$(window_height "$(main_window)")" -le 177 ]; }

# open_bands_dialog: the "Band following" item of the tray menu (Antenna 1, 2, 3, open Dialog,
# Band following, MQTT, Lock, Exit) as steps of the running case, until the dialog shows.
open_bands_dialog() {
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    check "choose Band following" choose_menu_item 4 8
    check "dialog shown" wait_until 15 bands_dialog_shown
}

case_bands_follow_rigctld() {
    new_case bands_follow
    plug_box
    check "rigctld started" start_rig
    mkdir -p "$(dirname "$(ini_file)")"
    {
        printf '[%s]\r\n' "$(bands_section_of)"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=127.0.0.1:$rig_port" "RULE-1=1800000,2000000,1" \
            "RULE-2=3500000,30000000,2" "RULE-3=30000001,3000000000,4"
    } > "$(ini_file)"
    start_torvik
    check "window shown" wait_until 20 window_shown
    # Antenna 1 at the start; the dummy rig's 145 MHz lies in rule 3.
    check "145 MHz selects antenna 3" wait_until 15 last_write_is 0x09
    check "status says so" wait_until 10 bands_status_is "following 145.000 MHz"
    check "a status line under the controls" wait_until 5 status_line_shown
    check "tune to 7.1 MHz" tune 7100000
    check "antenna 2 written" wait_until 5 last_write_is 0x0C
    check "and stored" wait_until 5 antennas_stored "0/1/0"
    check "status follows" wait_until 5 bands_status_is "following 7.100 MHz"
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/linux-main-window-band-following.png"

    # The source goes away: nothing changes, the status says so.
    local writes
    writes=$(count_writes)
    stop_rig
    check "status: not reachable" \
        wait_until 15 bands_status_is "rig not reachable at 127.0.0.1:$rig_port"
    check "the program still answers" ctl_says "mask 2 count 3" get
    check "nothing written meanwhile" test "$(count_writes)" -eq "$writes"

    # It comes back at 145 MHz: following resumes with the next reconnect.
    check "rigctld back" start_rig "$rig_port"
    check "antenna 3 again" wait_until 40 last_write_is 0x09
    check "tune to 1.9 MHz" tune 1900000
    check "antenna 1" wait_until 5 last_write_is 0x0A

    # The dialog from the tray menu shows the stored rules; a mask above 7 is refused with a
    # message and stores nothing.
    open_bands_dialog
    local dialog
    dialog=$(bands_dialog)
    screenshot "$dialog" "$artifacts/linux-band-following-dialog.png"
    # The rules field (dialog units 5,71 .. 247,151 with base units 6 x 13): after the last line.
    check "rules field" xdotool mousemove --window "$dialog" 300 200 click 1
    xdotool key ctrl+End
    xdotool type --delay 20 "200000000 300000000 9"
    xdotool key Return
    check "OK" xdotool mousemove --window "$dialog" $(( (197 + 25) * 6 / 4 )) $(( (184 * 2 + 13) * 13 / 16 )) click 1
    check "a message names the mistake" wait_until 10 message_shown
    check "nothing stored" test -z "$(ini_value "$(bands_section_of)" RULE-4)"
    xdotool key Return
    check "message closed" wait_until 10 message_gone
    check "rules field again" xdotool mousemove --window "$dialog" 300 200 click 1
    xdotool key ctrl+End BackSpace BackSpace 7
    check "OK again" xdotool mousemove --window "$dialog" $(( (197 + 25) * 6 / 4 )) $(( (184 * 2 + 13) * 13 / 16 )) click 1
    check "dialog closed" wait_until 10 bands_dialog_gone
    check "rule 4 stored" test "$(ini_value "$(bands_section_of)" RULE-4)" = "200000000,300000000,7"

    # torvikctl edits the same rules; the keyset stays untouched.
    check "torvikctl lists the dialog's rule" ctl_exit_code 0 bands
    check "rule 4 listed" grep -qx "4: 200000000 to 300000000 Hz, mask 7" <<<"$out"
    check "set rule 1 to 1.8-2 MHz, antenna 3" ctl_exit_code 0 bands set 1 1800000 2000000 4
    check "applied at once" wait_until 10 last_write_is 0x09
    check "stored" test "$(ini_value "$(bands_section_of)" RULE-1)" = "1800000,2000000,4"
    check "a bad mask is refused" ctl_exit_code 1 bands add 1 2 8
    check "with a message" grep -q "is not an antenna mask" "$case_dir/ctl.err"
    check "off" ctl_exit_code 0 bands off
    check "status off" bands_status_is "off"
    check "the status line goes" wait_until 5 status_line_gone
    stop_rig
}

case_bands_without_hamlib() {
    check "rigctld and rigctl installed (Debian's libhamlib-utils)" false
}

run_bands_cases() {
    if ! command -v rigctld >/dev/null || ! command -v rigctl >/dev/null; then
        run_case bands_follow_rigctld case_bands_without_hamlib
        return
    fi
    run_case bands_follow_rigctld case_bands_follow_rigctld
}
