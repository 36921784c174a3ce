#!/usr/bin/python3
"""Checks `glossel-cli dump` on every .xls fixture against xlrd 1.2: the worksheet list, and
each worksheet's CSV (header F1 ... Fn, every row in its place, texts quoted, numbers in their
shortest plain form, TRUE/FALSE, error names, empty cells empty).

Usage: cli_dump_oracle.py GLOSSEL_CLI DATA_DIR
Every failing dump fails the check, the first file's as much as any other; so does a data
directory without workbooks.
"""
import decimal
import pathlib
import subprocess
import sys

import xlrd

ERRORS = {0x00: "#NULL!", 0x07: "#DIV/0!", 0x0F: "#VALUE!", 0x17: "#REF!", 0x1D: "#NAME?",
          0x24: "#NUM!", 0x2A: "#N/A"}


def plain_number(value):
    text = format(decimal.Decimal(repr(float(value))), "f")
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text


def field(cell):
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return '"' + cell.value.replace('"', '""') + '"'
    if cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
        return plain_number(cell.value)
    if cell.ctype == xlrd.XL_CELL_BOOLEAN:
        return "TRUE" if cell.value else "FALSE"
    if cell.ctype == xlrd.XL_CELL_ERROR:
        return ERRORS[cell.value]
    return ""


def expected_dump(sheet):
    columns = max(sheet.ncols, 1)
    lines = [",".join('"F%d"' % (column + 1) for column in range(columns))]
    for row in range(sheet.nrows):
        cells = [field(sheet.cell(row, column)) if column < sheet.row_len(row) else ""
                 for column in range(columns)]
        lines.append(",".join(cells))
    return "\n".join(lines) + "\n"


def dump(cli, *arguments):
    return subprocess.run([cli, "dump", *arguments], capture_output=True, timeout=120)


def main():
    cli, data = sys.argv[1], pathlib.Path(sys.argv[2])
    files = sorted(p for p in data.rglob("*.xls") if p.parent.name != "crashes")
    if not files:
        print("FAIL: no .xls files in %s" % data)
        return 1
    failures = 0
    for path in files:
        book = xlrd.open_workbook(str(path), formatting_info=True, ragged_rows=True)
        listed = dump(cli, str(path))
        names = "".join(sheet.name + "\n" for sheet in book.sheets())
        if listed.returncode != 0 or listed.stdout.decode() != names:
            print("FAIL %s: sheet list %r, expected %r\n  %s" % (
                path.name, listed.stdout, names, listed.stderr.decode(errors="replace").strip()))
            failures += 1
        for sheet in book.sheets():
            result = dump(cli, str(path), sheet.name)
            wanted = expected_dump(sheet)
            if result.returncode != 0 or result.stdout.decode() != wanted:
                got = result.stdout.decode(errors="replace").splitlines()
                want = wanted.splitlines()
                first = next((i for i, (a, b) in enumerate(zip(got, want)) if a != b),
                             min(len(got), len(want)))
                print("FAIL %s / %s, line %d:\n  dump:   %r\n  oracle: %r\n  %s" % (
                    path.name, sheet.name, first + 1, got[first] if first < len(got) else None,
                    want[first] if first < len(want) else None, result.stderr.decode().strip()))
                failures += 1
            else:
                print("ok   %s / %s (%d rows)" % (path.name, sheet.name, sheet.nrows))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
