# The end-to-end harness both suites share (tests/wine/run-all, tests/linux/run-all): the case
# runner with its steps and counting, the final "N passed, M failed", processes ended without a
# blind wait, and the simulated box's log. Source it after tests/wine/lib.sh.
# A suite sets `only` (a pattern of case names to run) and defines the hooks
#   case_begin NEEDS   before a case (may set case_failed to fail it unrun)
#   case_end NEEDS     after it: ends the case's processes
#   case_details       optional: more lines printed under a failed case

# Every xdotool call is bounded: "--sync" waits forever for an event that may never come (a move
# to where the window already is, an activation of a window that went away).
xdotool() { timeout 15 xdotool "$@"; }

passed=0
failed=0
failures=()
case_dir=""
case_failed=""
# The last torvikctl answer and exit code, set by the suite's ctl.
out=""
rc=0

# The box every case plugs: the serial is accepted (it contains MIRVAX8).
serial="TV01MIRVAX8A"
location="0x00001A2B"
section="${serial}_KEYSET"

check() {   # check DESCRIPTION COMMAND...: a step of a case; the first failing one is reported
    local description=$1; shift
    [ -n "$case_failed" ] && return 1
    # A step may read what an earlier step's torvikctl call left in out and rc, so they are
    # kept; a failure names the answer only when this step made one.
    local out_before=$out rc_before=$rc
    if ! "$@"; then
        case_failed="$description"
        { [ "$out" != "$out_before" ] || [ "$rc" != "$rc_before" ]; } &&
            case_failed+=" (last torvikctl answer: '$out', exit code $rc)"
        return 1
    fi
}

run_case() {   # run_case NAME FUNCTION [NEEDS]: NEEDS "torvik" (the default) or another word
    local name=$1 function=$2 needs=${3:-torvik}
    if [ -n "$only" ] && [[ ! "$name" =~ $only ]]; then return; fi
    case_failed=""
    local began=$SECONDS
    case_begin "$needs"
    [ -n "$case_failed" ] || "$function"
    case_end "$needs"
    if [ -z "$case_failed" ]; then
        passed=$((passed + 1))
        printf 'PASS  %-34s %3ds\n' "$name" $((SECONDS - began))
    else
        failed=$((failed + 1))
        failures+=("$name: $case_failed")
        printf 'FAIL  %-34s %3ds  %s\n' "$name" $((SECONDS - began)) "$case_failed"
        [ -n "$case_dir" ] && [ -f "$case_dir/sim.log" ] &&
            tail -5 "$case_dir/sim.log" | sed 's/^/      log: /'
        declare -F case_details >/dev/null && case_details
    fi
}

# finish_suite: the failures again, the final line, and the exit status.
finish_suite() {
    local f
    for f in "${failures[@]}"; do echo "  failed: $f"; done
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

alive() { [ -n "$1" ] && [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
gone() { ! alive "$1"; }

# end_process PID: TERM, then KILL if it lingers; reaped once gone, never waited on blindly.
end_process() {
    alive "$1" && kill "$1" 2>/dev/null
    wait_until 5 gone "$1" || { kill -KILL "$1" 2>/dev/null; wait_until 5 gone "$1"; }
    gone "$1" && wait "$1" 2>/dev/null
    return 0
}

ctl_says() {   # ctl_says EXPECTED ARGS...: torvikctl answered exactly EXPECTED
    local expected=$1; shift
    ctl "$@"
    [ "$rc" -eq 0 ] && [ "$out" = "$expected" ]
}
ctl_exit_code() {   # ctl_exit_code CODE ARGS...: torvikctl ended with CODE
    local code=$1; shift
    ctl "$@"
    [ "$rc" -eq "$code" ]
}

# The simulated box's log (TORVIK_SIM_LOG), whichever program wrote it.
log_lines() { tr -d '\r' < "$case_dir/sim.log" 2>/dev/null; }
log_has() { log_lines | grep -qx "$1"; }
last_write() { log_lines | grep '^WRITE ' | tail -1 | cut -d' ' -f2; }
count_writes() { log_lines | grep -c '^WRITE '; }
# writes_since N: the WRITE lines after the first N.
writes_since() { log_lines | grep '^WRITE ' | tail -n +$(($1 + 1)); }

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# focus_id ID: activates the window and waits until it has the focus.
focus_id() {
    local attempt
    for attempt in 1 2 3 4 5; do
        xdotool windowactivate "$1" >/dev/null 2>&1
        xdotool windowfocus "$1" >/dev/null 2>&1
        wait_until 2 has_focus "$1" && return 0
    done
    return 1
}
