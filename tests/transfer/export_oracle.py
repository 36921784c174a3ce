#!/usr/bin/python3
# Exports the demo project with glossel-cli under a German interface and checks the exchange
# files with independent readers: the workbook with python3-xlrd, the database with mdbtools
# (mdb-export, mdb-schema). Every text must arrive decoded in its language's code page, as the
# project's expected content (Demo.json, rows_decoded) gives it.
#
# Usage: export_oracle.py GLOSSEL_CLI DATA_DIR
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

import xlrd

failures = []
checks = 0


def check(condition, message):
    global checks
    checks += 1
    if not condition:
        failures.append(message)


def export(cli, project, target, languages):
    environment = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="", LC_MESSAGES="", LC_CTYPE="")
    environment.pop("TESSVIA_ACP", None)
    command = [cli, "export", project, target]
    for lcid in languages:
        command += ["--language", str(lcid)]
    run = subprocess.run(command, capture_output=True, text=True, env=environment, timeout=120)
    check(run.returncode == 0 and run.stderr == "",
          f"export to {target}: exit {run.returncode}, stderr {run.stderr!r}")
    check(run.stdout == "Sprache erfolgreich exportiert!\n", f"export to {target}: {run.stdout!r}")


def expected_rows(data_dir, columns):
    with open(os.path.join(data_dir, "jet", "Demo.json"), encoding="utf-8") as file:
        table = next(t for t in json.load(file)["tables"] if t["name"] == "TidxTexts")
    names = [c["name"] for c in table["columns"]]
    return [[row[names.index(c)] for c in columns] for row in table["rows_decoded"]]


def check_workbook(path, expected, header):
    sheet = xlrd.open_workbook(path).sheet_by_name("TidxTexts")
    check(sheet.row_values(0) == header, f"{path}: header {sheet.row_values(0)}")
    check(sheet.cell(1, 0).ctype == xlrd.XL_CELL_NUMBER and sheet.cell_value(1, 0) == 0,
          f"{path}: the record under the header does not hold the number 0")
    check(all(sheet.cell(1, c).ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)
              for c in range(1, sheet.ncols)), f"{path}: the numeric record has other cells")
    check(sheet.nrows == len(expected) + 2, f"{path}: {sheet.nrows} rows, expected {len(expected) + 2}")
    for index, row in enumerate(expected):
        got = sheet.row_values(index + 2)[:len(row)]
        want = [float(row[0])] + [value if value is not None else "" for value in row[1:]]
        check(got == want, f"{path}: row {index + 2}: {got!r}, expected {want!r}")


def check_database(path, expected, columns):
    schema = subprocess.run(["mdb-schema", path], capture_output=True, text=True).stdout
    for column in columns[2:]:
        check(f"[{column}]\t\t\tText (255)" in schema, f"{path}: {column} is no Text (255): {schema}")
    export = subprocess.run(["mdb-export", path, "TidxTexts"], capture_output=True,
                            env=dict(os.environ, LC_ALL="C.UTF-8"))
    rows = list(csv.reader(io.StringIO(export.stdout.decode("utf-8"), newline="")))
    check(rows[0] == columns, f"{path}: columns {rows[0]}")
    # mdbtools prints empty texts as empty fields too: compare with None and "" alike.
    got = sorted(rows[1:], key=lambda r: int(r[0]))
    want = sorted([[str(r[0])] + [v or "" for v in r[1:]] for r in expected], key=lambda r: int(r[0]))
    check(got == want, f"{path}: rows differ: {[g for g, w in zip(got, want) if g != w][:3]}")


def main():
    cli, data_dir = sys.argv[1], sys.argv[2]
    project = os.path.join(data_dir, "jet", "Demo.tvs")
    columns = ["ID", "Description", "L1031", "L1033", "L1049"]
    with tempfile.TemporaryDirectory() as work:
        workbook = os.path.join(work, "Texte.xls")
        database = os.path.join(work, "Texte.mdb")
        export(cli, project, workbook, [1049, 1033, 1031])
        export(cli, project, database, [1031, 1049, 1033])
        check_workbook(workbook, expected_rows(data_dir, columns), columns)
        check_database(database, expected_rows(data_dir, columns), columns)
        one = os.path.join(work, "Russisch.xls")
        export(cli, project, one, [1049])
        check_workbook(one, expected_rows(data_dir, ["ID", "Description", "L1049"]),
                       ["ID", "Description", "L1049", "Sprache 2", "Sprache 3"])
    for failure in failures:
        print("FAIL", failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
