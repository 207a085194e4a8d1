# Shared by tests/wine/run-all, tests/linux/run-all, scripts/run and scripts/run-windows: a
# Wine prefix of our own, a virtual display with a window manager and a tray, bounded waits, and
# the cleanup of everything started here.
# Source it; then call wine_env ROOT, and start_display when there is no usable $DISPLAY.

started_pids=()

# The tools the display and its checks need, for every suite that calls start_display.
display_tools=(Xvfb openbox trayer xdotool xdpyinfo xwininfo xmessage import xwd convert timeout)

# require_tools TOOL...: every tool is installed (scripts/install-deps installs them all). A
# missing tool fails the suite or the figures, naming it; nothing is ever skipped for want of one.
require_tools() {
    local tool missing=()
    for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "missing: ${missing[*]} (bash scripts/install-deps installs them)"
    return 1
}

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails on timeout.
wait_until() {
    local limit=$1; shift
    local deadline=$((SECONDS + limit))
    while ! "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# wine_env DIR: a prefix, a HOME and quiet Wine, all under DIR (build/wine by default).
wine_env() {
    local dir=$1
    export WINEPREFIX="$dir/prefix"
    export HOME="$dir/home"
    export WINEDEBUG=-all
    export WINEARCH=win64
    # No Mono or Gecko installer dialogs; Torvik needs neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export XDG_RUNTIME_DIR="$dir/run"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
    [ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
    WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
    [ -x /usr/lib/wine/wineserver64 ] && WINESERVER=/usr/lib/wine/wineserver64
    export WINE WINESERVER
}

# prepare_prefix: makes the prefix once (wineboot), then keeps one wineserver running.
prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix in $WINEPREFIX (once)"
        timeout 180 "$WINE" wineboot --init >/dev/null 2>&1 || return 1
        timeout 60 "$WINESERVER" -w
    fi
    "$WINESERVER" -p >/dev/null 2>&1   # persistent: later starts need not boot a server
}

# start_display: Xvfb on a free display, openbox, and trayer as the tray host.
# Xvfb chooses the display itself (-displayfd) and claims it in the same step, so suites started
# at the same moment cannot pick the same number.
start_display() {
    local number_file display=""
    number_file=$(mktemp)
    # -noreset: without it the server resets when xdpyinfo disconnects, refusing new clients
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
    started_pids+=($!)
    wait_until 20 test -s "$number_file" && display=":$(tr -dc 0-9 <"$number_file")"
    rm -f "$number_file"
    [ "$display" != ":" ] && [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=$display
    wait_until 20 xdpyinfo || { echo "Xvfb did not start" >&2; return 1; }
    openbox >/dev/null 2>&1 &
    started_pids+=($!)
    trayer --edge bottom --align right --widthtype pixel --width 160 --heighttype pixel \
           --height 32 --SetDockType true --transparent false --tint 0x404040 >/dev/null 2>&1 &
    started_pids+=($!)
    wait_until 20 xdotool search --class trayer || { echo "trayer did not start" >&2; return 1; }
}

# stop_all: ends the Wine programs of our prefix and every process started here.
stop_all() {
    [ -n "${WINESERVER:-}" ] && [ -n "${WINEPREFIX:-}" ] && timeout 20 "$WINESERVER" -k >/dev/null 2>&1
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null
    done
    started_pids=()
}

# screenshot WINDOW-ID FILE: the window's picture as PNG.
# An empty id would make import wait for a click on the screen, so it is refused.
screenshot() {
    [ -n "$1" ] || return 1
    timeout 20 import -window "$1" "$2" >/dev/null 2>&1 ||
        { timeout 20 xwd -silent -id "$1" | timeout 20 convert xwd:- "$2"; }
}

# wm_caught_up: maps a small window of our own and waits until the window manager shows it. The
# manager takes map requests in order, so any window a program asked to show before now is shown
# by then too: a "no window" check after it cannot pass only for being early.
wm_caught_up() {
    xmessage -title torvik-marker -geometry 20x20+0+0 marker >/dev/null 2>&1 &
    local marker=$! shown=1
    wait_until 20 xdotool search --onlyvisible --name '^torvik-marker$' || shown=0
    kill "$marker" 2>/dev/null
    wait "$marker" 2>/dev/null
    [ "$shown" = 1 ]
}

# Hamlib's rigctld with the dummy rig, for the band-following cases of both end-to-end suites
# (they give case_dir and end_process).
rig_port=""
rig_pid=""

# start_rig [PORT]: rigctld with the dummy rig on PORT, or on a free port it finds; sets
# rig_port and rig_pid. The dummy rig starts at 145 MHz. With rig_ptt=RIG the rig keys on
# rigctl's T and answers "t"; without it rigctld answers "t" with RPRT -11.
rig_ptt=""
rig_answers() { timeout 5 rigctl -m 2 -r "127.0.0.1:$rig_port" f >/dev/null 2>&1; }
start_rig() {
    local attempt port
    for attempt in 1 2 3 4 5 6; do
        port=${1:-$((20000 + RANDOM % 30000))}
        rig_port=$port
        rigctld -m 1 ${rig_ptt:+-P "$rig_ptt"} -T 127.0.0.1 -t "$port" \
            >"$case_dir/rigctld.out" 2>&1 &
        rig_pid=$!
        if wait_until 10 rig_answers; then return 0; fi
        end_process "$rig_pid"
        rig_pid=""
        [ -n "${1:-}" ] && sleep 1   # the given port may still be held a moment
    done
    return 1
}
stop_rig() { [ -n "$rig_pid" ] && end_process "$rig_pid"; rig_pid=""; }
tune() { timeout 10 rigctl -m 2 -r "127.0.0.1:$rig_port" F "$1"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
key_rig() { timeout 10 rigctl -m 2 -r "127.0.0.1:$rig_port" T "$1" >/dev/null 2>&1; }   # 1 keys, 0 unkeys

# ini_section_value FILE SECTION KEY: the value of KEY in SECTION of an INI file (CRLF or LF).
ini_section_value() {
    tr -d '\r' 2>/dev/null < "$1" |
        awk -v s="[$2]" -v k="$3" '
            /^\[/ { inside = (tolower($0) == tolower(s)) }
            inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
# ini_section_lines FILE SECTION: the lines of SECTION, its header included.
ini_section_lines() {
    tr -d '\r' 2>/dev/null < "$1" |
        awk -v s="[$2]" '/^\[/ { inside = (tolower($0) == tolower(s)) } inside'
}

