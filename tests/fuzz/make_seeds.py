#!/usr/bin/env python3
"""Writes the fuzzer's starting tables into seeds/ beside this script.

One small, well-formed table per header dialect the engine reads: dBase III,
dBase IV (with a memo field), dBase 7 (48-byte field descriptors), FoxPro 2.x (0xF5)
and Visual FoxPro (0x30, with the 263-byte backlink and a _NullFlags field). Each has
a few records, one of them deleted, so that the fuzzer starts from every reader.

Run it again only to change the seeds: python3 tests/fuzz/make_seeds.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "seeds")


def header32(version, count, header_len, record_len, language_driver, table_flags=0):
    h = bytearray(32)
    h[0] = version
    h[1:4] = bytes([124, 5, 17])  # 2024-05-17
    h[4:8] = struct.pack("<I", count)
    h[8:10] = struct.pack("<H", header_len)
    h[10:12] = struct.pack("<H", record_len)
    h[28] = table_flags
    h[29] = language_driver
    return h


def classic_table(version, language_driver, fields, records, trailer=b"", vfp=False):
    """fields: (name, type, length, decimals, flags); records: (deleted, bytes)."""
    record_len = 1 + sum(f[2] for f in fields)
    header_len = 32 + 32 * len(fields) + 1 + len(trailer)
    out = header32(version, len(records), header_len, record_len, language_driver)
    offset = 1
    for name, ftype, length, decimals, flags in fields:
        d = bytearray(32)
        raw = name.encode("ascii")[:10]
        d[0:len(raw)] = raw
        d[11] = ord(ftype)
        if vfp:
            d[12:16] = struct.pack("<I", offset)
        d[16] = length
        d[17] = decimals
        d[18] = flags
        out += d
        offset += length
    out += b"\x0d" + trailer
    for deleted, body in records:
        assert len(body) == record_len - 1, (body, record_len)
        out += (b"*" if deleted else b" ") + body
    out += b"\x1a"
    return bytes(out)


def text(s, width, encoding="cp1252"):
    b = s.encode(encoding)
    return b[:width].ljust(width, b" ")


def num(value, width, decimals=0):
    s = f"{value:.{decimals}f}" if value is not None else ""
    return s.rjust(width).encode("ascii")


def dbase3():
    fields = [("NAME", "C", 10, 0, 0), ("NUM", "N", 8, 2, 0), ("FLAG", "L", 1, 0, 0),
              ("BORN", "D", 8, 0, 0)]
    rows = [
        (False, text("x", 10) + num(12.5, 8, 2) + b"T" + b"19991231"),
        (True, text("gone", 10) + num(-3, 8, 2) + b"F" + b"20000101"),
        (False, text("Ana", 10) + num(None, 8) + b" " + b"        "),
        (False, text("x", 10) + num(7, 8, 2) + b"?" + b"20240229"),
    ]
    return classic_table(0x03, 0x00, fields, rows)


def dbase4():
    fields = [("CODE", "C", 6, 0, 0), ("QTY", "N", 11, 0, 0), ("RATE", "F", 20, 4, 0),
              ("OK", "L", 1, 0, 0), ("MEMO", "M", 10, 0, 0)]
    rows = [
        (False, text("A1", 6) + num(42, 11) + num(3.1416, 20, 4) + b"Y" + b"         1"),
        (False, text("Peña", 6) + num(-7, 11) + num(0.5, 20, 4) + b"n" + b" " * 10),
        (True, text("B2", 6) + num(0, 11) + num(None, 20) + b"F" + b" " * 10),
    ]
    return classic_table(0x8B, 0x57, fields, rows)


def dbase7():
    # 32-byte header, 32-byte language driver name, 4 reserved bytes, then 48-byte
    # descriptors: name (32), type, length, decimals, reserved, MDX flag, reserved,
    # next autoincrement value, reserved.
    fields = [("FULL_NAME_LONGER", "C", 12, 0), ("COUNT", "I", 4, 0), ("SCORE", "O", 8, 0),
              ("WHEN", "@", 8, 0), ("ACTIVE", "L", 1, 0), ("DAY", "D", 8, 0), ("SERIAL", "+", 4, 0)]
    record_len = 1 + sum(f[2] for f in fields)
    header_len = 68 + 48 * len(fields) + 1
    out = header32(0x04, 0, header_len, record_len, 0x57)
    out += b"DBWINUS0".ljust(32, b"\0") + b"\0" * 4
    for name, ftype, length, decimals in fields:
        d = bytearray(48)
        raw = name.encode("ascii")
        d[0:len(raw)] = raw
        d[32] = ord(ftype)
        d[33] = length
        d[34] = decimals
        if ftype == "+":
            d[40:44] = struct.pack("<I", 3)
        out += d
    out += b"\x0d"

    def int7(v):
        return struct.pack(">I", (v & 0xFFFFFFFF) ^ 0x80000000)

    def double7(v):
        bits = struct.unpack(">Q", struct.pack(">d", v))[0]
        bits = (~bits & 0xFFFFFFFFFFFFFFFF) if bits & (1 << 63) else bits ^ (1 << 63)
        return struct.pack(">Q", bits)

    def stamp7(jd, millis):
        return struct.pack(">II", jd, millis)

    rows = [
        (False, text("Élodie", 12) + int7(5) + double7(2.75) + stamp7(2451545, 3600000) + b"T"
         + b"20000101" + int7(1)),
        (True, text("old", 12) + int7(-1) + double7(-1.5) + stamp7(0, 0) + b"F" + b"19000101"
         + int7(2)),
        (False, text("x", 12) + int7(0) + b"\0" * 8 + stamp7(2460000, 0) + b" " + b" " * 8
         + int7(3)),
    ]
    count = len(rows)
    out[4:8] = struct.pack("<I", count)
    for deleted, body in rows:
        assert len(body) == record_len - 1
        out += (b"*" if deleted else b" ") + body
    out += b"\x1a"
    return bytes(out)


def foxpro():
    fields = [("NAME", "C", 12, 0, 0), ("AMOUNT", "N", 10, 2, 0), ("RATE", "F", 8, 3, 0),
              ("ACTIVE", "L", 1, 0, 0), ("BORN", "D", 8, 0, 0), ("NOTES", "M", 10, 0, 0)]
    rows = [
        (False, text("Muñoz", 12, "cp850") + num(1234.5, 10, 2) + num(0.125, 8, 3) + b"T"
         + b"19850704" + b"         8"),
        (False, text("x", 12) + num(-0.01, 10, 2) + b"********" + b"f" + b"        " + b" " * 10),
        (True, text("del", 12) + num(1, 10, 2) + num(1, 8, 3) + b"N" + b"20101010" + b" " * 10),
    ]
    return classic_table(0xF5, 0x02, fields, rows)


def vfp():
    # _NullFlags bits in field order: NOTE's length bit (0), SCORE's null bit (1).
    fields = [("NAME", "C", 10, 0, 0), ("NOTE", "V", 10, 0, 0), ("QTY", "I", 4, 0, 0),
              ("PRICE", "B", 8, 2, 0), ("COST", "Y", 8, 4, 0), ("STAMP", "T", 8, 0, 0),
              ("SCORE", "N", 5, 1, 0x02), ("OK", "L", 1, 0, 0), ("_NullFlags", "0", 1, 0, 0x05)]

    def varchar(s, width):
        b = s.encode("cp1252")
        if len(b) >= width:
            return b[:width], 0
        body = bytearray(width)
        body[0:len(b)] = b
        body[width - 1] = len(b)
        return bytes(body), 1

    def row(deleted, name, note, qty, price, cost, jd, millis, score, ok):
        v, length_bit = varchar(note, 10)
        null_bit = 1 if score is None else 0
        flags = length_bit | (null_bit << 1)
        body = (text(name, 10) + v + struct.pack("<i", qty) + struct.pack("<d", price)
                + struct.pack("<q", round(cost * 10000)) + struct.pack("<II", jd, millis)
                + (b" " * 5 if score is None else num(score, 5, 1)) + ok + bytes([flags]))
        return (deleted, body)

    rows = [
        row(False, "x", "hola", 10, 9.99, 12.3456, 2459000, 45296000, 4.5, b"T"),
        row(False, "Zoë", "exactly10c", -3, -0.5, 100, 0, 0, None, b"F"),
        row(True, "dead", "", 0, 0.0, 0, 2440588, 0, 0.0, b" "),
    ]
    return classic_table(0x30, 0x03, fields, rows, trailer=b"\0" * 263, vfp=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "dbase3.dbf": dbase3(),
        "dbase4.dbf": dbase4(),
        "dbase7.dbf": dbase7(),
        "foxpro.dbf": foxpro(),
        "vfp.dbf": vfp(),
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
