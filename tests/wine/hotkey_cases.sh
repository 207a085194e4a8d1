# Cases of the global hotkeys for tests/wine/run-all: the Global record with any program in
# front, and records bound to programs (config_block, also used by setup_cases.sh).
# Uses the harness of tests/e2e_lib.sh and tests/wine/helpers.sh (new_case, plug_box,
# start_torvik, ctl_says, check, log_lines, ...); run-all lists the cases in order.

case_hotkeys_global() {
    new_case hotkeys_global
    plug_box
    start_torvik
    check "answers" wait_until 40 ready
    check "window shown" wait_until 20 has_visible_window
    check "Torvik focused" focus_window 'TORVIK'
    xdotool key ctrl+KP_2
    check "CTRL+NUM PAD 2 with Torvik in front" wait_until 10 ctl_says "mask 2 count 3" get
    check "Brannoc.exe started" start_focus_app "$brannoc_exe" Brannoc.exe
    check "Brannoc.exe focused" focus_window '^Brannoc.exe$'
    xdotool key ctrl+KP_3
    check "CTRL+NUM PAD 3 with Brannoc.exe in front" wait_until 10 ctl_says "mask 4 count 3" get
    check "antenna 3 written" test "$(last_write)" = 0x09
}

# config_block: the CONFIG value for a Global record that is off, record 1 (Tessiv.exe) giving
# CTRL+F5 to antenna 1 and record 2 (Brannoc.exe) giving it to antenna 3; records 3, 4 off.
config_block() {
    local -a b
    local i
    for ((i = 0; i < 530; i++)); do b[i]=0; done
    set_name() { local r=$1 name=$2 j; for ((j = 0; j < ${#name}; j++)); do
        b[r * 106 + 42 + j]=$(printf '%d' "'${name:j:1}"); done; }
    b[0]=1; b[3 * 106]=1; b[4 * 106]=1           # deactivated
    b[1 * 106 + 2]=0x74; b[1 * 106 + 18]=1       # record 1, slot 0: CTRL+F5
    b[2 * 106 + 4]=0x74; b[2 * 106 + 20]=1       # record 2, slot 2: CTRL+F5
    set_name 1 Tessiv.exe
    set_name 2 Brannoc.exe
    config_block_hex
}

case_hotkeys_by_program() {
    new_case hotkeys_by_program
    plug_box
    write_ini "CONFIG=$(config_block)" "ANTENNA-1=0" "ANTENNA-2=1" "ANTENNA-3=0"
    start_torvik
    check "answers" wait_until 40 ready
    check "stored state" ctl_says "mask 2 count 3" get
    check "Tessiv.exe started" start_focus_app "$tessiv_exe" Tessiv.exe
    check "Tessiv.exe focused" focus_window '^Tessiv.exe$'
    xdotool key ctrl+F5
    check "CTRL+F5 with Tessiv.exe: antenna 1" wait_until 10 ctl_says "mask 1 count 3" get
    check "Brannoc.exe started" start_focus_app "$brannoc_exe" Brannoc.exe
    check "Brannoc.exe focused" focus_window '^Brannoc.exe$'
    xdotool key ctrl+F5
    check "CTRL+F5 with Brannoc.exe: antenna 3" wait_until 10 ctl_says "mask 4 count 3" get
    check "window shown" wait_until 20 has_visible_window
    check "Torvik focused" focus_window 'TORVIK'
    local writes
    writes=$(count_writes)
    xdotool key ctrl+F5    # Torvik itself has no record
    xdotool key ctrl+KP_1  # the Global record is off
    # A press that works, after them: every press that chooses an antenna writes the box, so the
    # one write since is this press's alone.
    check "Tessiv.exe focused again" focus_window '^Tessiv.exe$'
    xdotool key ctrl+F5
    check "CTRL+F5 with Tessiv.exe: antenna 1 again" wait_until 10 ctl_says "mask 1 count 3" get
    check "CTRL+F5 with Torvik itself and CTRL+NUM PAD 1 did nothing: $(writes_since "$writes" | tr '\n' ' ')" \
        test "$(writes_since "$writes")" = "WRITE 0x0A 0"
}
