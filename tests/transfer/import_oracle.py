#!/usr/bin/python3
# Imports exchange files into copies of the demo projects with glossel-cli and reads every project
# afterwards with two independent readers, mdbtools (mdb-export, mdb-schema) and mdb-reader, as
# import_check.py does: every table must be as before except the imported columns, whose texts
# both readers must read alike, and the primary keys must still be there.
#
# Usage: import_oracle.py GLOSSEL_CLI DATA_DIR
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
from import_check import ENVIRONMENT, compare_projects, run  # noqa: E402

failures = []
scenarios = 0


def scenario(cli, project, exchange, languages):
    """Imports with glossel-cli and notes every way the project then differs from its copy
    taken before, beyond the imported columns."""
    global scenarios
    scenarios += 1
    name = os.path.basename(exchange)
    before = project + ".before"
    shutil.copyfile(project, before)
    command = [cli, "import", project, exchange]
    for lcid in languages:
        command += ["--language", str(lcid)]
    done = subprocess.run(command, capture_output=True, text=True, env=ENVIRONMENT, timeout=120)
    if done.returncode != 0:
        failures.append(f"import {name} into {project}: {done.stderr}")
    problems = compare_projects(before, project, [f"L{lcid}" for lcid in languages])
    failures.extend(f"{name}: {problem}" for problem in problems)


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
    print(f"{scenarios} imports, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
