# Cases of the remote control for tests/wine/run-all: torvikctl in switch and mixer mode with
# the bytes each mask gives, a restart, and the box plugged in and out while Torvik runs.
# Uses the harness of tests/e2e_lib.sh and tests/wine/helpers.sh (new_case, plug_box,
# start_torvik, ctl_says, check, log_lines, ...); run-all lists the cases in order.

case_remote_switch_mode() {
    new_case remote_switch
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "set 4 selects antenna 3" ctl_says "mask 4" set 4
    check "antenna 3 alone is 0x09" test "$(last_write)" = 0x09
    check "set 0x2 selects antenna 2" ctl_says "mask 2" set 0x2
    check "antenna 2 alone is 0x0C" test "$(last_write)" = 0x0C
    check "set 5 selects the highest" ctl_says "mask 4" set 5
    check "set 0 keeps the antenna" ctl_says "mask 4" set 0
    local writes
    writes=$(count_writes)
    check "same mask again" ctl_says "mask 4" set 4
    check "a mask equal to the state writes nothing" test "$(count_writes)" = "$writes"
    check "stored antenna keys" test "$(ini_value ANTENNA-1)$(ini_value ANTENNA-2)$(ini_value ANTENNA-3)" = 001
    check "switch mode is not stored by antenna changes" test -z "$(ini_value SWITCHMIXER)"
    check "reload answers" ctl_says "reloaded" reload
    check "state after reload" ctl_says "mask 4 count 3" get
    check "usage error: exit code 1" ctl_exit_code 1 set nonsense
    check "exit answers hidden" ctl_says "-1 hidden flag set" exit
    check "no copy running: exit code 2" wait_until 15 ctl_exit_code 2 get
}

case_remote_mixer_bytes_and_restart() {
    new_case remote_mixer
    plug_box
    write_ini "SWITCHMIXER=1"
    start_torvik HIDE
    check "answers" wait_until 40 ready
    local mask expected
    local table=(0x08 0x0A 0x0C 0x0E 0x09 0x0B 0x0D 0x0F)
    for mask in 0 1 2 3 4 5 6 7; do
        check "set $mask in mixer mode" ctl_says "mask $mask" set "$mask"
        expected=${table[$mask]}
        check "mask $mask gives byte $expected, not $(last_write)" test "$(last_write)" = "$expected"
    done
    check "fourth output" ctl_says "mask 11" set 0xB
    check "fourth output adds 0x10" test "$(last_write)" = 0x1E
    check "set 3" ctl_says "mask 3" set 3
    check "stored keys" test "$(ini_value ANTENNA-1),$(ini_value ANTENNA-2),$(ini_value ANTENNA-3)" = "1,1,0"
    check "mode kept in the file" test "$(ini_value SWITCHMIXER)" = 1
    check "exit" ctl_says "-1 hidden flag set" exit
    check "program ended" wait_until 15 gone "${torvik_pids[0]}"
    check "antennas 1 and 2 at exit give 0x06" test "$(last_write)" = 0x06
    : > "$case_dir/sim.log"
    start_torvik HIDE
    check "restarted" wait_until 40 ready
    check "state after restart" ctl_says "mask 3 count 3" get
    check "first byte after restart 0x0E" test "$(log_lines | grep '^WRITE' | head -1)" = "WRITE 0x0E 0"
}

case_hot_plug() {
    new_case hot_plug
    write_ini "SWITCHMIXER=1" "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=1"
    start_torvik
    check "answers" wait_until 40 ready
    check "no box yet" ctl_says "mask 1 count 0" get
    plug_box
    check "arrival loads the stored state" wait_until 15 ctl_says "mask 6 count 3" get
    check "and writes it" wait_until 5 log_has "WRITE 0x0D 0"
    check "antenna buttons shown" wait_until 5 control_shown 1001
    unplug_all
    check "removal shows the status text" wait_until 15 control_shown 1009
    check "and hides the antenna buttons" control_hidden 1001
    local writes
    writes=$(count_writes)
    # The hotkeys stay registered: in mixer mode CTRL+NUM PAD 1 still flips antenna 1 in memory.
    check "window focused" focus_window 'TORVIK'
    xdotool key ctrl+KP_1
    check "hotkey after removal flips antenna 1" wait_until 10 ctl_says "mask 7 count 3" get
    check "nothing written without a box" test "$(count_writes)" = "$writes"
    plug_box
    check "plugged in again: stored state, not memory" wait_until 15 ctl_says "mask 6 count 3" get
}
