# The Wine suite's side of the harness, for tests/wine/run-all and its *_cases.sh files: a
# program folder per case, Torvik.exe and torvikctl.exe under Wine, probe.exe's look into the
# windows, and the case hooks of tests/e2e_lib.sh (a watchdog per case, every copy ended after).
# Needs run-all's build, work, torvik_exe, ctl_exe, probe_exe, standin_dll and case_limit.

torvik_pids=()
helper_pids=()

# new_case NAME: a fresh program folder holding Torvik.exe, an empty devices file and no log.
new_case() {
    case_dir="$work/$1"
    rm -rf "$case_dir"
    mkdir -p "$case_dir"
    [ -n "$torvik_exe" ] && cp "$torvik_exe" "$case_dir/Torvik.exe"
    : > "$case_dir/devices.txt"
    export TORVIK_SIM_DEVICES="$case_dir/devices.txt"
    export TORVIK_SIM_LOG="$case_dir/sim.log"
    torvik_pids=()
}

plug_box() {   # plug_box [FLAGS]
    printf '%s\t%s\t%s%s\n' "$serial" "$location" "Antenna switch" "${1:+	$1}" \
        >> "$case_dir/devices.txt"
}
unplug_all() { : > "$case_dir/devices.txt"; }

# start_torvik [ARGS...]: starts one copy in the case folder, its program folder.
start_torvik() {
    (cd "$case_dir" && exec "$WINE" "$case_dir/Torvik.exe" "$@") >>"$case_dir/torvik.out" 2>&1 &
    last_pid=$!
    torvik_pids+=("$last_pid")
}

# ctl ARGS...: runs torvikctl; its output in $out, its exit code in $rc.
ctl() {
    (cd "$case_dir" && exec timeout 30 "$WINE" "$ctl_exe" "$@") >"$case_dir/ctl.out" 2>"$case_dir/ctl.err"
    rc=$?
    out=$(tr -d '\r' < "$case_dir/ctl.out")
    # A failing call keeps what it said, since the next call overwrites ctl.err.
    [ "$rc" -eq 0 ] || cp "$case_dir/ctl.err" "$case_dir/ctl-failed-$*.err" 2>/dev/null
    return 0
}
ready() { ctl get; [ "$rc" -eq 0 ]; }

visible_window() { xdotool search --onlyvisible --name 'TORVIK' 2>/dev/null | head -1; }
has_visible_window() { [ -n "$(visible_window)" ]; }
no_visible_window() { [ -z "$(visible_window)" ]; }

ini_value() {   # ini_value KEY: the value of KEY in the box's section of Torvik.ini
    tr -d '\r' < "$case_dir/Torvik.ini" 2>/dev/null |
        awk -v s="[$section]" -v k="$1" '
            /^\[/ { inside = (tolower($0) == tolower(s)) }
            inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
write_ini() {   # write_ini LINE...: the box's section with these lines
    { printf '[%s]\r\n' "$section"; printf '%s\r\n' "$@"; } > "$case_dir/Torvik.ini"
}

# Wine's helper processes inherit the output of the first program: never read it through a
# pipe (the pipe would stay open), always through a file.
wine_output() {   # wine_output EXE ARGS...: runs it in the case folder and prints its output
    (cd "$case_dir" && exec timeout 30 "$WINE" "$@") >"$case_dir/wine.out" 2>&1
    local code=$?
    tr -d '\r' < "$case_dir/wine.out"
    return "$code"
}
# probe ARGS...: probe.exe's driver commands on the stand-in library (device_cases.sh).
probe() { wine_output "$probe_exe" "$standin_dll" "$@"; }
controls() { wine_output "$probe_exe" controls; }
control_state() {   # control_state ID: "visible V enabled E checked C"
    controls | awk -v id="$1" '$1 == "control" && $2 == id { print $3, $4, $5, $6, $7, $8 }'
}
control_shown() { control_state "$1" | grep -q '^visible 1'; }
control_hidden() { control_state "$1" | grep -q '^visible 0'; }
control_enabled() { control_state "$1" | grep -q 'enabled 1'; }
control_disabled() { control_state "$1" | grep -q 'enabled 0'; }
window_gone() { ! xdotool search --onlyvisible --name '^Error$' 2>/dev/null | grep -qx "$1"; }
# Wine's own state of the main window, not the window manager's (which may lag).
main_window_hidden() { [ "$(controls | awk '$1 == "window" { print $3; exit }')" = 0 ]; }
tooltip_visible() { wine_output "$probe_exe" tooltips >/dev/null; }

# stop_torvik: asks every copy of this case to end, then makes sure they have.
stop_torvik() {
    local pid
    for pid in "${torvik_pids[@]}"; do
        alive "$pid" || continue
        ctl exit
        wait_until 10 gone "$pid"
    done
    for pid in "${torvik_pids[@]}"; do end_process "$pid"; done
    torvik_pids=()
    # Helper windows of the case (focus programs) end with it.
    for pid in "${helper_pids[@]}"; do end_process "$pid"; done
    helper_pids=()
}

start_focus_app() {   # start_focus_app EXE NAME: starts it and waits for its window
    (cd "$case_dir" && exec "$WINE" "$1") >/dev/null 2>&1 &
    helper_pids+=($!)
    wait_until 30 xdotool search --onlyvisible --name "^$2\$" || return 1
}
focus_window() {   # focus_window TITLE-PATTERN: activates the window and waits until it has focus
    local id
    id=$(xdotool search --onlyvisible --name "$1" | head -1)
    [ -n "$id" ] || return 1
    focus_id "$id"
}

# ---------------------------------------------------------------- the hooks of run_case

# A case that hangs is ended after case_limit seconds: its Wine programs are killed, which
# releases whatever it waits for, and it counts as failed.
watchdog=""
case_begin() {
    rm -f "$work/.timed-out"
    (
        trap 'kill $sleeper 2>/dev/null; exit 0' TERM
        sleep "$case_limit" & sleeper=$!
        wait "$sleeper"
        : > "$work/.timed-out"
        "$WINESERVER" -k >/dev/null 2>&1
    ) &
    watchdog=$!
    if [ -z "$torvik_exe" ] && [ "$1" = torvik ]; then
        case_failed="Torvik.exe is not built in $build"
    fi
}
case_end() {
    [ "$1" = torvik ] && [ -n "$torvik_exe" ] && stop_torvik
    kill "$watchdog" 2>/dev/null
    wait "$watchdog" 2>/dev/null
    if [ -e "$work/.timed-out" ]; then
        case_failed="timed out after ${case_limit}s (${case_failed:-no step failed before})"
        "$WINESERVER" -p >/dev/null 2>&1
    fi
}

# config_block_hex: the caller's 530-byte array b as the CONFIG key's text, hex with the
# checksum byte after it.
config_block_hex() {
    local hex="" sum=0 i
    for ((i = 0; i < 530; i++)); do
        hex+=$(printf '%02X' $((b[i])))
        sum=$(((sum + b[i]) % 256))
    done
    printf '%s%02X' "$hex" "$sum"
}
