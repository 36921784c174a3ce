#!/usr/bin/python3
# Checks `glossel-cli dump` against every Jet fixture: the expected content in X.json beside
# X.mdb / X.tvs, and what mdbtools' mdb-tables and mdb-export read from the same file.
#
# Usage: fixture_oracle.py GLOSSEL_CLI DATA_DIR
#
# For every fixture the table list must equal the JSON's user_tables as a set and follow the
# catalogue order that mdb-tables reports; every table's CSV must have the JSON's column names
# as its header and hold the JSON's rows and mdb-export's rows as multisets (rows that Access
# moved are listed in a different order by each reader); asking for a table that does not exist
# must fail with exit 1 and a message. The JSON is the reference: mdbtools is compared only on
# what it prints faithfully, see mdb_view. Each failed table, table list or error check counts
# once; the last line reads "N passed, M failed", N counting the tables that matched.
import json
import math
import os
import re
import struct
import subprocess
import sys
from collections import Counter
from datetime import date, datetime
from decimal import Decimal, InvalidOperation
from pathlib import Path

MAX_DIFFS_PER_TABLE = 20
RUN_TIMEOUT_SECONDS = 120
DATABASE_SUFFIXES = (".mdb", ".tvs")
DATETIME_FORMAT = "%Y-%m-%d %H:%M:%S"

# Jet column type codes and the kind of value each one holds.
KIND_BY_TYPE_CODE = {
    1: "boolean", 2: "byte", 3: "integer", 4: "long", 5: "currency", 6: "single",
    7: "double", 8: "datetime", 9: "binary", 10: "text", 11: "ole", 12: "memo",
    15: "guid", 16: "numeric",
}
TEXT_KINDS = ("text", "memo")
INTEGER_RANGES = {"byte": (0, 255), "integer": (-32768, 32767), "long": (-2**31, 2**31 - 1)}

GUID_PATTERN = re.compile(r"\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}")
PLAIN_INTEGER = re.compile(r"-?(0|[1-9][0-9]*)")
PLAIN_DECIMAL = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?")
FLOAT_SYNTAX = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?([eE][-+]?[0-9]+)?")
DATETIME_SYNTAX = re.compile(r"[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")
HEX_UPPER = re.compile(r"([0-9A-F]{2})*")


class OracleError(Exception):
    """The fixture or a reference tool cannot be read as this script expects."""


class Bad:
    """A CLI cell that breaks the CSV contract; equal to nothing, so its row is reported."""

    def __init__(self, raw, reason):
        self.raw = raw
        self.reason = reason

    def __repr__(self):
        return f"unreadable {show(self.raw)} ({self.reason})"


# ---------------------------------------------------------------------------------------------
# CSV reading

def parse_csv(text):
    """RFC 4180 records with LF or CRLF ends, as lists of (value, was_quoted).

    Raises OracleError on anything that is not well-formed CSV (stray quote, lone CR outside
    quotes, text after a closing quote, unterminated quoted field)."""
    records = []
    pos, end = 0, len(text)
    line = 1
    while pos < end:
        record = []
        while True:
            if pos < end and text[pos] == '"':
                pos += 1
                chunks = []
                while True:
                    close = text.find('"', pos)
                    if close < 0:
                        raise OracleError(f"line {line}: quoted field never closed")
                    chunks.append(text[pos:close])
                    if close + 1 < end and text[close + 1] == '"':
                        chunks.append('"')
                        pos = close + 2
                    else:
                        pos = close + 1
                        break
                value = "".join(chunks)
                line += value.count("\n")
                record.append((value, True))
            else:
                start = pos
                while pos < end and text[pos] not in ',\r\n"':
                    pos += 1
                if pos < end and text[pos] == '"':
                    raise OracleError(f"line {line}: quote inside an unquoted field")
                record.append((text[start:pos], False))
            if pos >= end:
                break
            if text[pos] == ",":
                pos += 1
                continue
            if text.startswith("\r\n", pos):
                pos += 2
            elif text[pos] == "\n":
                pos += 1
            else:
                raise OracleError(f"line {line}: unexpected {text[pos]!r} after a field")
            line += 1
            break
        records.append(record)
    return records


# ---------------------------------------------------------------------------------------------
# Values: each reader turns one source's cell into a canonical Python value of the column's kind
# (None, str, int, bool, Decimal, float, bytes), so that equal values compare and hash equal.

def to_float32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def significant_digits(number_text):
    mantissa = re.split("[eE]", number_text.lstrip("-"))[0].replace(".", "")
    return len(mantissa.strip("0")) or 1


def shortest_single_digits(value):
    for digits in range(1, 10):
        if to_float32(float(f"{value:.{digits}g}")) == value:
            return digits
    return 9


def float_key(value):
    # NaN is unequal to itself; a marker keeps such cells comparable.
    return "NaN" if math.isnan(value) else value


def cli_value(kind, raw, quoted):
    """A cell of glossel-cli's CSV, checked against the output contract."""
    if not quoted and raw == "":
        return None
    if kind in TEXT_KINDS:
        return raw if quoted else Bad(raw, "text must be quoted")
    if quoted:
        return Bad(raw, f"{kind} must not be quoted")
    if kind == "boolean":
        return {"TRUE": True, "FALSE": False}.get(raw, Bad(raw, "boolean must be TRUE or FALSE"))
    if kind in INTEGER_RANGES:
        low, high = INTEGER_RANGES[kind]
        if not PLAIN_INTEGER.fullmatch(raw) or raw == "-0":
            return Bad(raw, "not a plain integer")
        number = int(raw)
        return number if low <= number <= high else Bad(raw, f"outside the {kind} range")
    if kind in ("currency", "numeric"):
        if not PLAIN_DECIMAL.fullmatch(raw) or raw == "-0":
            return Bad(raw, "not a plain decimal in shortest form")
        return Decimal(raw)
    if kind in ("double", "single"):
        if not FLOAT_SYNTAX.fullmatch(raw):
            return Bad(raw, "not a plain decimal in shortest form")
        number = float(raw)
        if kind == "single":
            number = to_float32(number)
            shortest = shortest_single_digits(number)
        else:
            shortest = significant_digits(repr(number))
        if significant_digits(raw) != shortest:
            return Bad(raw, f"not the shortest form that reads back ({shortest} digits)")
        return float_key(number)
    if kind == "datetime":
        if not DATETIME_SYNTAX.fullmatch(raw):
            return Bad(raw, "date/time must be YYYY-MM-DD HH:MM:SS")
        try:
            datetime.strptime(raw, DATETIME_FORMAT)
        except ValueError:
            return Bad(raw, "not a calendar date/time")
        return raw
    if kind in ("binary", "ole"):
        if not HEX_UPPER.fullmatch(raw):
            return Bad(raw, "binary must be pairs of uppercase hex digits")
        return bytes.fromhex(raw)
    if kind == "guid":
        return raw if GUID_PATTERN.fullmatch(raw) else Bad(raw, "GUID must be {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}")
    raise OracleError(f"no rule for column kind {kind}")


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


# Markers for what mdbtools cannot represent; both sides map to them, so such cells agree.
MDB_DATE_OUT_OF_RANGE = "<date outside mdbtools' range>"
MDB_NUMERIC_NOT_COMPARED = "<numeric not compared with mdbtools>"
# mdb-export binds every value into a 200,000-byte buffer; longer texts come out cut short.
MDB_TEXT_COMPARED_BYTES = 190000
MDB_FIRST_DAY = date(1899, 12, 30)


def mdb_text_view(text):
    # mdbtools prints an empty text exactly as a NULL (no quotes), so both read as NULL.
    if text is None or text == "":
        return None
    encoded = text.encode("utf-8")
    if len(encoded) <= MDB_TEXT_COMPARED_BYTES:
        return text
    # Beyond mdb-export's bind buffer only a common prefix can be compared.
    return ("text cut by mdb-export", encoded[:MDB_TEXT_COMPARED_BYTES].decode("utf-8", "ignore"))


def mdb_view(kind, value):
    """A canonical value as mdb-export is able to print it."""
    if value is None or isinstance(value, Bad):
        return value
    if kind in TEXT_KINDS:
        return mdb_text_view(value)
    if kind == "double" and value != "NaN":
        # mdbtools prints doubles with printf("%.16g"): one digit short of a round trip.
        return float(f"{value:.16g}")
    if kind == "single" and value != "NaN":
        # mdbtools prints singles with printf("%.8g").
        return float(f"{value:.8g}")
    if kind == "datetime":
        # mdbtools converts only day numbers 0..1e6 (1899-12-30 up to year 4637) and prints
        # anything else as an all-zero calendar date.
        day = datetime.strptime(value, DATETIME_FORMAT).date()
        offset = (day - MDB_FIRST_DAY).days
        return value if 0 <= offset < 1000000 else MDB_DATE_OUT_OF_RANGE
    if kind == "binary":
        # mdbtools copies fixed-size binary as a C string: it stops at the first zero byte and
        # prints an empty result as NULL.
        value = value.split(b"\0", 1)[0]
        return value or None
    if kind == "ole":
        return value or None
    if kind == "numeric":
        # mdbtools' source hands a Decimal column's scale and precision over swapped when it
        # formats the value, and no fixture shows otherwise, so its digits are not a reference.
        return MDB_NUMERIC_NOT_COMPARED
    return value


def mdb_value(kind, raw, quoted):
    """A cell of `mdb-export -B -b hex` with our date/time format."""
    if not quoted and raw == "":
        return None
    if kind in TEXT_KINDS:
        return mdb_text_view(raw)
    try:
        if kind == "boolean":
            return {"TRUE": True, "FALSE": False}[raw]
        if kind in INTEGER_RANGES:
            return int(raw)
        if kind == "currency":
            return Decimal(raw)
        if kind in ("double", "single"):
            return mdb_view(kind, float_key(float(raw)))
        if kind == "datetime":
            # An all-zero calendar date is how mdbtools prints a day number it cannot convert.
            return MDB_DATE_OUT_OF_RANGE if raw == "1900-01-00 00:00:00" else raw
        if kind in ("binary", "ole"):
            return mdb_view(kind, bytes.fromhex(raw))
        if kind == "guid":
            # With -b hex, mdb-export prints the hex digits of the GUID's text form.
            if not GUID_PATTERN.fullmatch(raw.upper()):
                raw = bytes.fromhex(raw).decode("ascii")
            if GUID_PATTERN.fullmatch(raw.upper()):
                return raw.upper()
        if kind == "numeric":
            return MDB_NUMERIC_NOT_COMPARED
    except (KeyError, ValueError, InvalidOperation, UnicodeDecodeError):
        pass
    raise OracleError(f"mdb-export value {show(raw)} cannot be read as {kind}")


# ---------------------------------------------------------------------------------------------
# Reporting values and differences

def show(value, limit=60):
    if value is None:
        return "NULL"
    if isinstance(value, Bad):
        return repr(value)
    if isinstance(value, bytes):
        digits = value.hex().upper()
        if len(digits) > limit:
            digits = digits[:limit] + "…"
        return f"0x{digits} ({len(value)} bytes)"
    if isinstance(value, str):
        if len(value) > limit:
            return repr(value[:limit]) + f"… ({len(value)} chars)"
        return repr(value)
    if isinstance(value, tuple):
        return show(value[1], limit) + f" ({value[0]})"
    return str(value)


def describe_difference(expected, got):
    if isinstance(expected, str) and isinstance(got, str) and max(len(expected), len(got)) > 60:
        at = next((i for i, (a, b) in enumerate(zip(expected, got)) if a != b),
                  min(len(expected), len(got)))
        start = max(0, at - 10)
        return (f"first difference at character {at} (lengths {len(expected)} vs {len(got)}): "
                f"expected …{expected[start:at + 30]!r} got …{got[start:at + 30]!r}")
    return f"expected {show(expected)} got {show(got)}"


def choose_key(table, columns, rows):
    """Columns that identify a row in messages: the primary key, else a unique index, else the
    first column, whichever holds distinct non-null values in the expected rows."""
    names = [c["name"] for c in columns]
    candidates = [ix["columns"] for ix in table.get("indexes", []) if ix.get("primary_key")]
    candidates += [ix["columns"] for ix in table.get("indexes", []) if ix.get("unique")]
    candidates.append(names[:1])
    for candidate in candidates:
        if not candidate or any(name not in names for name in candidate):
            continue
        positions = [names.index(name) for name in candidate]
        keys = [tuple(row[p] for p in positions) for row in rows]
        if all(None not in key for key in keys) and len(set(keys)) == len(keys):
            return positions
    return None


def unmatched(rows, others):
    """(position, row) of each row that has no equal partner left in others (multiset)."""
    available = Counter(others)
    left = []
    for position, row in enumerate(rows, start=1):
        if available[row] > 0:
            available[row] -= 1
        else:
            left.append((position, row))
    return left


def compare_rows(names, key, expected, got, source):
    """Differences between two multisets of rows, as messages naming row and column."""
    missing = unmatched(expected, got)
    extra = unmatched(got, expected)

    def label(position, row, side):
        if key is not None:
            return "row " + ", ".join(f"{names[p]}={show(row[p])}" for p in key)
        return f"{side} row {position}"

    pairs = []
    if key is not None:
        by_key = {}
        for entry in extra:
            by_key.setdefault(tuple(entry[1][p] for p in key), []).append(entry)
        unpaired = []
        for entry in missing:
            partners = by_key.get(tuple(entry[1][p] for p in key))
            if partners:
                pairs.append((entry, partners.pop(0)))
            else:
                unpaired.append(entry)
        missing = unpaired
        extra = [entry for entries in by_key.values() for entry in entries]
    elif len(missing) * len(extra) <= 250000:
        # Without a key, each expected row is paired with the output row closest to it.
        for entry in list(missing):
            if not extra:
                break
            closest = min(extra, key=lambda other: sum(a != b for a, b in zip(entry[1], other[1])))
            extra.remove(closest)
            missing.remove(entry)
            pairs.append((entry, closest))

    messages = []
    for (position, row), (other_position, other) in pairs:
        where = label(position, row, source)
        if key is None:
            where += f" (glossel-cli row {other_position})"
        for column, (a, b) in enumerate(zip(row, other)):
            if a != b:
                messages.append(f"{where} column {names[column]}: {describe_difference(a, b)}")
    for position, row in missing:
        cells = ", ".join(f"{n}={show(v, 30)}" for n, v in zip(names, row))
        messages.append(f"{label(position, row, source)} missing from glossel-cli: {cells}")
    for position, row in extra:
        cells = ", ".join(f"{n}={show(v, 30)}" for n, v in zip(names, row))
        messages.append(f"{label(position, row, 'glossel-cli')} not in {source}: {cells}")
    return messages


# ---------------------------------------------------------------------------------------------
# Running the programs

def run(command, env=None):
    try:
        done = subprocess.run(command, capture_output=True, timeout=RUN_TIMEOUT_SECONDS, env=env)
    except subprocess.TimeoutExpired:
        raise OracleError(f"{' '.join(command)} did not finish in {RUN_TIMEOUT_SECONDS} s")
    except OSError as error:
        raise OracleError(f"cannot run {command[0]}: {error}")
    return done


def run_glossel(cli, *arguments):
    """stdout of a glossel-cli call that must succeed: exit 0, nothing on stderr, UTF-8."""
    done = run([cli, "dump", *arguments])
    stderr = done.stderr.decode("utf-8", "replace").strip()
    if done.returncode != 0:
        ending = (f"was killed by signal {-done.returncode}" if done.returncode < 0
                  else f"exited with {done.returncode}")
        raise OracleError(f"glossel-cli dump {' '.join(arguments[1:]) or '(table list)'} "
                          f"{ending}: {stderr[:300]}")
    if stderr:
        raise OracleError(f"glossel-cli succeeded but wrote to stderr: {stderr[:300]}")
    try:
        return done.stdout.decode("utf-8")
    except UnicodeDecodeError as error:
        raise OracleError(f"glossel-cli output is not UTF-8: {error}")


# mdbtools reads Jet 3 text as cp1252 and writes UTF-8; the C locale keeps "." as the decimal
# point in its printf output.
MDB_ENV = dict(os.environ, LC_ALL="C", MDB_JET3_CHARSET="CP1252", MDBICONV="UTF-8")


def run_mdbtools(*command):
    done = run(list(command), env=MDB_ENV)
    if done.returncode != 0:
        raise OracleError(f"{' '.join(command)} failed: "
                          f"{done.stderr.decode('utf-8', 'replace').strip()[:300]}")
    return done.stdout.decode("utf-8")


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


def read_rows(records, kinds, reader, source):
    rows, problems = [], []
    for number, record in enumerate(records, start=1):
        if len(record) != len(kinds):
            problems.append(f"{source} row {number} has {len(record)} fields, expected "
                            f"{len(kinds)}")
            continue
        rows.append(tuple(reader(kind, raw, quoted) for kind, (raw, quoted) in zip(kinds, record)))
    return rows, problems


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
        key = choose_key(table, columns, expected)

        records = parse_csv(run_glossel(cli, str(database), name))
        if not records:
            raise OracleError("no header row")
        header = [value for value, _ in records[0]]
        if header != names:
            raise OracleError(f"header {header} should be the column names {names}")
        if not all(quoted for _, quoted in records[0]):
            raise OracleError("every column name in the header must be quoted")
        got, problems = read_rows(records[1:], kinds, cli_value, "glossel-cli")
        messages += problems
        messages += [f"[vs JSON] {m}" for m in compare_rows(names, key, expected, got, "JSON")]

        export = parse_csv(run_mdbtools("mdb-export", "-B", "-b", "hex", "-D", DATETIME_FORMAT,
                                        "-T", DATETIME_FORMAT, str(database), name))
        if not export or [value for value, _ in export[0]] != names:
            raise OracleError(f"mdb-export header {export[:1]} is not the JSON's columns {names}")
        reference, problems = read_rows(export[1:], kinds, mdb_value, "mdb-export")
        messages += problems
        ours = [tuple(mdb_view(kind, v) for kind, v in zip(kinds, row)) for row in got]
        messages += [f"[vs mdb-export] {m}"
                     for m in compare_rows(names, key, reference, ours, "mdb-export")]
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
