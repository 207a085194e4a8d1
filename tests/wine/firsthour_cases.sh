# Cases of a new user's first hour for tests/wine/run-all, which sources this file and calls
# run_firsthour_cases: a double click on the tray icon, the keyboard's focus cue and Tab order,
# the mode change back to switch mode, Setup without stored settings and its warnings, a box
# that arrives while the window is open, torvikctl beside another window with TORVIK in its
# title, and torvikctl's usage errors and show command. Everything is done as a user does it:
# clicks and keys through xdotool on the real windows, tray icon and menus.
# Uses run-all's helpers and those of setup_cases.sh (main_window, open_setup, click_units).

source "$here/setup_cases.sh"

# click_main X Y: a click at (X, Y) in dialog units of the main window (264 x 109 units).
click_main() {
    local main
    main=$(main_window)
    [ -n "$main" ] || return 1
    click_units "$main" "$1" "$2" 264 109
}

# focused_control: the id of the main window's control that has the keyboard focus.
focused_control() { controls | awk '$1 == "focus" { print $2 }'; }
setup_lacks_text() { ! setup_texts | grep -qF "$1"; }

# The skinned buttons keep their checked state to themselves; a checked one is painted dark.
# looks_checked ID: the band above the caption of the main window's button ID is dark.
declare -A button_units=([1001]="4 43 87" [1002]="90 43 84" [1003]="173 43 87"
                         [1005]="6 66 60" [1006]="68 66 68")
# The window's height in dialog units: 109, and 11 more while the line under the controls shows.
main_units_high=109
band_mean() {   # band_mean ID: mean brightness (0 to 1) of that band in a fresh screenshot
    local shot="$case_dir/band.png" width height
    screenshot "$(main_window)" "$shot" || return 1
    read -r width height < <(identify -format '%w %h' "$shot")
    set -- ${button_units[$1]}
    local x=$((($1 + $3 / 8) * width / 264)) w=$(($3 * 3 / 4 * width / 264))
    local y=$(($2 * height / main_units_high + 2))
    convert "$shot" -crop "${w}x3+${x}+${y}" +repage -colorspace gray -format '%[fx:mean]' info:
}
looks_checked() { awk -v m="$(band_mean "$1")" 'BEGIN { exit !(m != "" && m < 0.6) }'; }
looks_unchecked() { awk -v m="$(band_mean "$1")" 'BEGIN { exit !(m != "" && m >= 0.6) }'; }

# ---------------------------------------------------------------- tray icon

case_firsthour_tray_double_click() {
    new_case firsthour_tray_double_click
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "tray icon docked" wait_until 20 tray_docked
    check "window hidden at first" no_visible_window
    check "pointer over the icon" point_at_tray_icon
    xdotool click --repeat 2 --delay 120 1
    check "a double click shows the window" wait_until 10 has_visible_window
    sleep 1.5   # longer than the double-click time: a menu that were to open would be open
    check "no menu opened" menu_closed
    check "the program runs on" alive "${torvik_pids[0]}"
    check "nothing chosen by the second click" ctl_says "mask 1 count 3" get
    check "hidden again" ctl_says "hidden" hide
    # A single left click still opens the menu, once the double-click time has passed.
    check "single click opens the menu" open_tray_menu 1
    check "choose Antenna 2" choose_menu_item 1 8
    check "antenna 2 selected" wait_until 10 ctl_says "mask 2 count 3" get
    check "menu closed" wait_until 5 menu_closed
    # The right button opens it too.
    check "right click opens the menu" open_tray_menu 3
    check "choose open Dialog" choose_menu_item 3 8
    check "window shown" wait_until 10 has_visible_window
    check "still antenna 2" ctl_says "mask 2 count 3" get
}

# ---------------------------------------------------------------- main window

case_firsthour_switch_mode_stores_antennas() {
    new_case firsthour_switch_mode
    plug_box
    write_ini "SWITCHMIXER=1" "ANTENNA-1=1" "ANTENNA-2=1" "ANTENNA-3=1"
    start_torvik
    check "answers" wait_until 40 ready
    check "mixer mode with three antennas" ctl_says "mask 7 count 3" get
    check "window shown" wait_until 20 main_shown
    check "switch-mode button clicked" click_main 36 73
    check "one antenna left" wait_until 10 ctl_says "mask 1 count 3" get
    check "mode stored" test "$(ini_value SWITCHMIXER)" = 0
    check "antennas 2 and 3 stored off" \
        test "$(ini_value ANTENNA-1),$(ini_value ANTENNA-2),$(ini_value ANTENNA-3)" = "1,0,0"
    check "reload keeps one antenna" ctl_says "reloaded" reload
    check "state after reload" ctl_says "mask 1 count 3" get
}

case_firsthour_box_arrives_shows_state() {
    new_case firsthour_box_arrives
    write_ini "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=0"
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    plug_box
    check "box drives antenna 2" wait_until 15 ctl_says "mask 2 count 3" get
    check "antenna buttons shown" wait_until 10 control_shown 1002
    check "antenna 2 shown selected" wait_until 10 looks_checked 1002
    check "antenna 1 not selected" looks_unchecked 1001
    check "antenna 3 not selected" looks_unchecked 1003
    check "switch mode shown selected" wait_until 10 looks_checked 1005
    check "mixer mode not selected" looks_unchecked 1006
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/box-arrived-antenna-2.png"
}

# Tab from the first button round the window; every button a mouse can click has its turn,
# and only the keyboard brings the dotted focus rectangle.
case_firsthour_keyboard_focus_cue() {
    new_case firsthour_keyboard
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "window focused" focus_window "$main_title"
    sleep 0.5
    mkdir -p "$artifacts"
    local main before after
    main=$(main_window)
    before="$artifacts/focus-cue-before-tab.png"
    after="$artifacts/focus-cue-after-tab.png"
    screenshot "$main" "$before"
    local seen=" " id i
    for ((i = 0; i < 10; i++)); do
        xdotool key Tab
        sleep 0.3
        id=$(focused_control)
        seen+="$id "
        [ "$i" -eq 0 ] && screenshot "$main" "$after"
    done
    for id in 1001 1002 1003 1005 1006 1007 1008 1020 1; do
        check "Tab reaches control $id (seen:$seen)" grep -q " $id " <<<"$seen"
    done
    local changed
    changed=$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)
    check "the first Tab shows the focus cue ($changed pixels changed)" \
        test "${changed:-0}" -gt 20
    # Space on the focused antenna button works as a click does.
    while [ "$(focused_control)" != 1002 ] && [ "$i" -lt 30 ]; do
        xdotool key Tab
        sleep 0.2
        i=$((i + 1))
    done
    check "antenna 2 focused" test "$(focused_control)" = 1002
    xdotool key space
    check "Space selects antenna 2" wait_until 10 ctl_says "mask 2 count 3" get
    screenshot "$main" "$artifacts/focus-cue-antenna-2.png"
}

# ---------------------------------------------------------------- setup dialog

case_firsthour_setup_records_in_effect() {
    new_case firsthour_setup_in_effect
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "no settings stored" test ! -e "$case_dir/Torvik.ini"
    check "Setup opened" open_setup
    check "Global shown active, as in effect" setup_has_text "Control for all Programs on Desktop"
    check "OK" ok_and_wait
    check "CONFIG stored" config_valid "$(ini_value CONFIG)"
    check "Global stored active" config_has "$(ini_value CONFIG)" 0 0
    check "main window focused" focus_window "$main_title"
    xdotool key ctrl+KP_2
    check "CTRL+NUM PAD 2 still selects antenna 2" wait_until 10 ctl_says "mask 2 count 3" get
    # A stored block that cannot be read: the dialog's own defaults, and the page says so.
    write_ini "CONFIG=0102"
    check "reloaded" ctl_says "reloaded" reload
    check "Setup opened again" open_setup
    check "the page says the block was unreadable" setup_has_text \
        "The stored configurations could not be read: the dialog's defaults are shown, and OK stores them."
    check "and shows the dialog's defaults" setup_has_text "Global Control not active - suspended"
    click_cancel
    check "closed" wait_until 10 setup_gone
}

case_firsthour_setup_warnings() {
    new_case firsthour_setup_warnings
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "Setup opened" open_setup
    check "no warning at first" setup_lacks_text "same keys"
    choose_key 1 13   # antenna 2: NUM PAD 1, with CTRL as antenna 1 has it
    check "shared keys said" setup_has_text \
        "Antennas 1 and 2 have the same keys: they choose only antenna 1."
    click_ctrl 2      # antenna 3: NUM PAD 3 alone
    check "bare key said" grep -qF \
        "Antenna 3: a key without ALT, CTRL, SHIFT or WIN is taken from every program." \
        <<<"$(setup_texts)"
    mkdir -p "$artifacts"
    screenshot "$setup_win" "$artifacts/setup-warnings.png"
    check "OK stores all the same" ok_and_wait
    local config
    config=$(ini_value CONFIG)
    check "antenna 2's key stored" config_has "$config" 3 0x61
    check "antenna 3 without CTRL stored" config_has "$config" 20 0
}

# ---------------------------------------------------------------- torvikctl

notepad_window() { xdotool search --onlyvisible --name '^TORVIK.txt' 2>/dev/null | head -1; }
notepad_shown() { [ -n "$(notepad_window)" ]; }

case_firsthour_ctl_ignores_other_windows() {
    new_case firsthour_ctl_other_windows
    plug_box
    echo "antenna notes" > "$case_dir/TORVIK.txt"
    (cd "$case_dir" && exec "$WINE" notepad.exe TORVIK.txt) >/dev/null 2>&1 &
    helper_pids+=($!)
    check "editor with TORVIK.txt open" wait_until 40 notepad_shown
    check "editor in front" focus_window '^TORVIK.txt'
    check "no Torvik: exit code 2" ctl_exit_code 2 get
    check "nothing printed" test -z "$out"
    # The start walks the windows from the one in front: the editor is not a running copy.
    start_torvik HIDE
    check "Torvik starts beside the editor" wait_until 40 ready
    check "and answers itself" ctl_says "mask 1 count 3" get
    check "its copy runs" alive "${torvik_pids[0]}"
    check "editor still open" notepad_shown
}

case_firsthour_ctl_usage_and_show() {
    new_case firsthour_ctl_usage
    plug_box
    start_torvik HIDE
    check "answers" wait_until 40 ready
    ctl set
    local err
    err=$(tr -d '\r' < "$case_dir/ctl.err")
    check "set without a mask: exit code 1" test "$rc" -eq 1
    check "says what was wrong: $err" grep -qx "torvikctl: set needs a mask from 0 to 15" <<<"$err"
    check "then the short usage only" test "$(wc -l <<<"$err")" -eq 2
    ctl --help
    local help=$out
    check "--help: exit code 0" test "$rc" -eq 0
    check "--help gives an example of show" grep -qF "torvikctl show" <<<"$help"
    check "window hidden at first" no_visible_window
    check "show answers" ctl_says "shown" show
    check "show brings the window up" wait_until 10 main_shown
    check "exit tells the flag" ctl_says "1 hidden flag clear" exit
}

run_firsthour_cases() {
    run_case firsthour_tray_double_click case_firsthour_tray_double_click
    run_case firsthour_switch_mode_stores_antennas case_firsthour_switch_mode_stores_antennas
    run_case firsthour_box_arrives_shows_state case_firsthour_box_arrives_shows_state
    run_case firsthour_keyboard_focus_cue case_firsthour_keyboard_focus_cue
    run_case firsthour_setup_records_in_effect case_firsthour_setup_records_in_effect
    run_case firsthour_setup_warnings case_firsthour_setup_warnings
    run_case firsthour_ctl_ignores_other_windows case_firsthour_ctl_ignores_other_windows
    run_case firsthour_ctl_usage_and_show case_firsthour_ctl_usage_and_show
}
