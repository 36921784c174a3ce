#!/usr/bin/python3
# Checks Jet files that our writer produced: every scenario file in a directory must read back as
# its expectation files say, in glossel-cli, in mdbtools (mdb-tables, mdb-export, mdb-schema) and
# in the npm package mdb-reader.
#
# Usage: written_file_oracle.py GLOSSEL_CLI DIR
#
# For every NAME.mdb (or NAME.tvs) under DIR, the files beside it say what it must hold:
#   NAME.TABLE.expected.csv  the exact content, in the CSV that `glossel-cli dump` prints (header of
#                            quoted column names, texts quoted, NULL as an empty field, …). Every
#                            reader must give the same column names in the same order and exactly
#                            these rows as a multiset; glossel-cli must also keep their order, while
#                            another order from mdbtools or mdb-reader is only noted.
#   NAME.TABLE.atleast.csv   after a simulated crash: every row of it must be there in every reader
#   NAME.TABLE.maybe.csv     (optional, beside an atleast file) rows that may be there too; any row
#                            beyond atleast must be one of these
#   NAME.schema.txt          (optional) lines TABLE<TAB>COLUMN<TAB>TYPE<TAB>SIZE: the columns of
#                            each table listed, in order, as mdb-schema and mdb-reader must report
#                            them. TYPE is one of Boolean Byte Integer Long Currency Single Double
#                            DateTime Binary Text OLE Memo GUID Numeric; SIZE is the maximum length
#                            in characters for Text, the size in bytes for the other types as the
#                            table definition holds it (Boolean 1, Long 4, GUID 16, Memo 0, …), or
#                            "-" to leave it unchecked. The file's user tables must then be exactly
#                            the tables it lists.
# Each reader must list every table that has expectations. mdbtools prints an empty text as NULL,
# so it is compared with empty texts read as NULL (and with what else mdb_view says it cannot
# print); mdb-reader keeps empty text and NULL apart and is compared as mdb_reader_view says.
# The column types that the CSV cells are read by come from NAME.schema.txt, else from mdb-reader,
# else from mdb-schema.
#
# One line per scenario file gives its result, after the differences found (file, table,
# [reader], row key or position, column, expected and got; at most 20 per table). Each table
# counts once, and so does each problem outside a table (a table list, an expectation file
# without its database); the last line reads "N passed, M failed", and the exit status is 1 if
# anything failed.
import sys
from collections import Counter
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))
from jet_readers import (  # noqa: E402
    KIND_BY_JET_TYPE_NAME, MAX_DIFFS_PER_TABLE, Bad, OracleError, choose_key, cli_value,
    describe_unmatched, export_table, first_order_difference, glossel_table, is_jet3,
    mdb_reader_kinds, mdb_reader_rows, mdb_reader_schema, mdb_reader_view, mdb_view, parse_csv,
    read_rows, run_glossel, run_mdb_reader, run_mdbtools, schema_columns, show, unmatched)

DATABASE_SUFFIXES = (".mdb", ".tvs")
EXPECTATION_SUFFIXES = (".expected.csv", ".atleast.csv", ".maybe.csv")
SCHEMA_SUFFIX = ".schema.txt"
READERS = ("glossel-cli", "mdb-export", "mdb-reader")


class FileReport:
    def __init__(self, name):
        self.name = name
        self.passed = 0
        self.failed = 0

    def fail(self, where, messages):
        self.failed += 1
        for message in messages[:MAX_DIFFS_PER_TABLE]:
            # A tool's error text can span lines; one line per message keeps the report readable.
            message = " / ".join(part for part in message.splitlines() if part.strip())
            print(f"FAIL {self.name} {where}: {message}")
        if len(messages) > MAX_DIFFS_PER_TABLE:
            print(f"FAIL {self.name} {where}: … and {len(messages) - MAX_DIFFS_PER_TABLE} "
                  f"more differences")

    def note(self, where, message):
        print(f"note {self.name} {where}: {message}")


# ---------------------------------------------------------------------------------------------
# Finding the scenarios

def find_scenarios(directory):
    """({database: {"tables": {table: {suffix: path}}, "schema": path or None}}, orphan files).

    An expectation file belongs to the database in its folder with the longest NAME that its
    file name starts with followed by a dot."""
    databases = sorted(p for p in directory.rglob("*") if p.suffix in DATABASE_SUFFIXES
                       and p.is_file())
    scenarios = {database: {"tables": {}, "schema": None} for database in databases}
    orphans = []
    files = sorted(p for p in directory.rglob("*") if p.is_file()
                   and p.name.endswith(EXPECTATION_SUFFIXES + (SCHEMA_SUFFIX,)))
    for path in files:
        owners = [d for d in databases if d.parent == path.parent
                  and path.name.startswith(d.stem + ".")]
        if not owners:
            orphans.append(path)
            continue
        owner = max(owners, key=lambda d: len(d.stem))
        rest = path.name[len(owner.stem) + 1:]
        if rest == SCHEMA_SUFFIX[1:]:
            scenarios[owner]["schema"] = path
            continue
        suffix = next(s for s in EXPECTATION_SUFFIXES if rest.endswith(s))
        table = rest[:-len(suffix)]
        if not table:
            orphans.append(path)
            continue
        scenarios[owner]["tables"].setdefault(table, {})[suffix] = path
    return scenarios, orphans


def read_schema_file(path):
    """{table: [(column, type, size or None)]} of a NAME.schema.txt."""
    tables = {}
    lines = path.read_bytes().decode("utf-8").split("\n")
    for number, line in enumerate((line.rstrip("\r") for line in lines), start=1):
        if not line.strip():
            continue
        fields = line.split("\t")
        if len(fields) != 4:
            raise OracleError(f"{path.name} line {number}: expected TABLE, COLUMN, TYPE and SIZE "
                              f"separated by tabs, got {line!r}")
        table, column, type_name, size = fields
        if type_name not in KIND_BY_JET_TYPE_NAME:
            raise OracleError(f"{path.name} line {number}: unknown type {type_name!r}, use one "
                              f"of {' '.join(KIND_BY_JET_TYPE_NAME)}")
        if size != "-" and not size.isdigit():
            raise OracleError(f"{path.name} line {number}: size {size!r} is neither a number "
                              f"nor -")
        tables.setdefault(table, []).append((column, type_name, None if size == "-" else int(size)))
    return tables


def read_expectation(path, kinds_for):
    """(column names, their kinds, rows) of an expectation CSV, whose cells must follow
    glossel-cli's CSV rules; kinds_for(names) gives the column kinds."""
    try:
        # Read as bytes: CR LF and lone CR inside quoted texts are data.
        records = parse_csv(path.read_bytes().decode("utf-8"))
    except (OSError, UnicodeDecodeError) as error:
        raise OracleError(f"cannot read {path.name}: {error}")
    except OracleError as error:
        raise OracleError(f"{path.name}: {error}")
    if not records:
        raise OracleError(f"{path.name} has no header row")
    names = [value for value, _ in records[0]]
    kinds = kinds_for(names)
    rows, problems = read_rows(records[1:], kinds, cli_value, path.name)
    for number, row in enumerate(rows, start=1):
        for name, value in zip(names, row):
            if isinstance(value, Bad):
                problems.append(f"{path.name} row {number} column {name}: {show(value)}")
    if problems:
        raise OracleError("; ".join(problems[:MAX_DIFFS_PER_TABLE]))
    return names, kinds, rows


# ---------------------------------------------------------------------------------------------
# The readers, each giving a table's rows with a view of the expected values

def read_table(reader, cli, schemas, table, names, kinds):
    """(rows, problems) of one reader, and the view that maps an expected value to what that
    reader is able to show."""
    database = schemas.database
    if reader == "glossel-cli":
        rows, problems = glossel_table(cli, database, table, names, kinds)
        return rows, problems, lambda kind, value: value
    if reader == "mdb-export":
        rows, problems = export_table(database, table, names, kinds, "expected CSV")
        return rows, problems, mdb_view
    rows, problems = mdb_reader_rows(schemas.mdb_reader(table), names, kinds, "expected CSV")
    return rows, problems, lambda kind, value: mdb_reader_view(kind, value, schemas.jet3)


def viewed(view, kinds, rows):
    return [tuple(view(kind, value) for kind, value in zip(kinds, row)) for row in rows]


def exact_messages(reader, names, key, expected, got, report, where):
    """Differences from the exact content; another order is a fault only in glossel-cli."""
    messages = describe_unmatched(names, key, unmatched(expected, got), unmatched(got, expected),
                                  "expected", reader)
    if messages:
        return messages
    order = first_order_difference(names, key, expected, got)
    if order is None:
        return []
    if reader == "glossel-cli":
        return [f"rows in another order than expected: {order}"]
    report.note(f"{where} [{reader}]", f"rows in another order than expected: {order}")
    return []


def crash_messages(reader, names, key, at_least, maybe, got):
    """Rows of atleast that the reader lacks, and rows it has that are in neither file."""
    missing = unmatched(at_least, got)
    allowed = Counter(maybe)
    extra = []
    for position, row in unmatched(got, at_least):
        if allowed[row] > 0:
            allowed[row] -= 1
        else:
            extra.append((position, row))
    return describe_unmatched(names, key, missing, extra, "atleast", reader,
                              extra_source="atleast or maybe")


# ---------------------------------------------------------------------------------------------
# Checking one scenario file

class Schemas:
    """A database's column lists as schema.txt, mdb-reader and mdb-schema give them, and
    mdb-reader's dump of each table, each read once and only when asked for."""

    def __init__(self, database, expected):
        self.database = database
        self.expected = expected
        self.jet3 = is_jet3(database)
        self._mdb_schema = None
        self._dumps = {}

    def mdb_schema(self):
        if self._mdb_schema is None:
            self._mdb_schema = schema_columns(self.database)
        return self._mdb_schema

    def mdb_reader(self, table):
        """mdb_reader_dump.mjs's JSON for the table; a failure is kept and raised again."""
        if table not in self._dumps:
            try:
                self._dumps[table] = run_mdb_reader(self.database, table)
            except OracleError as error:
                self._dumps[table] = error
        if isinstance(self._dumps[table], OracleError):
            raise self._dumps[table]
        return self._dumps[table]

    def kinds_for(self, table):
        """A function from an expectation file's column names to their kinds."""
        def kinds(names):
            tried = []
            if table in self.expected:
                listed = [(column, KIND_BY_JET_TYPE_NAME[t]) for column, t, _ in
                          self.expected[table]]
                if [column for column, _ in listed] == names:
                    return [kind for _, kind in listed]
                tried.append("schema.txt lists other columns")
            try:
                columns = self.mdb_reader(table).get("columns", [])
                if [column.get("name") for column in columns] == names:
                    return mdb_reader_kinds(columns)
                tried.append("mdb-reader reports other columns")
            except OracleError as error:
                tried.append(str(error))
            try:
                listed = self.mdb_schema().get(table, [])
                if [column for column, _, _ in listed] == names:
                    return [KIND_BY_JET_TYPE_NAME.get(t, "unknown") for _, t, _ in listed]
                tried.append("mdb-schema reports other columns")
            except OracleError as error:
                tried.append(str(error))
            raise OracleError(f"no source of the column types {names}: {'; '.join(tried)}")
        return kinds


def table_lists(cli, database):
    """{reader: user table names, or the OracleError that reader gave}."""
    lists = {}
    for reader, read in (("glossel-cli", lambda: run_glossel(cli, str(database)).splitlines()),
                         ("mdb-tables", lambda: run_mdbtools("mdb-tables", "-1",
                                                             str(database)).splitlines()),
                         ("mdb-reader", lambda: run_mdb_reader(database))):
        try:
            lists[reader] = read()
        except OracleError as error:
            lists[reader] = error
    return lists


def check_table_lists(lists, expected_tables, report):
    """Each reader must list the tables; with a schema.txt (expected_tables not None) exactly
    its tables, each once."""
    messages = []
    for reader, listed in lists.items():
        if isinstance(listed, OracleError):
            messages.append(f"[{reader}] {listed}")
        elif expected_tables is not None and (set(listed) != set(expected_tables)
                                              or len(set(listed)) != len(listed)):
            messages.append(f"[{reader}] expected the tables {sorted(expected_tables)} got "
                            f"{listed}")
    if messages:
        report.fail("table list", messages)


def check_schema(schemas, table, messages):
    """The table's columns in mdb-schema and mdb-reader against schema.txt."""
    expected = schemas.expected[table]
    got = {}
    try:
        got["mdb-schema"] = schemas.mdb_schema().get(table)
        if got["mdb-schema"] is None:
            messages.append(f"[mdb-schema] prints no table {table}")
            del got["mdb-schema"]
    except OracleError as error:
        messages.append(f"[mdb-schema] {error}")
    try:
        got["mdb-reader"] = mdb_reader_schema(schemas.mdb_reader(table).get("columns", []),
                                              schemas.jet3)
    except OracleError as error:
        messages.append(f"[mdb-reader] {error}")
    for reader, columns in got.items():
        expected_names = [column for column, _, _ in expected]
        names = [column for column, _, _ in columns]
        if names != expected_names:
            messages.append(f"[{reader}] columns {names}, schema.txt has {expected_names}")
            continue
        for (column, type_name, size), (_, got_type, got_size) in zip(expected, columns):
            if got_type != type_name:
                messages.append(f"[{reader}] column {column}: expected type {type_name} got "
                                f"{got_type}")
            elif size is not None and got_size is not None and got_size != size:
                messages.append(f"[{reader}] column {column}: expected size {size} got "
                                f"{got_size}")


def check_table(cli, table, files, schemas, lists, report):
    """Checks one table against its expectation files (suffix: path) and schema.txt lines, and
    that every reader whose table list could be read lists it; returns the number of expected
    (or at least expected) rows."""
    where = f"table {table}"
    messages = []
    for reader, listed in lists.items():
        if not isinstance(listed, OracleError) and table not in listed:
            messages.append(f"[{reader}] does not list the table")
    if table in schemas.expected:
        check_schema(schemas, table, messages)
    row_count = 0
    try:
        if ".expected.csv" in files and ".atleast.csv" in files:
            raise OracleError("both an expected and an atleast file: give one")
        if ".maybe.csv" in files and ".atleast.csv" not in files:
            raise OracleError("a maybe file needs an atleast file beside it")
        crash = ".atleast.csv" in files
        if crash or ".expected.csv" in files:
            kinds_for = schemas.kinds_for(table)
            names, kinds, expected = read_expectation(
                files[".atleast.csv" if crash else ".expected.csv"], kinds_for)
            maybe = []
            if ".maybe.csv" in files:
                maybe_names, _, maybe = read_expectation(files[".maybe.csv"], lambda _: kinds)
                if maybe_names != names:
                    raise OracleError(f"the maybe file's columns {maybe_names} are not the "
                                      f"atleast file's {names}")
            row_count = len(expected)
            candidates = [[name] for name in names]
            key = choose_key(names, expected + maybe, candidates)
            if key is None:
                key = choose_key(names, expected, candidates)
            for reader in READERS:
                try:
                    got, problems, view = read_table(reader, cli, schemas, table, names, kinds)
                except OracleError as error:
                    messages.append(f"[{reader}] {error}")
                    continue
                messages += problems
                if crash:
                    found = crash_messages(reader, names, key, viewed(view, kinds, expected),
                                           viewed(view, kinds, maybe), got)
                else:
                    found = exact_messages(reader, names, key, viewed(view, kinds, expected),
                                           got, report, where)
                messages += [f"[{reader}] {m}" for m in found]
    except OracleError as error:
        messages.append(str(error))
    if messages:
        report.fail(where, messages)
    else:
        report.passed += 1
    return row_count


def check_database(cli, database, scenario, directory):
    report = FileReport(str(database.relative_to(directory)))
    tables = scenario["tables"]
    expected_schema = {}
    if scenario["schema"] is not None:
        try:
            expected_schema = read_schema_file(scenario["schema"])
        except (OSError, UnicodeDecodeError, OracleError) as error:
            report.fail("schema", [str(error)])
    names = list(tables) + [t for t in expected_schema if t not in tables]
    if not names:
        report.fail("expectations", [f"no {database.stem}.TABLE.expected.csv, .atleast.csv or "
                                     f"{database.stem}{SCHEMA_SUFFIX} beside it"])
        return report, 0, 0
    lists = table_lists(cli, database)
    check_table_lists(lists, list(expected_schema) if expected_schema else None, report)
    schemas = Schemas(database, expected_schema)
    rows = 0
    for table in names:
        rows += check_table(cli, table, tables.get(table, {}), schemas, lists, report)
    return report, len(names), rows


def main(arguments):
    if len(arguments) != 2:
        print("usage: written_file_oracle.py GLOSSEL_CLI DIR", file=sys.stderr)
        return 2
    cli, directory = arguments[0], Path(arguments[1])
    if not directory.is_dir():
        print(f"FAIL {directory} is not a directory")
        print("0 passed, 1 failed")
        return 1
    scenarios, orphans = find_scenarios(directory)
    passed = failed = 0
    for path in orphans:
        print(f"FAIL {path.relative_to(directory)}: no database NAME.mdb beside it that its "
              f"name starts with, or no table in its name")
        failed += 1
    for database, scenario in scenarios.items():
        report, tables, rows = check_database(cli, database, scenario, directory)
        passed += report.passed
        failed += report.failed
        status = "ok  " if report.failed == 0 else "FAIL"
        failures = f", {report.failed} failed" if report.failed else ""
        print(f"{status} {report.name}: {tables} tables, {rows} rows expected{failures}")
    if not scenarios:
        print(f"FAIL no scenario file (NAME.mdb or NAME.tvs) under {directory}")
        failed += 1
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
