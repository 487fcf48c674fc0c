#!/usr/bin/python3
"""Checks on the simulated boards' event log for controllers-test.sh.

  codecheck.py LOG WRONG RIGHT
      the panel sent a VERIFY of the session code (10027) with WRONG, the
      unit answered it with WRONG (134), then the panel sent a VERIFY with
      RIGHT, answered CORRECT (133) -- in this order
  codecheck.py --folders LOG
      prints how many folder entries (0x32) the audio board sent to the panel
"""
import json
import sys

SESSION_CODE = 10027
VERIFY, CORRECT, WRONG = 132, 133, 134


def telegrams(path):
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line:
                e = json.loads(line)
                if e.get("ev") == "telegram":
                    yield e


def code_round_trip(path, wrong, right):
    want = [("rx", wrong, VERIFY), ("tx", None, WRONG), ("rx", right, VERIFY), ("tx", None, CORRECT)]
    at = 0
    for e in telegrams(path):
        p = e.get("param", {})
        if at == len(want) or p.get("id") != SESSION_CODE or "action" not in p:
            continue
        direction, value, action = want[at]
        if direction == "rx" and e["dir"] == "rx" and e["snd"] == "0x94" and e["rcv"] == "0x08" \
                and e["cmd"] in ("0x89", "0xa9") and p["value"] == value and p["action"] == action:
            print("panel -> unit %s: VERIFY %d" % (e["cmd"], value))
            at += 1
        elif direction == "tx" and e["dir"] == "tx" and e["rcv"] == "0x94" and e["cmd"] == "0x09" \
                and p["action"] == action:
            print("unit -> panel 0x09: action %d" % action)
            at += 1
    if at != len(want):
        print("FAIL: round trip stopped before step %d of %d" % (at + 1, len(want)))
        sys.exit(1)


def folders(path):
    print(sum(1 for e in telegrams(path)
              if e["dir"] == "tx" and e["snd"] == "0xf2" and e["rcv"] == "0x94" and e["cmd"] == "0x32"))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--folders":
        folders(sys.argv[2])
    elif len(sys.argv) == 4:
        code_round_trip(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]))
    else:
        print(__doc__)
        sys.exit(2)
