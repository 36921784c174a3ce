#!/usr/bin/python3
# The scripted peer of the workbook export: reads the table as mdb-export prints it, re-decodes
# each language column in its ANSI code page (the texts are held as cp1252 readings of those
# bytes), and writes the workbook with python3-xlwt. Usage: peer_export_xlwt.py PROJECT TARGET.xls
import csv
import io
import subprocess
import sys

import xlwt

CODE_PAGES = {"L1031": "cp1252", "L1033": "cp1252", "L1049": "cp1251"}

project, target = sys.argv[1], sys.argv[2]
exported = subprocess.run(["mdb-export", project, "TidxTexts"], capture_output=True, check=True)
rows = csv.reader(io.StringIO(exported.stdout.decode("utf-8"), newline=""))
header = next(rows)
columns = ["ID", "Description"] + list(CODE_PAGES)
positions = [header.index(column) for column in columns]
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("TidxTexts")
for column, name in enumerate(columns):
    sheet.write(0, column, name)
sheet.write(1, 0, 0)
for index, row in enumerate(rows, start=2):
    for column, (name, position) in enumerate(zip(columns, positions)):
        value = row[position]
        if name in CODE_PAGES and value:
            value = value.encode("cp1252", errors="surrogateescape").decode(CODE_PAGES[name], errors="replace")
        sheet.write(index, column, float(value) if name == "ID" else value)
book.save(target)
