# Cases of the setup dialog for tests/wine/run-all, which sources this file and calls
# run_setup_cases: the main window's Setup button, keys and modifiers stored on OK and taken by
# the hotkeys, Cancel, and the autostart entry in the user's Run key.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl_says, check, ini_value, ...).

setup_title='^Torvik Setup Antenna Switch and Mixer$'
main_title='^TORVIK - Antenna Switch'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
autostart_name='Antenna Switch'
setup_win=""

# click_units WINDOW X Y W H: a click at (X, Y) in dialog units of a W x H units template.
click_units() {
    local WINDOW=0 X=0 Y=0 WIDTH=0 HEIGHT=0 SCREEN=0
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    [ "$WIDTH" -gt 0 ] && [ "$HEIGHT" -gt 0 ] || return 1
    xdotool mousemove --window "$1" $(($2 * WIDTH / $4)) $(($3 * HEIGHT / $5)) click 1
    sleep 0.3
}

# Points of the setup dialog (252 x 206 units): the middles of its controls.
click_setup() { click_units "$setup_win" "$1" "$2" 252 206; }
page_x=(23 70 121 172 223)
row_y=(48 78 108)
click_page() { click_setup "${page_x[$1]}" 13; }
click_key() { click_setup 82 "${row_y[$1]}"; }
click_alt() { click_setup 136 "${row_y[$1]}"; }
click_ctrl() { click_setup 165 "${row_y[$1]}"; }
click_shift() { click_setup 194 "${row_y[$1]}"; }
click_win() { click_setup 223 "${row_y[$1]}"; }
click_program_name() { click_setup 79 141; }
click_deactivate() { click_setup 190 141; }
click_autostart() { click_setup 52 168; }
click_cancel() { click_setup 170 168; }
click_ok() { click_setup 222 168; }

setup_shown() { [ -n "$(xdotool search --onlyvisible --name "$setup_title" 2>/dev/null)" ]; }
setup_gone() { ! setup_shown; }
main_window() { xdotool search --onlyvisible --name "$main_title" 2>/dev/null | head -1; }
main_shown() { [ -n "$(main_window)" ]; }

# open_setup: clicks the main window's Setup button and waits for the dialog. The main window
# goes to the top of the screen first, so that the dialog (which opens over it) has room below
# for the key menu: a menu pushed up by the screen's edge would open under the pointer.
open_setup() {
    local main
    setup_win=""
    main=$(main_window)
    [ -n "$main" ] || return 1
    xdotool windowmove --sync "$main" 0 0 >/dev/null 2>&1
    xdotool windowactivate --sync "$main" >/dev/null 2>&1
    click_units "$main" 157 73 264 109
    wait_until 10 setup_shown || return 1
    setup_win=$(xdotool search --onlyvisible --name "$setup_title" | head -1)
    sleep 0.5   # let the buttons paint
}

# choose_key ROW POSITION: drops the key menu of a row down and chooses the item at POSITION.
choose_key() {
    click_key "$1"
    sleep 0.7
    local i
    for ((i = 0; i <= $2; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 0.3
}

# setup_texts: every text inside the open setup dialog, one "text ..." line each.
setup_texts() {
    (cd "$case_dir" && timeout 20 "$WINE" "$probe_exe" dialog \
        "Torvik Setup Antenna Switch and Mixer" 2>/dev/null | tr -d '\r')
}
setup_has_text() { setup_texts | grep -qxF "text $1"; }

# The CONFIG value: 530 bytes as hex and a checksum byte (the sum of the 530 modulo 256).
config_valid() {
    local hex=$1 i sum=0
    [ ${#hex} -eq 1062 ] || return 1
    for ((i = 0; i < 530; i++)); do sum=$(((sum + 16#${hex:i * 2:2}) % 256)); done
    [ "$sum" -eq $((16#${hex:1060:2})) ]
}
config_byte() { echo $((16#${1:$2 * 2:2})); }   # config_byte HEX INDEX
config_name() {   # config_name HEX RECORD: the program name of a record
    local hex=$1 at=$(($2 * 106 + 42)) i name="" byte
    for ((i = 0; i < 64; i++)); do
        byte=$((16#${hex:(at + i) * 2:2}))
        [ "$byte" -eq 0 ] && break
        name+=$(printf "\\x$(printf '%02x' "$byte")")
    done
    printf '%s' "$name"
}
config_has() {   # config_has HEX INDEX VALUE
    [ "$(config_byte "$1" "$2")" -eq "$(($3))" ]
}

# The autostart value: its data, or nothing (exit code 1) when it is missing.
wine_reg() { timeout 30 "$WINE" reg "$@" 2>/dev/null | tr -d '\r'; }
autostart_data() {
    wine_reg query "$run_key" /v "$autostart_name" |
        awk -v n="$autostart_name" 'index($0, "    " n "    ") == 1 {
            sub(/^ +[^ ].*[^ ]    REG_[A-Z_]+    /, ""); print; found = 1 }
            END { exit !found }'
}
autostart_absent() { ! autostart_data >/dev/null; }
run_key_exists() { timeout 30 "$WINE" reg query "$run_key" >/dev/null 2>&1; }
run_key_missing() { ! run_key_exists; }
remove_autostart() {
    timeout 30 "$WINE" reg delete "$run_key" /v "$autostart_name" /f >/dev/null 2>&1
    autostart_absent
}
set_autostart() {   # set_autostart DATA: a value of our name with other data
    timeout 30 "$WINE" reg add "$run_key" /v "$autostart_name" /t REG_SZ /d "$1" /f \
        >/dev/null 2>&1
}
writes_above() { [ "$(count_writes)" -gt "$1" ]; }
ok_and_wait() { click_ok; wait_until 10 setup_gone; }

# ---------------------------------------------------------------- cases

case_setup_key_and_modifier() {
    new_case setup_keys
    plug_box
    check "no autostart value" remove_autostart
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "Torvik focused" focus_window "$main_title"
    xdotool key ctrl+KP_3
    check "CTRL+NUM PAD 3 before the setup" wait_until 10 ctl_says "mask 4 count 3" get
    check "Setup opens the dialog" open_setup
    check "opens on the Global page" setup_has_text "Global Function Configuration"
    check "Global shown as in effect: active" setup_has_text "Control for all Programs on Desktop"
    check "key of antenna 2" setup_has_text "NUM PAD 2"
    mkdir -p "$artifacts"
    screenshot "$setup_win" "$artifacts/setup-dialog-global.png"

    click_deactivate      # the Global record is deactivated, then active again
    check "deactivated Global says so" setup_has_text "Global Control not active - suspended"
    click_deactivate
    choose_key 1 4        # antenna 2: F5
    click_shift 1         # antenna 2: SHIFT on, CTRL stays on
    check "the key button shows F5" setup_has_text "F5"
    check "the program line shows the active text" \
        setup_has_text "Control for all Programs on Desktop"
    screenshot "$setup_win" "$artifacts/setup-dialog-edited.png"
    # A program name typed on page 2 is taken by OK, cut to 63 characters.
    local long_name="Radio-Control-Program-With-A-Name-Far-Longer-Than-Sixty-Three-Characters.exe"
    click_page 2
    click_program_name
    xdotool key End shift+Home
    xdotool type --delay 10 "$long_name"
    local writes
    writes=$(count_writes)
    click_ok
    check "OK closes the dialog" wait_until 10 setup_gone
    check "and reloads the settings (writes the output)" wait_until 10 writes_above "$writes"

    local config
    config=$(ini_value CONFIG)
    check "CONFIG holds 530 bytes and their checksum" config_valid "$config"
    check "Global record active" config_has "$config" 0 0
    check "antenna 2 key F5" config_has "$config" 3 0x74
    check "antenna 2 SHIFT on" config_has "$config" 27 1
    check "antenna 2 CTRL kept" config_has "$config" 19 1
    check "antenna 2 ALT and WIN off" test "$(config_byte "$config" 11)$(config_byte "$config" 35)" = 00
    check "antenna 1 keeps NUM PAD 1" config_has "$config" 2 0x61
    check "record 1 bound to Tessiv.exe" test "$(config_name "$config" 1)" = Tessiv.exe
    check "record 2 takes the typed name, cut" test "$(config_name "$config" 2)" = "${long_name:0:63}"
    check "record 2's last byte zero" config_has "$config" $((2 * 106 + 105)) 0
    check "record 3 deactivated" config_has "$config" $((3 * 106)) 1

    check "Torvik focused" focus_window "$main_title"
    local writes
    writes=$(count_writes)
    xdotool key ctrl+KP_2
    xdotool key ctrl+shift+F5
    check "CTRL+SHIFT+F5 selects antenna 2" wait_until 10 ctl_says "mask 2 count 3" get
    # Every press that chooses an antenna writes the box: one write, so CTRL+NUM PAD 2 chose none.
    check "CTRL+NUM PAD 2 no longer selects antenna 2: $(writes_since "$writes" | tr '\n' ' ')" \
        test "$(writes_since "$writes")" = "WRITE 0x0C 0"
}

case_setup_cancel() {
    new_case setup_cancel
    plug_box
    write_ini "CONFIG=$(config_block)" "ANTENNA-1=1" "ANTENNA-2=0" "ANTENNA-3=0"
    cp "$case_dir/Torvik.ini" "$case_dir/Torvik.ini.before"
    check "no autostart value" remove_autostart
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    local writes
    writes=$(count_writes)

    check "Setup opens the dialog" open_setup
    check "the stored Global record is off" setup_has_text "Global Control not active - suspended"
    click_page 1
    check "page 1 shown" setup_has_text "1. Function Configuration"
    check "with its stored key" setup_has_text "F5"
    click_alt 0
    choose_key 0 8        # F9
    click_program_name
    xdotool key End shift+Home
    xdotool type --delay 20 'Other.exe'
    click_page 2
    click_deactivate
    check "page 2 deactivated" setup_has_text "2.Config not active - suspended"
    click_autostart
    click_cancel
    check "Cancel closes the dialog" wait_until 10 setup_gone
    # Answered by the main window's loop: whatever the dialog's end does is done.
    check "answers after the dialog" ready
    check "Torvik.ini unchanged" cmp -s "$case_dir/Torvik.ini" "$case_dir/Torvik.ini.before"
    check "no autostart value written" autostart_absent
    check "no reload after Cancel" test "$(count_writes)" -eq "$writes"

    # Escape is Cancel too.
    check "Setup opens again" open_setup
    click_deactivate
    click_autostart
    xdotool key Escape
    check "Escape closes the dialog" wait_until 10 setup_gone
    check "answers after the dialog" ready
    check "Torvik.ini still unchanged" cmp -s "$case_dir/Torvik.ini" "$case_dir/Torvik.ini.before"
    check "still no autostart value" autostart_absent
    check "still no reload" test "$(count_writes)" -eq "$writes"
}

case_setup_autostart() {
    new_case setup_autostart
    plug_box
    local folder
    folder=$(cd "$case_dir" && timeout 30 "$WINE" winepath -w "$case_dir" 2>/dev/null | tr -d '\r')
    check "the program folder as Windows sees it" test -n "$folder"
    # Without the Run key at all: the button opens unchecked and OK creates key and value.
    timeout 30 "$WINE" reg delete "$run_key" /f >/dev/null 2>&1
    check "no Run key" wait_until 5 run_key_missing
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown

    check "Setup opens the dialog" open_setup
    click_autostart
    check "OK closes the dialog" ok_and_wait
    check "autostart value is the run command" \
        test "$(autostart_data)" = "$folder\\Torvik.exe HIDE"

    # Another program's data under our name counts as registered; toggled twice it stays.
    check "value with other data" set_autostart 'C:\Elsewhere\Torvik.exe HIDE'
    check "Setup opens the dialog" open_setup
    click_autostart
    click_autostart
    check "OK closes the dialog" ok_and_wait
    check "value left as it was" test "$(autostart_data)" = 'C:\Elsewhere\Torvik.exe HIDE'

    # Toggled once from checked: the value goes, the Run key stays.
    check "Setup opens the dialog" open_setup
    click_autostart
    check "OK closes the dialog" ok_and_wait
    check "autostart value deleted" autostart_absent
    check "Run key kept" run_key_exists

    # Data longer than the 255 bytes read counts as no registration: checking the button
    # writes the run command over it.
    check "value with overlong data" set_autostart "C:\\$(printf 'x%.0s' {1..300})\\Torvik.exe HIDE"
    check "Setup opens the dialog" open_setup
    click_autostart
    check "OK closes the dialog" ok_and_wait
    check "overlong value replaced by the run command" \
        test "$(autostart_data)" = "$folder\\Torvik.exe HIDE"
    timeout 30 "$WINE" reg delete "$run_key" /v "$autostart_name" /f >/dev/null 2>&1

    # A value whose data lacks the terminating zero still counts as registered.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"%s"=hex(1):41,42,43\r\n' \
        "$autostart_name" > "$case_dir/unterminated.reg"
    (cd "$case_dir" && timeout 30 "$WINE" reg import unterminated.reg >/dev/null 2>&1)
    check "unterminated value imported" test -n "$(autostart_data)"
    check "Setup opens the dialog" open_setup
    click_autostart
    check "OK closes the dialog" ok_and_wait
    check "unterminated value found and deleted" autostart_absent
}

case_setup_without_box() {
    new_case setup_without_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "Setup disabled" control_disabled 1007
    local main
    main=$(main_window)
    xdotool windowactivate --sync "$main" >/dev/null 2>&1
    click_units "$main" 157 73 264 109
    sleep 2
    check "no setup dialog without a box" setup_gone
    check "no settings file" test ! -e "$case_dir/Torvik.ini"
    check "the window stays usable" ready
}

# A script ending Torvik while the user has the setup dialog open: the program ends at once,
# with the final write, instead of waiting until the dialog is closed by hand.
case_setup_open_at_exit() {
    new_case setup_open_at_exit
    plug_box
    start_torvik
    local torvik=$last_pid
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 main_shown
    check "Setup opens the dialog" open_setup
    check "exit answers 1 (shown)" ctl_says "1 hidden flag clear" exit
    check "the program ends" wait_until 15 gone "$torvik"
    check "the last byte drops the running bit" test "$(last_write)" = "0x02"
    check "nothing was stored by the dialog" test ! -e "$case_dir/Torvik.ini"
}

run_setup_cases() {
    run_case setup_key_and_modifier case_setup_key_and_modifier
    run_case setup_cancel case_setup_cancel
    run_case setup_autostart case_setup_autostart
    run_case setup_without_box case_setup_without_box
    run_case setup_open_at_exit case_setup_open_at_exit
}
