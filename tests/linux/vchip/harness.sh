# The harness of tests/linux/vchip/run (sourced, after tests/wine/lib.sh): a testbed per case,
# the program under it, the chips' log, and the checks.

work="$build/vchip-cases"
only=${TORVIK_VCHIP_ONLY:-}   # a pattern of case names to run
torvik_bin="$build/app/linux/qt/torvik"
ctl_bin="$build/app/linux/qt/torvikctl"
vchip_bin="$build/tests/linux/vchip"
artifacts=${TORVIK_ARTIFACTS:-$root/build/artifacts}

xdotool() { timeout 15 xdotool "$@"; }

case_dir=""
torvik_pid=""
vchip_pid=""

alive() { [ -n "$1" ] && [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat"; }
gone() { ! alive "$1"; }
end_process() {
    alive "$1" && kill "$1" 2>/dev/null
    wait_until 5 gone "$1" || { kill -KILL "$1" 2>/dev/null; wait_until 5 gone "$1"; }
    wait "$1" 2>/dev/null
    return 0
}

# ---------------------------------------------------------------- the testbed and its chips

chip_log=""
# chip COMMAND...: one command to vchip (see vchip/main.c); waits until vchip has done it.
chip() {
    local before
    before=$(wc -l <"$chip_log")
    echo "$*" >"$case_dir/control"
    wait_until 10 chip_answered "$before"
}
chip_answered() { tail -n +"$(($1 + 1))" "$chip_log" | grep -qE ' (plugged|unplugged|fault|deny|allow|hold|mark|refused)( |$)'; }
# plug NAME SERIAL BUS PORT [PRODUCT-ID]: a chip plugged in at BUS-PORT.
plug() { chip plug "$1" "$2" "$3" "$4" "${5:-6001}"; }

# events NAME: what chip NAME saw, one event a line, without the times.
events() { awk -v name="$1" '$2 == name { $1 = ""; $2 = ""; sub(/^  /, ""); print }' "$chip_log"; }
writes() { events "$1" | awk '$1 == "write" { print $2 }'; }
write_count() { writes "$1" | wc -l; }
last_write_is() { [ "$(writes "$1" | tail -1)" = "$2" ]; }
writes_above() { [ "$(write_count "$1")" -gt "$2" ]; }
saw() { events "$1" | grep -qx "$2"; }
count_of() { events "$1" | grep -cx "$2"; }
# touched NAME: anything beyond reading the serial number (descriptors) through a short open.
touched() { events "$1" | grep -qvE '^(plugged|unplugged|open|descriptor)( |$)'; }
left_alone() { ! touched "$1"; }

new_case() {
    case_dir="$work/$1"
    rm -rf "$case_dir"
    mkdir -p "$case_dir/home" "$case_dir/run"
    chmod 700 "$case_dir/run"
    export HOME="$case_dir/home" XDG_CONFIG_HOME="$case_dir/config" XDG_RUNTIME_DIR="$case_dir/run"
    unset TORVIK_SIM_DEVICES TORVIK_SIM_LOG
    chip_log="$case_dir/chip.log"
    : >"$chip_log"
    mkfifo "$case_dir/control"
    # vchip itself runs under the preload too: umockdev's uevents go through its own /sys.
    umockdev-wrapper "$vchip_bin" "$chip_log" "$case_dir/control" "$case_dir/testbed" \
        >>"$case_dir/vchip.out" 2>&1 &
    vchip_pid=$!
    wait_until 10 grep -q ' - ready ' "$chip_log"
}
ini_file() { echo "$case_dir/config/torvik/Torvik.ini"; }
# stored SERIAL KEY=VALUE...: a settings file with the box's section, as the program writes it.
stored() {
    local serial=$1 pair; shift
    mkdir -p "$(dirname "$(ini_file)")"
    { printf '[%s_KEYSET]\r\n' "$serial"; for pair in "$@"; do printf '%s\r\n' "$pair"; done; } >"$(ini_file)"
}
start_torvik() {
    # Without CAP_DAC_OVERRIDE a device node's mode binds this root user as it binds any user.
    setpriv --bounding-set=-dac_override,-dac_read_search \
        env UMOCKDEV_DIR="$(cat "$case_dir/testbed")" LD_PRELOAD=libumockdev-preload.so.0 \
        "$torvik_bin" "$@" >>"$case_dir/torvik.out" 2>&1 &
    torvik_pid=$!
    chip hold "$torvik_pid"
}
stop_case() {
    [ -n "$torvik_pid" ] && end_process "$torvik_pid"
    torvik_pid=""
    if [ -n "$vchip_pid" ]; then
        echo quit >"$case_dir/control" &
        wait_until 5 gone "$vchip_pid"
        end_process "$vchip_pid"
    fi
    vchip_pid=""
}

# ---------------------------------------------------------------- the program's side

main_window() { xdotool search --onlyvisible --name '^TORVIK - Antenna' 2>/dev/null | head -1; }
window_shown() { [ -n "$(main_window)" ]; }
# Windows of ours besides the main window and the tray icon: a message box, say.
extra_windows() { xdotool search --onlyvisible --classname '^torvik$' 2>/dev/null | wc -l; }
click_at() {
    local window
    window=$(main_window)
    [ -n "$window" ] || return 1
    xdotool mousemove --window "$window" "$1" "$2" && xdotool click 1
}
# The antenna buttons' centres in window pixels (dialog units with base units 6 x 13).
antenna_centre() { echo "$(( (4 + 86 * $1 + 43) * 6 / 4 )) $(( (43 * 2 + 13) * 13 / 16 ))"; }
exit_centre() { echo "$(( (4 + 54) * 6 / 4 )) $(( (90 * 2 + 14) * 13 / 16 ))"; }

out=""
rc=0
ctl() { out=$(timeout 20 "$ctl_bin" "$@" 2>"$case_dir/ctl.err"); rc=$?; return 0; }
ctl_says() { local expected=$1; shift; ctl "$@"; [ "$rc" -eq 0 ] && [ "$out" = "$expected" ]; }
# The status line's text over the bus (empty while the box is ready).
status_text() {
    timeout 10 dbus-send --session --print-reply=literal --dest=de.velmora.Torvik \
        /de/velmora/Torvik de.velmora.Torvik.Status 2>/dev/null | sed -e 's/^ *//'
}
status_is() { [ "$(status_text)" = "$1" ]; }
answering() { ctl get; [ "$rc" -eq 0 ]; }

# ---------------------------------------------------------------- checks and cases

case_failed=""
check() {   # check DESCRIPTION COMMAND...: the first failing step is reported
    local description=$1; shift
    [ -n "$case_failed" ] && return 1
    "$@" || { case_failed="$description"; return 1; }
}
run_case() {   # run_case NAME FUNCTION
    local name=$1 began=$SECONDS
    if [ -n "$only" ] && [[ ! "$name" =~ $only ]]; then return; fi
    case_failed=""
    "$2"
    stop_case
    if [ -z "$case_failed" ]; then
        passed=$((passed + 1))
        printf 'PASS  %-34s %3ds\n' "$name" $((SECONDS - began))
    else
        failed=$((failed + 1))
        printf 'FAIL  %-34s %3ds  %s\n' "$name" $((SECONDS - began)) "$case_failed"
        tail -8 "$chip_log" 2>/dev/null | sed 's/^/      chip: /'
        tail -5 "$case_dir/torvik.out" 2>/dev/null | sed 's/^/      out: /'
    fi
}
