#!/usr/bin/python3
"""Checks `glossel-cli dump` on every .xlsx file written by another program against what openpyxl
reads of it (the X.json beside each X.xlsx, see tests/data/xlsx/README.md): the worksheet list,
and every cell openpyxl gives a value, in its place, with its value. Texts openpyxl leaves with
their _xHHHH_ escapes are compared with the decoded text the file's maker gives.

Usage: xlsx_dump_oracle.py GLOSSEL_CLI DATA_DIR
"""
import csv
import io
import json
import pathlib
import subprocess
import sys


def dump(cli, path, *sheet):
    result = subprocess.run([cli, "dump", str(path), *sheet], capture_output=True, timeout=60)
    if result.returncode != 0:
        raise AssertionError(f"{path}: {result.stderr.decode().strip()}")
    return result.stdout.decode("utf-8")


def text_places(dump_text):
    """(row, column) of every quoted field of the dump, 1-based, header row left out."""
    places = set()
    row, column, at = 0, 1, 0
    start = True
    while at < len(dump_text):
        c = dump_text[at]
        if start and c == '"':
            at += 1
            while True:
                if dump_text[at] == '"' and dump_text[at + 1:at + 2] == '"':
                    at += 2
                elif dump_text[at] == '"':
                    at += 1
                    break
                else:
                    at += 1
            if row > 0:
                places.add((row, column))
            start = False
            continue
        if c == ",":
            column, start = column + 1, True
        elif c == "\n":
            row, column, start = row + 1, 1, True
        else:
            start = False
        at += 1
    return places


def check(cli, path, expected):
    names = dump(cli, path).split("\n")[:-1]
    wanted = [sheet["name"] for sheet in expected["sheets"]]
    assert names == wanted, f"{path.name}: sheets {names}, openpyxl {wanted}"
    decoded = {(s, r, c): text for s, r, c, text in expected.get("decoded_texts", [])}
    for sheet in expected["sheets"]:
        text = dump(cli, path, sheet["name"])
        rows = list(csv.reader(io.StringIO(text, newline="")))[1:]
        texts = text_places(text)
        for row, column, kind, value in sheet["cells"]:
            value = decoded.get((sheet["name"], row, column), value)
            where = f"{path.name} {sheet['name']}!R{row}C{column}"
            assert row <= len(rows) and column <= len(rows[row - 1]), f"{where}: missing"
            got = rows[row - 1][column - 1]
            if kind == "text":
                assert (row, column) in texts, f"{where}: not a text: {got!r}"
                assert got == value, f"{where}: {got!r}, openpyxl {value!r}"
            elif kind == "number":
                assert float(got) == float(value), f"{where}: {got!r}, openpyxl {value!r}"
            elif kind == "bool":
                assert got == ("TRUE" if value else "FALSE"), f"{where}: {got!r}, openpyxl {value!r}"
            else:
                assert got == value, f"{where}: {got!r}, openpyxl {value!r}"


def main():
    cli, data = sys.argv[1], pathlib.Path(sys.argv[2])
    files = sorted(data.glob("*.xlsx")) + sorted((data / "real").glob("*.xlsx"))
    assert files, f"no workbooks in {data}"
    for path in files:
        check(cli, path, json.loads(path.with_suffix(".json").read_text(encoding="utf-8")))
    print(f"{len(files)} workbooks read as openpyxl reads them")


if __name__ == "__main__":
    main()
