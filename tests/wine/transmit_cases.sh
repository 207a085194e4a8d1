# Antennas off while transmitting in Torvik.exe, for tests/wine/run-all (which sources this file
# after bands_cases.sh and device_cases.sh and calls run_transmit_cases): a real rigctld whose
# dummy rig rigctl keys and unkeys, with protection switched on in the Band following dialog;
# a click and torvikctl set refused while keyed; the chosen
# antennas back after the hang time; then a rigctld that cannot tell: nothing switched.
# Uses run-all's helpers and those of bands_cases.sh (bands_status_is, byte_is,
# open_bands_dialog, click_dialog_units) and device_cases.sh (click_control).

write_following_plan() {   # 145 MHz lies in the one rule: antenna 3; protection as given
    {
        printf '[%s]\r\n' "$bands_section"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=127.0.0.1:$rig_port" "RULE-1=30000001,3000000000,4" "$@"
    } > "$case_dir/Torvik.ini"
}

case_transmit_protection() {
    new_case transmit
    plug_box
    rig_ptt=RIG
    check "rigctld started, keyable" start_rig
    rig_ptt=""
    write_following_plan
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "145 MHz selects antenna 3" wait_until 10 byte_is 0x09

    # Protection switched on in the dialog, with a hang time of 1000 ms (far from the default
    # 300 ms and from none). Antenna 3 has a name, which the dialog gives the rule's mask.
    check "antenna 3 named" ctl_exit_code 0 names set 3 Discone
    open_bands_dialog
    local dialog
    dialog=$(xdotool search --onlyvisible --name '^Band following$' | head -1)
    check "the rule's mask by name" wait_until 5 dialog_says "Antennas: 1 Discone"
    check "Antennas off while transmitting" click_dialog_units "$dialog" 80 171 252 200
    check "hang time field" click_dialog_units "$dialog" 229 170 252 200
    xdotool key End
    xdotool key --repeat 6 --delay 20 BackSpace
    xdotool type --delay 30 "1000"
    check "OK" click_dialog_units "$dialog" 222 190 252 200
    check "dialog closed" wait_until 10 window_gone_named '^Band following$'
    check "stored: protection on" test "$(bands_ini_value TXPROTECT)" = 1
    check "stored: hang time" test "$(bands_ini_value TXHANG)" = 1000

    check "keyed by rigctl" key_rig 1
    check "the protect mask written" wait_until 5 byte_is 0x08
    check "status says so" bands_status_is "transmitting — antennas off"
    check "the buttons are disabled" wait_until 5 control_disabled 1001
    local writes
    writes=$(count_writes)
    check "click Antenna 1" click_control 1001
    check "torvikctl set is refused" ctl_exit_code 6 set 1
    check "and says why" grep -q "the radio is transmitting" "$case_dir/ctl.err"
    check "still keyed: nothing written" test "$(count_writes)" -eq "$writes"
    xdotool mousemove 0 0
    mkdir -p "$artifacts"
    screenshot "$(visible_window)" "$artifacts/main-window-transmitting.png"

    # rigctl returns some 60 ms after the rig has gone back to receive: the hang time of 1000 ms
    # shows as at least 800 ms after it.
    local unkeyed restored
    check "unkeyed" key_rig 0
    unkeyed=$(now_ms)
    check "antenna 3 back" wait_until 5 byte_is 0x09
    restored=$(now_ms)
    check "not before the hang time" test $((restored - unkeyed)) -ge 800
    check "the same click now works" click_control 1001
    check "antenna 1 written" wait_until 5 byte_is 0x0A
    stop_rig

    # A rigctld without the rig's own PTT answers "t" with RPRT -11.
    check "rigctld started, no transmit state" start_rig
    check "torvikctl chooses it" ctl_exit_code 0 bands source "127.0.0.1:$rig_port"
    check "status: cannot tell" wait_until 10 bands_status_is \
        "following 145.000 MHz; Transmit state unknown: the radio cannot tell"
    check "the clicked antenna 1 kept in the same band" byte_is 0x0A
    writes=$(count_writes)
    key_rig 1   # refused by this rigctld
    check "following goes on" tune 7100000
    check "the new frequency was read" wait_until 5 bands_status_is \
        "following 7.100 MHz (no rule); Transmit state unknown: the radio cannot tell"
    check "nothing switched" test "$(count_writes)" -eq "$writes"
    stop_rig
}

run_transmit_cases() {
    command -v rigctld >/dev/null || return 0   # bands_cases.sh already fails for its absence
    run_case transmit_protection case_transmit_protection
}
