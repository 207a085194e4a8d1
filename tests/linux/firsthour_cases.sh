# A new user's first hour with the Linux program, for tests/linux/run-all (which sources this
# file and calls run_firsthour_cases): the program of the Debian package, on an account that
# has no settings folder yet, driven with real xdotool input. Every kind of first write makes
# the folder (0700) and stores its value; a damaged CONFIG block is told from a missing one;
# the mode change stores the antenna keys; Setup with nothing stored shows the records in
# effect; a box that arrives shows its state; Tab shows where the focus is; torvikctl's usage
# errors and show. Screenshots of the states the Wine suite takes too go to build/artifacts.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, click_at, ...).

# ---------------------------------------------------------------- the package's program

# The package of this tree, from scripts/package-linux (which builds again only when the tree
# changed); unpacked into the work folder, installed with dpkg only on a CI machine of its own
# (root).
firsthour_prefix=""
firsthour_install() {
    local deb="$root/build/dist/torvik_$(head -n 1 "$root/VERSION")_amd64.deb"
    timeout 3600 bash "$root/scripts/package-linux" >"$work/firsthour-package.out" 2>&1 || return 1
    [ -s "$deb" ] || return 1
    if [ -n "${CI:-}" ] && [ "$(id -u)" -eq 0 ]; then
        dpkg -i "$deb" >"$work/firsthour-dpkg.out" 2>&1 || return 1
        firsthour_prefix=/usr
    else
        rm -rf "$work/firsthour-root"
        dpkg-deb -x "$deb" "$work/firsthour-root" || return 1
        firsthour_prefix="$work/firsthour-root/usr"
    fi
}

# Dialog units of a template to the window's pixels (base units 6 x 13).
px_x() { echo $(( $1 * 6 / 4 )); }
px_y() { echo $(( $1 * 13 / 8 )); }
click_units_in() {   # click_units_in WINDOW X Y: a click at dialog units of that window
    xdotool mousemove --window "$1" "$(px_x "$2")" "$(px_y "$3")" && xdotool click 1
}
settings_folder() { echo "$case_dir/config/torvik"; }
folder_mode_is() { [ "$(stat -c %a "$(settings_folder)" 2>/dev/null)" = "$1" ]; }
no_settings_folder() { [ ! -e "$(settings_folder)" ] && [ ! -e "$case_dir/config" ]; }
keyset_value() { ini_value "$section" "$1"; }
write_keyset() {   # write_keyset LINE...: the box's keyset section with these lines
    mkdir -p "$(settings_folder)"
    { printf '[%s]\r\n' "$section"; printf '%s\r\n' "$@"; } > "$(ini_file)"
}

# ---------------------------------------------------------------- first writes

open_setup_window() {
    click_at "$(px_x 157)" "$(( (66 * 2 + 14) * 13 / 16 ))" || return 1
    wait_until 10 setup_shown
}
setup_window() { xdotool search --onlyvisible --name '^Torvik Setup' 2>/dev/null | head -1; }
setup_ok() {
    xdotool mousemove --window "$(setup_window)" $(( (197 + 25) * 6 / 4 )) \
        $(( (162 * 2 + 13) * 13 / 16 )) click 1 && wait_until 10 setup_gone
}
bands_ok() {
    xdotool mousemove --window "$(bands_dialog)" $(( (197 + 25) * 6 / 4 )) \
        $(( (184 * 2 + 13) * 13 / 16 )) click 1
}

first_write_bands_command() {
    check "bands source" ctl_exit_code 0 bands source 127.0.0.1:4532
    check "bands add" ctl_exit_code 0 bands add 7000000 7300000 2
    check "bands on" ctl_exit_code 0 bands on
    check "rule stored" test "$(ini_value "$(bands_section_of)" RULE-1)" = "7000000,7300000,2"
    check "following stored on" test "$(ini_value "$(bands_section_of)" FOLLOW)" = 1
}
first_write_bands_dialog() {
    open_bands_dialog
    check "rules field" xdotool mousemove --window "$(bands_dialog)" 300 200 click 1
    xdotool type --delay 20 "7000000 7300000 2"
    check "OK" bands_ok
    check "dialog closed" wait_until 10 bands_dialog_gone
    check "rule stored" test "$(ini_value "$(bands_section_of)" RULE-1)" = "7000000,7300000,2"
}
first_write_setup_ok() {
    check "Setup opened" open_setup_window
    check "OK" setup_ok
    check "CONFIG stored" wait_until 5 ini_has_key CONFIG
}
first_write_antenna_click() {
    check "click on Antenna 2" click_at $(antenna_centre 1)
    check "antenna 2 written" wait_until 10 last_write_is 0x0C
    check "stored" wait_until 5 ini_has "ANTENNA-2=1"
}
first_write_mode_change() {
    check "click on mixer mode" click_at "$(px_x $((68 + 34)))" "$(px_y $((66 + 7)))"
    check "stored" wait_until 5 ini_has "SWITCHMIXER=1"
}

# Each kind of first write on an account without a settings folder: it makes the folder for
# the user alone and stores its value in a file with Windows line ends.
case_firsthour_first_writes_make_the_folder() {
    local kind
    for kind in bands_command bands_dialog setup_ok antenna_click mode_change; do
        new_case "firsthour_first_write_$kind"
        plug_box
        start_torvik
        check "$kind: window shown" wait_until 20 window_shown
        check "$kind: box written" wait_until 10 last_write_is 0x0A
        check "$kind: no settings folder yet" no_settings_folder
        "first_write_$kind"
        check "$kind: folder made for the user alone" folder_mode_is 700
        check "$kind: Windows line ends" ini_is_crlf
        stop_case
        [ -n "$case_failed" ] && return
    done
}

# ---------------------------------------------------------------- setup

setup_stored_global_flag() { config_byte "$(keyset_value CONFIG)" 0; }
config_byte() { echo $((16#${1:$2 * 2:2})); }
config_stored_whole() { [ "$(keyset_value CONFIG | wc -c)" -eq 1063 ]; }

# Setup with nothing stored shows the records in effect, so OK stores the Global record active;
# with a damaged block it falls back to the dialog's defaults (Global suspended) and says so on
# its note line, which a screenshot shows.
case_firsthour_setup_in_effect_and_damaged() {
    new_case firsthour_setup
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "Setup opened" open_setup_window
    sleep 0.5
    mkdir -p "$artifacts"
    local in_effect="$case_dir/setup-in-effect.png" damaged="$artifacts/linux-setup-damaged-config.png"
    screenshot "$(setup_window)" "$in_effect"
    check "OK" setup_ok
    check "CONFIG stored" wait_until 5 config_stored_whole
    check "Global stored active, as in effect" test "$(setup_stored_global_flag)" -eq 0
    write_keyset "CONFIG=0102"
    check "reloaded" ctl_says "reloaded" reload
    check "Setup opened again" open_setup_window
    sleep 0.5
    screenshot "$(setup_window)" "$damaged"
    local changed
    changed=$(compare -metric AE "$in_effect" "$damaged" null: 2>&1 | cut -d' ' -f1)
    check "the page looks different ($changed pixels)" test "${changed:-0}" -gt 100
    check "OK" setup_ok
    check "CONFIG stored whole" wait_until 5 config_stored_whole
    check "the dialog's defaults stored: Global suspended" test "$(setup_stored_global_flag)" -ne 0
}

# ---------------------------------------------------------------- main window

# The mean brightness (0 to 1) of a band above the caption of a main-window button given in
# dialog units (x y width), from a fresh screenshot.
band_mean_units() {
    local shot="$case_dir/band.png"
    screenshot "$(main_window)" "$shot" || return 1
    local x w y
    x=$(px_x $(($1 + $3 / 8))); w=$(px_x $(($3 * 3 / 4))); y=$(( $(px_y "$2") + 2 ))
    convert "$shot" -crop "${w}x3+${x}+${y}" +repage -colorspace gray -format '%[fx:mean]' info:
}
looks_checked_units() { awk -v m="$(band_mean_units "$@")" 'BEGIN { exit !(m != "" && m < 0.6) }'; }
looks_unchecked_units() { awk -v m="$(band_mean_units "$@")" 'BEGIN { exit !(m != "" && m >= 0.6) }'; }
# darker_than X Y W X2 Y2 W2: the first button's band is clearly darker than the second's (the
# mode buttons' checked face is lighter than the antenna buttons').
darker_than() {
    awk -v a="$(band_mean_units "$1" "$2" "$3")" -v b="$(band_mean_units "$4" "$5" "$6")" \
        'BEGIN { exit !(a != "" && b != "" && a < b - 0.1) }'
}

case_firsthour_switch_mode_stores_antennas() {
    new_case firsthour_switch_mode
    plug_box
    write_keyset "SWITCHMIXER=1" "ANTENNA-1=1" "ANTENNA-2=1" "ANTENNA-3=1"
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "mixer mode with three antennas" wait_until 10 ctl_says "mask 7 count 3" get
    check "switch-mode button clicked" click_at "$(px_x $((6 + 30)))" "$(px_y $((66 + 7)))"
    check "one antenna left" wait_until 10 ctl_says "mask 1 count 3" get
    check "mode stored" test "$(keyset_value SWITCHMIXER)" = 0
    check "antennas 2 and 3 stored off" \
        test "$(keyset_value ANTENNA-1),$(keyset_value ANTENNA-2),$(keyset_value ANTENNA-3)" = "1,0,0"
    check "reload keeps one antenna" ctl_says "reloaded" reload
    check "state after reload" ctl_says "mask 1 count 3" get
}

case_firsthour_box_arrives_shows_state() {
    new_case firsthour_box_arrives
    write_keyset "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=0"
    start_torvik
    check "window shown" wait_until 20 window_shown
    plug_box
    check "box drives antenna 2" wait_until 15 ctl_says "mask 2 count 3" get
    check "antenna 2 shown selected" wait_until 10 looks_checked_units 90 43 84
    check "antenna 1 not selected" looks_unchecked_units 4 43 87
    check "antenna 3 not selected" looks_unchecked_units 173 43 87
    check "switch mode shown selected, mixer mode not" wait_until 10 darker_than 6 66 60 68 66 68
    mkdir -p "$artifacts"
    screenshot "$(main_window)" "$artifacts/linux-box-arrived-antenna-2.png"
}

# Tab moves a visible cue from button to button: each press changes the picture, and the cue
# leaves the button it was on.
case_firsthour_keyboard_focus_cue() {
    new_case firsthour_keyboard
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    local main
    main=$(main_window)
    check "window focused" focus_window "$main"
    sleep 0.5
    mkdir -p "$artifacts"
    local before="$case_dir/focus-0.png" after="$artifacts/linux-focus-cue-after-tab.png"
    screenshot "$main" "$before"
    xdotool key Tab
    sleep 0.3
    screenshot "$main" "$after"
    local changed
    changed=$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)
    check "the first Tab shows a cue ($changed pixels changed)" test "${changed:-0}" -gt 20
    xdotool key Tab
    sleep 0.3
    screenshot "$main" "$case_dir/focus-2.png"
    changed=$(compare -metric AE "$after" "$case_dir/focus-2.png" null: 2>&1 | cut -d' ' -f1)
    check "the second Tab moves it ($changed pixels changed)" test "${changed:-0}" -gt 40
}

# The Options group as Windows draws it, read from a screenshot: the frame's top line (the
# first dark row at its right end, past the Manual button and clear of the caption) runs above
# the Manual button's top, and the caption's ink reaches below that line.
group_frame_top() {   # group_frame_top SHOT
    convert "$1" -crop 7x30+384+92 +repage -colorspace gray -depth 8 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $3 < 225 { print 92 + $2; exit }'
}
caption_ink_below() {   # caption_ink_below SHOT LINE: the darkest grey under the line
    convert "$1" -crop "40x5+12+$(($2 + 1))" +repage -colorspace gray -format '%[fx:minima*255]' info:
}

# Antenna 2 and switch mode checked: the picture beside the Windows one, and the Options group
# holding its buttons.
case_firsthour_checked_buttons_picture() {
    new_case firsthour_checked
    plug_box
    write_keyset "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=0" "SWITCHMIXER=0"
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "antenna 2 selected" wait_until 10 looks_checked_units 90 43 84
    sleep 0.3
    mkdir -p "$artifacts"
    local shot="$artifacts/linux-antenna-2-switch-mode.png" line
    screenshot "$(main_window)" "$shot"
    line=$(group_frame_top "$shot")
    check "the group's top line found" test -n "$line"
    check "it runs above Manual's top ($line < $(px_y 63))" test "${line:-999}" -lt "$(px_y 63)"
    check "the caption sits in the line" \
        awk -v g="$(caption_ink_below "$shot" "${line:-0}")" 'BEGIN { exit !(g != "" && g < 100) }'
}

# ---------------------------------------------------------------- tray tip

tip_window() { other_windows; }
tip_shown() { [ -n "$(tip_window)" ]; }
tip_gone() { ! tip_shown; }
tip_height() {   # (xwininfo without a window would wait for a click)
    local tip
    tip=$(tip_window) || return 1
    timeout 10 xwininfo -id "$tip" 2>/dev/null | awk '/Height:/ { print $2 }'
}
hover_tray_icon() {   # hover_tray_icon: the pointer away, then resting on the icon until the tip
    xdotool mousemove 10 10
    wait_until 10 tip_gone || return 1
    xdotool mousemove --window "$(tray_icon)" 8 8 && wait_until 10 tip_shown
}

# The tray tip's second line tells band following's status: while following, the tip over the
# icon has two lines (the picture shows them).
case_firsthour_tray_tip_band_line() {
    new_case firsthour_tray_tip
    plug_box
    check "rigctld started" start_rig || return
    mkdir -p "$(settings_folder)"
    {
        printf '[%s]\r\n' "$(bands_section_of)"
        printf '%s\r\n' "FOLLOW=1" "SOURCE=127.0.0.1:$rig_port" "RULE-1=30000001,3000000000,4"
    } > "$(ini_file)"
    start_torvik HIDE
    check "following: antenna 3" wait_until 20 last_write_is 0x09
    check "status says so" wait_until 10 bands_status_is "following 145.000 MHz"
    check "tray icon docked" wait_until 20 tray_docked
    check "a tip over the icon" hover_tray_icon || return
    local height
    height=$(tip_height)
    mkdir -p "$artifacts"
    screenshot "$(tip_window)" "$artifacts/linux-tray-tip-following.png"
    check "the tip has the band line under the name ($height pixels high)" \
        test "${height:-0}" -ge 26
    stop_rig
}

# ---------------------------------------------------------------- torvikctl

case_firsthour_ctl_usage_and_show() {
    new_case firsthour_ctl_usage
    plug_box
    start_torvik HIDE
    check "answers" wait_until 20 ctl_says "mask 1 count 3" get
    ctl set
    local err
    err=$(cat "$case_dir/ctl.err")
    check "set without a mask: exit code 1" test "$rc" -eq 1
    check "says what was wrong: $err" grep -qx "torvikctl: set needs a mask from 0 to 15" <<<"$err"
    check "then the short usage only" test "$(wc -l <<<"$err")" -eq 2
    ctl --help
    check "--help: exit code 0" test "$rc" -eq 0
    check "--help gives an example of show" grep -qF "torvikctl show" <<<"$out"
    check "window hidden at first" no_window_shown
    check "show answers" ctl_says "shown" show
    check "show brings the window up" wait_until 10 window_shown
    check "exit tells the flag" ctl_says "1 hidden flag clear" exit
}

run_firsthour_cases() {
    local saved_torvik=$torvik_bin saved_ctl=$ctl_bin
    if ! firsthour_install; then
        run_case firsthour_package case_firsthour_no_package
        return
    fi
    torvik_bin="$firsthour_prefix/bin/torvik"
    ctl_bin="$firsthour_prefix/bin/torvikctl"
    run_case firsthour_first_writes_make_the_folder case_firsthour_first_writes_make_the_folder
    run_case firsthour_setup_in_effect_and_damaged case_firsthour_setup_in_effect_and_damaged
    run_case firsthour_switch_mode_stores_antennas case_firsthour_switch_mode_stores_antennas
    run_case firsthour_box_arrives_shows_state case_firsthour_box_arrives_shows_state
    run_case firsthour_keyboard_focus_cue case_firsthour_keyboard_focus_cue
    run_case firsthour_checked_buttons_picture case_firsthour_checked_buttons_picture
    run_case firsthour_ctl_usage_and_show case_firsthour_ctl_usage_and_show
    if command -v rigctld >/dev/null; then
        run_case firsthour_tray_tip_band_line case_firsthour_tray_tip_band_line
    fi
    if [ "$firsthour_prefix" = /usr ]; then
        dpkg -r torvik >>"$work/firsthour-dpkg.out" 2>&1
    fi
    torvik_bin=$saved_torvik
    ctl_bin=$saved_ctl
}
case_firsthour_no_package() {
    check "the Debian package made and unpacked (see $work/firsthour-package.out)" false
}
