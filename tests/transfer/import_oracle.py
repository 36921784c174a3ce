#!/usr/bin/python3
# Imports exchange files into copies of the demo projects with glossel-cli and reads every project
# afterwards with two independent readers, mdbtools (mdb-export, mdb-schema) and mdb-reader: every
# table must be as before except the imported columns, whose texts both readers must read alike,
# and a primary key must still be there.
#
# Usage: import_oracle.py GLOSSEL_CLI DATA_DIR
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
MDB_READER = os.path.join(HERE, "..", "oracles", "mdb_reader_dump.mjs")
ENVIRONMENT = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="C.UTF-8", TESSVIA_ACP="1252")

failures = []
checks = 0


def check(condition, message):
    global checks
    checks += 1
    if not condition:
        failures.append(message)


def run(*command):
    done = subprocess.run(command, capture_output=True, env=ENVIRONMENT, timeout=120)
    if done.returncode != 0:
        raise RuntimeError(f"{command}: exit {done.returncode}: {done.stderr.decode()[:300]}")
    return done.stdout.decode("utf-8")


def tables(project):
    return [t for t in run("mdb-tables", "-1", project).splitlines() if t]


def mdbtools_table(project, table):
    rows = list(csv.reader(io.StringIO(run("mdb-export", project, table), newline="")))
    return rows[0], rows[1:]


def mdb_reader_table(project, table):
    dump = json.loads(run("node", MDB_READER, project, table))
    return [c["name"] for c in dump["columns"]], dump["rows"]


def by_column(names, rows, keep):
    """The rows with only the columns in `keep`, sorted: moved rows may be listed elsewhere."""
    positions = [names.index(name) for name in names if name in keep]
    return sorted((json.dumps([row[p] for p in positions], ensure_ascii=False) for row in rows))


def snapshot(project):
    result = {}
    for table in tables(project):
        result[("mdbtools", table)] = mdbtools_table(project, table)
        result[("mdb-reader", table)] = mdb_reader_table(project, table)
    return result


def primary_keys(project):
    schema = run("mdb-schema", "--indexes", project, "mysql")
    return sorted(line for line in schema.splitlines() if "PRIMARY KEY" in line)


def import_into(cli, project, exchange, languages):
    command = [cli, "import", project, exchange]
    for lcid in languages:
        command += ["--language", str(lcid)]
    done = subprocess.run(command, capture_output=True, text=True, env=ENVIRONMENT, timeout=120)
    check(done.returncode == 0, f"import {exchange} into {project}: {done.stderr}")


def scenario(cli, project, exchange, languages):
    imported = {f"L{lcid}" for lcid in languages}
    before = snapshot(project)
    keys = primary_keys(project)
    import_into(cli, project, exchange, languages)
    after = snapshot(project)
    name = os.path.basename(exchange)
    check(set(before) == set(after), f"{name}: tables {sorted(after)}, before {sorted(before)}")
    check(primary_keys(project) == keys, f"{name}: primary keys {primary_keys(project)}")
    for key, (names, rows) in before.items():
        new_names, new_rows = after[key]
        kept = [n for n in names if n not in imported]
        check(new_names[:len(names)] == names or set(names) - imported <= set(new_names),
              f"{name} {key}: columns {new_names}")
        check(by_column(names, rows, kept) == by_column(new_names, new_rows, kept),
              f"{name} {key}: a column that was not imported changed")
    text_table = next(t for (reader, t) in after if t == "TidxTexts")
    names, rows = after[("mdbtools", text_table)]
    reader_names, reader_rows = after[("mdb-reader", text_table)]
    for column in sorted(imported):
        check(column in names and column in reader_names, f"{name}: no column {column}")
        tools = by_column(names, rows, {"ID", column})
        # mdbtools prints Null and "" alike; mdb-reader keeps them apart.
        reader = by_column(reader_names, [[str(v) if isinstance(v, int) else v or ""
                                           for v in row] for row in reader_rows], {"ID", column})
        check(tools == reader, f"{name}: {column} reads differently: {tools[:2]} / {reader[:2]}")


def main():
    cli, data = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        def fresh(fixture):
            target = os.path.join(work, "Projekt.tvs")
            shutil.copyfile(os.path.join(data, "jet", fixture), target)
            for leftover in (target + ".bak",):
                if os.path.exists(leftover):
                    os.remove(leftover)
            return target

        scenario(cli, fresh("Demo.tvs"), os.path.join(data, "import", "libreoffice_texts.xls"),
                 [1031, 1049])
        scenario(cli, fresh("Demo.tvs"), os.path.join(data, "import", "xlwt_texts.xls"),
                 [1031, 1049])
        exchange = os.path.join(work, "Texte.xls")
        project = fresh("Demo.tvs")
        run(cli, "export", project, exchange, "--language", "1031", "--language", "1049")
        scenario(cli, fresh("PrimaryKey.tvs"), exchange, [1031, 1049])
        scenario(cli, project, os.path.join(data, "import", "xlwt_texts.xls"), [1031, 1049])
    for failure in failures:
        print("FAIL", failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
