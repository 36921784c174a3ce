#!/usr/bin/python3
"""Writes the workbooks a translation tool built on openpyxl would hand back, with the texts of
../jet/Demo.tvs (read with mdbtools' mdb-export; its L1049 column holds cp1251 bytes read as
cp1252, so it is decoded to real Cyrillic here, as a translator's file holds Unicode).

openpyxl_texts.xlsx: the first sheet is not named TidxTexts and its columns come in another order
(L1049, a hidden "Bemerkung" column, ID, L1031); IDs as numbers and one as a text of digits; texts
with LF line breaks where the project holds CR LF; a text starting and ending with blanks; an empty
cell; ID 9999, which the demo project lacks; a second sheet. (openpyxl 3.0.9 cannot write rich
text: CellRichText came with 3.1.)
openpyxl_sheet_tidxtexts.xlsx: a sheet named TidxTexts that is not the first sheet.
Then writes each file's .json with dump_openpyxl.py.

Run in this directory with Debian's python3-openpyxl 3.0.9: /usr/bin/python3 make_openpyxl_files.py
"""
import csv
import io
import subprocess

import openpyxl

import dump_openpyxl


def cyrillic(stored):
    """Undoes the cp1252 reading of cp1251 bytes (U+0081 etc. stand for the bytes cp1252 lacks)."""
    raw = bytes(ord(c) if c in "\x81\x8d\x8f\x90\x9d" else c.encode("cp1252")[0] for c in stored)
    return raw.decode("cp1251")


def demo_texts():
    out = subprocess.run(["mdb-export", "../jet/Demo.tvs", "TidxTexts"], check=True,
                         capture_output=True, text=True, encoding="utf-8").stdout
    rows = {}
    for row in csv.DictReader(io.StringIO(out, newline="")):
        row["L1049"] = cyrillic(row["L1049"])
        rows[int(row["ID"])] = {k: v.replace("\r\n", "\n") for k, v in row.items()}
    return rows


def texts(demo):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Übersetzung"
    sheet.append(["L1049", "Bemerkung", "ID", "L1031"])
    sheet.append([demo[1]["L1049"], None, 1, "Motor 1 läuft jetzt"])
    sheet.append([demo[2]["L1049"], "ID als Text", "2", demo[2]["L1031"]])
    sheet.append([demo[20]["L1049"], "LF statt CR LF", 20, "Zeile 1\nZeile 2\nZeile 3"])
    sheet.append([demo[65536]["L1049"], "Leerzeichen", 65536, "  Einrückung neu  "])
    sheet.append([None, "leere Zelle", 14, demo[14]["L1031"]])
    sheet.append([demo[8]["L1049"], None, 8, demo[8]["L1031"]])
    sheet.append([demo[100]["L1049"], None, 100, demo[100]["L1031"]])
    sheet.append([demo[1001]["L1049"], None, 1001, None])
    sheet.append(["Неизвестно", "fehlt im Projekt", 9999, "Unbekannt"])
    sheet.column_dimensions["B"].hidden = True
    notes = book.create_sheet("Notizen")
    notes.append(["ID", "Hinweis"])
    notes.append([7, "bitte prüfen"])
    book.save("openpyxl_texts.xlsx")


def sheet_tidxtexts(demo):
    book = openpyxl.Workbook()
    book.active.title = "Info"
    book.active.append(["Übersetzung für Demo.tvs"])
    sheet = book.create_sheet("TidxTexts")
    sheet.append(["ID", "Description", "L1031", "L1049"])
    for key in (3, 4, 11, 12):
        sheet.append([key, demo[key]["Description"], demo[key]["L1031"], demo[key]["L1049"]])
    book.save("openpyxl_sheet_tidxtexts.xlsx")


demo = demo_texts()
texts(demo)
sheet_tidxtexts(demo)
for name in ("openpyxl_texts", "openpyxl_sheet_tidxtexts"):
    with open(name + ".json", "w", encoding="utf-8") as out:
        out.write(dump_openpyxl.to_json(dump_openpyxl.dump(name + ".xlsx")))
