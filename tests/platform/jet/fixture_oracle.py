#!/usr/bin/python3
# Checks `glossel-cli dump` against every Jet fixture: the expected content in X.json beside
# X.mdb / X.tvs, and what mdbtools' mdb-tables and mdb-export and the npm package mdb-reader read
# from the same file. The readers and their comparison live in tests/oracles/jet_readers.py.
#
# Usage: fixture_oracle.py GLOSSEL_CLI DATA_DIR
#
# For every fixture the table list must equal the JSON's user_tables as a set and follow the
# catalogue order that mdb-tables reports; every table's CSV must have the JSON's column names
# as its header and hold the JSON's rows and mdb-export's rows as multisets (rows that Access
# moved are listed in a different order by each reader); asking for a table that does not exist
# must fail with exit 1 and a message. The JSON is the reference: mdbtools is compared only on
# what it prints faithfully, see mdb_view. mdb-reader's rows must equal the JSON's rows as a
# multiset too, seen as mdb-reader shows them (mdb_reader_view, mdb_reader_value); this keeps the
# third reader, which the written-file oracle relies on, honest against Jackcess and Access
# files. Each failed table, table list or error check counts once; the last line reads
# "N passed, M failed", N counting the tables that matched.
import json
import sys
from decimal import Decimal, InvalidOperation
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "oracles"))
from jet_readers import (  # noqa: E402
    GUID_PATTERN, INTEGER_RANGES, KIND_BY_TYPE_CODE, MAX_DIFFS_PER_TABLE, TEXT_KINDS,
    OracleError, choose_key, compare_rows, export_table, float_key, glossel_table, is_jet3,
    mdb_reader_table, mdb_reader_view, mdb_view, run, run_glossel, run_mdbtools, show,
    to_float32)

DATABASE_SUFFIXES = (".mdb", ".tvs")


# ---------------------------------------------------------------------------------------------
# Values: the fixture JSON's cells as canonical values (see jet_readers)

def json_value(kind, value):
    """A cell of the fixture JSON (as Jackcess read the file)."""
    if value is None:
        return None
    if kind in TEXT_KINDS and isinstance(value, str):
        return value
    if kind == "boolean" and isinstance(value, bool):
        return value
    if kind in INTEGER_RANGES and isinstance(value, int) and not isinstance(value, bool):
        return value
    if kind in ("currency", "numeric") and isinstance(value, (str, int, float)):
        try:
            return Decimal(str(value))
        except InvalidOperation:
            pass
    if kind in ("double", "single") and isinstance(value, (int, float, str)):
        number = float(value)
        return float_key(to_float32(number) if kind == "single" else number)
    if kind == "datetime" and isinstance(value, str):
        # The JSON writes local date/time as yyyy-MM-ddTHH:mm:ss.
        return value.replace("T", " ", 1)
    if kind in ("binary", "ole"):
        # Binary and OLE values are written as "hex:" and lowercase hex digits.
        if isinstance(value, str) and value.startswith("hex:"):
            return bytes.fromhex(value[4:])
        if isinstance(value, list):
            return bytes(value)
    if kind == "guid" and isinstance(value, str):
        guid = "{" + value.strip("{}").upper() + "}"
        if GUID_PATTERN.fullmatch(guid):
            return guid
    raise OracleError(f"JSON value {show(value)} cannot be read as {kind}")


# ---------------------------------------------------------------------------------------------
# Checking one fixture

class FixtureReport:
    def __init__(self, name):
        self.name = name
        self.passed = 0
        self.failed = 0

    def fail(self, where, messages):
        self.failed += 1
        for message in messages[:MAX_DIFFS_PER_TABLE]:
            print(f"FAIL {self.name} {where}: {message}")
        if len(messages) > MAX_DIFFS_PER_TABLE:
            print(f"FAIL {self.name} {where}: … and {len(messages) - MAX_DIFFS_PER_TABLE} "
                  f"more differences")


def check_table_list(cli, database, fixture, report):
    expected = fixture["user_tables"]
    try:
        listed = run_glossel(cli, str(database)).splitlines()
        catalogue = run_mdbtools("mdb-tables", "-1", str(database)).splitlines()
    except OracleError as error:
        report.fail("table list", [str(error)])
        return
    messages = []
    if len(set(listed)) != len(listed):
        messages.append(f"a table is listed twice: {listed}")
    if set(listed) != set(expected):
        messages.append(f"expected the tables {sorted(expected)} got {listed}")
    elif set(catalogue) == set(expected) and listed != catalogue:
        # The JSON lists tables by name; mdb-tables walks the catalogue in its stored order.
        messages.append(f"expected catalogue order {catalogue} got {listed}")
    if messages:
        report.fail("table list", messages)


def check_unknown_table(cli, database, fixture, report):
    name = "no such table"
    while name in fixture["user_tables"]:
        name += "!"
    try:
        done = run([cli, "dump", str(database), name])
    except OracleError as error:
        report.fail(f"table {name!r}", [str(error)])
        return
    if done.returncode != 1 or not done.stderr.strip():
        report.fail(f"table {name!r}", [f"expected exit 1 and a message on stderr, got exit "
                                        f"{done.returncode} and stderr {done.stderr[:200]!r}"])


def check_table(cli, database, table, rows_field, report):
    name = table["name"]
    columns = table["columns"]
    names = [c["name"] for c in columns]
    try:
        kinds = [KIND_BY_TYPE_CODE[c["jet_type_code"]] for c in columns]
    except KeyError as error:
        report.fail(f"table {name}", [f"this oracle has no rule for Jet type code {error}"])
        return
    messages = []
    try:
        expected = [tuple(json_value(kind, v) for kind, v in zip(kinds, row))
                    for row in table[rows_field]]
        indexes = table.get("indexes", [])
        key = choose_key(names, expected,
                         [ix["columns"] for ix in indexes if ix.get("primary_key")]
                         + [ix["columns"] for ix in indexes if ix.get("unique")] + [names[:1]])

        got, problems = glossel_table(cli, database, name, names, kinds)
        messages += problems
        messages += [f"[vs JSON] {m}" for m in compare_rows(names, key, expected, got, "JSON")]

        reference, problems = export_table(database, name, names, kinds, "JSON")
        messages += problems
        ours = [tuple(mdb_view(kind, v) for kind, v in zip(kinds, row)) for row in got]
        messages += [f"[vs mdb-export] {m}"
                     for m in compare_rows(names, key, reference, ours, "mdb-export")]

        # mdb-reader against the JSON rather than glossel-cli: the JSON is the reference, and
        # glossel-cli already matched it above.
        jet3 = is_jet3(database)
        seen, problems = mdb_reader_table(database, name, names, kinds, "JSON")
        messages += problems
        viewed = [tuple(mdb_reader_view(kind, v, jet3) for kind, v in zip(kinds, row))
                  for row in expected]
        messages += [f"[mdb-reader vs JSON] {m}"
                     for m in compare_rows(names, key, viewed, seen, "JSON", "mdb-reader")]
    except OracleError as error:
        messages.append(str(error))
    if messages:
        report.fail(f"table {name}", messages)
    else:
        report.passed += 1


def check_fixture(cli, json_path, database, data_dir):
    report = FixtureReport(str(database.relative_to(data_dir)))
    try:
        fixture = json.loads(json_path.read_text(encoding="utf-8"))
        tables = fixture["tables"]
        fixture["user_tables"]
    except (OSError, ValueError, KeyError) as error:
        report.fail("JSON", [f"cannot read {json_path.name}: {error}"])
        return report, 0, 0
    rows_field = "rows_stored" if all("rows_stored" in t for t in tables) else "rows"
    check_table_list(cli, database, fixture, report)
    check_unknown_table(cli, database, fixture, report)
    row_total = 0
    for table in tables:
        row_total += len(table.get(rows_field, []))
        check_table(cli, database, table, rows_field, report)
    return report, len(tables), row_total


def main(arguments):
    if len(arguments) != 2:
        print("usage: fixture_oracle.py GLOSSEL_CLI DATA_DIR", file=sys.stderr)
        return 2
    cli, data_dir = arguments[0], Path(arguments[1])
    passed = failed = 0
    fixtures = 0
    for json_path in sorted(data_dir.rglob("*.json")):
        databases = [json_path.with_suffix(s) for s in DATABASE_SUFFIXES
                     if json_path.with_suffix(s).is_file()]
        if not databases:
            continue
        fixtures += 1
        report, tables, rows = check_fixture(cli, json_path, databases[0], data_dir)
        passed += report.passed
        failed += report.failed
        status = "ok  " if report.failed == 0 else "FAIL"
        failures = f", {report.failed} failed checks" if report.failed else ""
        print(f"{status} {report.name}: {tables} tables, {rows} rows{failures}")
    if fixtures == 0:
        print(f"FAIL no X.json beside an X.mdb or X.tvs under {data_dir}")
        failed += 1
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
