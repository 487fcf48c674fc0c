#!/usr/bin/env bash
# End to end, as a new user would run it: simulated boards, the broker and
# vanto under Xvfb in a fresh root.
#
#   startup-test.sh BUILD login        the login screen within seconds; poll,
#                                      initial requests in order, nothing of the
#                                      manager before the first long report
#   startup-test.sh BUILD type-only    the appliance-type report is the only long
#                                      telegram before the initial requests
#   startup-test.sh BUILD broker-restart
#                                      the broker is killed and started again:
#                                      retries every second, registers again,
#                                      screens follow the device state again
set -euo pipefail
BUILD=$1
case_name=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/panel.sh"

show_logs() {
  echo "---- gui log"; grep -v "state chhanged" "$GUI_LOG" | tail -40 || true
  echo "---- broker log"; tail -20 "$BROKER_LOG" || true
}
fail() { echo "FAIL: $*"; show_logs; exit 1; }

screen_time() { # prints the seconds after launch at which the screen was shown
  awk -v s="screen shown: $1" 'index($0, s) { print $1; exit }' "$GUI_LOG"
}

case "$case_name" in
login)
  start_boards
  start_broker
  start_gui
  wait_for "$GUI_LOG" "screen shown: LoginView.qml" 10 || fail "no login screen"
  echo "login screen shown $(screen_time LoginView.qml) s after launch"
  sleep 1 # let the initial requests be answered and logged
  /usr/bin/python3 "$here/simlog.py" startup "$SIM_LOG" || fail "event log check"
  # the device state now drives the screen
  sim state 3 >/dev/null
  wait_for "$GUI_LOG" "screen shown: ReadyStateView.qml" 5 || fail "no ready screen after state 3"
  ;;
type-only)
  # No state changes and a slow keep-alive: the appliance-type answer is the
  # first long telegram the panel receives.
  start_boards --boot-ms 60000 --keepalive-ms 2000 --no-ident
  start_broker
  start_gui
  wait_for "$GUI_LOG" "screen shown: LoginView.qml" 10 || fail "no login screen"
  sleep 1
  /usr/bin/python3 "$here/simlog.py" startup "$SIM_LOG" --only-type-first || fail "event log check"
  ;;
broker-restart)
  start_boards
  start_broker
  start_gui
  wait_for "$GUI_LOG" "screen shown: LoginView.qml" 10 || fail "no login screen"
  stop_broker
  sleep 2.5
  n=$(grep -c "Could not connect to broker:" "$GUI_LOG" || true)
  echo "attempts while the broker was down: $n"
  [ "$n" -ge 2 ] && [ "$n" -le 4 ] || fail "expected one attempt at once and one a second, saw $n"
  before=$(grep -c "added client with addr 148" "$BROKER_LOG" || true)
  start_broker
  for ((i = 0; i < 150; i++)); do
    [ "$(grep -c "added client with addr 148" "$BROKER_LOG")" -gt "$before" ] && break
    sleep 0.02
  done
  [ "$(grep -c "added client with addr 148" "$BROKER_LOG")" -gt "$before" ] || fail "no re-registration"
  sim state 3 >/dev/null
  wait_for "$GUI_LOG" "screen shown: ReadyStateView.qml" 5 || fail "no screen change after re-registration"
  ;;
*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
echo "PASS: $case_name"
