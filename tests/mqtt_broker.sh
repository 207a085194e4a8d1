# A real mosquitto broker for the MQTT cases of both end-to-end suites and the bench: started
# with its own configuration on a free loopback port (never 1883, where a system broker may
# listen), no persistence, and ended by the caller through stop_broker. Source after
# tests/wine/lib.sh (wait_until). The clients are mosquitto_sub and mosquitto_pub.

broker_pid=""
broker_port=""
broker_dir=""
broker_auth=()   # -u USER -P PASSWORD for the clients, when the broker asks for them

port_listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# A port on 127.0.0.1 that nothing listens on.
free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 40); do
        port_listening "$port" || { echo "$port"; return 0; }
    done
    return 1
}

# start_broker DIR [PASSWORD_FILE]: the broker on broker_port (a free port chosen on the first
# start, the same one after), logging to DIR/broker.log; with a password file, no anonymous
# clients.
start_broker() {
    broker_dir=$1
    local passwords=${2:-}
    [ -n "$broker_port" ] || broker_port=$(free_port) || return 1
    {
        echo "listener $broker_port 127.0.0.1"
        echo "persistence false"
        echo "log_dest file $broker_dir/broker.log"
        echo "log_type all"
        echo "user $(id -un)"
        if [ -n "$passwords" ]; then
            echo "allow_anonymous false"
            echo "password_file $passwords"
        else
            echo "allow_anonymous true"
        fi
    } > "$broker_dir/broker.conf"
    mosquitto -c "$broker_dir/broker.conf" >>"$broker_dir/broker.out" 2>&1 &
    broker_pid=$!
    wait_until 10 port_listening "$broker_port"
}

# start_password_broker DIR: the broker on a new free port, taking only the user "station" with
# the password "right-one" (its password file DIR/passwords).
start_password_broker() {
    mosquitto_passwd -b -c "$1/passwords" station 'right-one' >/dev/null 2>&1 || return 1
    [ -s "$1/passwords" ] || return 1
    broker_port=""
    start_broker "$1" "$1/passwords"
}
# broker_connects: how many connections the broker has taken so far (its log).
broker_connects() { grep -c 'New connection from' "$broker_dir/broker.log" 2>/dev/null; }
# retries_paced: the client's next two attempts after a refusal come after its growing pauses
# (1 s, then 2 s), not at once: waits for them, then checks they took at least 2.5 s in all.
connects_above() { [ "$(broker_connects)" -gt "$1" ]; }
retries_paced() {
    local first began
    first=$(broker_connects)
    began=$(now_ms)
    wait_until 15 connects_above $((first + 1)) || return 1
    [ $(( $(now_ms) - began )) -ge 2500 ]
}

stop_broker() {
    [ -n "$broker_pid" ] || return 0
    kill "$broker_pid" 2>/dev/null
    wait_until 10 bash -c "! kill -0 $broker_pid 2>/dev/null" || kill -KILL "$broker_pid" 2>/dev/null
    wait "$broker_pid" 2>/dev/null
    broker_pid=""
    return 0
}

# retained TOPIC: the message the broker keeps on TOPIC (empty when none), read by a fresh
# subscriber within 2 s.
retained() {
    timeout 5 mosquitto_sub -h 127.0.0.1 -p "$broker_port" "${broker_auth[@]}" -t "$1" -C 1 -W 2 \
        2>/dev/null
}
retained_is() { [ "$(retained "$1")" = "$2" ]; }
retained_has() { retained "$1" | grep -qF -- "$2"; }
no_retained() { [ -z "$(retained "$1")" ]; }
# publish TOPIC PAYLOAD: one message, not retained, as a user's client sends it.
publish() {
    timeout 10 mosquitto_pub -h 127.0.0.1 -p "$broker_port" "${broker_auth[@]}" -t "$1" -m "$2"
}

# send_hostile_payloads TOPIC DIR: as steps of the running case, what no set topic should take:
# not JSON, a mask of 99 (as a number and in JSON), a 1 MB payload (made in DIR), and about a
# thousand a second for two seconds; 2004 messages in all.
send_hostile_payloads() {
    local topic=$1 dir=$2
    check "not JSON" publish "$topic" 'hello {'
    check "mask 99" publish "$topic" 99
    check "a mask of 99 in JSON" publish "$topic" '{"mask":99}'
    head -c 1048576 /dev/zero | tr '\0' '7' > "$dir/big.txt"
    check "a 1 MB payload" timeout 10 mosquitto_pub -h 127.0.0.1 -p "$broker_port" \
        "${broker_auth[@]}" -t "$topic" -f "$dir/big.txt"
    check "a flood" bash -c "for s in 1 2; do for i in \$(seq 1000); do echo '{\"mask\":99}'; done; \
        sleep 1; done | timeout 20 mosquitto_pub -h 127.0.0.1 -p $broker_port ${broker_auth[*]} -t '$topic' -l"
}
