#!/usr/bin/python3
# The scripted peer of the workbook export: the texts as peer_texts.py reads and re-decodes them,
# written with python3-xlwt. Usage: peer_export_xlwt.py PROJECT TARGET.xls
import sys

import xlwt

from peer_texts import COLUMNS, decoded_rows

project, target = sys.argv[1], sys.argv[2]
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("TidxTexts")
for column, name in enumerate(COLUMNS):
    sheet.write(0, column, name)
sheet.write(1, 0, 0)
for index, values in enumerate(decoded_rows(project), start=2):
    for column, value in enumerate(values):
        sheet.write(index, column, value)
book.save(target)
