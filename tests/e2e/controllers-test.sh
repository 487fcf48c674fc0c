#!/usr/bin/env bash
# End to end through the controllers: simulated boards, the broker and vanto
# under Xvfb in a fresh root, with controllers-probe.qml loaded into vanto's
# engine (VANTO_PROBE_QML) so the controllers' values can be read from the
# log. One panel, several checks in sequence:
#
#   states    device-state reports walk the screen through every state the
#             control unit can choose; the states without a screen leave it
#   pin       PAY_SESSION with the PIN switch: the pop-up signal, a wrong and
#             a right session code VERIFY, WRONG then CORRECT, and the unit
#             moves on to the set-up session screen
#   switches  a set-up switch report reaches deviceController (bit 5 gives
#             payment on and keypad time setting off)
#   language  a language report of 1 installs the English translation (a
#             translated C++ name changes) and 0 brings German back
#   folders   the music folder list arrives in audioListModel, Latin-1 names
#             intact, at most 10 rows
#   update    an update notice shows the update screen, which no device state
#             leaves
#
#   controllers-test.sh BUILD
set -euo pipefail
BUILD=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/panel.sh"

show_logs() {
  echo "---- gui log"; tail -60 "$GUI_LOG" || true
  echo "---- broker log"; tail -10 "$BROKER_LOG" || true
}
fail() { echo "FAIL: $*"; show_logs; exit 1; }

lines() { wc -l <"$GUI_LOG"; }
# Waits until TEXT appears in the GUI log after line MARK.
wait_after() { # mark text seconds
  local i
  for ((i = 0; i < $3 * 50; i++)); do
    [ -n "$(after "$1" "$2")" ] && return 0
    sleep 0.02
  done
  return 1
}
wait_after_re() { # mark extended-regex seconds
  local i
  for ((i = 0; i < $3 * 50; i++)); do
    [ -n "$(awk -v m="$1" 'NR > m' "$GUI_LOG" | grep -E -- "$2")" ] && return 0
    sleep 0.02
  done
  return 1
}
# Lines after MARK that match TEXT.
# (whole reads, no grep -q in pipes: an early exit would be a SIGPIPE failure
# under pipefail)
after() { awk -v m="$1" 'NR > m' "$GUI_LOG" | grep -F -- "$2" || true; }

# Twelve music folders, one with a name outside ASCII; the panel may list
# only the first ten.
music=$VANTO_ROOT/media/sd_card/music
folders=()
for n in 01 02 03 04 05 06 07 08 09 10 11 12; do
  name="$n Musik"
  [ $n = 03 ] && name="03 Übungen"
  folders+=("$name")
  mkdir -p "$music/$name"
done

# PIN code, LED spa, massage settings, audio, Bluetooth, quick start; a US
# appliance, where CLEAN_DEVICE has a screen.
start_boards --appliance 3 --session-code 4711 --switches $((0x400C0D)) \
  --boot-ms 200 --reference-ms 300 --music "$music"
start_broker
VANTO_PROBE_QML=$here/controllers-probe.qml start_gui
wait_for "$GUI_LOG" "probe: ready" 15 || fail "the probe was not loaded"
wait_for "$GUI_LOG" "probe: deviceState=18" 10 || fail "no SESSION_LOGIN report reached deviceController"

# --- states ---------------------------------------------------------------
# state (as the control unit reports it) and the screen it must show; a 2
# starts a reference run that ends in SESSION_LOGIN by itself.
walk=(
  "3 ReadyStateView.qml"
  "1 ReferenceRunView.qml"
  "18 LoginView.qml"
  "2 ReferenceRunView.qml"
  "- LoginView.qml"
  "5 SessionView.qml"
  "6 ../qml-psm/MainView.qml"
  "10 SessionView.qml"
  "11 SetupSessionView.qml"
  "12 SoftwareUpdateView.qml"
  "13 AdjustMotorPositionView.qml"
  "16 SaveSessionView.qml"
  "22 CleanDeviceView.qml"
  "17 IndividuallyMassageView.qml"
  "8 ErrorView.qml"
  "18 LoginView.qml"
)
for step in "${walk[@]}"; do
  read -r state screen <<<"$step"
  mark=$(lines)
  if [ "$state" != - ]; then
    sim state "$state" >/dev/null || fail "simulator refused state $state"
  fi
  wait_after "$mark" "screen shown: $screen" 5 || fail "state $state: $screen not shown"
  [ -n "$(after "$mark" "probe: screen=$screen")" ] || fail "state $state: appState.currentScreen not $screen"
  echo "state $state -> $screen"
done

# States without a screen: deviceController follows, the screen stays.
mark=$(lines)
for state in 0 7 9 14 15 19 20 21 23 24; do
  sim state "$state" >/dev/null || fail "simulator refused state $state"
done
wait_after "$mark" "probe: deviceState=24" 5 || fail "the screen-less states did not reach deviceController"
for state in 0 7 9 14 15 19 20 21 23 24; do
  [ -n "$(after "$mark" "probe: deviceState=$state")" ] || fail "state $state did not reach deviceController"
done
sim state 3 >/dev/null
wait_after "$mark" "screen shown: ReadyStateView.qml" 5 || fail "no ready screen after the screen-less states"
changes=$(after "$mark" "screen shown:" | sed 's/.*screen shown: //' | tr '\n' ' ')
[ "$changes" = "ReadyStateView.qml " ] || fail "screen-less states changed the screen: $changes"
echo "screen-less states 0 7 9 14 15 19 20 21 23 24: screen unchanged"

# --- pin --------------------------------------------------------------------
mark=$(lines)
sim state 4 >/dev/null
wait_after "$mark" "probe: pin popup" 5 || fail "PAY_SESSION with the PIN switch: no PIN pop-up signal"
wait_after_re "$mark" "probe: sessionCode value=[0-9]+ action=134$" 5 || fail "no WRONG verdict for the wrong code"
wait_after_re "$mark" "probe: sessionCode value=[0-9]+ action=133$" 5 || fail "no CORRECT verdict for the right code"
wait_after "$mark" "screen shown: SetupSessionView.qml" 5 || fail "a paid session did not reach the set-up session screen"
[ -z "$(after "$mark" "probe: nfc popup")" ] || fail "NFC pop-up signalled without the NFC switch"
/usr/bin/python3 "$here/codecheck.py" "$SIM_LOG" 1111 4711 || fail "VERIFY round trip in the event log"
echo "session code: WRONG for 1111, CORRECT for 4711, set-up session screen"

# --- switches ---------------------------------------------------------------
wait_for "$GUI_LOG" "probe: switches pin=true payment=false keypad=true audio=true quickstart=true" 1 ||
  fail "the set-up switches of the start-up request did not reach deviceController"
mark=$(lines)
sim param 10028 value=0x20 >/dev/null
wait_after "$mark" "probe: switches pin=false payment=true keypad=false audio=false quickstart=false" 5 ||
  fail "set-up switches 0x20 did not give payment on, keypad time setting off, the rest off"
echo "set-up switches 0x20: payment on, keypad time setting off"

# --- language ---------------------------------------------------------------
wait_for "$GUI_LOG" "probe: language value=0 abbreviation=DE flag=germany.svg german=Deutsch english=Englisch" 1 ||
  fail "German was not installed at start-up"
mark=$(lines)
sim param 10036 value=1 >/dev/null
wait_after "$mark" "probe: language value=1 abbreviation=EN flag=united_kingdom.svg german=German english=English" 5 ||
  fail "language 1 did not install the English translation"
mark=$(lines)
sim param 10036 value=0 >/dev/null
wait_after "$mark" "probe: language value=0 abbreviation=DE flag=germany.svg german=Deutsch english=Englisch" 5 ||
  fail "language 0 did not bring German back"
echo "language 1: English names; language 0: German names"

# --- folders ----------------------------------------------------------------
# Everything the audio board sent has been handled by now (the reports above
# came later on the same line). Rows count from the last rebuild of the list.
sed 's/^ *[0-9.]* [a-z.]*: //' "$GUI_LOG" |
  awk '/^probe: folders reset$/ { n = 0; delete l } { l[n++] = $0 } END { for (i = 0; i < n; i++) print l[i] }' \
    >"$work/folders"
rows=$(grep -c "^probe: folder row=" "$work/folders" || true)
[ "$rows" = 10 ] || fail "expected 10 folder rows, saw $rows"
for i in $(seq 0 9); do
  grep -qxE "probe: folder row=$i index=$i current=(true|false) name=${folders[$i]}" "$work/folders" ||
    fail "folder row $i is not '${folders[$i]}'"
done
grep -qxF "probe: folders count=10" "$work/folders" || fail "the model did not hold 10 rows"
sent=$(/usr/bin/python3 "$here/codecheck.py" --folders "$SIM_LOG")
[ "$sent" -ge 12 ] || fail "the audio board sent only $sent folder entries, not 12"
echo "folders: 10 of 12 rows, names intact"

# --- update -----------------------------------------------------------------
# The update service announces a program update by connecting to the GUI's
# local servers; the update screen then stays whatever the unit reports.
notify() {
  /usr/bin/python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.close()' "${TMPDIR:-/tmp}/$1"
}
mark=$(lines)
notify ovXXXGuiNotifyUpdateStarting || fail "no update-starting server"
wait_after "$mark" "screen shown: UpdateApplicationView.qml" 5 || fail "update start: update screen not shown"
wait_after "$mark" "probe: appUpdateState=0" 5 || fail "update start: appUpdateState not RUNNING"
notify ovXXXGuiNotifyUpdateSucceeded || fail "no update-succeeded server"
wait_after "$mark" "probe: appUpdateState=1" 5 || fail "update success: appUpdateState not SUCCEEDED"
mark=$(lines)
sim state 8 >/dev/null
sim state 3 >/dev/null
wait_after "$mark" "probe: deviceState=3" 5 || fail "device states after the update did not arrive"
# A later report, so any screen change of those states would be logged by now.
sim param 10028 value=1 >/dev/null
wait_after "$mark" "probe: switches pin=true" 5 || fail "no set-up switch report after the update"
[ -z "$(after "$mark" "probe: screen=")" ] || fail "the update screen was left: $(after "$mark" "probe: screen=")"
echo "update: update screen shown and kept through DEVICE_ERROR and READY_IDLE"
echo "PASS: controllers"
