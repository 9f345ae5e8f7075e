#!/usr/bin/python3
"""A table written by the engine (write_sample) is what other dBase readers expect.

  check_engine_tables.py WRITE_SAMPLE header          the header's bytes, the table
                                                      opened shared and exclusively
  check_engine_tables.py WRITE_SAMPLE dbfread         fields and values by dbfread
  check_engine_tables.py WRITE_SAMPLE xbase PERL      fields and values by Perl's XBase
"""

import datetime as dt
import json
import os
import struct
import subprocess
import sys
import tempfile

from common import differences, fail, require_same

HERE = os.path.dirname(os.path.abspath(__file__))

FIELDS = [("NOMBRE", "C", 40, 0), ("MATERIA", "C", 12, 0), ("CURSO", "N", 11, 0),
          ("HORAS", "N", 20, 4), ("ACTIVO", "L", 1, 0)]

# What write_sample stores; None is an empty field.
RECORDS = [
    ("Educació Física", "Año Çé", 1, 3.5, True),
    ("Departament de Ciències Socials: Matemàt", "Matemàtiques", -2147483648, -1234.5678, False),
    ("Col·legi Sant Vicent €", "", 99999999999, 2.7183, True),
    ("Òscar", "", None, None, None),
    ("x", "", None, 1000000000000.25, None),
]


def expected_records():
    return [dict(zip((f[0] for f in FIELDS), r)) for r in RECORDS]


def check_header(path):
    with open(path, "rb") as f:
        data = f.read()
    header_len, record_len = struct.unpack("<HH", data[8:12])
    count = struct.unpack("<I", data[4:8])[0]
    checks = [
        ("version byte", data[0], 0x03),
        ("language driver", data[29], 0x57),
        ("header length", header_len, 32 * (len(FIELDS) + 1) + 1),
        ("end of the field descriptors", data[header_len - 1], 0x0D),
        ("record length", record_len, 1 + sum(f[2] for f in FIELDS)),
        ("record count", count, len(RECORDS)),
        ("file size", len(data), header_len + count * record_len + 1),
        ("last byte", data[-1], 0x1A),
    ]
    for what, got, want in checks:
        if got != want:
            fail(f"{what}: expected {want:#x}, got {got:#x}")
    year, month, day = 1900 + data[1], data[2], data[3]
    stamp = dt.date(year, month, day)  # raises on a date that does not exist
    if abs((stamp - dt.date.today()).days) > 2:
        fail(f"date of last update {stamp} is not today")
    for i in range(count):
        flag = data[header_len + i * record_len]
        if flag != 0x20:
            fail(f"record {i + 1} starts with {flag:#x}, not a blank")
    print("header and record layout as expected")


def check_dbfread(path):
    import dbfread

    t = dbfread.DBF(path, encoding="cp1252", char_decode_errors="strict")
    fields = [(f.name, f.type, f.length, f.decimal_count) for f in t.fields]
    require_same([list(f) for f in FIELDS], [list(f) for f in fields], "fields by dbfread")
    require_same(expected_records(), [dict(r) for r in t], "records by dbfread")
    print(f"{len(RECORDS)} records agree with dbfread")


def check_xbase(path, perl):
    out = subprocess.run([perl, os.path.join(HERE, "read_xbase.pl"), path],
                         capture_output=True, check=False)
    if out.returncode != 0:
        fail("read_xbase.pl: " + out.stderr.decode("utf-8", "replace"))
    got = json.loads(out.stdout)
    require_same([list(f) for f in FIELDS], got["campos"], "fields by XBase")
    if len(got["registros"]) != len(RECORDS):
        fail(f"XBase finds {len(got['registros'])} records, expected {len(RECORDS)}")
    for i, (want, row) in enumerate(zip(RECORDS, got["registros"])):
        if row[0] is not False:
            fail(f"XBase reads record {i + 1} as deleted")
        for (name, ftype, _, _), w, v in zip(FIELDS, want, row[1:]):
            diffs = differences(w, xbase_value(ftype, v), f"record {i + 1}.{name}")
            if diffs:
                fail("XBase: " + diffs[0])
    print(f"{len(RECORDS)} records agree with XBase")


def xbase_value(ftype, text):
    """XBase's string for a field, as a value of the field's type."""
    if text is None:
        return "" if ftype == "C" else None
    if ftype == "C":
        return text.rstrip(" ")
    if ftype == "N":
        return int(text) if text.lstrip("-").isdigit() else float(text)
    if ftype == "L":
        return {"1": True, "0": False}.get(text, text)
    return text


def write_sample(writer, path, *mode):
    p = subprocess.run([writer, path, *mode], capture_output=True)
    if p.returncode != 0:
        fail("write_sample: " + p.stderr.decode("utf-8", "replace"))


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in ("header", "dbfread", "xbase"):
        fail("usage: check_engine_tables.py WRITE_SAMPLE header|dbfread|xbase [PERL]")
    writer, what = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "SAMPLE.DBF")
        if what == "header":
            # Opened shared, the engine writes each record at once; opened exclusively,
            # in batches. Both must leave the same complete file.
            for mode in ((), ("exclusive",)):
                write_sample(writer, path, *mode)
                check_header(path)
            return
        write_sample(writer, path)
        if what == "dbfread":
            check_dbfread(path)
        else:
            check_xbase(path, sys.argv[3] if len(sys.argv) > 3 else "perl")


if __name__ == "__main__":
    main()
