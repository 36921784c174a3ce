#!/usr/bin/python3
"""Writes a copy of an exchange workbook in which every text of the language columns changed, as
a translator's workbook that comes back: the same rows, " 2" added to each non-empty text.
An .xls workbook is read with xlrd and written with xlwt, an .xlsx one with openpyxl.
Usage: change_every_text.py IN.xls|IN.xlsx OUT.xls|OUT.xlsx"""
import sys


def rows_of(path):
    if path.endswith(".xlsx"):
        import openpyxl
        sheet = openpyxl.load_workbook(path, read_only=True).worksheets[0]
        return [["" if v is None else v for v in row] for row in sheet.values]
    import xlrd
    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    return [sheet.row_values(r) for r in range(sheet.nrows)]


def changed(rows):
    languages = {c for c, title in enumerate(rows[0]) if str(title).startswith("L")}
    for r, row in enumerate(rows):
        yield [value + " 2" if r > 0 and c in languages and isinstance(value, str) and value
               else value for c, value in enumerate(row)]


def save(rows, path):
    if path.endswith(".xlsx"):
        import openpyxl
        book = openpyxl.Workbook(write_only=True)
        sheet = book.create_sheet("TidxTexts")
        for row in rows:
            sheet.append([None if value == "" else value for value in row])
        book.save(path)
        return
    import xlwt
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("TidxTexts")
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value != "":
                sheet.row(r).write(c, value)
    book.save(path)


save(changed(rows_of(sys.argv[1])), sys.argv[2])
