# Antennas off while transmitting in the Linux program, for tests/linux/run-all (which sources
# this file after bands_cases.sh and calls run_transmit_cases): a real rigctld whose dummy rig
# rigctl keys and unkeys, with protection switched on in the Band following dialog; a click
# and torvikctl set refused while keyed; the chosen antennas
# back after the hang time; a rigctld that cannot tell the transmit state switches nothing.
# Uses run-all's and bands_cases.sh's helpers (new_case, plug_box, ctl, bands_status_is, ...).

write_following_plan() {   # 145 MHz lies in the one rule: antenna 3; protection as given
    mkdir -p "$(dirname "$(ini_file)")"
    {
        printf '[%s]\r\n' "$(bands_section_of)"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=127.0.0.1:$rig_port" "RULE-1=30000001,3000000000,4" "$@"
    } > "$(ini_file)"
}
# dialog_click WINDOW X Y: a real click at dialog units of the Band following dialog (base
# units 6 x 13).
dialog_click() { xdotool mousemove --window "$1" $(($2 * 6 / 4)) $(($3 * 13 / 8)) click 1; }

case_transmit_protection() {
    new_case transmit
    plug_box
    rig_ptt=RIG
    check "rigctld started, keyable" start_rig
    rig_ptt=""
    write_following_plan
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "145 MHz selects antenna 3" wait_until 15 last_write_is 0x09

    # Protection switched on in the dialog, with a hang time of 1000 ms (far from the default
    # 300 ms and from none).
    open_bands_dialog
    local dialog
    dialog=$(bands_dialog)
    check "Antennas off while transmitting" dialog_click "$dialog" 80 171
    check "hang time field" dialog_click "$dialog" 229 170
    xdotool key End
    xdotool key --repeat 6 --delay 20 BackSpace
    xdotool type --delay 20 "1000"
    check "OK" dialog_click "$dialog" 222 190
    check "dialog closed" wait_until 10 bands_dialog_gone
    check "stored: protection on" test "$(ini_value "$(bands_section_of)" TXPROTECT)" = 1
    check "stored: hang time" test "$(ini_value "$(bands_section_of)" TXHANG)" = 1000

    check "keyed by rigctl" key_rig 1
    check "the protect mask written" wait_until 5 last_write_is 0x08
    check "status says so" bands_status_is "transmitting — antennas off"
    check "torvikctl lock status says so" \
        ctl_says "transmitting: mask 0, protect mask 0" lock status
    local writes
    writes=$(count_writes)
    # shellcheck disable=SC2046
    check "click Antenna 1" click_at $(antenna_centre 0)
    check "torvikctl set is refused" ctl_exit_code 6 set 1
    check "and says why" grep -q "the radio is transmitting" "$case_dir/ctl.err"
    check "still keyed: nothing written" test "$(count_writes)" -eq "$writes"
    check "nothing stored" test "$(ini_value "$section" ANTENNA-1)" != 1
    xdotool mousemove 0 0   # no button under the pointer in the picture
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/linux-main-window-transmitting.png"

    # rigctl returns some 60 ms after the rig has gone back to receive: the hang time of 1000 ms
    # shows as at least 800 ms after it.
    local unkeyed restored
    check "unkeyed" key_rig 0
    unkeyed=$(now_ms)
    check "antenna 3 back" wait_until 5 last_write_is 0x09
    restored=$(now_ms)
    check "not before the hang time" test $((restored - unkeyed)) -ge 800
    check "status follows again" wait_until 5 bands_status_is "following 145.000 MHz"
    # shellcheck disable=SC2046
    check "the same click now works" click_at $(antenna_centre 0)
    check "antenna 1 written" wait_until 5 last_write_is 0x0A
    stop_rig
}

case_transmit_state_unknown() {
    new_case transmit_unknown
    plug_box
    check "rigctld started, no transmit state" start_rig
    write_following_plan "TXPROTECT=1"
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "145 MHz selects antenna 3" wait_until 15 last_write_is 0x09
    check "status: cannot tell" wait_until 10 bands_status_is \
        "following 145.000 MHz; Transmit state unknown: the radio cannot tell"
    local writes
    writes=$(count_writes)
    key_rig 1   # refused by this rigctld
    check "following goes on" tune 7100000
    check "the new frequency was read" wait_until 5 bands_status_is \
        "following 7.100 MHz (no rule); Transmit state unknown: the radio cannot tell"
    check "nothing switched" test "$(count_writes)" -eq "$writes"
    check "changes still go through" ctl_says "mask 1" set 1
    stop_rig
}

run_transmit_cases() {
    command -v rigctld >/dev/null || return 0   # bands_cases.sh already fails for its absence
    run_case transmit_protection case_transmit_protection
    run_case transmit_state_unknown case_transmit_state_unknown
}
