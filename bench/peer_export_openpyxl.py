#!/usr/bin/python3
# The scripted peer of the .xlsx export: reads the table as mdb-export prints it, re-decodes each
# language column in its ANSI code page (the texts are held as cp1252 readings of those bytes),
# and writes the workbook with python3-openpyxl in write-only mode.
# Usage: peer_export_openpyxl.py PROJECT TARGET.xlsx
import csv
import io
import subprocess
import sys

import openpyxl

CODE_PAGES = {"L1031": "cp1252", "L1033": "cp1252", "L1049": "cp1251"}

project, target = sys.argv[1], sys.argv[2]
exported = subprocess.run(["mdb-export", project, "TidxTexts"], capture_output=True, check=True)
rows = csv.reader(io.StringIO(exported.stdout.decode("utf-8"), newline=""))
header = next(rows)
columns = ["ID", "Description"] + list(CODE_PAGES)
positions = [header.index(column) for column in columns]
book = openpyxl.Workbook(write_only=True)
sheet = book.create_sheet("TidxTexts")
sheet.append(columns)
sheet.append([0])
for row in rows:
    values = []
    for name, position in zip(columns, positions):
        value = row[position]
        if name in CODE_PAGES and value:
            value = value.encode("cp1252", errors="surrogateescape").decode(CODE_PAGES[name], errors="replace")
        values.append(int(value) if name == "ID" else value)
    sheet.append(values)
book.save(target)
