#!/usr/bin/python3
"""Writes the rows of bench/xls_write_bench.cpp with xlwt (python3-xlwt), for comparison: a
header row, then ROWS rows of an ID, a description and three 20-80 character texts from the
same generator. xlwt cannot fill a template, so it writes a new workbook.

Usage: xlwt_write.py OUTPUT.xls [ROWS]
"""
import sys

import xlwt

ALPHABET = list("abcdefghijklmnopqrstuvwxyz ÄÖÜäöüßабвгдежзийклмнопрстуфхцчшщыэюя")


class Texts:
    def __init__(self):
        self.state = 12345

    def random(self):
        self.state = (self.state * 1103515245 + 12345) & 0xFFFFFFFF
        return self.state >> 16

    def next(self, length):
        return "".join(ALPHABET[self.random() % len(ALPHABET)] for _ in range(length))


def main():
    output = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 60000
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("TidxTexts")
    for column, title in enumerate(["ID", "Description", "Sprache 1", "Sprache 2", "Sprache 3"]):
        sheet.write(0, column, title)
    texts = Texts()
    for i in range(1, rows + 1):
        row = sheet.row(i)
        row.write(0, i)
        row.write(1, "Beschreibung %d" % i)
        for column in range(2, 5):
            row.write(column, texts.next(20 + texts.random() % 61))
        if i % 1000 == 0:
            sheet.flush_row_data()
    book.save(output)


if __name__ == "__main__":
    main()
