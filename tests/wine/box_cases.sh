# Cases of Torvik.exe and the driver's list for tests/wine/run-all: the first box of any list,
# a box refusing the output or the mode, junk in the devices file, and the driver file that
# Torvik.exe writes beside itself.
# Uses the harness of tests/e2e_lib.sh and tests/wine/helpers.sh (new_case, plug_box,
# start_torvik, ctl_says, check, log_lines, ...); run-all lists the cases in order.

# ================================================================ Torvik and the driver's list

# Torvik takes the first box of the list, however odd the lines around it, and writes only to
# that one.
case_box_among_other_devices() {
    new_case box_among_others
    {
        printf '# a comment\n\nnot a device\n'
        printf '%s\t%s\t%s\n' "B2" "99999999999" "location too large"
        printf '%s\t%s\t%s\n' "C3OTHER" "0x20" "not a box"
        printf '%s\t%s\t%s\r\n' "$serial" "$location" "the box, CRLF line"
        printf '%s\t%s\t%s\n' "D4ZELKOR5" "0x30" "a second box"
    } > "$case_dir/devices.txt"
    start_torvik
    check "answers" wait_until 40 ready
    check "the box found" wait_until 15 ctl_says "mask 1 count 3" get
    check "only the first box opened and written" diff \
        <(log_lines | grep -E '^(OPEN|WRITE) ' | sort -u) \
        <(printf '%s\n' "OPEN $location 0" "WRITE 0x0A 0")
}

# A box that cannot be opened, or takes no byte, costs no message box: Torvik runs on, answers
# and stores as before.
case_box_refusing_the_output() {
    new_case box_refusing
    plug_box open-fails
    start_torvik
    check "answers" wait_until 40 ready
    check "the box is there" wait_until 15 ctl_says "mask 1 count 3" get
    check "a change answers as usual" ctl_says "mask 4" set 4
    check "the open was refused" log_has "OPEN $location 3"
    check "nothing written" test "$(count_writes)" = 0
    check "and stored" test "$(ini_value ANTENNA-3)" = 1
    check "no message box" test -z "$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null)"
    stop_torvik

    unplug_all
    plug_box write-fails
    start_torvik
    check "answers again" wait_until 40 ready
    check "the stored state" wait_until 15 ctl_says "mask 4 count 3" get
    check "the write was refused" log_has "WRITE 0x09 4"
    check "a change answers as usual" ctl_says "mask 2" set 2
    check "no message box" test -z "$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null)"
}

# Only a change of the attached devices makes Torvik search again: lines it cannot read do not.
case_junk_in_devices_file() {
    new_case junk_devices
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "the box found" wait_until 15 ctl_says "mask 1 count 3" get
    local searches
    searches=$(log_lines | grep -c '^LIST 1$')
    check "the start searched" test "$searches" -ge 1
    head -c 200000 /dev/zero | tr '\0' 'x' >> "$case_dir/devices.txt"
    printf '\nbad\tline\n' >> "$case_dir/devices.txt"
    printf 'N2\t0x22\tsecond device\n' >> "$case_dir/devices.txt"
    check "the new device makes one search" wait_until 15 log_has "LIST 2"
    check "the junk made none" test "$(log_lines | grep -c '^LIST 1$')" = "$searches"
    check "the box stays" ctl_says "mask 1 count 3" get
}

# ================================================================ Torvik.exe

case_driver_file_written_no_box() {
    new_case no_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "driver file written" cmp -s "$case_dir/FTD2XX.dll" "$standin_dll"
    check "driver file time 2013-07-12 13:36:00 UTC" \
        test "$(stat -c %Y "$case_dir/FTD2XX.dll")" = 1373636160
    check "get without a box" ctl_says "mask 1 count 0" get
    check "status text shown" control_shown 1009
    check "antenna button hidden" control_hidden 1001
    check "OK disabled" control_disabled 1
    check "Setup disabled" control_disabled 1007
    check "mixer radio disabled" control_disabled 1006
    check "Exit enabled" control_enabled 1020
    check "Manual enabled" control_enabled 1008
    mkdir -p "$artifacts"
    screenshot "$(visible_window)" "$artifacts/main-window-no-box.png"
    check "the driver was searched" log_has "LIST 0"
    check "no driver call but the search" test -z "$(log_lines | grep -v '^LIST ')"
    check "no settings file without a box" test ! -e "$case_dir/Torvik.ini"
    # Escape without a box ends the program.
    check "window focused" focus_window 'TORVIK'
    xdotool key Escape
    check "Escape ends the program" wait_until 15 gone "${torvik_pids[0]}"
}

case_driver_file_empty_replaced() {
    new_case empty_driver_file
    : > "$case_dir/FTD2XX.dll"
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "empty driver file replaced" cmp -s "$case_dir/FTD2XX.dll" "$standin_dll"
    check "with the fixed time" test "$(stat -c %Y "$case_dir/FTD2XX.dll")" = 1373636160
}

case_driver_file_kept() {
    new_case kept_driver_file
    printf 'x' > "$case_dir/FTD2XX.dll"
    touch -d '2001-02-03 04:05:06 UTC' "$case_dir/FTD2XX.dll"
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "a one-byte driver file is left alone" test "$(stat -c %s "$case_dir/FTD2XX.dll")" = 1
    check "and keeps its time" \
        test "$(stat -c %Y "$case_dir/FTD2XX.dll")" = "$(date -d '2001-02-03 04:05:06 UTC' +%s)"
    check "no box through a broken driver" ctl_says "mask 1 count 0" get
}

case_bit_mode_refused() {
    new_case bit_mode_refused
    plug_box bitmode-fails
    start_torvik
    check "message box Error" wait_until 40 xdotool search --onlyvisible --name '^Error$'
    local text
    text=$(wine_output "$probe_exe" dialog Error)
    check "its text: $text" grep -qx 'text Failed to write data to CBUS pins.' <<<"$text"
    local i id x y
    for i in 1 2 3 4 5 6; do   # close every box shown (one is expected)
        id=$(xdotool search --onlyvisible --name '^Error$' | head -1)
        [ -n "$id" ] || break
        # A click on its OK button, as a user gives it. A key sent to the box's window alone
        # (key --window) closes it on the press; its release finds no window, and Wine later
        # hands a Return to whichever dialog comes next (tests/wine/sent-key-repro).
        read -r x y < <(wine_output "$probe_exe" centre 1 Error)
        [ -n "$y" ] && xdotool mousemove "$x" "$y" click 1
        wait_until 5 window_gone "$id"
    done
    check "the program goes on" wait_until 20 ready
    check "the byte was written all the same" log_has "WRITE 0x0A 0"
    # Right after the error the user starts the program once more: the running copy comes
    # forward, shown, and the second copy ends.
    check "hidden by message" ctl_says "hidden" hide
    start_torvik
    check "second copy ends" wait_until 30 gone "$last_pid"
    check "first copy's window shown again" wait_until 10 has_visible_window
    # A box that takes the mode again: the last write at exit raises no message box.
    unplug_all
    plug_box
    check "exit" ctl_says "1 hidden flag clear" exit
    check "program ended" wait_until 15 gone "${torvik_pids[0]}"
    check "last byte with the running bit clear" test "$(last_write)" = 0x02
}
