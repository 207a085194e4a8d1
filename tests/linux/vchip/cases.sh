# The cases of tests/linux/vchip/run (sourced after harness.sh). Each reads the chips' log, the
# status line or torvikctl, and starts from a state other than the one it expects.

box="LX_MIRVAX8_01"

# A stored antenna 2 (0x0C, not the default antenna 1) reaches a box that is there at the start:
# bit-bang mode first, then the one byte. A second FTDI device with a serial that is no box's
# sits at a lower place and is only looked at.
case_box_present_at_start() {
    new_case present_at_start
    stored "$box" "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=0"
    plug other "FT9QK2LZ" 1 1
    plug box1 "$box" 1 2
    start_torvik
    check "the stored state written" wait_until 20 last_write_is box1 0x0C
    check "once" test "$(write_count box1)" -eq 1
    check "bit-bang on all eight lines before it" \
        test "$(events box1 | grep -E '^(bitmode|write) ' | head -2 | tr '\n' ' ')" = "bitmode 0xFF 0x01 write 0x0C "
    check "the status line hidden" wait_until 10 status_is ""
    check "torvikctl sees the box" ctl_says "mask 2 count 3" get
    check "the other device left alone" left_alone other
}

# A click, a hotkey and torvikctl set: one bulk write of the right byte each, on the device
# opened once; Exit writes the last state without the running bit, then lets the device go.
case_one_write_per_change() {
    new_case one_write_per_change
    plug box1 "$box" 1 2
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 1 at the start" wait_until 10 last_write_is box1 0x0A
    local count
    count=$(write_count box1)
    check "click on Antenna 2" click_at $(antenna_centre 1)
    check "antenna 2 written" wait_until 10 last_write_is box1 0x0C
    xdotool key ctrl+KP_3
    check "CTRL+NUM PAD 3 writes antenna 3" wait_until 10 last_write_is box1 0x09
    check "torvikctl set answers" ctl_says "mask 1" set 1
    check "antenna 1 written" wait_until 10 last_write_is box1 0x0A
    check "click on Exit" click_at $(exit_centre)
    check "program ended" wait_until 10 gone "$torvik_pid"
    # With the program gone every write it made is in the log.
    check "one write per change, then antenna 1 without the running bit" \
        test "$(writes box1 | tail -n +"$count" | tr '\n' ' ')" = "0x0A 0x0C 0x09 0x0A 0x02 "
    check "opened (and so reset) once" test "$(count_of box1 reset)" -eq 1
    check "bit-bang set once" test "$(count_of box1 'bitmode 0xFF 0x01')" -eq 1
    check "then the interface released" test "$(events box1 | grep -E '^(write|release) ' | tail -2 | tr '\n' ' ')" = "write 0x02 release 0 "
}

# Unplugged: the state stays and the status line says so; plugged in again (a new address at the
# same place): the stored state written once.
case_unplug_and_plug_again() {
    new_case unplug_and_plug_again
    plug box1 "$box" 1 2
    start_torvik
    check "antenna 1 at the start" wait_until 20 last_write_is box1 0x0A
    check "set antenna 3" ctl_says "mask 4" set 4
    check "antenna 3 written" wait_until 10 last_write_is box1 0x09
    chip unplug box1
    check "the status says no box" wait_until 10 status_is "no Device detected --- wait for connection"
    check "the state kept" ctl_says "mask 4 count 3" get
    local count
    count=$(write_count box1)
    plug box1 "$box" 1 2
    check "the stored state written on arrival" wait_until 10 writes_above box1 "$count"
    check "it is antenna 3" last_write_is box1 0x09
    check "the status line hidden again" wait_until 10 status_is ""
    check "exit answers" ctl_says "1 hidden flag clear" exit
    check "program ended" wait_until 10 gone "$torvik_pid"
    check "once, then the exit's byte" \
        test "$(writes box1 | tail -n +$((count + 1)) | tr '\n' ' ')" = "0x09 0x01 "
}

# fault_episode NAME FAULT STATUS: the fault armed, two changes meet it; the status line tells,
# no message box comes up, the program answers; then the fault cleared, the next change goes
# through.
fault_episode() {
    local name=$1 fault=$2 status=$3
    local windows
    windows=$(extra_windows)
    chip fault "$name" "$fault"
    local began=${EPOCHREALTIME/./}
    check "set antenna 2 while the fault is on" ctl_says "mask 2" set 2
    # The write's one-second time-out bounds how long the program is held.
    check "answered within 2.5 s" test $(( ${EPOCHREALTIME/./} - began )) -lt 2500000
    check "the status tells it" wait_until 10 status_is "$status"
    check "set antenna 3 in the same episode" ctl_says "mask 4" set 4
    check "no message box for it" test "$(extra_windows)" -le "$windows"
    check "the program answers" answering
    chip fault "$name" none
    check "set antenna 1 with the fault gone" ctl_says "mask 1" set 1
    check "antenna 1 written" wait_until 10 last_write_is "$name" 0x0A
    check "the status line hidden again" wait_until 10 status_is ""
}

case_stalled_endpoint() {
    new_case stalled_endpoint
    plug box1 "$box" 1 2
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 1 at the start" wait_until 10 last_write_is box1 0x0A
    fault_episode box1 stall "Device did not take the setting"
    check "the stalls reached the chip" test "$(count_of box1 stall)" -ge 2
}

# A write the chip never completes: the write time-out ends it (libusb discards the URB).
case_write_never_completes() {
    new_case write_never_completes
    plug box1 "$box" 1 2
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 1 at the start" wait_until 10 last_write_is box1 0x0A
    fault_episode box1 hang "Device did not take the setting"
    check "each hanging write discarded" test "$(count_of box1 discard)" -eq "$(count_of box1 hang)"
}

# The box leaves the bus in the middle of a write: the write fails, the removal is seen, and
# the box's return brings the state that was asked for.
case_gone_mid_write() {
    new_case gone_mid_write
    plug box1 "$box" 1 2
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 1 at the start" wait_until 10 last_write_is box1 0x0A
    local windows
    windows=$(extra_windows)
    chip fault box1 gone
    check "set antenna 2" ctl_says "mask 2" set 2
    check "the box left mid-write" wait_until 10 saw box1 unplugged
    check "the status says no box" wait_until 10 status_is "no Device detected --- wait for connection"
    check "no message box for it" test "$(extra_windows)" -le "$windows"
    check "the program answers" ctl_says "mask 2 count 3" get
    local count
    count=$(write_count box1)
    plug box1 "$box" 1 2
    check "the return writes antenna 2" wait_until 10 writes_above box1 "$count"
    check "it is antenna 2" last_write_is box1 0x0C
}

# Another program holds the box's interface: "in use", looked at again until it is free.
case_interface_held_elsewhere() {
    new_case interface_held_elsewhere
    plug box1 "$box" 1 2
    chip fault box1 busy
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "the status says in use" wait_until 10 status_is "Device in use by another program"
    check "nothing written" test "$(write_count box1)" -eq 0
    check "the program answers" answering
    chip fault box1 none
    check "once free, the box is taken" wait_until 15 last_write_is box1 0x0A
    check "the status line hidden" wait_until 10 status_is ""
}

# The device node may not be opened (no udev rule): the status points to the manual; a replug
# with the permission given brings the box.
case_no_permission() {
    new_case no_permission
    plug box1 "$box" 1 2
    chip deny box1
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "the status says no permission" \
        wait_until 10 status_is "no permission for the box --- see the manual"
    check "nothing written" test "$(write_count box1)" -eq 0
    check "the program answers" answering
    chip unplug box1
    plug box1 "$box" 1 2
    check "the replugged box written" wait_until 10 last_write_is box1 0x0A
    check "the status line hidden" wait_until 10 status_is ""
}

# Two boxes: the one at the lower place is used; when it goes, the other. A third FTDI device
# whose serial is no box's is only looked at.
case_two_boxes_and_another_device() {
    new_case two_boxes
    plug upper "LX_MIRVAX8_09" 1 4
    plug other "FT9QK2LZ" 1 1
    plug lower "LX_ZELKOR5_02" 1 3
    start_torvik
    check "the box at the lower place written" wait_until 20 last_write_is lower 0x0A
    check "the other box not opened" test "$(count_of upper reset)" -eq 0
    chip unplug lower
    check "its going brings the other box" wait_until 10 last_write_is upper 0x0A
    check "the device that is no box left alone" left_alone other
}
