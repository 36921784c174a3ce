# The three readers that the Jet oracles put side by side, and how their output is compared:
# glossel-cli (`dump` prints CSV), mdbtools (mdb-tables, mdb-export, mdb-schema) and the npm
# package mdb-reader (through mdb_reader_dump.mjs beside this file).
#
# Each reader's cells become canonical Python values of the column's kind (None, str, int, bool,
# Decimal, float, bytes), so that equal values compare and hash equal. Where a reader cannot
# represent a value faithfully, a "view" maps the reference value to what that reader is able to
# print (mdb_view, mdb_reader_view), and only that is compared. Rows are compared as multisets;
# compare_rows and describe_unmatched turn the differences into messages naming row and column.
import json
import math
import os
import re
import shutil
import struct
import subprocess
from collections import Counter
from datetime import date, datetime
from decimal import Decimal, InvalidOperation
from pathlib import Path

MAX_DIFFS_PER_TABLE = 20
RUN_TIMEOUT_SECONDS = 120
DATETIME_FORMAT = "%Y-%m-%d %H:%M:%S"

# Jet column type codes and the kind of value each one holds.
KIND_BY_TYPE_CODE = {
    1: "boolean", 2: "byte", 3: "integer", 4: "long", 5: "currency", 6: "single",
    7: "double", 8: "datetime", 9: "binary", 10: "text", 11: "ole", 12: "memo",
    15: "guid", 16: "numeric",
}
# Our names of the Jet column types, as the scenario schema files spell them.
JET_TYPE_NAME_BY_KIND = {
    "boolean": "Boolean", "byte": "Byte", "integer": "Integer", "long": "Long",
    "currency": "Currency", "single": "Single", "double": "Double", "datetime": "DateTime",
    "binary": "Binary", "text": "Text", "ole": "OLE", "memo": "Memo", "guid": "GUID",
    "numeric": "Numeric",
}
KIND_BY_JET_TYPE_NAME = {name: kind for kind, name in JET_TYPE_NAME_BY_KIND.items()}
TEXT_KINDS = ("text", "memo")
INTEGER_RANGES = {"byte": (0, 255), "integer": (-32768, 32767), "long": (-2**31, 2**31 - 1)}

GUID_PATTERN = re.compile(r"\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}")
PLAIN_INTEGER = re.compile(r"-?(0|[1-9][0-9]*)")
PLAIN_DECIMAL = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?")
FLOAT_SYNTAX = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?([eE][-+]?[0-9]+)?")
DATETIME_SYNTAX = re.compile(r"[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")
HEX_UPPER = re.compile(r"([0-9A-F]{2})*")


class OracleError(Exception):
    """A file or a reference tool cannot be read as the oracle expects."""


class Bad:
    """A cell that breaks the CSV contract; equal to nothing, so its row is reported."""

    def __init__(self, raw, reason):
        self.raw = raw
        self.reason = reason

    def __repr__(self):
        return f"unreadable {show(self.raw)} ({self.reason})"


def is_jet3(database):
    """Whether the file is Jet 3 (Access 97): the header's version byte at 0x14 is 0."""
    try:
        with open(database, "rb") as file:
            header = file.read(0x15)
    except OSError as error:
        raise OracleError(f"cannot read {database}: {error}")
    return len(header) > 0x14 and header[0x14] == 0


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


def read_rows(records, kinds, reader, source):
    """Canonical rows of CSV records, and a message for each record of the wrong width."""
    rows, problems = [], []
    for number, record in enumerate(records, start=1):
        if len(record) != len(kinds):
            problems.append(f"{source} row {number} has {len(record)} fields, expected "
                            f"{len(kinds)}")
            continue
        rows.append(tuple(reader(kind, raw, quoted) for kind, (raw, quoted) in zip(kinds, record)))
    return rows, problems


# ---------------------------------------------------------------------------------------------
# glossel-cli's CSV: the output contract, checked cell by cell

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


# ---------------------------------------------------------------------------------------------
# mdbtools: what mdb-export prints, and the view of a reference value that it can match

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
# mdb-reader: what mdb_reader_dump.mjs prints, and the view of a reference value that it can match
#
# How mdb-reader 3.2 differs from glossel-cli's CSV, and what is done about it:
# - Empty text and NULL stay apart (unlike mdbtools): compared as they are.
# - Jet 3 text goes through its own cp1252 table, with U+FFFD for the five undefined bytes:
#   mdb_reader_view maps the reference's U+0081, U+008D, U+008F, U+0090, U+009D to U+FFFD.
# - Dates come as UTC instants to the millisecond, converting the stored day number linearly,
#   which misplaces the time of dates before 1899-12-30: mdb_reader_datetime recovers the stored
#   number and applies Jet's rule (and glossel-cli's rounding to seconds).
# - Currency and Decimal come as decimal strings with every digit of the scale ("3.5000"):
#   compared as Decimal, so trailing zeros do not count.
# - Singles come widened to doubles, exactly; doubles are exact. NaN, infinities and -0 are
#   words in the JSON (MDB_READER_FLOAT_WORDS).
# - GUIDs come as lowercase hex groups without braces: read as {UPPERCASE}.
# - Binary and OLE come whole (mdbtools stops binary at a zero byte); booleans are never NULL.
# - Rows come in storage order: data pages in usage-map order, rows moved by Access (0x8000) where
#   their data lies, overflow pointers (0x4000) and deleted rows skipped; so its order is at most
#   noted, never required.
# - Column sizes are the table definition's bytes (Text: 2 per character in Jet 4), and every
#   Boolean's size is given as 0 (see mdb_reader_schema).
# - A Memo spread over several LVAL pages is cut before a last piece that holds more bytes than
#   the value's remaining length, so a writer must not pad that piece.
# Its GUID and Decimal conversions are taken from its source; no fixture holds such a value.

MDB_READER_DIR = Path(__file__).resolve().parent
MDB_READER_SCRIPT = MDB_READER_DIR / "mdb_reader_dump.mjs"
KIND_BY_MDB_READER_TYPE = {
    "boolean": "boolean", "byte": "byte", "integer": "integer", "long": "long",
    "currency": "currency", "float": "single", "double": "double", "datetime": "datetime",
    "binary": "binary", "text": "text", "ole": "ole", "memo": "memo", "repid": "guid",
    "numeric": "numeric",
}
MDB_READER_FLOAT_WORDS = {"NaN": math.nan, "Infinity": math.inf, "-Infinity": -math.inf,
                          "-0": -0.0}
ISO_INSTANT = re.compile(
    r"([+-][0-9]{6}|[0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})\.([0-9]{3})Z")
MS_PER_DAY = 86400000
# Days from 1899-12-30, where Jet counts from, to 1970-01-01, where JavaScript dates count from.
JET_TO_UNIX_DAYS = 25569
# cp1252 leaves these bytes undefined. Jackcess and glossel-cli read them as the C1 controls of
# the same number; mdb-reader reads Jet 3 text with its own cp1252 table, which has U+FFFD there.
CP1252_UNDEFINED = {0x81: "\ufffd", 0x8D: "\ufffd", 0x8F: "\ufffd", 0x90: "\ufffd",
                    0x9D: "\ufffd"}


def days_from_civil(year, month, day):
    """Days from 1970-01-01 to a date of the proleptic Gregorian calendar, for any year."""
    year -= month <= 2
    era = year // 400
    year_of_era = year - era * 400
    day_of_year = (153 * (month + (-3 if month > 2 else 9)) + 2) // 5 + day - 1
    day_of_era = year_of_era * 365 + year_of_era // 4 - year_of_era // 100 + day_of_year
    return era * 146097 + day_of_era - 719468


def civil_from_days(days):
    """The (year, month, day) that lies `days` days after 1970-01-01."""
    days += 719468
    era = days // 146097
    day_of_era = days - era * 146097
    year_of_era = (day_of_era - day_of_era // 1460 + day_of_era // 36524
                   - day_of_era // 146096) // 365
    day_of_year = day_of_era - (365 * year_of_era + year_of_era // 4 - year_of_era // 100)
    shifted_month = (5 * day_of_year + 2) // 153
    day = day_of_year - (153 * shifted_month + 2) // 5 + 1
    month = shifted_month + (3 if shifted_month < 10 else -9)
    return year_of_era + era * 400 + (month <= 2), month, day


def mdb_reader_datetime(iso):
    """Our YYYY-MM-DD HH:MM:SS form of a date that mdb-reader printed.

    mdb-reader turns the stored day number into a JavaScript Date as if the number were linear
    (days + fraction from 1899-12-30, in UTC, rounded to the millisecond). Jet stores dates before
    1899-12-30 with a negative whole part and a positive time of day: -1.25 is 1899-12-29 06:00,
    which mdb-reader shows as 1899-12-28 18:00. The stored number is recovered to the millisecond
    and read by Jet's rule, with the time rounded to the nearest second as glossel-cli prints it."""
    match = ISO_INSTANT.fullmatch(iso)
    if not match:
        raise ValueError(f"not an ISO date: {iso!r}")
    year, month, day, hour, minute, second, millisecond = (int(g) for g in match.groups())
    unix_ms = (days_from_civil(year, month, day) * MS_PER_DAY
               + ((hour * 60 + minute) * 60 + second) * 1000 + millisecond)
    jet_ms = unix_ms + JET_TO_UNIX_DAYS * MS_PER_DAY
    whole_days = abs(jet_ms) // MS_PER_DAY * (-1 if jet_ms < 0 else 1)
    seconds = (abs(jet_ms) % MS_PER_DAY + 500) // 1000
    if seconds >= 86400:
        seconds -= 86400
        whole_days += -1 if jet_ms < 0 else 1
    year, month, day = civil_from_days(whole_days - JET_TO_UNIX_DAYS)
    return (f"{year:04d}-{month:02d}-{day:02d} "
            f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}")


def mdb_reader_view(kind, value, jet3):
    """A canonical value as mdb-reader is able to show it (`jet3`: the file is Jet 3)."""
    if isinstance(value, str) and kind in TEXT_KINDS and jet3:
        return value.translate(CP1252_UNDEFINED)
    return value


def mdb_reader_value(kind, value):
    """A cell of mdb_reader_dump.mjs's JSON."""
    if value is None:
        return None
    try:
        if kind in TEXT_KINDS and isinstance(value, str):
            return value
        if kind == "boolean" and isinstance(value, bool):
            return value
        if kind in INTEGER_RANGES and isinstance(value, int) and not isinstance(value, bool):
            return value
        if kind in ("currency", "numeric") and isinstance(value, str):
            # mdb-reader writes every digit of the scale: "12.3400", "0.0000".
            return Decimal(value)
        if kind in ("double", "single"):
            if isinstance(value, str) and value in MDB_READER_FLOAT_WORDS:
                return float_key(MDB_READER_FLOAT_WORDS[value])
            if isinstance(value, (int, float)) and not isinstance(value, bool):
                # A single arrives widened to a double, exactly; JSON writes 3.0 as 3.
                return float(value)
        if kind == "datetime" and isinstance(value, str):
            return mdb_reader_datetime(value)
        if kind in ("binary", "ole") and isinstance(value, str):
            return bytes.fromhex(value)
        if kind == "guid" and isinstance(value, str):
            # mdb-reader writes a GUID as lowercase hex groups without braces.
            guid = "{" + value.upper() + "}"
            if GUID_PATTERN.fullmatch(guid):
                return guid
    except (ValueError, InvalidOperation):
        pass
    raise OracleError(f"mdb-reader value {show(value)} cannot be read as {kind}")


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


def choose_key(names, rows, candidates):
    """Column positions that identify a row in messages: the first candidate (a list of column
    names) whose values are non-null and distinct in `rows`, else None."""
    for candidate in candidates:
        if not candidate or any(name not in names for name in candidate):
            continue
        positions = [names.index(name) for name in candidate]
        keys = [tuple(row[p] for p in positions) for row in rows]
        if all(None not in key for key in keys) and len(set(keys)) == len(keys):
            return positions
    return None


def cells_text(names, row):
    return ", ".join(f"{n}={show(v, 30)}" for n, v in zip(names, row))


def key_text(names, key, row):
    return ", ".join(f"{names[p]}={show(row[p])}" for p in key)


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


def describe_unmatched(names, key, missing, extra, source, reader="glossel-cli",
                       extra_source=None):
    """Messages for the rows of `source` that `reader` lacks and the rows `reader` has beyond
    them (that are not in `extra_source`, by default `source`), both as (position, row). A
    missing and an extra row with the same key, or without a key the closest pair, are reported
    column by column."""
    def label(position, row, side):
        if key is not None:
            return "row " + key_text(names, key, row)
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
        missing, extra = list(missing), list(extra)
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
            where += f" ({reader} row {other_position})"
        for column, (a, b) in enumerate(zip(row, other)):
            if a != b:
                messages.append(f"{where} column {names[column]}: {describe_difference(a, b)}")
    for position, row in missing:
        messages.append(f"{label(position, row, source)} missing from {reader}: "
                        f"{cells_text(names, row)}")
    for position, row in extra:
        messages.append(f"{label(position, row, reader)} not in {extra_source or source}: "
                        f"{cells_text(names, row)}")
    return messages


def compare_rows(names, key, expected, got, source, reader="glossel-cli"):
    """Differences between two multisets of rows, as messages naming row and column."""
    return describe_unmatched(names, key, unmatched(expected, got), unmatched(got, expected),
                              source, reader)


def first_order_difference(names, key, expected, got):
    """Where two equal multisets of rows first differ in order, as a message, or None."""
    for position, (a, b) in enumerate(zip(expected, got), start=1):
        if a != b:
            if key is not None:
                return (f"row {position} should be {key_text(names, key, a)}, "
                        f"is {key_text(names, key, b)}")
            return (f"row {position} should be ({cells_text(names, a)}), "
                    f"is ({cells_text(names, b)})")
    return None


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


def glossel_table(cli, database, table, names, kinds):
    """glossel-cli's rows of a table, whose quoted header must be `names`, and a message for
    each record of the wrong width."""
    records = parse_csv(run_glossel(cli, str(database), table))
    if not records:
        raise OracleError("no header row")
    header = [value for value, _ in records[0]]
    if header != names:
        raise OracleError(f"header {header} should be the column names {names}")
    if not all(quoted for _, quoted in records[0]):
        raise OracleError("every column name in the header must be quoted")
    return read_rows(records[1:], kinds, cli_value, "glossel-cli")


# mdbtools reads Jet 3 text as cp1252 and writes UTF-8; the C locale keeps "." as the decimal
# point in its printf output.
MDB_ENV = dict(os.environ, LC_ALL="C", MDB_JET3_CHARSET="CP1252", MDBICONV="UTF-8")


def run_mdbtools(*command):
    done = run(list(command), env=MDB_ENV)
    if done.returncode != 0:
        raise OracleError(f"{' '.join(command)} failed: "
                          f"{done.stderr.decode('utf-8', 'replace').strip()[:300]}")
    return done.stdout.decode("utf-8")


def export_table(database, table, names, kinds, source):
    """mdb-export's rows of a table, whose header must be `names` (the columns of `source`)."""
    export = parse_csv(run_mdbtools("mdb-export", "-B", "-b", "hex", "-D", DATETIME_FORMAT,
                                    "-T", DATETIME_FORMAT, str(database), table))
    if not export or [value for value, _ in export[0]] != names:
        raise OracleError(f"mdb-export header {export[:1]} is not the {source}'s columns {names}")
    return read_rows(export[1:], kinds, mdb_value, "mdb-export")


MDB_SCHEMA_TABLE = re.compile(r"CREATE TABLE \[(.*)\]")
MDB_SCHEMA_COLUMN = re.compile(r"\t\[(.*)\]\t\t\t(.*?)(?: \(([0-9, ]+)\))?(?: NOT NULL)?,? ?")
KIND_BY_MDB_SCHEMA_TYPE = {
    "Boolean": "boolean", "Byte": "byte", "Integer": "integer", "Long Integer": "long",
    "Currency": "currency", "Single": "single", "Double": "double", "DateTime": "datetime",
    "Binary": "binary", "Text": "text", "OLE": "ole", "Memo/Hyperlink": "memo",
    "Replication ID": "guid", "Numeric": "numeric",
}


def schema_columns(database):
    """{table: [(column, Jet type name, size or None)]} as mdb-schema prints the user tables.

    mdb-schema gives a size only for Text, in characters ("Text (50)"); "Memo/Hyperlink (255)"
    and "OLE (255)" are its wording for no size, and the fixed-size types have none."""
    tables = {}
    columns = None
    for line in run_mdbtools("mdb-schema", "--no-not-null", "--no-default-values",
                             "--no-relations", "--no-indexes", str(database)).splitlines():
        table = MDB_SCHEMA_TABLE.fullmatch(line)
        if table:
            columns = tables.setdefault(table.group(1), [])
            continue
        column = MDB_SCHEMA_COLUMN.fullmatch(line)
        if column and columns is not None:
            name, type_name, size = column.groups()
            kind = KIND_BY_MDB_SCHEMA_TYPE.get(type_name)
            jet_name = JET_TYPE_NAME_BY_KIND[kind] if kind else f"<mdb-schema: {type_name}>"
            columns.append((name, jet_name, int(size) if kind == "text" and size else None))
        elif line.startswith(")"):
            columns = None
    return tables


def run_mdb_reader(database, table=None):
    """mdb-reader's user table names, or with a table its {"columns": …, "rows": …}."""
    node = shutil.which("node")
    if node is None:
        raise OracleError("mdb-reader needs Node.js: node is not on PATH")
    if not (MDB_READER_DIR / "node_modules" / "mdb-reader").is_dir():
        raise OracleError(f"mdb-reader is not installed: run npm ci --prefix {MDB_READER_DIR}")
    done = run([node, str(MDB_READER_SCRIPT), str(database)] + ([table] if table else []))
    stderr = done.stderr.decode("utf-8", "replace").strip()
    if done.returncode != 0:
        raise OracleError(f"mdb-reader cannot read {'table ' + table if table else 'the tables'}"
                          f": {stderr[:300]}")
    output = done.stdout.decode("utf-8")
    if table is None:
        return output.splitlines()
    try:
        return json.loads(output)
    except ValueError as error:
        raise OracleError(f"mdb_reader_dump.mjs printed no JSON: {error}")


def mdb_reader_kinds(columns):
    """The kind of each column of mdb_reader_dump.mjs's column list."""
    try:
        return [KIND_BY_MDB_READER_TYPE[column["type"]] for column in columns]
    except KeyError as error:
        raise OracleError(f"mdb-reader reports a column type this oracle has no rule for: {error}")


def mdb_reader_schema(columns, jet3):
    """[(column, Jet type name, size or None)] of mdb-reader's column list.

    mdb-reader gives the size in bytes as the table definition holds it; Text is converted to
    characters (two bytes each in Jet 4). It reports every Boolean's size as 0, so that is no
    size."""
    described = []
    for column, kind in zip(columns, mdb_reader_kinds(columns)):
        size = column.get("size")
        if kind == "text" and isinstance(size, int) and not jet3:
            size //= 2
        described.append((column["name"], JET_TYPE_NAME_BY_KIND[kind],
                          None if kind == "boolean" else size))
    return described


def mdb_reader_cell(kind, value):
    """mdb_reader_value, or a Bad cell that puts the row among the differences."""
    try:
        return mdb_reader_value(kind, value)
    except OracleError as error:
        return Bad(value, str(error))


def mdb_reader_rows(dump, names, kinds, source):
    """The rows of mdb_reader_dump.mjs's JSON for a table, whose columns must be `names` of
    `kinds` (the columns of `source`), and a message for each column of another kind and each
    row of the wrong width. Values are read by the kind mdb-reader reports."""
    columns = dump.get("columns", [])
    got_names = [column.get("name") for column in columns]
    if got_names != names:
        raise OracleError(f"mdb-reader columns {got_names} are not the {source}'s columns "
                          f"{names}")
    got_kinds = mdb_reader_kinds(columns)
    problems = [f"mdb-reader reads column {name} as {got}, the {source} has {kind}"
                for name, kind, got in zip(names, kinds, got_kinds) if got != kind]
    rows = []
    for number, row in enumerate(dump.get("rows", []), start=1):
        if len(row) != len(got_kinds):
            problems.append(f"mdb-reader row {number} has {len(row)} fields, expected "
                            f"{len(got_kinds)}")
            continue
        rows.append(tuple(mdb_reader_cell(kind, value) for kind, value in zip(got_kinds, row)))
    return rows, problems


def mdb_reader_table(database, table, names, kinds, source):
    """mdb-reader's rows of a table, as mdb_reader_rows gives them."""
    return mdb_reader_rows(run_mdb_reader(database, table), names, kinds, source)
