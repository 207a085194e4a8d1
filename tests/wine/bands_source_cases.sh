# Band following from flrig, a logger's RadioInfo and WSJT-X in Torvik.exe, for tests/wine/run-all
# (which sources this file after bands_cases.sh, whose helpers it uses, and calls
# run_bands_source_cases): a real flrig in test mode tuned over its XML-RPC, datagrams from the
# test sender (a native program of the native build) as those programs send them, a hostile
# flood and a silent source that change nothing, and the source chosen in the dialog and by
# torvikctl.

sender_bin=${TORVIK_SOURCE_SENDER:-$root/build/native/tests/source_sender/source_sender}
sender() { "$sender_bin" "$@"; }
flrig_port=12345   # flrig's own default; test mode keeps it
flrig_answers() { sender flrig-set "$flrig_port" "$1"; }
tcp_port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
free_udp_port() { echo $((20000 + RANDOM % 30000)); }
write_source_plan() {   # write_source_plan SOURCE: on; 80 m antenna 1, 40 m 2, 20 m 3
    {
        printf '[%s]\r\n' "$bands_section"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=$1" "RULE-1=3500000,3800000,1" \
            "RULE-2=7000000,7300000,2" "RULE-3=14000000,14350000,4"
    } > "$case_dir/Torvik.ini"
}

case_bands_wine_flrig() {
    new_case bands_flrig
    plug_box
    check "flrig's port $flrig_port is free" tcp_port_free "$flrig_port"
    mkdir -p "$case_dir/flrig"
    flrig --config-dir "$case_dir/flrig" --test >"$case_dir/flrig.out" 2>&1 &
    local flrig_pid=$!
    started_pids+=("$flrig_pid")   # ended at the latest with the run
    check "flrig started in test mode at 7.1 MHz" wait_until 20 flrig_answers 7100000
    write_source_plan "127.0.0.1:1"
    start_torvik
    check "answers" wait_until 40 ready
    check "torvikctl chooses flrig" ctl_exit_code 0 bands source flrig
    check "stored with its defaults" test "$(bands_ini_value SOURCE)" = "flrig:127.0.0.1:12345"
    check "7.1 MHz: antenna 2" wait_until 10 byte_is 0x0C
    check "flrig tuned to 14.074 MHz" flrig_answers 14074000
    check "antenna 3" wait_until 5 byte_is 0x09
    check "status in the main window" wait_until 5 main_status_is "following 14.074 MHz"
    local writes
    writes=$(count_writes)
    kill "$flrig_pid"; wait "$flrig_pid" 2>/dev/null
    check "status: flrig not reachable" \
        wait_until 10 bands_status_is "flrig not reachable at 127.0.0.1:12345"
    check "nothing written meanwhile" test "$(count_writes)" -eq "$writes"
}

case_bands_wine_radioinfo() {
    new_case bands_radioinfo
    plug_box
    local port
    port=$(free_udp_port)
    write_source_plan "127.0.0.1:1"
    start_torvik HIDE
    check "answers" wait_until 40 ready
    open_bands_dialog
    local dialog
    dialog=$(xdotool search --onlyvisible --name '^Band following$' | head -1)
    check "source field" click_dialog_units "$dialog" 161 31 252 200
    # No modifier keys: a synthetic shift can stay down in the Wine server for later cases.
    xdotool key End
    xdotool key --repeat 24 --delay 20 BackSpace
    xdotool type --delay 30 "radioinfo:$port:2"
    mkdir -p "$artifacts"
    screenshot "$dialog" "$artifacts/band-following-dialog-radioinfo.png"
    check "OK" click_dialog_units "$dialog" 222 190 252 200
    check "dialog closed" wait_until 10 window_gone_named '^Band following$'
    check "stored" test "$(bands_ini_value SOURCE)" = "radioinfo:$port:2"
    check "waiting for the logger" \
        wait_until 10 bands_status_is "waiting for logger on 127.0.0.1:$port"
    check "radio 1 on 20 m" sender radioinfo "$port" 1 1407400
    check "radio 2 on 40 m" sender radioinfo "$port" 2 709000
    check "antenna 2" wait_until 5 byte_is 0x0C
    check "radio 2 on 80 m, split" sender radioinfo "$port" 2 355000 356000
    check "antenna 1" wait_until 5 byte_is 0x0A
    check "the logger loses the radio" sender radioinfo "$port" 2 709000 709000 Manual
    check "status says so" wait_until 5 bands_status_is "logger reports no radio 2 on 127.0.0.1:$port"
    check "still antenna 1" byte_is 0x0A
}

case_bands_wine_wsjtx_hostile_silent() {
    new_case bands_wsjtx
    plug_box
    local port
    port=$(free_udp_port)
    write_source_plan "wsjtx:$port"
    start_torvik
    check "answers" wait_until 40 ready
    check "waiting for WSJT-X" wait_until 10 bands_status_is "waiting for WSJT-X on 127.0.0.1:$port"
    check "status on 20 m (schema 3)" sender wsjtx-status "$port" 14074000 3
    check "antenna 3" wait_until 5 byte_is 0x09
    check "status on 40 m (schema 2)" sender wsjtx-status "$port" 7074000 2
    check "antenna 2" wait_until 5 byte_is 0x0C
    local writes
    writes=$(count_writes)
    check "a hostile flood" sender hostile "$port" 4000
    check "the program still answers" ctl_says "mask 2 count 3" get
    check "a heartbeat" sender wsjtx-heartbeat "$port"
    check "status" bands_status_is "following 7.074 MHz"
    check "nothing written by the flood" test "$(count_writes)" -eq "$writes"
    check "source silent after 30 s" wait_until 45 bands_status_is \
        "source silent: nothing from WSJT-X on 127.0.0.1:$port"
    check "the main window says so" main_status_is \
        "source silent: nothing from WSJT-X on 127.0.0.1:$port"
    check "nothing written while silent" test "$(count_writes)" -eq "$writes"
    check "it speaks again: 20 m" sender wsjtx-status "$port" 14074000 3
    check "antenna 3" wait_until 5 byte_is 0x09
}

case_bands_wine_no_sender() {
    check "the test sender is built ($sender_bin: build the native tree first)" false
}

run_bands_source_cases() {
    if [ ! -x "$sender_bin" ]; then
        run_case bands_wine_pushed_sources case_bands_wine_no_sender
        return
    fi
    run_case bands_wine_radioinfo case_bands_wine_radioinfo
    run_case bands_wine_wsjtx_hostile_silent case_bands_wine_wsjtx_hostile_silent
    if command -v flrig >/dev/null; then run_case bands_wine_flrig case_bands_wine_flrig; fi
}
