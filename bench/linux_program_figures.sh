# The common part of the Linux program's figures (sourced by linux-band-figures and
# linux-transmit-figures): the program `torvik` as users run it on a virtual display, with its
# own settings folder holding a band plan for rigctld's dummy rig, the simulated box's log
# read for the bytes, and everything ended on exit. The sourcing script sets `figures` (its
# name, for the messages) and, before start_rig, rig_ptt if the rig must key.
#   start_program PLAN-LINE...   the program with these keys in the box's bands section
#   last_write, last_write_is BYTE, now_us
set -uo pipefail
exec </dev/null

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tests/wine/lib.sh"
build=$(cd "${1:-$root/build/native}" && pwd)
torvik_bin="$build/app/linux/qt/torvik"
if [ ! -x "$torvik_bin" ] || ! command -v rigctld >/dev/null; then
    echo "$figures: skipped (torvik not built in $build, or rigctld not installed)"
    exit 0
fi

case_dir=$(mktemp -d)
torvik_pid=""
alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }
end_process() {
    alive "$1" && kill "$1" 2>/dev/null
    wait_until 5 bash -c "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    return 0
}
cleanup() {
    [ -n "$torvik_pid" ] && end_process "$torvik_pid"
    stop_rig
    stop_all
    [ -n "${TORVIK_KEEP:-}" ] && echo "kept $case_dir" || rm -rf "$case_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_display || { echo "$figures: no display"; exit 1; }

start_program() {
    local serial="TV01MIRVAX8A"
    mkdir -p "$case_dir/config/torvik"
    printf '%s\t%s\t%s\n' "$serial" "0x00001A2B" "Antenna switch" > "$case_dir/devices.txt"
    {
        printf '[%s_BANDS]\r\n' "$serial"
        printf '%s\r\n' "$@"
    } > "$case_dir/config/torvik/Torvik.ini"
    export HOME="$case_dir" XDG_CONFIG_HOME="$case_dir/config"
    export TORVIK_SIM_DEVICES="$case_dir/devices.txt" TORVIK_SIM_LOG="$case_dir/sim.log"
    DBUS_SESSION_BUS_ADDRESS="unix:path=$case_dir/no-bus" "$torvik_bin" >"$case_dir/torvik.out" 2>&1 &
    torvik_pid=$!
}
last_write() { grep '^WRITE ' "$case_dir/sim.log" 2>/dev/null | tail -1 | cut -d' ' -f2; }
last_write_is() { [ "$(last_write)" = "$1" ]; }
now_us() { local t=${EPOCHREALTIME/./}; echo "${t#0}"; }
# wait_for_byte BYTE: waits up to 3 s, looking every 2 ms; prints the microseconds taken.
wait_for_byte() {
    local start limit
    start=$(now_us)
    limit=$((start + 3000000))
    while [ "$(last_write)" != "$1" ] && [ "$(now_us)" -lt "$limit" ]; do sleep 0.002; done
    [ "$(last_write)" = "$1" ] || return 1
    echo $(( $(now_us) - start ))
}
# print_times LABEL TIMES...: min, median, mean and max in milliseconds.
print_times() {
    local label=$1; shift
    printf '%s\n' "$@" | sort -n | awk -v n="$#" -v label="$label" '
        { t[NR] = $1 / 1000; sum += t[NR] }
        END { printf "%s: %d times: min %.1f ms, median %.1f ms, mean %.1f ms, max %.1f ms\n",
                     label, n, t[1], t[int((n + 1) / 2)], sum / n, t[n] }'
}
