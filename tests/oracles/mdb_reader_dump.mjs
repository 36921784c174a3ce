// Prints what the npm package mdb-reader reads from a Jet file, so that the Python oracles can
// compare it with glossel-cli and mdbtools.
//
// Usage: node mdb_reader_dump.mjs FILE          the user table names, one per line
//        node mdb_reader_dump.mjs FILE TABLE    {"columns": [...], "rows": [[...], ...]} as JSON
//        node mdb_reader_dump.mjs --every-table FILE...
//                                               one line per file: {"TABLE": {"columns": ...,
//                                               "rows": ...}, ...} for each of its user tables,
//                                               so that a whole file costs one start of Node
//
// Each column is mdb-reader's column description (name, type, size, fixedLength, nullable,
// autoLong, autoUUID, and precision and scale for numeric columns). Each row lists the values in
// column order, written so that nothing is lost:
//   null                          null
//   text, memo                    string (empty text stays "", apart from null)
//   boolean                       true / false
//   byte, integer, long           number
//   float, double                 number; "NaN", "Infinity", "-Infinity" and "-0" as strings,
//                                 since JSON has no such numbers
//   currency, numeric             mdb-reader's decimal string, e.g. "12.3400"
//   datetime                      ISO 8601 in UTC with milliseconds, as Date.toISOString();
//                                 "Invalid Date" where the stored number makes no date
//   binary, ole                   uppercase hex digits
//   repid (GUID)                  mdb-reader's string, e.g. "6a4c8c1e-0f2b-4d2e-9c1b-2f1a3b4c5d6e"
//   bigint                        decimal string
//   anything else                 arrays and objects with the same rules applied inside
// Any error goes to stderr with exit status 1.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

function lossless(value) {
    if (value === null || value === undefined) {
        return null;
    }
    if (typeof value === "number") {
        if (Number.isNaN(value) || !Number.isFinite(value)) {
            return String(value);
        }
        return Object.is(value, -0) ? "-0" : value;
    }
    if (typeof value === "bigint") {
        return value.toString();
    }
    if (value instanceof Date) {
        return Number.isNaN(value.getTime()) ? "Invalid Date" : value.toISOString();
    }
    if (Buffer.isBuffer(value)) {
        return value.toString("hex").toUpperCase();
    }
    if (Array.isArray(value)) {
        return value.map(lossless);
    }
    if (typeof value === "object") {
        return Object.fromEntries(Object.entries(value).map(([k, v]) => [k, lossless(v)]));
    }
    return value;
}

function tableDump(reader, name) {
    const table = reader.getTable(name);
    const columns = table.getColumns();
    const rows = table.getData().map((row) => columns.map((column) => lossless(row[column.name])));
    return { columns, rows };
}

function everyTable(file) {
    const reader = new MDBReader(readFileSync(file));
    const tables = Object.fromEntries(
        reader.getTableNames().map((name) => [name, tableDump(reader, name)]));
    return `${JSON.stringify(tables)}\n`;
}

function main(args) {
    if (args[0] === "--every-table" && args.length > 1) {
        return args.slice(1).map(everyTable).join("");
    }
    if (args.length < 1 || args.length > 2) {
        throw new Error("usage: node mdb_reader_dump.mjs FILE [TABLE] | --every-table FILE...");
    }
    const reader = new MDBReader(readFileSync(args[0]));
    if (args.length === 1) {
        return reader.getTableNames().map((name) => `${name}\n`).join("");
    }
    return `${JSON.stringify(tableDump(reader, args[1]))}\n`;
}

try {
    process.stdout.write(main(process.argv.slice(2)));
} catch (error) {
    process.stderr.write(`mdb_reader_dump: ${error instanceof Error ? error.message : error}\n`);
    process.exitCode = 1;
}
