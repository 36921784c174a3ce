#!/usr/bin/python3
"""Prints what xlrd reads from an .xls file (or what a fixture's JSON says xlrd reads), one item
per line, for the C++ tests to compare with the engine's reading.

  xlrd_cells.py FILE.xls      xlrd 1.2 with formatting_info=True, ragged rows
  xlrd_cells.py --json FILE   a fixture's expected content (no formats)

Lines (tab-separated; texts with \\ \t \n \r escaped):
  S name nrows ncols        a sheet, in workbook order
  C row col type xf value   a cell that is not empty: type text|number|bool|error|blank,
                            xf = XF index or -, value = text, repr of the float, 0/1, error code
  W col width xf            a column with a COLINFO record
"""
import json
import sys

import xlrd


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def value_text(kind, value):
    if kind == "text":
        return escape(value)
    if kind == "number":
        return repr(float(value))
    if kind == "bool":
        return "1" if value else "0"
    if kind == "error":
        return str(int(value))
    return ""


KINDS = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number", xlrd.XL_CELL_DATE: "number",
         xlrd.XL_CELL_BOOLEAN: "bool", xlrd.XL_CELL_ERROR: "error", xlrd.XL_CELL_BLANK: "blank"}


def from_xlrd(path, out):
    book = xlrd.open_workbook(path, formatting_info=True, ragged_rows=True)
    for sheet in book.sheets():
        out.append("S\t%s\t%d\t%d" % (escape(sheet.name), sheet.nrows, sheet.ncols))
        for row in range(sheet.nrows):
            for col in range(sheet.row_len(row)):
                cell = sheet.cell(row, col)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                kind = KINDS[cell.ctype]
                out.append("C\t%d\t%d\t%s\t%d\t%s" % (row, col, kind, sheet.cell_xf_index(row, col),
                                                      value_text(kind, cell.value)))
        for col in sorted(sheet.colinfo_map):
            info = sheet.colinfo_map[col]
            out.append("W\t%d\t%d\t%d" % (col, info.width, info.xf_index))


def from_json(path, out):
    with open(path, encoding="utf-8") as handle:
        book = json.load(handle)
    for sheet in book["sheets"]:
        out.append("S\t%s\t%d\t%d" % (escape(sheet["name"]), sheet["nrows"], sheet["ncols"]))
        for row, col, kind, value in sheet["cells"]:
            out.append("C\t%d\t%d\t%s\t-\t%s" % (row, col, kind, value_text(kind, value)))


def main():
    out = []
    if sys.argv[1] == "--json":
        from_json(sys.argv[2], out)
    else:
        from_xlrd(sys.argv[1], out)
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
