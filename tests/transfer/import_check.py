#!/usr/bin/python3
# Reads a project before and after an import with two independent readers, mdbtools (mdb-tables,
# mdb-export, mdb-schema) and mdb-reader, and lists what the import must not have done: every
# table and every column is as before except the imported language columns of TidxTexts (rows
# compared sorted, since the import may move rows), with the same column definitions, tables and
# primary keys, and both readers read the imported columns alike.
#
# Usage: import_check.py BEFORE AFTER [COLUMN...]
# Prints one line per difference and exits with 1 if there is any; the import tests run it after
# every import that wrote, import_oracle.py uses its functions.
import csv
import io
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MDB_READER = os.path.join(HERE, "..", "oracles", "mdb_reader_dump.mjs")
ENVIRONMENT = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="C.UTF-8", TESSVIA_ACP="1252")
TEXT_TABLE = "tidxtexts"
SHOWN_ROWS = 3


def run(*command):
    done = subprocess.run(command, capture_output=True, env=ENVIRONMENT, timeout=120)
    if done.returncode != 0:
        raise RuntimeError(f"{' '.join(command)}: exit {done.returncode}: "
                           f"{done.stderr.decode('utf-8', 'replace')[:300]}")
    return done.stdout.decode("utf-8")


def mdbtools_tables(project):
    """{table: (column names, rows)} as mdb-export prints every table of mdb-tables."""
    tables = {}
    for table in run("mdb-tables", "-1", project).splitlines():
        if table:
            rows = list(csv.reader(io.StringIO(run("mdb-export", project, table), newline="")))
            tables[table] = (rows[0], rows[1:])
    return tables


def mdb_reader_tables(*projects):
    """For each project {table: (column descriptions, rows)} as mdb-reader reads them."""
    output = run("node", MDB_READER, "--every-table", *projects).splitlines()
    return [{table: (dump["columns"], dump["rows"]) for table, dump in json.loads(line).items()}
            for line in output]


def schema_by_table(project):
    """{table: [column lines]} of mdb-schema, without the separating comma at each line's end."""
    tables, current = {}, None
    for line in run("mdb-schema", "--no-relations", project).splitlines():
        if line.startswith("CREATE TABLE ["):
            current = tables.setdefault(line[len("CREATE TABLE ["):-1], [])
        elif current is not None and line.startswith("\t["):
            current.append(line.rstrip(", "))
    return tables


def primary_keys(project):
    schema = run("mdb-schema", "--indexes", "--no-relations", project, "mysql")
    return sorted(line for line in schema.splitlines() if "PRIMARY KEY" in line)


def by_column(names, rows, keep):
    """The rows with only the columns in `keep`, sorted: moved rows may be listed elsewhere."""
    positions = [names.index(name) for name in names if name in keep]
    return sorted(json.dumps([row[p] for p in positions], ensure_ascii=False) for row in rows)


def differing_rows(before, after):
    """A few rows only one side has, for a message."""
    before_rows, after_rows = set(before), set(after)
    gone = [row for row in before if row not in after_rows][:SHOWN_ROWS]
    new = [row for row in after if row not in before_rows][:SHOWN_ROWS]
    return f"before only {gone}, after only {new}"


def mdbtools_cells(rows):
    """mdb-reader's rows as mdb-export prints them: numbers as digits, Null and "" both empty."""
    return [[str(v) if isinstance(v, int) else v or "" for v in row] for row in rows]


def exempt_columns(table, imported):
    return imported if table.lower() == TEXT_TABLE else set()


def compare_tables(reader, before, after, imported, name_of):
    """Differences of one reader's tables; `name_of` gives a column description's name."""
    problems = []
    if sorted(before) != sorted(after):
        problems.append(f"{reader}: tables {sorted(after)}, before {sorted(before)}")
    for table in sorted(set(before) & set(after)):
        exempt = exempt_columns(table, imported)
        (columns, rows), (new_columns, new_rows) = before[table], after[table]
        names = [name_of(column) for column in columns]
        new_names = [name_of(column) for column in new_columns]
        kept = [column for column in columns if name_of(column) not in exempt]
        new_kept = [column for column in new_columns if name_of(column) not in exempt]
        if kept != new_kept:
            gone = [column for column in kept if column not in new_kept]
            added = [column for column in new_kept if column not in kept]
            problems.append(f"{reader} {table}: columns not imported changed: gone {gone}, "
                            f"new {added}" + ("" if gone or added else ", order"))
            continue
        kept_names = {name_of(column) for column in kept}
        old_values = by_column(names, rows, kept_names)
        new_values = by_column(new_names, new_rows, kept_names)
        if old_values != new_values:
            problems.append(f"{reader} {table}: a column that was not imported changed: "
                            f"{differing_rows(old_values, new_values)}")
    return problems


def compare_schemas(before, after, imported):
    problems = []
    for table in sorted(set(before) | set(after)):
        exempt = {f"\t[{column}]" for column in exempt_columns(table, imported)}
        old, new = ([line for line in side.get(table, []) if line.split("\t\t")[0] not in exempt]
                    for side in (before, after))
        if old != new:
            problems.append(f"mdb-schema {table}: columns {new}, before {old}")
    return problems


def compare_imported_columns(mdbtools, mdb_reader, imported):
    """Both readers' views of the imported columns of TidxTexts after the import."""
    problems = []
    table = next((t for t in mdbtools if t.lower() == TEXT_TABLE), None)
    if table is None or table not in mdb_reader:
        return [f"no table TidxTexts in both readers: {sorted(mdbtools)}, {sorted(mdb_reader)}"]
    names, rows = mdbtools[table]
    reader_names = [column["name"] for column in mdb_reader[table][0]]
    reader_rows = mdbtools_cells(mdb_reader[table][1])
    for column in sorted(imported):
        if column not in names or column not in reader_names:
            problems.append(f"{table}: no column {column} (mdbtools {names}, mdb-reader "
                            f"{reader_names})")
            continue
        tools = by_column(names, rows, {"ID", column})
        reader = by_column(reader_names, reader_rows, {"ID", column})
        if tools != reader:
            problems.append(f"{table}.{column} reads differently in mdbtools and mdb-reader: "
                            f"{differing_rows(tools, reader)}")
    return problems


def compare_projects(before, after, imported):
    """Every difference between the projects `before` and `after` that the import of the
    columns `imported` (names such as "L1031") must not have made; empty if there is none."""
    imported = set(imported)
    try:
        tools_before, tools_after = mdbtools_tables(before), mdbtools_tables(after)
        reader_before, reader_after = mdb_reader_tables(before, after)
        problems = compare_tables("mdbtools", tools_before, tools_after, imported,
                                  lambda name: name)
        problems += compare_tables("mdb-reader", reader_before, reader_after, imported,
                                   lambda column: column["name"])
        problems += compare_schemas(schema_by_table(before), schema_by_table(after), imported)
        if primary_keys(before) != primary_keys(after):
            problems.append(f"primary keys {primary_keys(after)}, before {primary_keys(before)}")
        problems += compare_imported_columns(tools_after, reader_after, imported)
    except (RuntimeError, ValueError, KeyError, IndexError) as error:
        problems = [f"cannot read the projects: {error}"]
    return problems


def main():
    if len(sys.argv) < 3:
        print("usage: import_check.py BEFORE AFTER [COLUMN...]", file=sys.stderr)
        return 2
    problems = compare_projects(sys.argv[1], sys.argv[2], sys.argv[3:])
    for problem in problems:
        print("FAIL", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
