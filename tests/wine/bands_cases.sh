# Cases of band following for tests/wine/run-all, which sources this file and calls
# run_bands_cases: Torvik.exe follows a real rigctld (Hamlib's dummy rig) that rigctl tunes,
# survives the source going away and coming back, and the Band following dialog (opened from
# the tray menu) and torvikctl edit the same rules.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, last_write, ...).

bands_section="${serial}_BANDS"
main_title_text='TORVIK - Antenna Switch and Mixer Control'

bands_ini_value() {   # bands_ini_value KEY: the value of KEY in the box's bands section
    tr -d '\r' 2>/dev/null < "$case_dir/Torvik.ini" |
        awk -v s="[$bands_section]" -v k="$1" '
            /^\[/ { inside = (tolower($0) == tolower(s)) }
            inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
# bands_status_is TEXT: torvikctl bands reports this status.
bands_status_is() { ctl bands; [ "$rc" -eq 0 ] && grep -qxF "status: $1" <<<"$out"; }
byte_is() { [ "$(last_write)" = "$1" ]; }
main_texts() { wine_output "$probe_exe" dialog "$main_title_text"; }
main_status_is() { main_texts | grep -qxF "text $1"; }
# band_tip_shows LINE: hovering over the tray icon shows a tip with this line.
band_tip_shows() {
    point_at_tray_icon || return 1
    xdotool mousemove_relative 1 0
    wait_until 8 tip_has_line "$1"
}
tip_has_line() { wine_output "$probe_exe" tooltips | grep -qxF "$1"; }

antennas_2_and_3_stored() { test "$(ini_value ANTENNA-2)/$(ini_value ANTENNA-3)" = "$1"; }

# open_bands_dialog: the "Band following" item of the tray menu (Antenna 1, 2, 3, open Dialog,
# Band following, MQTT, Lock, Exit) as steps of the running case, until the dialog shows.
open_bands_dialog() {
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 1
    check "choose Band following" choose_menu_item 4 8
    check "dialog shown" wait_until 15 xdotool search --onlyvisible --name '^Band following$'
}

case_bands_follow_rigctld() {
    new_case bands_follow
    plug_box
    check "rigctld started" start_rig
    {
        printf '[%s]\r\n' "$bands_section"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=127.0.0.1:$rig_port" "RULE-1=1800000,2000000,1" \
            "RULE-2=3500000,30000000,2" "RULE-3=30000001,3000000000,4"
    } > "$case_dir/Torvik.ini"
    start_torvik
    check "answers" wait_until 40 ready
    # Antenna 1 at the start; the dummy rig's 145 MHz lies in rule 3.
    check "145 MHz selects antenna 3" wait_until 10 byte_is 0x09
    check "status in the main window" wait_until 10 main_status_is "following 145.000 MHz"
    check "tune to 7.1 MHz" tune 7100000
    check "antenna 2 written" wait_until 5 byte_is 0x0C
    # The keys are stored after the byte is written: wait for them as for the byte.
    check "and stored" wait_until 5 antennas_2_and_3_stored "1/0"
    check "status follows" wait_until 5 bands_status_is "following 7.100 MHz"
    check "tray icon docked" wait_until 20 tray_docked
    check "the tray tip says it under the name" band_tip_shows "following 7.100 MHz"
    check "the name stays first" tip_has_line "tooltip Karrow Antenna Control"
    # Away from the icon: a pointer over it would clear the hidden flag of later cases.
    xdotool mousemove 0 0
    mkdir -p "$artifacts"
    screenshot "$(visible_window)" "$artifacts/main-window-band-following.png"

    # A manual choice holds while the band stays.
    check "antenna 1 by hand" ctl_says "mask 1" set 1
    check "tune within the band" tune 7074000
    check "the new frequency was read" wait_until 5 bands_status_is "following 7.074 MHz"
    check "antenna 1 kept" ctl_says "mask 1 count 3" get
    check "byte kept" byte_is 0x0A

    # The source goes away: nothing changes, the status says so.
    local writes
    writes=$(count_writes)
    stop_rig
    check "status: not reachable" \
        wait_until 15 bands_status_is "rig not reachable at 127.0.0.1:$rig_port"
    check "main window says so too" main_status_is "rig not reachable at 127.0.0.1:$rig_port"
    check "the program still answers" ctl_says "mask 1 count 3" get
    check "nothing written meanwhile" test "$(count_writes)" -eq "$writes"

    # It comes back (at 145 MHz again): following resumes with the next reconnect.
    check "rigctld back" start_rig "$rig_port"
    check "antenna 3 again" wait_until 40 byte_is 0x09
    check "tune to 1.9 MHz" tune 1900000
    check "antenna 1" wait_until 5 byte_is 0x0A
    stop_rig
}

case_bands_dialog_and_torvikctl() {
    new_case bands_dialog
    plug_box
    check "rigctld started" start_rig
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "following is off at first" bands_status_is "off"
    open_bands_dialog
    local dialog
    dialog=$(xdotool search --onlyvisible --name '^Band following$' | head -1)
    bands_click() { click_dialog_units "$dialog" "$1" "$2" 252 200; }
    check "follow switched on" bands_click 126 13
    check "source field" bands_click 197 31
    # No modifier keys: a synthetic shift can stay down in the Wine server for later cases.
    xdotool key End
    xdotool key --repeat 24 --delay 20 BackSpace
    xdotool type --delay 30 "127.0.0.1:$rig_port"
    check "rules field" bands_click 126 110
    xdotool type --delay 30 "30000000 3000000000 4"
    xdotool key Return
    xdotool type --delay 30 "100000000 150000000 9"
    check "OK" bands_click 222 190
    check "a message names the mistake" wait_until 10 xdotool search --onlyvisible --name '^Band rules$'
    local message
    message=$(wine_output "$probe_exe" dialog "Band rules")
    check "its text: $message" grep -q "line 2: mask: '9' is not an antenna mask" <<<"$message"
    check "nothing stored yet" test -z "$(bands_ini_value FOLLOW)"
    # A real key press on the focused message box: a key sent to a window (XSendEvent) leaves
    # Wine's keyboard state askew for the cases after this one.
    check "message box focused" focus_window '^Band rules$'
    xdotool key Return
    check "message closed" wait_until 10 window_gone_named '^Band rules$'
    check "rules field again" bands_click 126 110
    xdotool key BackSpace
    xdotool type --delay 30 "2"
    check "the overlap is noted" wait_until 5 dialog_says \
        "rules 1 and 2 overlap; the first wins, rule 1 from 100000000 to 150000000 Hz"
    mkdir -p "$artifacts"
    screenshot "$dialog" "$artifacts/band-following-dialog.png"
    check "OK" bands_click 222 190
    check "dialog closed" wait_until 10 window_gone_named '^Band following$'
    check "stored: on" test "$(bands_ini_value FOLLOW)" = 1
    check "stored: source" test "$(bands_ini_value SOURCE)" = "127.0.0.1:$rig_port"
    check "stored: rule 2" test "$(bands_ini_value RULE-2)" = "100000000,150000000,2"
    check "145 MHz: the first rule wins, antenna 3" wait_until 10 byte_is 0x09

    # torvikctl sees and edits the same rules.
    ctl bands
    local listing=$out
    check "torvikctl lists the dialog's rules" grep -qx "1: 30000000 to 3000000000 Hz, mask 4" <<<"$listing"
    check "and notes the overlap" grep -q "^note: rules 1 and 2 overlap" <<<"$listing"
    check "set rule 1 to 140-146 MHz, antenna 2" ctl_exit_code 0 bands set 1 140000000 146000000 2
    check "stored" test "$(bands_ini_value RULE-1)" = "140000000,146000000,2"
    check "the changed rule applies at once" wait_until 10 byte_is 0x0C
    check "a bad mask is refused" ctl_exit_code 1 bands add 1 2 8
    check "with a message" grep -q "is not an antenna mask" "$case_dir/ctl.err"
    check "from above to is refused" ctl_exit_code 1 bands set 2 9 1 1
    check "rule 2 unchanged" test "$(bands_ini_value RULE-2)" = "100000000,150000000,2"
    check "clear rule 2" ctl_exit_code 0 bands clear 2
    check "RULE-2 emptied" test -z "$(bands_ini_value RULE-2)"
    check "off" ctl_exit_code 0 bands off
    check "status off" bands_status_is "off"
    check "the keyset untouched by all this" test "$(ini_value ANTENNA-2)" = 1
    stop_rig
}

click_dialog_units() {   # click_dialog_units WINDOW X Y W H (dialog units of a W x H template)
    local WINDOW=0 X=0 Y=0 WIDTH=0 HEIGHT=0 SCREEN=0
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    [ "$WIDTH" -gt 0 ] && [ "$HEIGHT" -gt 0 ] || return 1
    xdotool mousemove --window "$1" $(($2 * WIDTH / $4)) $(($3 * HEIGHT / $5)) click 1
    sleep 0.3
}
window_gone_named() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
dialog_says() { wine_output "$probe_exe" dialog "Band following" | grep -qF "$1"; }

case_bands_without_hamlib() {
    check "rigctld and rigctl installed (Debian's libhamlib-utils)" false
}

run_bands_cases() {
    if ! command -v rigctld >/dev/null || ! command -v rigctl >/dev/null; then
        run_case bands_follow_rigctld case_bands_without_hamlib
        return
    fi
    run_case bands_follow_rigctld case_bands_follow_rigctld
    run_case bands_dialog_and_torvikctl case_bands_dialog_and_torvikctl
}
