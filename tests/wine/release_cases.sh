# Cases of the program a user installs, for tests/wine/run-all (which sources this file and calls
# run_release_cases): per-program hotkeys after a hidden start, the program folder when started
# from another working folder and its longest length, and the Manual button. Uses run-all's
# helpers.

# program_config NAME1 SLOT1 NAME2 SLOT2 NAME3 SLOT3: the CONFIG value with Global off and
# records 1 to 3 named and active, each giving CTRL+F5 to the antenna slot given; record 4 off.
program_config() {
    local -a b
    local i r j name
    for ((i = 0; i < 530; i++)); do b[i]=0; done
    b[0]=1; b[4 * 106]=1
    for r in 1 2 3; do
        name=${*:2 * r - 1:1}
        b[r * 106 + 2 + ${*:2 * r:1}]=0x74           # F5 in the slot
        b[r * 106 + 18 + ${*:2 * r:1}]=1             # with CTRL
        for ((j = 0; j < ${#name}; j++)); do b[r * 106 + 42 + j]=$(printf '%d' "'${name:j:1}"); done
    done
    config_block_hex
}

# press_in FOCUS-TITLE EXPECTED-ANSWER: CTRL+F5 with that window in front changes the state to
# the answer (the caller makes sure the state was another one before).
press_in() {
    in_front "$1" && xdotool key ctrl+F5 && wait_until 10 ctl_says "$2" get
}
# in_front TITLE-PATTERN: the window has the focus, and Wine holds it as the foreground window.
# Wine can miss an activation that the window manager made: it is made again, a few times.
in_front() {
    local attempt
    for attempt in 1 2 3; do
        focus_window "$1" && wait_until 5 foreground_is "$1" && return 0
    done
    out="foreground: $(wine_output "$probe_exe" foreground)"
    return 1
}
foreground_is() { grep -q -- "$1" <<<"$(wine_output "$probe_exe" foreground)"; }

# click_main X Y: a real click at (X, Y) in the 264 x 109 units of the main window's template.
click_main() {
    local window WIDTH=0 HEIGHT=0 WINDOW=0 X=0 Y=0 SCREEN=0
    window=$(visible_window)
    [ -n "$window" ] && focus_window 'TORVIK' || return 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" $(($1 * WIDTH / 264)) $(($2 * HEIGHT / 109)) click 1
}

# hotkeys_by_program_round: Brannoc.exe, Tessiv.exe and Other.exe in front in turn, each from a
# state other than the one its press should give.
hotkeys_by_program_round() {
    check "set antenna 2 ($1)" ctl_says "mask 2" set 2
    check "Brannoc.exe in front: antenna 3 ($1)" press_in '^Brannoc.exe$' "mask 4 count 3"
    local before one
    before=$(count_writes)
    check "Tessiv.exe in front: antenna 1 ($1)" press_in '^Tessiv.exe$' "mask 1 count 3"
    one=$(($(count_writes) - before))   # the writes of one acting press
    before=$(count_writes)
    check "Other.exe in front ($1)" in_front '^Other.exe$'
    xdotool key ctrl+F5
    # Hotkeys are handled in order: once Brannoc.exe's press is seen, Other.exe's was handled.
    check "then Brannoc.exe: antenna 3 ($1)" press_in '^Brannoc.exe$' "mask 4 count 3"
    check "Other.exe in front: nothing written ($1)" test "$(count_writes)" = $((before + one))
}

case_hotkeys_after_hidden_start() {
    new_case hotkeys_after_hidden_start
    plug_box
    write_ini "CONFIG=$(program_config Tessiv.exe 0 Brannoc.exe 2 Torvik.exe 1)"
    cp "$brannoc_exe" "$case_dir/Other.exe"
    start_torvik HIDE
    check "answers" wait_until 40 ready
    check "Brannoc.exe started" start_focus_app "$brannoc_exe" Brannoc.exe
    check "Tessiv.exe started" start_focus_app "$tessiv_exe" Tessiv.exe
    check "Other.exe started" start_focus_app "$case_dir/Other.exe" Other.exe
    check "no window shown" no_visible_window
    hotkeys_by_program_round "hidden start"

    # Shown once (a second start brings it forward), used, and hidden again with OK.
    start_torvik
    check "second copy ends" wait_until 30 gone "$last_pid"
    check "window shown" wait_until 10 has_visible_window
    check "set antenna 3" ctl_says "mask 4" set 4
    check "Torvik's own window in front: antenna 2" press_in 'TORVIK' "mask 2 count 3"
    check "OK clicked" click_main 206 97
    check "OK hides the window" wait_until 10 no_visible_window
    hotkeys_by_program_round "after OK"
}

case_start_from_another_folder() {
    new_case start_from_another_folder
    plug_box
    write_ini "ANTENNA-1=0" "ANTENNA-2=0" "ANTENNA-3=1" "SWITCHMIXER=1"
    local elsewhere="$case_dir/elsewhere"
    mkdir -p "$elsewhere"
    (cd "$elsewhere" && exec "$WINE" "$case_dir/Torvik.exe" HIDE) >>"$case_dir/torvik.out" 2>&1 &
    torvik_pids+=("$!")
    check "answers" wait_until 40 ready
    check "the state stored beside the program loads" ctl_says "mask 4 count 3" get
    check "a change" ctl_says "mask 5" set 5
    check "is stored beside the program" \
        test "$(ini_value ANTENNA-1),$(ini_value ANTENNA-3),$(ini_value SWITCHMIXER)" = "1,1,1"
    check "the driver file lies beside the program" cmp -s "$case_dir/FTD2XX.dll" "$standin_dll"
    check "nothing written into the working folder: $(ls -A "$elsewhere")" \
        test -z "$(ls -A "$elsewhere")"
}

# folder_of_length N: a folder inside the case folder whose Windows path ("Z:\...") has exactly
# N characters, holding a copy of Torvik.exe; prints its Unix path.
folder_of_length() {
    local folder=$case_dir/f
    local room=$(($1 - ${#folder} - 2))
    while [ "$room" -gt 200 ]; do folder+=/$(printf '%0100d' 0); room=$((room - 101)); done
    folder+=/$(printf '%0*d' $((room - 1)) 0)
    mkdir -p "$folder" && cp "$case_dir/Torvik.exe" "$folder/" && echo "$folder"
}

case_longest_program_folder() {
    new_case longest_program_folder
    plug_box
    local longest overlong
    longest=$(folder_of_length 254)
    overlong=$(folder_of_length 255)
    (cd "$case_dir" && exec "$WINE" "$longest/Torvik.exe" HIDE) >>"$case_dir/torvik.out" 2>&1 &
    torvik_pids+=("$!")
    check "254 characters: it runs" wait_until 40 ready
    check "the driver file written in that folder" cmp -s "$longest/FTD2XX.dll" "$standin_dll"
    check "exit" ctl_says "-1 hidden flag set" exit
    check "ended" wait_until 15 gone "${torvik_pids[0]}"
    (cd "$case_dir" && exec "$WINE" "$overlong/Torvik.exe" HIDE) >>"$case_dir/torvik.out" 2>&1 &
    torvik_pids+=("$!")
    check "255 characters: refused, the program ends" wait_until 30 gone "$!"
    check "without writing there: $(ls -A "$overlong")" test "$(ls -A "$overlong")" = Torvik.exe
    check "nor in the working folder" test ! -e "$case_dir/Torvik.ini"
}

# Where the fake browser writes what it was asked to open.
opened() { tr -d '\r' < "$case_dir/opened.txt" 2>/dev/null; }

case_manual_button() {
    new_case manual_button
    local manual
    manual=$(find_built index.html)
    check "the manual is built" test -n "$manual"
    mkdir -p "$case_dir/manual" "$case_dir/bin"
    cp "$manual" "$case_dir/manual/index.html"
    # A Windows machine opens .html pages with its browser; a prefix made without Wine's HTML
    # engine lacks that association. Wine's browser hands the page to the desktop's opener,
    # and this one notes what it was given.
    wine_output reg add 'HKLM\Software\Classes\.html' /ve /d htmlfile /f >/dev/null
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s/opened.txt"\n' "$case_dir" > "$case_dir/bin/xdg-open"
    chmod +x "$case_dir/bin/xdg-open"
    PATH="$case_dir/bin:$PATH" start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "Manual clicked" click_main 221 71
    check "something was opened" wait_until 20 test -s "$case_dir/opened.txt"
    check "the installed manual was opened, not '$(opened)'" \
        grep -q "$case_dir/manual/index.html" <<<"$(opened)"
}

run_release_cases() {
    run_case hotkeys_after_hidden_start case_hotkeys_after_hidden_start
    run_case start_from_another_folder case_start_from_another_folder
    run_case longest_program_folder case_longest_program_folder
    run_case manual_button case_manual_button
}
