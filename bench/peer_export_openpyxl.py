#!/usr/bin/python3
# The scripted peer of the .xlsx export: the texts as peer_texts.py reads and re-decodes them,
# written with python3-openpyxl in write-only mode.
# Usage: peer_export_openpyxl.py PROJECT TARGET.xlsx
import sys

import openpyxl

from peer_texts import COLUMNS, decoded_rows

project, target = sys.argv[1], sys.argv[2]
book = openpyxl.Workbook(write_only=True)
sheet = book.create_sheet("TidxTexts")
sheet.append(COLUMNS)
sheet.append([0])
for values in decoded_rows(project):
    sheet.append(values)
book.save(target)
