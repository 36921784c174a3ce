#!/usr/bin/python3
# The peer for jet_write_bench: the same rows and the same update with SQLite (Python's sqlite3),
# an independent embedded database engine, record by record as DAO does it, in one transaction
# per phase. Usage: sqlite_write.py TARGET.db
import os
import sqlite3
import sys
import time

ROWS = 60000


def text(row, column):
    value = f"Text {row} Sprache {column}:"
    length = 20 + (row * 7 + column * 13) % 61
    while len(value) < length:
        value += " Füllstand"
    return value[:length]


target = sys.argv[1]
if os.path.exists(target):
    os.remove(target)
start = time.perf_counter()
db = sqlite3.connect(target)
db.execute("CREATE TABLE TidxTexts (ID INTEGER, Description TEXT, L1031 TEXT, L1033 TEXT, L1049 TEXT)")
for row in range(ROWS):
    db.execute("INSERT INTO TidxTexts VALUES (?, ?, ?, ?, ?)",
               (row, f"Beschreibung {row}", text(row, 1), text(row, 2), text(row, 3)))
db.commit()
db.close()
print(f"append {ROWS} rows: {(time.perf_counter() - start) * 1000:.1f} ms")
start = time.perf_counter()
db = sqlite3.connect(target)
rows = db.execute("SELECT rowid, ID FROM TidxTexts").fetchall()
for rowid, row in rows:
    db.execute("UPDATE TidxTexts SET L1049 = ? WHERE rowid = ?", (text(row + 1, 3), rowid))
db.commit()
db.close()
print(f"update {ROWS} texts: {(time.perf_counter() - start) * 1000:.1f} ms")
print(f"file size: {os.path.getsize(target)} bytes")
