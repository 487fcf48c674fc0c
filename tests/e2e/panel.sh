#!/usr/bin/env bash
# Starts the whole panel below $VANTO_ROOT for the end-to-end tests and the
# benchmarks: private system bus, simulated boards, broker (waits until it
# has configured the displays) and, with start_gui, vanto under Xvfb.
# Source it; every process started is stopped by stop_panel (also on exit).
#
#   BUILD=<build dir> source panel.sh
#   start_boards [rimo-bussim options]; start_broker; start_gui; ... ; stop_panel

: "${BUILD:?BUILD must name the build directory}"
: "${VANTO_ROOT:?run through tests/run-isolated (VANTO_ROOT)}"
support=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/panel.XXXXXX")
SIM_LOG=$VANTO_ROOT/run/rimo-bussim.log
GUI_LOG=$work/gui.log
BROKER_LOG=$work/broker.log
mkdir -p "$VANTO_ROOT/boot" "$VANTO_ROOT/run"
panel_pids=()
bus_up=0
BROKER_PID=
GUI_PID=

wait_for() { # file text seconds
  local i
  for ((i = 0; i < $3 * 50; i++)); do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.02
  done
  return 1
}

stop_panel() {
  local i
  for ((i = ${#panel_pids[@]} - 1; i >= 0; i--)); do
    kill "${panel_pids[$i]}" 2>/dev/null || true
  done
  for pid in "${panel_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  panel_pids=()
  if [ $bus_up = 1 ]; then
    "$support/private-system-bus" stop "$work/bus" || true
    bus_up=0
  fi
}
trap stop_panel EXIT

start_boards() {
  eval "$("$support/private-system-bus" start "$work/bus")"
  bus_up=1
  dbus-send --system --print-reply=literal --dest=org.freedesktop.UDisks2 /org/freedesktop/UDisks2 \
    org.freedesktop.DBus.Mock.AddFilesystem string:mmcblk0p1 string:/dev/mmcblk0p1 \
    "string:$VANTO_ROOT/boot" string:0cc66cc0-01 boolean:false >/dev/null
  "$BUILD/sim/rimo-bussim" "$@" >"$work/sim.out" 2>&1 &
  panel_pids+=($!)
  wait_for "$work/sim.out" "rimo-bussim: ready" 10 || { cat "$work/sim.out" >&2; return 1; }
}

# Starts the broker and waits until it has given its temporary address up,
# so the GUI is not refused as 0x94.
start_broker() {
  local mark
  mark=$(grep -c "released temporary address" "$BROKER_LOG" 2>/dev/null || true)
  "$BUILD/telegrambroker/rimo-telegrambroker" >>"$BROKER_LOG" 2>&1 &
  BROKER_PID=$!
  panel_pids+=($BROKER_PID)
  local i
  for ((i = 0; i < 750; i++)); do
    [ "$(grep -c "released temporary address" "$BROKER_LOG" 2>/dev/null || true)" -gt "${mark:-0}" ] && return 0
    sleep 0.02
  done
  cat "$BROKER_LOG" >&2
  return 1
}

stop_broker() {
  kill "$BROKER_PID" 2>/dev/null || true
  wait "$BROKER_PID" 2>/dev/null || true
}

# An X server of our own on a free display number (no xvfb-run: its
# wrapper shell would leave the program running when it is killed).
start_x() {
  [ -n "${DISPLAY_STARTED:-}" ] && return 0
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  panel_pids+=($!)
  local i
  for ((i = 0; i < 250; i++)); do
    [ -s "$work/display" ] && break
    sleep 0.02
  done
  [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  DISPLAY_STARTED=1
}

# vanto on that display; its log lines carry the seconds since its start.
start_gui() {
  start_x
  QT_QPA_PLATFORM=xcb QT_MESSAGE_PATTERN='%{time process} %{category}: %{message}' \
    "$BUILD/app/vanto" >"$GUI_LOG" 2>&1 &
  GUI_PID=$!
  panel_pids+=($GUI_PID)
}

sim() { "$BUILD/sim/rimo-bussim" --send "$*"; }
