#!/usr/bin/python3
"""Writes a copy of an exchange workbook in which every text of the language columns changed, as
a translator's workbook that comes back: the same rows, " 2" added to each non-empty text.
Usage: change_every_text.py IN.xls OUT.xls"""
import sys

import xlrd
import xlwt

source = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("TidxTexts")
languages = {c for c in range(source.ncols) if str(source.cell_value(0, c)).startswith("L")}
for r in range(source.nrows):
    row = sheet.row(r)
    for c in range(source.ncols):
        value = source.cell_value(r, c)
        if r > 0 and c in languages and isinstance(value, str) and value:
            value += " 2"
        if value != "":
            row.write(c, value)
book.save(sys.argv[2])
