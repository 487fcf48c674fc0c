#!/usr/bin/python3
"""Checks on the simulated boards' event log for the end-to-end tests.

  simlog.py startup LOG [--only-type-first]
      the appliance-type poll reached the main control unit; no telegram of
      the panel's manager (TId other than 0) came before the first long
      report to the panel; the initial parameter requests follow it in order,
      and so do the controllers' first requests (language, error and warning
      words).
      --only-type-first: the first long report after the poll must be the
      appliance type itself.
"""
import json
import sys

INITIAL = [10017, 10029, 10027, 10028, 101, 10037, 10016, 10011, 10048,
           10004, 10006, 10005, 10038, 10001, 10043, 10057, 10039, 10001]
# language, current error word, current warning word
CONTROLLERS_FIRST = [10036, 10051, 10052]


def events(path):
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line:
                yield json.loads(line)


def fail(msg):
    print("FAIL: " + msg)
    sys.exit(1)


def startup(path, only_type_first):
    tel = [e for e in events(path) if e.get("ev") == "telegram"]
    polls = [i for i, e in enumerate(tel)
             if e["dir"] == "rx" and e["snd"] == "0x94" and e["rcv"] == "0x08"
             and e["cmd"] == "0x89" and e["data"] == "3827" and e["tid"] == 0]
    if not polls:
        fail("no appliance-type poll (0x94 -> 0x08, 0x89, 38 27, TId 0) reached the boards")
    first_poll = polls[0]
    # the first long telegram to the panel after its first poll
    long_idx = next((i for i, e in enumerate(tel) if i > first_poll and e["dir"] == "tx"
                     and e["rcv"] == "0x94" and len(e["data"]) // 2 > 9), None)
    if long_idx is None:
        fail("no long report reached the panel")
    first_long = tel[long_idx]
    print("polls before the first long report:",
          sum(1 for i in polls if i < long_idx),
          "; first long report: parameter", first_long.get("param", {}).get("id"))
    if only_type_first and first_long.get("param", {}).get("id") != 10040:
        fail("precondition: the first long report was %s, not the appliance type"
             % first_long.get("param", {}).get("id"))
    early = [e for e in tel[first_poll:long_idx]
             if e["dir"] == "rx" and e["snd"] == "0x94" and e["tid"] != 0]
    if early:
        fail("the manager sent before the first long report: %s" % early[0])
    got = [e["param"]["id"] for e in tel[long_idx:]
           if e["dir"] == "rx" and e["snd"] == "0x94" and e["cmd"] == "0x89"
           and len(e["data"]) == 4 and "param" in e]
    at = 0
    for pid in got:
        if at < len(INITIAL) and pid == INITIAL[at]:
            at += 1
    if at != len(INITIAL):
        fail("initial requests incomplete or out of order: %s" % got)
    # the controllers ask for their first values when they are created, which
    # must not happen before the send path exists
    missing = [pid for pid in CONTROLLERS_FIRST if pid not in got]
    if missing:
        fail("first requests of the controllers missing: %s (got %s)" % (missing, got))
    # polling stopped once the type arrived
    type_ms = next(e["ms"] for i, e in enumerate(tel) if e["dir"] == "tx" and e["rcv"] == "0x94"
                   and e.get("param", {}).get("id") == 10040 and i > first_poll)
    if any(tel[i]["ms"] > type_ms + 600 for i in polls):
        fail("the poll went on after the appliance type arrived")
    print("initial requests in order:", INITIAL)


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "startup":
        startup(sys.argv[2], "--only-type-first" in sys.argv[3:])
    else:
        print(__doc__)
        sys.exit(2)
