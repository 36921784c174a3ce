#!/usr/bin/python3
"""Writes the workbooks a translation tool built on python3-xlwt would hand back.

xlwt_texts.xls: the first worksheet is not named TidxTexts and its columns come in another order
(L1049, a hidden "Bemerkung" column, ID, L1031); IDs as numbers and as a text of digits; numbers
in language cells; rich text; blank cells; a hidden row; a row without ID; an ID the demo project
does not have; a second worksheet after it.
xlwt_error_cell.xls, xlwt_boolean_cell.xls: a language cell holding #N/A (code 0x2A) or TRUE.

Run in this directory with Debian's python3-xlwt 1.3: /usr/bin/python3 make_xlwt_files.py
"""
import xlwt


def texts():
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Übersetzung")
    for column, name in enumerate(["L1049", "Bemerkung", "ID", "L1031"]):
        sheet.write(0, column, name)
    sheet.write(1, 0, "Двигатель 1 работает")
    sheet.write(1, 2, 1)
    sheet.write(1, 3, "Motor eins läuft")
    bold = xlwt.Font()
    bold.bold = True
    sheet.row(2).set_cell_rich_text(0, ("Двигатель 1 ", ("остановлен!", bold)))
    sheet.write(2, 1, "Text als Ziffern")
    sheet.write(2, 2, "2")
    sheet.write(2, 3, "", xlwt.easyxf("pattern: pattern solid, fore_colour yellow"))
    sheet.write(3, 0, 1.5)
    sheet.write(3, 2, 5)
    sheet.write(3, 3, 100)
    sheet.write(4, 2, 7)
    sheet.write(4, 3, "NOT-AUS gedrückt")
    sheet.row(4).hidden = True
    sheet.write(5, 3, "Zeile ohne ID")
    sheet.write(6, 2, 9999)
    sheet.write(6, 3, "Unbekannt")
    sheet.col(1).hidden = True
    book.add_sheet("Notizen").write(0, 0, "ID")
    book.save("xlwt_texts.xls")


def one_cell(name, write):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("TidxTexts")
    sheet.write(0, 0, "ID")
    sheet.write(0, 1, "L1031")
    sheet.write(1, 0, 1)
    sheet.write(1, 1, "Motor")
    sheet.write(2, 0, 2)
    write(sheet.row(2))
    book.save(name)


texts()
one_cell("xlwt_error_cell.xls", lambda row: row.set_cell_error(1, 0x2A))
one_cell("xlwt_boolean_cell.xls", lambda row: row.set_cell_boolean(1, True))
