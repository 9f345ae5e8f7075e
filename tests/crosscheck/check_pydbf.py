#!/usr/bin/python3
"""Tables written by python-dbf are read by `CLI mostrar` as python-dbf reads them.

  check_pydbf.py CLI DBF_TYPE CODEPAGE     DBF_TYPE: db3, fp or vfp

The table has accented texts, numbers, logicals, dates, a memo and a deleted record;
Visual FoxPro tables add integer, currency, double and date-time fields, every field
nullable (python-dbf numbers null bits by field position, which matches the order of
_NullFlags only when every field has one) and a record of nulls.
"""

import datetime as dt
import os
import sys
import tempfile
from decimal import Decimal

import dbf

from common import fail, plain, read_with_cli, require_same

FIELD_LISTS = {
    "db3": "NOMBRE C(25); HORAS N(6,2); CURSO N(3,0); ACTIVO L; ALTA D; NOTA M",
    "fp": "NOMBRE C(25); HORAS N(6,2); FACTOR F(10,4); ACTIVO L; ALTA D; NOTA M",
    "vfp": "NOMBRE C(25) NULL; HORAS N(6,2) NULL; ACTIVO L NULL; ALTA D NULL; NOTA M NULL; "
           "SESIONES I NULL; PRECIO Y NULL; MEDIA B NULL; INICIO T NULL",
}

# Values by field name; a record lists the fields it fills.
ROWS = [
    (False, {"NOMBRE": "Matemàtiques", "HORAS": 4.5, "CURSO": 1, "FACTOR": 0.125,
             "ACTIVO": True, "ALTA": dt.date(2024, 9, 12), "NOTA": "Grup de desdoblament",
             "SESIONES": 5, "PRECIO": Decimal("12.3456"), "MEDIA": 7.25,
             "INICIO": dt.datetime(2024, 9, 12, 8, 30)}),
    (True, {"NOMBRE": "Esborrat", "HORAS": 1, "CURSO": 9, "FACTOR": 1, "ACTIVO": False,
            "ALTA": dt.date(2020, 1, 1), "NOTA": "x", "SESIONES": 1, "PRECIO": 1,
            "MEDIA": 1.0, "INICIO": dt.datetime(2020, 1, 1)}),
    (False, {"NOMBRE": "Educació Física", "HORAS": -0.25, "CURSO": 120, "FACTOR": -1000.5,
             "ACTIVO": False, "ALTA": dt.date(2000, 2, 29), "NOTA": "Col·legi Òscar",
             "SESIONES": -2147483647, "PRECIO": -5, "MEDIA": -0.125,
             "INICIO": dt.datetime(2000, 2, 29, 23, 59, 59)}),
    (False, {"NOMBRE": "Año Çé"}),
    (False, {"NOMBRE": "Col·legi", "ACTIVO": True, "CURSO": 0, "SESIONES": 0, "MEDIA": 2.5}),
]


def blank(dbf_type):
    """A value for a field the record leaves out: null where the table allows it."""
    return dbf.Null if dbf_type == "vfp" else None


def write_table(path, dbf_type, codepage):
    t = dbf.Table(path, FIELD_LISTS[dbf_type], dbf_type=dbf_type, codepage=codepage)
    t.open(dbf.READ_WRITE)
    names = [n.upper() for n in t.field_names]
    for deleted, values in ROWS:
        t.append(tuple(values.get(n, blank(dbf_type)) for n in names))
        if deleted:
            dbf.delete(t[-1])
    t.close()


def read_table(path):
    """Field definitions and live records as python-dbf reads them, in the CLI's form."""
    t = dbf.Table(path)
    t.open(dbf.READ_ONLY)
    fields, types = [], {}
    for n in t.field_names:
        info = t.field_info(n)
        ftype = chr(int(info[0]))
        types[n.upper()] = ftype
        fields.append({"nombre": n.upper(), "tipo": ftype, "longitud": info[1], "decimales": info[2]})
    records = []
    for r in t:
        if dbf.is_deleted(r):
            continue
        rec = {}
        for n in t.field_names:
            v = r[n]
            v = None if v is dbf.Null else v
            if isinstance(v, str):
                v = v.rstrip(" ")
            if v is None and types[n.upper()] in "CV":
                v = ""  # the CLI prints an empty text, null or blank, as ""
            rec[n.upper()] = plain(v)
        records.append(rec)
    t.close()
    return {"campos": fields, "registros": records}, types


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in FIELD_LISTS:
        fail("usage: check_pydbf.py CLI db3|fp|vfp CODEPAGE")
    cli, dbf_type, codepage = sys.argv[1:]
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, f"{dbf_type}_{codepage}.dbf")
        write_table(path, dbf_type, codepage)
        expected, types = read_table(path)
        got = read_with_cli(cli, path)
    # The program does not read memo contents: memo fields are compared by definition
    # only, and must not disturb the fields around them.
    for rec in expected["registros"] + got["registros"]:
        for name, ftype in types.items():
            if ftype == "M":
                rec.pop(name, None)
    require_same(expected, got, f"{dbf_type} table in {codepage}")
    print(f"{len(got['registros'])} records of a {dbf_type} table in {codepage} agree")


if __name__ == "__main__":
    main()
