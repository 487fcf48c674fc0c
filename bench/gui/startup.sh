#!/usr/bin/env bash
# Start-up time and memory of the GUI on this machine.
#
#   bench/gui/startup.sh [BUILD] [RUNS]     (defaults: build/, 5)
#
# Starts the simulated boards and the broker once in a fresh root (inside a
# private network namespace when run as root, so the fixed ports are free),
# then launches vanto RUNS times under Xvfb and takes the time from launch to
# the first frame of the login screen (vanto logs "screen shown: …" with the
# seconds since its start). Reports the median, and the resident (RSS) and
# proportional (PSS) memory of vanto on the login screen and of the broker.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$top/build}
RUNS=${2:-5}
BUILD=$(cd "$BUILD" && pwd)
if [ "$(id -u)" = 0 ] && [ -z "${VANTO_BENCH_NS:-}" ]; then
  exec env VANTO_BENCH_NS=1 unshare -n sh -c \
    "ip link set lo up && exec $top/tests/run-isolated bash $0 $BUILD $RUNS"
fi
if [ -z "${VANTO_ROOT:-}" ]; then
  exec "$top/tests/run-isolated" bash "$0" "$BUILD" "$RUNS"
fi
source "$top/tests/e2e/panel.sh"

mem() { # pid -> "RSS PSS" in MB
  awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } END { printf "%.1f %.1f", r / 1024, p / 1024 }' \
    "/proc/$1/smaps_rollup"
}

start_boards
start_broker
start_x
times=()
for ((run = 1; run <= RUNS; run++)); do
  : >"$GUI_LOG"
  start_gui
  wait_for "$GUI_LOG" "screen shown: LoginView.qml" 20 || { cat "$GUI_LOG"; exit 1; }
  t=$(awk '/screen shown: LoginView.qml/ { print $1; exit }' "$GUI_LOG")
  times+=("$t")
  if [ "$run" = "$RUNS" ]; then
    sleep 2 # settle on the login screen
    read -r gui_rss gui_pss <<<"$(mem "$GUI_PID")"
    read -r br_rss br_pss <<<"$(mem "$BROKER_PID")"
  fi
  kill "$GUI_PID"
  wait "$GUI_PID" 2>/dev/null || true
  sleep 1.2 # the broker notices the closed registration link
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
echo "first screen after launch (s): ${times[*]}"
echo "median of $RUNS: $median s"
echo "vanto on the login screen: RSS $gui_rss MB, PSS $gui_pss MB"
echo "broker: RSS $br_rss MB, PSS $br_pss MB"
