# Cases of starting Torvik.exe for tests/wine/run-all: shown with a box, hidden, a second start
# that shows the first copy, and two starts at once.
# Uses the harness of tests/e2e_lib.sh and tests/wine/helpers.sh (new_case, plug_box,
# start_torvik, ctl_says, check, log_lines, ...); run-all lists the cases in order.

case_visible_start_with_box() {
    new_case visible_with_box
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "get" ctl_says "mask 1 count 3" get
    check "first output: antenna 1 and running bit" diff <(log_lines | grep -v '^LIST\|^TIMEOUTS' | head -4) \
        <(printf '%s\n' "OPEN $location 0" "BITMODE 0xFF 0x01 0" "WRITE 0x0A 0" "CLOSE 0")
    check "antenna buttons shown" control_shown 1002
    check "status text hidden" control_hidden 1009
    check "Setup enabled" control_enabled 1007
    check "loading creates no settings file" test ! -e "$case_dir/Torvik.ini"
    sleep 0.5   # let the buttons finish painting before the picture
    mkdir -p "$artifacts"
    screenshot "$(visible_window)" "$artifacts/main-window-with-box.png"
    # Escape with a box only hides the window.
    check "window focused" focus_window 'TORVIK'
    xdotool key Escape
    check "Escape hides the window" wait_until 10 no_visible_window
    check "and the program runs on" ready
    check "exit answers hidden" ctl_says "-1 hidden flag set" exit
    check "program ended" wait_until 15 gone "${torvik_pids[0]}"
    check "last byte keeps antenna 1, running bit clear" test "$(last_write)" = 0x02
}

case_hidden_start() {
    new_case hidden
    plug_box
    start_torvik -hide
    check "answers" wait_until 40 ready
    # The answer comes from the message loop, after the start decided to show or hide.
    check "Wine keeps the window hidden" main_window_hidden
    check "the window manager caught up" wm_caught_up
    check "no window shown" no_visible_window
    check "hide answers" ctl_says "hidden" hide
    check "exit answers hidden" ctl_says "-1 hidden flag set" exit
    check "program ended" wait_until 15 gone "${torvik_pids[0]}"
}

case_second_start_shows_first() {
    new_case second_start
    plug_box
    start_torvik HIDE
    local first=$last_pid
    check "first answers" wait_until 40 ready
    start_torvik
    local second=$last_pid
    check "second copy ends" wait_until 30 gone "$second"
    check "first copy still runs" alive "$first"
    check "first copy's window shown" wait_until 10 has_visible_window
    check "its hidden flag is unchanged" ctl_says "-1 hidden flag set" exit
}

case_two_starts_at_once() {
    new_case two_at_once
    start_torvik
    start_torvik
    check "answers" wait_until 40 ready
    check "one copy runs, not $(copies_running)" wait_until 30 one_copy_runs
    check "and it answers" ready
}
copies_running() {
    local running=0 pid
    for pid in "${torvik_pids[@]}"; do alive "$pid" && running=$((running + 1)); done
    echo "$running"
}
one_copy_runs() { [ "$(copies_running)" -eq 1 ]; }
