# MQTT's two times, measured the same way for both editions (bench/linux-mqtt-figures and
# bench/wine-mqtt-figures source this after tests/mqtt_broker.sh, with a broker running and the
# program connected to it):
#   click -> retained state: from a real click until a subscriber that stays connected has the
#     new state;
#   set -> byte: from a set message written to a publisher that stays connected until the
#     simulated box's log shows the byte (looked at every 2 ms).

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "${t#0}"; }

report() {   # report TITLE: the median and spread of the times (us) on stdin
    sort -n | awk -v title="$1" '
        { t[NR] = $1 / 1000; sum += t[NR] }
        END { if (NR == 0) { print title ": no figures"; exit }
              printf "%s: %d times, min %.1f ms, median %.1f ms, mean %.1f ms, max %.1f ms\n",
                     title, NR, t[1], t[int((NR + 1) / 2)], sum / NR, t[NR] }'
}

# watch_states DIR TOPIC: a subscriber writing every state with its arrival time (seconds with
# nanoseconds) to DIR/states.log; its pid in watch_pid. One process, so that it ends with a kill.
watch_states() {
    mosquitto_sub -h 127.0.0.1 -p "$broker_port" -t "$2" -F '%U %p' > "$1/states.log" &
    watch_pid=$!
}

# click_figures COUNT DIR CLICK: CLICK ANTENNA (0 or 1) clicks that antenna button; antennas 2
# and 1 in turn (switch mode). Prints one time (us) a line; stops at the first state missed.
click_figures() {
    local count=$1 dir=$2 click=$3 i antenna mask lines start limit arrived
    for ((i = 0; i < count; i++)); do
        if ((i % 2 == 0)); then antenna=1 mask=2; else antenna=0 mask=1; fi
        lines=$(wc -l < "$dir/states.log")
        start=$(now_us)
        "$click" "$antenna"
        limit=$((start + 3000000))
        arrived=""
        while [ "$(now_us)" -lt "$limit" ]; do
            arrived=$(tail -n +$((lines + 1)) "$dir/states.log" | grep -F "\"mask\":$mask," | head -1)
            [ -n "$arrived" ] && break
            sleep 0.002
        done
        [ -n "$arrived" ] || return 1
        arrived=${arrived%% *}
        arrived=${arrived/./}
        echo $(( 10#${arrived:0:16} - start ))   # to microseconds
    done
}

# set_figures COUNT DIR TOPIC SIM_LOG: masks 4 and 1 in turn through one publisher that stays
# connected (its pid in set_pid; file descriptor 4 stays open to it). Prints one time (us) a
# line; stops at the first byte missed.
set_figures() {
    local count=$1 dir=$2 topic=$3 log=$4 i mask byte start limit
    mkfifo "$dir/set.fifo"
    mosquitto_pub -h 127.0.0.1 -p "$broker_port" -t "$topic" -l < "$dir/set.fifo" &
    set_pid=$!
    exec 4>"$dir/set.fifo"
    last_byte() { tr -d '\r' < "$log" 2>/dev/null | grep '^WRITE ' | tail -1 | cut -d' ' -f2; }
    for ((i = 0; i < count; i++)); do
        if ((i % 2 == 0)); then mask=4 byte=0x09; else mask=1 byte=0x0A; fi
        start=$(now_us)
        echo "$mask" >&4
        limit=$((start + 3000000))
        while [ "$(last_byte)" != "$byte" ] && [ "$(now_us)" -lt "$limit" ]; do sleep 0.002; done
        [ "$(last_byte)" = "$byte" ] || return 1
        echo $(( $(now_us) - start ))
    done
}
