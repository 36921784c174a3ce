# What both scripted peers of the export do before they write: read the table as mdb-export
# prints it and re-decode each language column in its ANSI code page (the texts are held as
# cp1252 readings of those bytes).
import csv
import io
import subprocess

CODE_PAGES = {"L1031": "cp1252", "L1033": "cp1252", "L1049": "cp1251"}
COLUMNS = ["ID", "Description"] + list(CODE_PAGES)


def decoded_rows(project):
    """The rows of TidxTexts as lists of COLUMNS' values, the ID as an int."""
    exported = subprocess.run(["mdb-export", project, "TidxTexts"], capture_output=True, check=True)
    rows = csv.reader(io.StringIO(exported.stdout.decode("utf-8"), newline=""))
    header = next(rows)
    positions = [header.index(column) for column in COLUMNS]
    for row in rows:
        values = []
        for name, position in zip(COLUMNS, positions):
            value = row[position]
            if name in CODE_PAGES and value:
                value = value.encode("cp1252", errors="surrogateescape").decode(
                    CODE_PAGES[name], errors="replace")
            values.append(int(value) if name == "ID" else value)
        yield values
