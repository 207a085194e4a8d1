# Band following from flrig, a logger's RadioInfo and WSJT-X in the Linux program, for
# tests/linux/run-all (which sources this file after bands_cases.sh and calls
# run_bands_source_cases): a real flrig in test mode tuned over its XML-RPC, datagrams from the
# test sender as those programs send them, a hostile flood and a silent source that change
# nothing, and the source chosen in the dialog and by torvikctl.

sender() { "$build/tests/source_sender/source_sender" "$@"; }
flrig_pid=""
flrig_port=12345   # flrig's own default; test mode keeps it
flrig_answers() { sender flrig-set "$flrig_port" "$1"; }
start_flrig() {
    mkdir -p "$case_dir/flrig"
    flrig --config-dir "$case_dir/flrig" --test >"$case_dir/flrig.out" 2>&1 &
    flrig_pid=$!
    helper_pids+=("$flrig_pid")
    wait_until 20 flrig_answers 7100000
}
tcp_port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
free_udp_port() { echo $((20000 + RANDOM % 30000)); }
write_plan() {   # write_plan SOURCE: following on, 80 m antenna 1, 40 m antenna 2, 20 m antenna 3
    mkdir -p "$(dirname "$(ini_file)")"
    {
        printf '[%s]\r\n' "$(bands_section_of)"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=$1" "RULE-1=3500000,3800000,1" \
            "RULE-2=7000000,7300000,2" "RULE-3=14000000,14350000,4"
    } > "$(ini_file)"
}

case_bands_follow_flrig() {
    new_case bands_flrig
    plug_box
    check "flrig's port $flrig_port is free" tcp_port_free "$flrig_port"
    check "flrig started in test mode at 7.1 MHz" start_flrig
    write_plan "127.0.0.1:1"
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "rigctld at port 1: not reachable" \
        wait_until 10 bands_status_is "rig not reachable at 127.0.0.1:1"
    check "torvikctl chooses flrig" ctl_exit_code 0 bands source flrig
    check "stored with its defaults" \
        test "$(ini_value "$(bands_section_of)" SOURCE)" = "flrig:127.0.0.1:12345"
    check "7.1 MHz: antenna 2" wait_until 10 last_write_is 0x0C
    check "status" wait_until 5 bands_status_is "following 7.100 MHz"
    check "flrig tuned to 14.074 MHz" flrig_answers 14074000
    check "antenna 3" wait_until 5 last_write_is 0x09
    check "status follows" wait_until 5 bands_status_is "following 14.074 MHz"

    local writes
    writes=$(count_writes)
    end_process "$flrig_pid"
    check "status: flrig not reachable" \
        wait_until 10 bands_status_is "flrig not reachable at 127.0.0.1:12345"
    check "nothing written meanwhile" test "$(count_writes)" -eq "$writes"
}

case_bands_follow_pushed_sources() {
    new_case bands_pushed
    plug_box
    local radio_port wsjtx_port
    radio_port=$(free_udp_port)
    wsjtx_port=$((radio_port + 1))
    write_plan "127.0.0.1:1"
    start_torvik
    check "window shown" wait_until 20 window_shown

    # The dialog from the tray menu chooses the logger's second radio.
    open_bands_dialog
    local dialog
    dialog=$(bands_dialog)
    # The source field: dialog units 75,25 .. 247,38.
    check "source field" xdotool mousemove --window "$dialog" $(( (75 + 86) * 6 / 4 )) $(( (25 * 2 + 13) * 13 / 16 )) click 1
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "radioinfo:$radio_port:2"
    mkdir -p "$artifacts"
    screenshot "$dialog" "$artifacts/linux-band-following-dialog-radioinfo.png"
    check "OK" xdotool mousemove --window "$dialog" $(( (197 + 25) * 6 / 4 )) $(( (184 * 2 + 13) * 13 / 16 )) click 1
    check "dialog closed" wait_until 10 bands_dialog_gone
    check "stored" test "$(ini_value "$(bands_section_of)" SOURCE)" = "radioinfo:$radio_port:2"
    check "waiting for the logger" \
        wait_until 10 bands_status_is "waiting for logger on 127.0.0.1:$radio_port"

    # Two radios: only the second one's frequency counts; a split follows the receive side.
    check "radio 1 on 20 m" sender radioinfo "$radio_port" 1 1407400
    check "radio 2 on 40 m" sender radioinfo "$radio_port" 2 709000
    check "antenna 2" wait_until 5 last_write_is 0x0C
    check "radio 2 on 80 m, split" sender radioinfo "$radio_port" 2 355000 356000
    check "antenna 1" wait_until 5 last_write_is 0x0A
    check "status" wait_until 5 bands_status_is "following 3.550 MHz"
    check "the logger loses the radio" sender radioinfo "$radio_port" 2 709000 709000 Manual
    check "status says so" \
        wait_until 5 bands_status_is "logger reports no radio 2 on 127.0.0.1:$radio_port"
    check "still antenna 1" last_write_is 0x0A

    # WSJT-X, chosen by torvikctl: Status of both schemas, then garbage and a flood.
    check "torvikctl chooses WSJT-X" ctl_exit_code 0 bands source "wsjtx:$wsjtx_port"
    check "status on 20 m (schema 3)" sender wsjtx-status "$wsjtx_port" 14074000 3
    check "antenna 3" wait_until 5 last_write_is 0x09
    check "status on 40 m (schema 2)" sender wsjtx-status "$wsjtx_port" 7074000 2
    check "antenna 2" wait_until 5 last_write_is 0x0C
    local writes
    writes=$(count_writes)
    check "a hostile flood" sender hostile "$wsjtx_port" 4000
    check "the program still answers" ctl_says "mask 2 count 3" get
    check "and a heartbeat keeps it alive" sender wsjtx-heartbeat "$wsjtx_port"
    check "status" bands_status_is "following 7.074 MHz"
    check "nothing written by the flood" test "$(count_writes)" -eq "$writes"
    # Then nothing at all: after 30 s the status says so, and nothing changes.
    check "source silent after 30 s" wait_until 45 bands_status_is \
        "source silent: nothing from WSJT-X on 127.0.0.1:$wsjtx_port"
    check "nothing written while silent" test "$(count_writes)" -eq "$writes"
    check "it speaks again: 20 m" sender wsjtx-status "$wsjtx_port" 14074000 3
    check "antenna 3" wait_until 5 last_write_is 0x09
}

run_bands_source_cases() {
    run_case bands_follow_pushed_sources case_bands_follow_pushed_sources
    if command -v flrig >/dev/null; then
        run_case bands_follow_flrig case_bands_follow_flrig
    else
        run_case bands_follow_flrig case_bands_without_flrig
    fi
}
case_bands_without_flrig() { check "flrig installed (Debian's flrig)" false; }
