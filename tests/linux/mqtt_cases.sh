# MQTT in the Linux program against a real mosquitto broker, for tests/linux/run-all (which
# sources this file and calls run_mqtt_cases): a click published as retained state, a set from
# mosquitto_pub carried out (and refused while locked), Home Assistant's discovery, hostile
# payloads, the last will after kill -9, a broker that goes and comes back, and a wrong password.
# Uses run-all's helpers (new_case, plug_box, start_torvik, ctl, check, click_at, ...).
source "$root/tests/mqtt_broker.sh"

state_topic() { echo "torvik/$serial/state"; }
set_topic() { echo "torvik/$serial/set"; }
availability_topic() { echo "torvik/$serial/availability"; }
discovery_topic() { echo "homeassistant/$1/torvik_$serial/$2/config"; }
state_has() { retained_has "$(state_topic)" "$1"; }
mqtt_status_is() { ctl mqtt; grep -qx "status: $1" <<<"$out"; }
# A broker with MQTT set in Torvik.ini before the program starts.
mqtt_ini() {   # mqtt_ini [USER PASSWORD]
    mkdir -p "$case_dir/config/torvik"
    {
        printf '[MQTT]\r\nHOST=127.0.0.1\r\nPORT=%s\r\n' "$broker_port"
        [ $# -eq 2 ] && printf 'USER=%s\r\nPASSWORD=%s\r\n' "$1" "$2"
    } > "$(ini_file)"
}
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
mqtt_dialog() { xdotool search --onlyvisible --name '^MQTT$' 2>/dev/null | head -1; }
mqtt_dialog_shown() { [ -n "$(mqtt_dialog)" ]; }
mqtt_dialog_gone() { [ -z "$(mqtt_dialog)" ]; }

# Settings through torvikctl (the password never shown), then state, set and discovery through
# the broker, the storm lock's refusal, and hostile payloads that change nothing.
case_mqtt_state_set_and_hostile_payloads() {
    new_case mqtt_state
    broker_port=""
    check "broker started" start_broker "$case_dir"
    helper_pids+=("$broker_pid")
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "box written" wait_until 10 last_write_is 0x0A
    check "nothing connects without a host" mqtt_status_is "not connected"
    check "port set" ctl_exit_code 0 mqtt set port "$broker_port"
    check "user set" ctl_exit_code 0 mqtt set user station
    check "password set" ctl_exit_code 0 mqtt set password 'Sw0rdf1sh!'
    check "torvikctl does not print it" bash -c "! grep -q Sw0rdf1sh <<<'$out'"
    check "but says it is set" grep -qx "password: set" <<<"$out"
    check "host set: connects" ctl_exit_code 0 mqtt set host 127.0.0.1
    check "connected" wait_until 10 mqtt_status_is "MQTT: connected"
    check "the listing holds no password" bash -c "! grep -q Sw0rdf1sh <<<'$out'"
    check "online" wait_until 10 retained_is "$(availability_topic)" online
    check "state retained" wait_until 10 state_has '"mask":1,"mode":"switch"'
    check "discovery: the antenna select" wait_until 10 retained_has \
        "$(discovery_topic select antenna)" '"options":["Antenna 1","Antenna 2","Antenna 3"]'
    check "with its unique id and device" retained_has "$(discovery_topic select antenna)" \
        "\"unique_id\":\"torvik_${serial}_antenna\""
    check "the presence sensor" retained_has "$(discovery_topic binary_sensor present)" \
        "\"state_topic\":\"$(state_topic)\""

    # shellcheck disable=SC2046
    check "click Antenna 2" click_at $(antenna_centre 1)
    check "antenna 2 written" wait_until 10 last_write_is 0x0C
    check "the click is retained state" wait_until 10 state_has '"mask":2,'
    check "set 4 from mosquitto_pub" publish "$(set_topic)" 4
    check "antenna 3 written" wait_until 10 last_write_is 0x09
    check "the window shows it" ctl_says "mask 4 count 3" get
    check "set mixer mode" publish "$(set_topic)" '{"mode":"mixer"}'
    check "mixer mode retained" wait_until 10 state_has '"mode":"mixer"'
    check "a switch per antenna" wait_until 10 retained_has "$(discovery_topic switch antenna_1)" \
        '"payload_on":"{\"antenna\":1,\"on\":true}"'
    check "the select removed" wait_until 10 no_retained "$(discovery_topic select antenna)"
    check "antenna 1 on too" publish "$(set_topic)" '{"antenna":1,"on":true}'
    check "mask 5" wait_until 10 ctl_says "mask 5 count 3" get

    check "lock by MQTT" publish "$(set_topic)" '{"lock":true}'
    check "all off written" wait_until 10 last_write_is 0x08
    check "locked retained" wait_until 10 state_has '"locked":true'
    local writes
    writes=$(count_writes)
    check "a set while locked" publish "$(set_topic)" 2
    check "is refused: the lock holds" ctl_says "locked: mask 0, protect mask 0" lock status
    check "unlock by MQTT" publish "$(set_topic)" '{"lock":false}'
    check "mask 5 again" wait_until 10 ctl_says "mask 5 count 3" get
    check "the refused set was never written" \
        test "$(writes_since "$writes" | grep -c ' 0x0C ')" -eq 0

    # Hostile payloads: none applied, the program answers, its memory stays bounded.
    writes=$(count_writes)
    local rss_before
    rss_before=$(rss_kib "$torvik_pid")
    send_hostile_payloads "$(set_topic)" "$case_dir"
    check "the program answers during it" ctl_says "mask 5 count 3" get
    check "every one counted as ignored" wait_until 15 mqtt_status_is "MQTT: connected, 2004 ignored"
    check "none was written" test "$(count_writes)" -eq "$writes"
    check "memory bounded" test $(( $(rss_kib "$torvik_pid") - rss_before )) -lt 30000
    # shellcheck disable=SC2046
    check "a click still works" click_at $(antenna_centre 1)
    check "and is published" wait_until 10 state_has '"mask":7,'
    check "exit" ctl_says "1 hidden flag clear" exit
    check "offline on a clean exit" wait_until 10 retained_is "$(availability_topic)" offline
}

# kill -9: the broker tells the last will; a new start says online and publishes the state
# again. The broker stopped: the window answers, the status says so; back: reconnected within
# the pause and republished.
case_mqtt_will_and_broker_restart() {
    new_case mqtt_will
    broker_port=""
    check "broker started" start_broker "$case_dir"
    helper_pids+=("$broker_pid")
    mqtt_ini
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "online" wait_until 10 retained_is "$(availability_topic)" online
    check "state retained" wait_until 10 state_has '"mask":1,'
    kill -KILL "$torvik_pid"
    check "kill -9: the broker says offline" wait_until 10 retained_is "$(availability_topic)" offline
    wait "$torvik_pid" 2>/dev/null
    timeout 10 mosquitto_pub -h 127.0.0.1 -p "$broker_port" -t "$(state_topic)" -r -n
    check "the retained state cleared" no_retained "$(state_topic)"
    start_torvik
    check "online again" wait_until 20 retained_is "$(availability_topic)" online
    check "and the state republished" wait_until 10 state_has '"mask":1,'

    stop_broker
    check "status: unreachable" wait_until 10 mqtt_status_is "MQTT: broker unreachable"
    # shellcheck disable=SC2046
    check "a click while the broker is away" click_at $(antenna_centre 2)
    check "is written at once" wait_until 5 last_write_is 0x09
    check "the window answers" ctl_says "mask 4 count 3" get
    check "broker back" start_broker "$case_dir"
    helper_pids+=("$broker_pid")
    # After at most 1 + 2 + 4 s of pauses the next attempt is due.
    check "reconnected within the pause" wait_until 20 mqtt_status_is "MQTT: connected"
    check "online" wait_until 5 retained_is "$(availability_topic)" online
    check "the state as it is now" wait_until 5 state_has '"mask":4,'
}

# A broker with a password file: the wrong password reads "not authorised", the program keeps
# running and retries with growing pauses; the right one, typed into the MQTT dialog from the
# tray menu, connects.
case_mqtt_wrong_password() {
    new_case mqtt_password
    check "broker with a password file started" start_password_broker "$case_dir"
    helper_pids+=("$broker_pid")
    mqtt_ini station wrong-one
    plug_box
    start_torvik
    check "window shown" wait_until 20 window_shown
    check "status: not authorised" wait_until 10 mqtt_status_is "MQTT: not authorised"
    check "retries come after growing pauses" retries_paced
    check "still running" alive "$torvik_pid"
    # The right password through the tray's "MQTT" dialog: its password field is empty (the
    # stored one is never shown) and is the sixth field in the tab order.
    check "tray icon docked" wait_until 20 tray_docked
    check "menu opens" open_tray_menu 3
    check "choose MQTT" choose_menu_item 5 8
    check "the MQTT dialog opens" wait_until 10 mqtt_dialog_shown
    check "focus on the dialog" focus_window "$(mqtt_dialog)"
    xdotool key Tab Tab Tab Tab Tab
    xdotool type --delay 20 right-one
    mkdir -p "$artifacts"
    screenshot "$(mqtt_dialog)" "$artifacts/linux-mqtt-dialog.png"
    xdotool key Return
    check "the dialog closes" wait_until 10 mqtt_dialog_gone
    check "the password stored" test "$(ini_section_value "$(ini_file)" MQTT PASSWORD)" = right-one
    check "the user kept" test "$(ini_section_value "$(ini_file)" MQTT USER)" = station
    check "connects" wait_until 10 mqtt_status_is "MQTT: connected"
    broker_auth=(-u station -P right-one)
    check "online" wait_until 10 retained_is "$(availability_topic)" online
    broker_auth=()
}

run_mqtt_cases() {
    run_case mqtt_state_set_and_hostile_payloads case_mqtt_state_set_and_hostile_payloads
    run_case mqtt_will_and_broker_restart case_mqtt_will_and_broker_restart
    run_case mqtt_wrong_password case_mqtt_wrong_password
}
