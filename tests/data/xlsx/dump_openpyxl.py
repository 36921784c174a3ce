#!/usr/bin/python3
"""Prints the content of an .xlsx workbook as openpyxl reads it, as the expected-content JSON the
import tests compare against:

  {"file", "sheets": [{"name", "max_row", "max_column", "cells": [[row, col, type, value], ...]}]}

rows and columns 1-based, type text|number|bool|error, only cells whose value is not None or "".
Read with load_workbook(read_only=False, data_only=True), so formula cells give their cached result.

openpyxl 3.0.9 cannot read two kinds of file that are fine: Strict workbooks (it sees no sheet) and
packages whose references differ in letter case from the part names (package part names do not
depend on letter case; openpyxl skips the sheet). For those it is handed a copy with the Strict
namespaces replaced by the transitional ones and the references spelt as the part names are; the
JSON then says so in "read_note".

openpyxl leaves _xHHHH_ escapes undecoded (in shared strings it only drops every "x005F_", so
_x005F_x0041_ happens to come out as _x0041_), and the cells show them so. For files with escapes,
the script that made the file passes the texts as meant, escapes decoded, as a JSON list
[[sheet, row, col, text], ...], which goes into "decoded_texts".

Usage: /usr/bin/python3 dump_openpyxl.py FILE [DECODED_TEXTS] > FILE.json
(Debian's python3-openpyxl 3.0.9)
"""
import io
import json
import posixpath
import re
import sys
import warnings
import zipfile

import openpyxl

STRICT = [
    (b"http://purl.oclc.org/ooxml/spreadsheetml/main",
     b"http://schemas.openxmlformats.org/spreadsheetml/2006/main"),
    (b"http://purl.oclc.org/ooxml/officeDocument/relationships",
     b"http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
    (b"http://purl.oclc.org/ooxml/drawingml/main",
     b"http://schemas.openxmlformats.org/drawingml/2006/main"),
    (b"http://purl.oclc.org/ooxml/officeDocument/extendedProperties",
     b"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"),
    (b"http://purl.oclc.org/ooxml/officeDocument/docPropsVTypes",
     b"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes"),
]
TYPES = {"s": "text", "n": "number", "b": "bool", "e": "error"}


def readable_copy(path):
    """Returns (file object for openpyxl, list of notes on what had to be changed)."""
    notes = set()
    source = zipfile.ZipFile(path)
    names = source.namelist()
    by_lower = {name.lower(): name for name in names}

    def respell(folder, target):
        if target.startswith("/"):
            resolved = target[1:]
        else:
            resolved = posixpath.normpath(posixpath.join(folder, target))
        if resolved not in names and resolved.lower() in by_lower:
            notes.add("references re-spelt in the letter case of the part names")
            return "/" + by_lower[resolved.lower()]
        return target

    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as copy:
        for name in names:
            data = source.read(name)
            if name.lower().endswith((".xml", ".rels")):
                for strict, transitional in STRICT:
                    if strict in data:
                        data = data.replace(strict, transitional)
                        notes.add("Strict namespaces replaced by the transitional ones")
                text = data.decode("utf-8-sig")
                if name.endswith(".rels"):
                    folder = posixpath.dirname(posixpath.dirname(name))
                    text = re.sub(r'Target="([^"]*)"',
                                  lambda m: 'Target="%s"' % respell(folder, m.group(1)), text)
                elif name == "[Content_Types].xml":
                    text = re.sub(r'PartName="([^"]*)"',
                                  lambda m: 'PartName="%s"' % respell("", m.group(1)), text)
                data = text.encode("utf-8")
            copy.writestr(name, data)
    if not notes:
        return open(path, "rb"), []
    return io.BytesIO(out.getvalue()), sorted(notes)


def dump(path, decoded_texts=None):
    stream, notes = readable_copy(path)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        book = openpyxl.load_workbook(stream, read_only=False, data_only=True)
    sheets = []
    for sheet in book.worksheets:
        cells = []
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None or cell.value == "":
                    continue
                if cell.data_type not in TYPES:
                    raise SystemExit("%s!%s: openpyxl type %s" % (sheet.title, cell.coordinate,
                                                                  cell.data_type))
                cells.append([cell.row, cell.column, TYPES[cell.data_type], cell.value])
        sheets.append({"name": sheet.title, "max_row": sheet.max_row,
                       "max_column": sheet.max_column, "cells": cells})
    result = {"file": posixpath.basename(path), "sheets": sheets}
    if decoded_texts:
        result["decoded_texts"] = decoded_texts
    if notes:
        result["read_note"] = "openpyxl read a copy: " + "; ".join(notes)
    return result


def to_json(result):
    """JSON with one cell per line, so that diffs stay readable."""
    def one(value):
        return json.dumps(value, ensure_ascii=False)

    lines = ["{", '  "file": %s,' % one(result["file"])]
    for key in ("read_note", "decoded_texts"):
        if key in result:
            value = result[key]
            if isinstance(value, list):
                value = "[\n" + ",\n".join("    " + one(v) for v in value) + "\n  ]"
            else:
                value = one(value)
            lines.append('  "%s": %s,' % (key, value))
    lines.append('  "sheets": [')
    for index, sheet in enumerate(result["sheets"]):
        lines.append('    {"name": %s, "max_row": %d, "max_column": %d, "cells": ['
                     % (one(sheet["name"]), sheet["max_row"], sheet["max_column"]))
        if sheet["cells"]:
            lines.append(",\n".join("      " + one(cell) for cell in sheet["cells"]))
        lines.append("    ]}" + ("," if index + 1 < len(result["sheets"]) else ""))
    lines.append("  ]")
    lines.append("}")
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    decoded = json.loads(sys.argv[2]) if len(sys.argv) > 2 else None
    sys.stdout.write(to_json(dump(sys.argv[1], decoded)))
