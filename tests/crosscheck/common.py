"""Helpers shared by the cross-check scripts: running the CLI and comparing values."""

import datetime as dt
import json
import subprocess
import sys
from decimal import Decimal


def run_mostrar(cli, table):
    """Runs `cli mostrar TABLE --formato json`; returns (exit code, stdout, stderr)."""
    p = subprocess.run([cli, "mostrar", table, "--formato", "json"], capture_output=True)
    return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8", "replace")


def read_with_cli(cli, table):
    rc, out, err = run_mostrar(cli, table)
    if rc != 0:
        fail(f"mostrar {table} ended with {rc}: {err.strip()}")
    return json.loads(out)


def plain(value):
    """A value of another reader in the form the CLI prints it."""
    if isinstance(value, dt.datetime):
        return value.strftime("%Y-%m-%d")  # the CLI prints the date of a date-time
    if isinstance(value, dt.date):
        return value.isoformat()
    if isinstance(value, Decimal):
        return int(value) if value == int(value) else float(value)
    return value


def differences(expected, got, where="$"):
    """Differences between two parsed JSON values. Numbers compare by value (1 and 1.0
    are the same number), but a boolean is never a number."""
    if isinstance(expected, bool) or isinstance(got, bool):
        same = type(expected) is type(got) and expected == got
        return [] if same else [f"{where}: expected {expected!r}, got {got!r}"]
    if isinstance(expected, (int, float)) and isinstance(got, (int, float)):
        return [] if expected == got else [f"{where}: expected {expected!r}, got {got!r}"]
    if isinstance(expected, dict) and isinstance(got, dict):
        out = []
        for k in expected.keys() | got.keys():
            if k not in got:
                out.append(f"{where}: missing {k!r}")
            elif k not in expected:
                out.append(f"{where}: unexpected {k!r}")
            else:
                out += differences(expected[k], got[k], f"{where}.{k}")
        return out
    if isinstance(expected, list) and isinstance(got, list):
        if len(expected) != len(got):
            return [f"{where}: expected {len(expected)} items, got {len(got)}"]
        out = []
        for i, (e, g) in enumerate(zip(expected, got)):
            out += differences(e, g, f"{where}[{i}]")
        return out
    same = type(expected) is type(got) and expected == got
    return [] if same else [f"{where}: expected {expected!r}, got {got!r}"]


def require_same(expected, got, what):
    diffs = differences(expected, got)
    if diffs:
        fail(f"{what}:\n  " + "\n  ".join(diffs[:20]))


def fail(message):
    print("FAIL " + message, file=sys.stderr)
    sys.exit(1)
